// The second start's request as a registered window message sent to the hidden frame, found
// by its title. The frame answers in the message's result; the sender waits with a deadline
// and first lets the running program take the foreground, which Windows otherwise refuses it.
#include <windows.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWidget>

#include "shell/instance_channel.h"
#include "shell/main_frame.h"

namespace nv {

namespace {

constexpr const char* kOpenMessageName = "NETVANE_WLANMON_OPEN_WINDOW";
constexpr UINT kSendDeadlineMs = 3000;
constexpr LRESULT kReplyShown = 1;
constexpr LRESULT kReplyNoWindow = 2;

UINT OpenMessage() { return RegisterWindowMessageA(kOpenMessageName); }

class OpenRequestFilter : public QAbstractNativeEventFilter {
 public:
  OpenRequestFilter(QWidget& frame, std::function<bool()> open)
      : frame_(frame), open_(std::move(open)), message_(OpenMessage()) {}

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override {
    if (message_ == 0 || type != "windows_generic_MSG") return false;
    const auto* msg = static_cast<const MSG*>(message);
    if (msg->message != message_ || msg->hwnd != reinterpret_cast<HWND>(frame_.winId())) {
      return false;
    }
    *result = open_() ? kReplyShown : kReplyNoWindow;
    return true;
  }

 private:
  QWidget& frame_;
  std::function<bool()> open_;
  const UINT message_;
};

}  // namespace

OpenReply AskFrameOwnerToOpen() {
  const HWND frame = FindWindowA(nullptr, kMainFrameTitle);
  const UINT message = OpenMessage();
  if (frame == nullptr || message == 0) return OpenReply::kCannotAsk;
  DWORD process = 0;
  GetWindowThreadProcessId(frame, &process);
  AllowSetForegroundWindow(process);
  DWORD_PTR result = 0;
  if (SendMessageTimeoutA(frame, message, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kSendDeadlineMs,
                          &result) == 0) {
    return OpenReply::kNoAnswer;
  }
  if (result == static_cast<DWORD_PTR>(kReplyShown)) return OpenReply::kShown;
  if (result == static_cast<DWORD_PTR>(kReplyNoWindow)) return OpenReply::kNoWindow;
  return OpenReply::kCannotAsk;  // an older build, which does not know the message
}

// The lock holder is the program whose frame carries the title.
OpenReply AskLockHolderToOpen(const std::string&) {
  const OpenReply reply = AskFrameOwnerToOpen();
  return reply == OpenReply::kCannotAsk ? OpenReply::kNoAnswer : reply;
}

struct InstanceChannel::Impl {
  Impl(QWidget& frame, std::function<bool()> open) : filter(frame, std::move(open)) {}
  OpenRequestFilter filter;
};

InstanceChannel::InstanceChannel(QWidget& frame, std::function<bool()> open)
    : impl_(std::make_unique<Impl>(frame, std::move(open))) {}

InstanceChannel::~InstanceChannel() {
  QCoreApplication::instance()->removeNativeEventFilter(&impl_->filter);
}

bool InstanceChannel::Listen(const std::string&, std::string* error) {
  if (OpenMessage() == 0) {
    *error = "cannot register the window message " + std::string(kOpenMessageName);
    return false;
  }
  QCoreApplication::instance()->installNativeEventFilter(&impl_->filter);
  return true;
}

}  // namespace nv
