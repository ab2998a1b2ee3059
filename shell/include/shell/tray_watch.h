// Which tray the icon lives in, and when there is one. A StatusNotifierItem host (KDE Plasma,
// LXQt, GNOME's AppIndicator extension, Xfce's plugin, Wayland bars) turns a click into one
// Activate call and never reports a double click; XEmbed trays and Windows report clicks.
//
// Qt picks the D-Bus protocol when the icon is made, and only if a host is registered with
// the session bus's watcher at the first time it asks; the answer holds for the rest of the
// process. So on X11 and Wayland the icon is made only once a tray is there, and this watch
// says when that may have happened: the watcher took its bus name or a host registered with
// it. XEmbed trays are asked for on every tick.
#pragma once

#include <QObject>

namespace nv {

class TrayWatch : public QObject {
  Q_OBJECT

 public:
  explicit TrayWatch(QObject* parent = nullptr);

  // True when a tray can take an icon made now. Always true where the platform's own icon
  // copes with a late tray (Windows, whose notification area Qt re-joins) or where there is
  // nothing to wait for (no display, tests).
  bool TrayPresent() const;
  // The cheap part of TrayPresent (no bus call), for the once-a-second question.
  bool XEmbedTrayPresent() const;
  // True when an icon made now would talk to a StatusNotifierItem host. Asks the session
  // bus, with a deadline; false without one.
  bool ActivatesOnce() const;
  // True when the watcher lists an item of this process. False where it cannot be asked.
  bool ItemListed() const;

 Q_SIGNALS:
  // A host may have come: the watcher started (or restarted).
  void HostMayHaveAppeared();
  // A host registered with the watcher, which therefore serves its calls now. A watcher that
  // restarts takes its bus name before it serves: an item's own registration at that moment
  // can fail, and the host's registration that follows is the time to check.
  void HostRegistered();

 private Q_SLOTS:
  void OnHostRegistered();  // the watcher's StatusNotifierHostRegistered signal
};

}  // namespace nv
