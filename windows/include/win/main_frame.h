// The hidden main frame: a top-level window titled "Netvane Wireless LAN Monitor" that is
// never shown. It owns the tray icon (id 1, callback message "MONITOR_ICON_PRESSED2"), the
// one-second monitor timer (100) and the icon's menu, runs the configuration window on a
// double click, and answers a second start's request to open it.
#pragma once

#include <windows.h>

#include <string>

#include "logic/link_notice.h"
#include "logic/tray_monitor.h"
#include "win/config_dialog.h"

namespace nv::win {

inline constexpr const char* kMainFrameTitle = "Netvane Wireless LAN Monitor";
inline constexpr const char* kTrayMessageName = "MONITOR_ICON_PRESSED2";
// A second start's request to open the window, and the running frame's answers.
inline constexpr const char* kOpenMessageName = "NETVANE_WLANMON_OPEN_WINDOW";
inline constexpr LRESULT kReplyShown = 1;
inline constexpr LRESULT kReplyNoWindow = 2;
inline constexpr UINT_PTR kMonitorTimer = 100;
inline constexpr UINT kMonitorPeriodMs = 1000;
inline constexpr UINT kTrayIconId = 1;
inline constexpr UINT kBalloonMs = 3000;

class MainFrame : public TrayHost {
 public:
  MainFrame(PageContext& context, ConfigDialog& dialog);
  ~MainFrame() override;
  MainFrame(const MainFrame&) = delete;
  MainFrame& operator=(const MainFrame&) = delete;

  // Makes the hidden window, puts the icon in the notification area and starts the timer.
  bool Create();
  HWND hwnd() const { return hwnd_; }

  // A double click's (and a second start's) work: open the window, or bring it to the front;
  // false when there is no adapter and so no window.
  bool OpenOrRaiseConfigWindow();
  void Tick();
  void Exit();

  // TrayHost
  void UpdateTrayIcon(int icon, const std::string& tip) override;
  void RefreshSurveyLists() override;
  void CloseConfigWindowWithPopups() override;

  const TrayMonitor& monitor() const { return monitor_; }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnTrayMessage(LPARAM mouse);
  void ShowMenu();
  void ShowNoCardBalloon();
  void ShowBalloon(const std::string& title, const std::string& text, DWORD kind);
  void ToggleNotifyOnConnect();
  bool Notify(DWORD action, UINT flags, HICON icon, const std::string& tip,
              const char* balloonTitle = nullptr, const char* balloonText = nullptr,
              DWORD balloonKind = 0);

  PageContext& context_;
  ConfigDialog& dialog_;
  TrayMonitor monitor_;
  LinkNotices notices_;  // "Notify on connect": what the user was last told
  HWND hwnd_ = nullptr;
  UINT trayMessage_ = 0;
  UINT openMessage_ = 0;
  UINT taskbarCreated_ = 0;
  bool iconAdded_ = false;
  int shownIcon_ = 0;
  std::string shownTip_;
  bool exitAfterRun_ = false;
};

// The size of NOTIFYICONDATAA this shell takes: the version 5 one (balloons) from shell32 5
// on, the first one before (Windows 95, 98 and NT 4 without the desktop update).
DWORD NotifyIconDataSize();

}  // namespace nv::win
