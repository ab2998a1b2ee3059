// What ends a command that runs until it is stopped (watch): an interrupt or termination
// request, or the reader of its output going away.
#pragma once

namespace nv::cli {

// For the life of the object, SIGINT and SIGTERM (on Windows: Ctrl-C, Ctrl-Break and the
// console closing) only set the flag Requested() reads, and SIGPIPE is ignored, so that a
// write to a closed pipe fails instead of killing the process. The previous handling comes
// back when the object goes. One at a time.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  static bool Requested();
};

// True when standard output is a pipe whose reader has gone (or a terminal that hung up),
// found without writing to it. On Windows only a failed write tells (EPIPE), so false.
bool StandardOutputClosed();

}  // namespace nv::cli
