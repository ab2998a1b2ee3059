// The "Link Info." page (layout 138): the link as the tray's last tick saw it (status, SSID,
// BSSID, rate, channel, quality and signal bars), the throughput with its two charts, and the
// radio button. Only the byte counters and the radio state are read from the adapter here.
#pragma once

#include <array>

#include "logic/link_info.h"
#include "win/controls.h"
#include "win/page.h"

namespace nv::win {

// Timer 100 updates the display every second (killed while it runs, so ticks never overlap);
// timer 200 checks once a second whether the adapter has taken a radio switch.
inline constexpr UINT_PTR kLinkInfoDisplayTimer = 100;
inline constexpr UINT_PTR kLinkInfoRadioTimer = 200;
inline constexpr UINT kLinkInfoPeriodMs = 1000;
inline constexpr UINT kRadioConfirmPeriodMs = 1000;

class LinkInfoPage : public Page {
 public:
  using Page::Page;

 protected:
  void OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void OnTimer(UINT_PTR id) override;

 private:
  void AttachControls();
  void SetUpLook();
  void ShowRadioCaption();
  void ResetBaseline();
  void UpdateDisplay();
  void UpdateThroughput();
  void SwitchRadio();
  void ConfirmRadio();

  CounterBaseline baseline_;
  CEditEx status_, ssid_, rate_, channel_, transmit_, receive_;
  OwnerDrawButton radio_;
  GroupFrame qualityGroup_, dataGroup_;
  GradientProgress qualityBar_, signalBar_;
  StripChart transmitChart_, receiveChart_;
  std::array<LabelStatic, 5> scale_;
};

}  // namespace nv::win
