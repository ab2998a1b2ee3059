// wlanctl: the command-line companion over the same core the tray program uses. Commands are
// run in-process with injected ports and streams, so tests drive them directly.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "adapter/adapter_io.h"

namespace nv::cli {

inline constexpr int kExitOk = 0;
// Failed: no adapter, a request the driver refused, settings not stored, key check failed,
// no such profile... A change exits 0 only when the driver took every request and the
// settings were stored.
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct Context {
  Context(AdapterIo& adapterIo, std::ostream& outStream, std::ostream& errStream)
      : io(adapterIo), out(outStream), err(errStream) {}
  AdapterIo& io;  // its registry and system ports serve the stores and the scan's waits
  std::ostream& out;
  std::ostream& err;
  std::istream* in = nullptr;  // where "--key1 -" and the like read their line
  // Asks for a secret without echo; unset when standard input is no terminal.
  std::function<bool(const std::string& prompt, std::string* value)> askSecret;
  // Why the device link was last refused (a foreign runtime directory...); may be unset.
  std::function<std::string()> linkRefusal;
  // Whether a registry call gave up on a database held by another program; may be unset.
  std::function<bool()> registryBusy;
  // Whether the reader of `out` has gone (a closed pipe), asked without writing; may be unset.
  std::function<bool()> outputClosed;
};

// args: the words after the program name.
int Run(const std::vector<std::string>& args, Context& context);

}  // namespace nv::cli
