#include "terminal.h"

#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <termios.h>
#include <unistd.h>
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
    ok_ = tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0;
  }
  ~EchoOff() {
    if (ok_) tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
  }

 private:
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
  std::cerr << prompt << std::flush;
  const EchoOff echoOff;
  if (!echoOff.ok()) return false;
  const bool read = static_cast<bool>(std::getline(std::cin, *value));
#ifdef _WIN32
  std::cerr << "\n";  // the console swallowed the Enter's echo too
#endif
  if (read && !value->empty() && value->back() == '\r') value->pop_back();
  return read;
}

}  // namespace nv::cli
