// Which kind of tray the icon lives in. A StatusNotifierItem host (KDE Plasma, LXQt, GNOME's
// AppIndicator extension, Xfce's plugin, Wayland bars) turns a click into one Activate call
// and never reports a double click; Qt uses that protocol whenever a host is registered with
// the session bus's watcher when the icon is made. XEmbed trays and Windows report clicks.
#pragma once

namespace nv {

// True when a tray icon made now would talk to a StatusNotifierItem host. Asks the session
// bus, with a deadline; false without one.
bool TrayActivatesOnce();

}  // namespace nv
