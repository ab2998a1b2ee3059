// Windows and builds without Qt D-Bus: the tray reports double clicks, and Qt's own icon finds
// a notification area that comes late (Windows re-adds it when the taskbar restarts; on X11
// Qt watches for an XEmbed tray).
#include "shell/tray_watch.h"

namespace nv {

TrayWatch::TrayWatch(QObject* parent) : QObject(parent) {}

bool TrayWatch::TrayPresent() const { return true; }

bool TrayWatch::XEmbedTrayPresent() const { return true; }

bool TrayWatch::ActivatesOnce() const { return false; }

bool TrayWatch::ItemListed() const { return false; }

void TrayWatch::OnHostRegistered() { Q_EMIT HostRegistered(); }

}  // namespace nv
