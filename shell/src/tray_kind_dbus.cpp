#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QVariant>

#include "shell/tray_kind.h"

namespace nv {

namespace {
constexpr int kBusDeadlineMs = 1000;  // the watcher answers at once, or is not there
}  // namespace

bool TrayActivatesOnce() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  // The same question Qt asks before it picks the D-Bus tray.
  QDBusInterface properties(QStringLiteral("org.kde.StatusNotifierWatcher"),
                            QStringLiteral("/StatusNotifierWatcher"),
                            QStringLiteral("org.freedesktop.DBus.Properties"), bus);
  if (!properties.isValid()) return false;
  properties.setTimeout(kBusDeadlineMs);
  const QDBusReply<QVariant> reply =
      properties.call(QStringLiteral("Get"), QStringLiteral("org.kde.StatusNotifierWatcher"),
                      QStringLiteral("IsStatusNotifierHostRegistered"));
  return reply.isValid() && reply.value().toBool();
}

}  // namespace nv
