#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QVariant>

#include "shell/tray_watch.h"
#include "x11_tray.h"

namespace nv {

namespace {

constexpr int kBusDeadlineMs = 250;  // the watcher answers at once, or is not there
const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");

}  // namespace

TrayWatch::TrayWatch(QObject* parent) : QObject(parent) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  auto* watcher = new QDBusServiceWatcher(kWatcherService, bus,
                                          QDBusServiceWatcher::WatchForRegistration, this);
  connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &TrayWatch::HostMayHaveAppeared);
  // From any sender: a restarted watcher has another unique name.
  bus.connect(QString(), kWatcherPath, kWatcherService,
              QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(OnHostRegistered()));
}

void TrayWatch::OnHostRegistered() { Q_EMIT HostRegistered(); }

bool TrayWatch::XEmbedTrayPresent() const {
  return QGuiApplication::platformName() == QLatin1String("xcb") && XEmbedTrayOwned();
}

bool TrayWatch::TrayPresent() const {
  const QString platform = QGuiApplication::platformName();
  if (platform != QLatin1String("xcb") && platform != QLatin1String("wayland")) return true;
  return XEmbedTrayPresent() || ActivatesOnce();
}

bool TrayWatch::ActivatesOnce() const {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  // The same question Qt asks before it picks the D-Bus tray; an absent watcher is an error
  // reply from the bus at once.
  QDBusMessage get = QDBusMessage::createMethodCall(
      kWatcherService, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("Get"));
  get << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
  const QDBusReply<QVariant> reply = bus.call(get, QDBus::Block, kBusDeadlineMs);
  return reply.isValid() && reply.value().toBool();
}

bool TrayWatch::ItemListed() const {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  QDBusMessage get = QDBusMessage::createMethodCall(
      kWatcherService, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("Get"));
  get << kWatcherService << QStringLiteral("RegisteredStatusNotifierItems");
  const QDBusReply<QVariant> reply = bus.call(get, QDBus::Block, kBusDeadlineMs);
  if (!reply.isValid()) return false;
  // Entries are "service" or "service/path"; Qt's item has a bus connection of its own, so
  // the process behind each service tells which is ours.
  const auto ownPid = static_cast<uint>(QCoreApplication::applicationPid());
  for (const QString& entry : reply.value().toStringList()) {
    QDBusMessage pid = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetConnectionUnixProcessID"));
    pid << entry.section(QLatin1Char('/'), 0, 0);
    const QDBusReply<uint> owner = bus.call(pid, QDBus::Block, kBusDeadlineMs);
    if (owner.isValid() && owner.value() == ownPid) return true;
  }
  return false;
}

}  // namespace nv
