// The hidden main frame: it owns the tray icon, the monitor timer and the configuration
// window's runs. It is never shown; its title lets tools find the running program.
#pragma once

#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include "adapter/adapter_io.h"
#include "logic/app_state.h"
#include "logic/tray_monitor.h"
#include "ui/config_dialog.h"

namespace nv {

inline constexpr const char* kMainFrameTitle = "Netvane Wireless LAN Monitor";
inline constexpr int kMonitorPeriodMs = 1000;
inline constexpr int kExitCommand = 2024;

class CMainFrame : public QWidget, private TrayHost {
  Q_OBJECT

 public:
  CMainFrame(AdapterIo& io, AppState& state, ConfigDialog& dialog);
  ~CMainFrame() override;

  // Frame creation: the tray icon and the monitor timer start.
  void Start();
  // One monitor tick now (the timer calls it; tests may too).
  void Tick();
  // The tray's double click (and any other way of asking for the window): opens the window,
  // or brings it to the front when it is open already. Returns at once.
  void OpenOrRaiseConfigWindow();
  void ExitProgram();

  QSystemTrayIcon& tray() { return tray_; }
  TrayMonitor& monitor() { return monitor_; }

 private:
  void UpdateTrayIcon(int icon, const std::string& tip) override;
  void RefreshSurveyLists() override;
  void CloseConfigWindowWithPopups() override;
  void OnActivated(QSystemTrayIcon::ActivationReason reason);

  AdapterIo& io_;
  AppState& state_;
  ConfigDialog& dialog_;
  TrayMonitor monitor_;
  QSystemTrayIcon tray_;
  QMenu menu_;
  QTimer timer_;
  bool warnedNoTray_ = false;
};

}  // namespace nv
