#include "shell/display_check.h"

#include <QGuiApplication>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace nv {

namespace {

// Qt's own platform, or "minimal" when none of the display platforms can start.
constexpr const char* kFallbackPlatform = "minimal";

// The context's strings are literals of the code that logged; they outlive the hold.
struct HeldMessage {
  QtMsgType type;
  const char* file;
  int line;
  const char* function;
  const char* category;
  QString text;
};

std::vector<HeldMessage>& Held() {
  static std::vector<HeldMessage> held;
  return held;
}

QtMessageHandler previousHandler = nullptr;

// Used only where a display platform may fail to start (X11, Wayland).
[[maybe_unused]] void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  Held().push_back({type, context.file, context.line, context.function, context.category, text});
}

}  // namespace

DisplayCheck::DisplayCheck() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return;  // the user's choice stands
  const char* platforms =
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? "xcb;minimal" : "xcb;wayland;minimal";
  qputenv("QT_QPA_PLATFORM", platforms);
  fallbackSet_ = true;
  previousHandler = qInstallMessageHandler(Hold);
  holding_ = true;
#endif
}

DisplayCheck::~DisplayCheck() {
  if (holding_) qInstallMessageHandler(previousHandler);
}

bool DisplayCheck::Opened() {
  const bool opened =
      !fallbackSet_ || QGuiApplication::platformName() != QLatin1String(kFallbackPlatform);
  if (fallbackSet_) qunsetenv("QT_QPA_PLATFORM");  // programs started from here choose anew
  if (!holding_) return opened;
  qInstallMessageHandler(previousHandler);
  holding_ = false;
  if (opened) {
    for (const HeldMessage& m : Held()) {
      qt_message_output(m.type, QMessageLogContext(m.file, m.line, m.function, m.category), m.text);
    }
  }
  Held().clear();
  return opened;
}

}  // namespace nv
