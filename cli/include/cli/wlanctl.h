// wlanctl: the command-line companion over the same core the tray program uses. Commands are
// run in-process with injected ports and streams, so tests drive them directly.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "adapter/adapter_io.h"

namespace nv::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // no adapter, key check failed, profile not found...
inline constexpr int kExitUsage = 2;

struct Context {
  AdapterIo& io;  // its registry and system ports serve the stores and the scan's waits
  std::ostream& out;
  std::ostream& err;
};

// args: the words after the program name.
int Run(const std::vector<std::string>& args, Context& context);

}  // namespace nv::cli
