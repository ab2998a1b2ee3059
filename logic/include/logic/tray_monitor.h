// The tray monitor's one-second tick as a plain class: it reads the link, decides icon and
// tooltip, re-applies security settings while the link hangs connecting, and tells its host
// what to show. The shell drives Tick() from its timer; tests drive it by hand.
#pragma once

#include <array>
#include <string>

#include "adapter/adapter_io.h"
#include "logic/app_state.h"
#include "logic/tray_look.h"

namespace nv {

class TrayHost {
 public:
  virtual ~TrayHost() = default;
  // Shows `icon` (a resource number) with `tip`; kIconNone removes the icon.
  virtual void UpdateTrayIcon(int icon, const std::string& tip) = 0;
  // The Site Survey data (and its page, when open) is read again.
  virtual void RefreshSurveyLists() = 0;
  // The configuration window and every dialog and message box it owns close.
  virtual void CloseConfigWindowWithPopups() = 0;
};

class TrayMonitor {
 public:
  TrayMonitor(AdapterIo& io, AppState& state, TrayHost& host)
      : io_(io), state_(state), host_(host) {}

  void Start();  // frame creation: icon 136 with "WLAN Monitor"
  void Tick();
  void Stop();  // frame destruction: the icon goes

  int shownIcon() const { return shownIcon_; }
  const std::string& shownTip() const { return shownTip_; }
  // The last tick found no adapter (false before the first tick).
  bool adapterMissing() const { return adapterMissing_; }

 private:
  void ReapplySecurity(AdapterConfig stored, bool whileConnecting);
  void NoAdapter();
  void ShowWhenChanged();

  AdapterIo& io_;
  AppState& state_;
  TrayHost& host_;
  int wantedIcon_ = kIconEmpty;
  int shownIcon_ = kIconEmpty;
  std::string wantedTip_;
  std::string shownTip_;
  int32_t previousState_ = -1;
  std::array<uint8_t, 6> previousBssid_{};  // of the association the last tick saw
  bool iconAdded_ = false;
  int32_t disassociatedTicks_ = 0;  // consecutive ticks in state 4
  bool adapterMissing_ = false;
};

}  // namespace nv
