// A start without a display ends with one line and exit status 1 instead of Qt's abort. Before
// the application object exists, Qt is given a display-less platform to fall back to and its
// messages are held; afterwards Opened() says whether a real display was reached and lets the
// held messages through only when it was.
#pragma once

namespace nv {

class DisplayCheck {
 public:
  DisplayCheck();  // before QApplication
  ~DisplayCheck();
  DisplayCheck(const DisplayCheck&) = delete;
  DisplayCheck& operator=(const DisplayCheck&) = delete;

  // After QApplication: true when the program has a display (or the user chose a platform).
  bool Opened();

 private:
  bool fallbackSet_ = false;
  bool holding_ = false;
};

}  // namespace nv
