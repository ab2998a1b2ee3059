#include "stop_signals.h"

#include <csignal>

#ifdef _WIN32
#include <windows.h>
#else
#include <poll.h>
#include <signal.h>
#include <unistd.h>
#endif

namespace nv::cli {

namespace {

volatile std::sig_atomic_t stopRequested = 0;

#ifdef _WIN32
BOOL WINAPI OnConsoleEvent(DWORD) {
  stopRequested = 1;
  return TRUE;  // handled: the command ends by itself within a tick
}
#else
struct sigaction savedInt, savedTerm, savedPipe;

void OnSignal(int) { stopRequested = 1; }
#endif

}  // namespace

#ifdef _WIN32
StopSignals::StopSignals() {
  stopRequested = 0;
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

StopSignals::~StopSignals() { SetConsoleCtrlHandler(OnConsoleEvent, FALSE); }

// A pipe's reader that went away shows only when a write fails (a write of nothing would reach
// the reader as an end of file).
bool StandardOutputClosed() { return false; }
#else
StopSignals::StopSignals() {
  stopRequested = 0;
  struct sigaction stop {};
  stop.sa_handler = OnSignal;
  sigemptyset(&stop.sa_mask);
  sigaction(SIGINT, &stop, &savedInt);
  sigaction(SIGTERM, &stop, &savedTerm);
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGPIPE, &ignore, &savedPipe);
}

StopSignals::~StopSignals() {
  sigaction(SIGINT, &savedInt, nullptr);
  sigaction(SIGTERM, &savedTerm, nullptr);
  sigaction(SIGPIPE, &savedPipe, nullptr);
}

bool StandardOutputClosed() {
  // The writing end of a pipe whose reader has gone polls as an error, a terminal that hung
  // up as a hang-up.
  pollfd out{STDOUT_FILENO, 0, 0};
  return poll(&out, 1, 0) == 1 && (out.revents & (POLLERR | POLLHUP)) != 0;
}
#endif

bool StopSignals::Requested() { return stopRequested != 0; }

}  // namespace nv::cli
