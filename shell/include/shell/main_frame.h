// The hidden main frame: it owns the tray icon, the monitor timer and the configuration
// window's runs. It is never shown; its title lets tools find the running program.
#pragma once

#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>

#include "adapter/adapter_io.h"
#include "logic/app_state.h"
#include "logic/link_notice.h"
#include "logic/tray_monitor.h"
#include "shell/tray_watch.h"
#include "ui/config_dialog.h"

namespace nv {

inline constexpr const char* kMainFrameTitle = "Netvane Wireless LAN Monitor";
inline constexpr int kMonitorPeriodMs = 1000;
inline constexpr int kOpenCommand = 2023;
inline constexpr int kExitCommand = 2024;
inline constexpr int kNotifyCommand = 2022;  // "Notify on connect"
inline constexpr int kBalloonMs =
    3000;  // a notice: "No Card Found" on a double click, a link notice

class CMainFrame : public QWidget, private TrayHost {
  Q_OBJECT

 public:
  CMainFrame(AdapterIo& io, AppState& state, ConfigDialog& dialog);
  ~CMainFrame() override;

  // Frame creation: the native (never shown) window, the tray icon (once a tray is there)
  // and the monitor timer.
  void Start();
  // One monitor tick now (the timer calls it; tests may too).
  void Tick();
  // The tray's double click, its menu's "Open" and a second start: opens the window, or
  // brings it to the front when it is open already. Returns at once. Without an adapter
  // there is no window: the tray shows "No Card Found" for a moment and this returns false.
  bool OpenOrRaiseConfigWindow();
  void ExitProgram();

  // The icon, once a tray has taken it (at Start where no tray is awaited).
  QSystemTrayIcon* tray() { return tray_.get(); }
  QMenu& menu() { return menu_; }
  TrayMonitor& monitor() { return monitor_; }

 private:
  // The frame is never shown: a close request from outside (an uninstaller's WM_CLOSE to the
  // window found by its title) ends the program as Exit does.
  void closeEvent(QCloseEvent* event) override;
  void UpdateTrayIcon(int icon, const std::string& tip) override;
  void RefreshSurveyLists() override;
  void CloseConfigWindowWithPopups() override;
  void OnActivated(QSystemTrayIcon::ActivationReason reason);
  // Makes the icon when a tray has come; `askBus` also asks for a D-Bus host.
  void MakeTrayIconWhenPresent(bool askBus);
  void ShowIcon();
  // The link notices the user asked for ("Notify on connect"), after each tick.
  void NotifyWhenAsked();

  AdapterIo& io_;
  AppState& state_;
  ConfigDialog& dialog_;
  TrayMonitor monitor_;
  TrayWatch trayWatch_;
  std::unique_ptr<QSystemTrayIcon> tray_;
  bool singleActivationOpens_ = false;  // asked as the icon is made, as Qt does
  int iconWanted_ = kIconNone;          // what the monitor last asked to show
  std::string tipWanted_;
  LinkNotices notices_;
  QMenu menu_;
  QAction* notifyItem_ = nullptr;  // checked while the stored setting is on
  QTimer timer_;
};

}  // namespace nv
