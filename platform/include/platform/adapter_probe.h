// Adapter probe port: W32N_OpenAdapterA followed by CloseHandle.
#pragma once

#include <string_view>

namespace nv {

class AdapterProbe {
 public:
  virtual ~AdapterProbe() = default;
  // True when W32N_OpenAdapterA(name) gave a valid handle (which the port closes again).
  virtual bool OpenAndClose(std::string_view adapterName) = 0;
};

}  // namespace nv
