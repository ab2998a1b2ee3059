// REGEDIT4 and REGEDIT5 (UTF-16LE) files as a user may hand them to "wlanctl registry import",
// and the import's check of what they hold.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "logic/registry_transfer.h"
#include "regedit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<nv::RegKeyDump> keys;
  nv::RegeditError error;
  if (nv::cli::ParseRegeditFile({reinterpret_cast<const char*>(data), size}, &keys, &error)) {
    nv::RegeditError problem;
    if (!nv::CheckImport(keys, nv::ChannelRange{1, 11}, &problem) && problem.message.empty()) {
      __builtin_trap();  // a refusal always says why
    }
    // What parses must write back into text that parses to the same keys.
    std::vector<nv::RegKeyDump> again;
    if (!nv::cli::ParseRegedit4(nv::cli::WriteRegedit4(keys), &again, &error)) __builtin_trap();
    if (again.size() != keys.size()) __builtin_trap();
    for (size_t i = 0; i < keys.size(); ++i) {
      if (again[i].values.size() != keys[i].values.size()) __builtin_trap();
      for (size_t v = 0; v < keys[i].values.size(); ++v) {
        if (again[i].values[v].data != keys[i].values[v].data) __builtin_trap();
      }
    }
  } else if (error.line < 1) {
    __builtin_trap();
  }
  return 0;
}
