// A second start of the program asks the running one to open (or bring forward) its
// configuration window, then ends. Linux: a local socket beside the instance lock in the
// private runtime directory, served to the same user only. Windows: a registered window
// message sent to the hidden frame, which is found by its title.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace nv {

enum class OpenReply {
  kShown,      // the window is open and in front
  kNoWindow,   // there is none to show (no adapter)
  kNoAnswer,   // the running program did not answer in time
  kCannotAsk,  // the running program has no channel this start can reach
};

// Asks the program that holds the instance lock in `runtimeDirectory`, within a deadline.
OpenReply AskLockHolderToOpen(const std::string& runtimeDirectory);
// Asks a program known only by its frame's title (another build, another lock).
OpenReply AskFrameOwnerToOpen();

// The running side.
class InstanceChannel : public QObject {
 public:
  // `open` opens or raises the window and returns false when there is none to show.
  InstanceChannel(QWidget& frame, std::function<bool()> open);
  ~InstanceChannel() override;
  // Starts serving later starts; false, with `error` set, when it cannot.
  bool Listen(const std::string& runtimeDirectory, std::string* error);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace nv
