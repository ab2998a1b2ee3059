#include "terminal.h"

#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <iterator>
#endif

namespace nv::cli {

namespace {

// Echo off for the life of the object, on the console or terminal of standard input.
class EchoOff {
 public:
#ifdef _WIN32
  EchoOff() : in_(GetStdHandle(STD_INPUT_HANDLE)) {
    ok_ = GetConsoleMode(in_, &saved_) &&
          SetConsoleMode(in_, saved_ & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
  }
  ~EchoOff() {
    if (ok_) SetConsoleMode(in_, saved_);
  }

 private:
  HANDLE in_;
  DWORD saved_ = 0;
#else
  EchoOff() {
    ok_ = tcgetattr(STDIN_FILENO, &saved_) == 0;
    if (!ok_) return;
    termios quiet = saved_;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ECHONL;
    gSaved = saved_;
    gQuiet = quiet;
    gRestore = 1;
    CatchSignals(true);  // a signal on the way out restores the echo too
    ok_ = tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0;
  }
  ~EchoOff() {
    if (ok_) tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
    gRestore = 0;
    CatchSignals(false);
  }

 private:
  static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};
  static inline termios gSaved{};
  static inline termios gQuiet{};
  static inline volatile std::sig_atomic_t gRestore = 0;
  static inline struct sigaction gPrevious[std::size(kSignals)]{};

  // Restores the terminal, then lets the signal do what it would have done. A stop (Ctrl-Z)
  // comes back here on continuing: then the echo goes off again and the prompt reads on.
  static void OnSignal(int signal) {
    if (!gRestore) return;
    tcsetattr(STDIN_FILENO, TCSANOW, &gSaved);
    struct sigaction mine {};
    for (size_t i = 0; i < std::size(kSignals); ++i) {
      if (kSignals[i] == signal) sigaction(signal, &gPrevious[i], &mine);
    }
    sigset_t only;  // delivered now, not once this handler returns
    sigemptyset(&only);
    sigaddset(&only, signal);
    sigprocmask(SIG_UNBLOCK, &only, nullptr);
    raise(signal);
    if (signal != SIGTSTP) return;
    sigaction(signal, &mine, nullptr);
    tcsetattr(STDIN_FILENO, TCSANOW, &gQuiet);
  }
  static void CatchSignals(bool on) {
    for (size_t i = 0; i < std::size(kSignals); ++i) {
      if (!on) {
        sigaction(kSignals[i], &gPrevious[i], nullptr);
        continue;
      }
      struct sigaction action {};
      action.sa_handler = OnSignal;
      sigemptyset(&action.sa_mask);
      sigaction(kSignals[i], &action, &gPrevious[i]);
      if (gPrevious[i].sa_handler == SIG_IGN) sigaction(kSignals[i], &gPrevious[i], nullptr);
    }
  }

  termios saved_{};
#endif

 public:
  EchoOff(const EchoOff&) = delete;
  EchoOff& operator=(const EchoOff&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_ = false;
};

}  // namespace

bool StdinIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stdin)) != 0;
#else
  return isatty(STDIN_FILENO) != 0;
#endif
}

bool ReadHiddenLine(const std::string& prompt, std::string* value) {
  if (!StdinIsTerminal()) return false;
  const EchoOff echoOff;  // before the prompt: once it shows, the echo is off
  if (!echoOff.ok()) return false;
  std::cerr << prompt << std::flush;
  const bool read = static_cast<bool>(std::getline(std::cin, *value));
#ifdef _WIN32
  std::cerr << "\n";  // the console swallowed the Enter's echo too
#endif
  if (read && !value->empty() && value->back() == '\r') value->pop_back();
  return read;
}

}  // namespace nv::cli
