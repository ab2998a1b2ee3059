#include "logic/tray_monitor.h"

#include <algorithm>
#include <iterator>

#include "adapter/operations.h"
#include "logic/link_state.h"

namespace nv {

namespace {
// The connecting state gets the stored security settings again on its first three ticks.
constexpr int32_t kConnectingReapplies = 3;
}  // namespace

void TrayMonitor::Start() {
  wantedIcon_ = shownIcon_ = kIconEmpty;
  shownTip_.clear();  // the first tick's tip always goes out
  host_.UpdateTrayIcon(kIconEmpty, kTipPlain);
  iconAdded_ = true;
}

void TrayMonitor::Stop() {
  if (!iconAdded_) return;
  host_.UpdateTrayIcon(kIconNone, shownTip_);
  iconAdded_ = false;
}

void TrayMonitor::Tick() {
  LinkStatus& link = state_.currentLinkStatus;
  link = LinkStatus{};
  ReadLinkStatus(io_, link);
  const int32_t s = link.state;
  std::array<uint8_t, 6> bssid{};
  std::copy(std::begin(link.bssid), std::end(link.bssid), bssid.begin());
  // A move from one association to another between two ticks is a leave and an enter too:
  // without it the lists would keep marking the network that was left.
  const bool moved =
      s == kStateAssociated && previousState_ == kStateAssociated && bssid != previousBssid_;
  if (moved ||
      (s != previousState_ && (s == kStateAssociated || previousState_ == kStateAssociated))) {
    host_.RefreshSurveyLists();
  }
  previousState_ = s;
  previousBssid_ = bssid;
  const LinkJudgement judged = JudgeLink(io_, link, state_.survey);
  if (!judged.adapterFound) return NoAdapter();
  adapterMissing_ = false;
  const AdapterConfig& stored = judged.stored;

  disassociatedTicks_ = s == kStateDisassociated ? disassociatedTicks_ + 1 : 0;
  if (s == kStateConnecting) {
    if (++state_.connectingTicks <= kConnectingReapplies) ReapplySecurity(stored, true);
  } else if (s == kStateScanning || s == kStateAssociated || s == kStateDisassociated) {
    state_.connectingTicks = 0;
    // Once each time the adapter is found again and the link has left connecting.
    if (++state_.settledTicks == 1) ReapplySecurity(stored, false);
    if (judged.measured) {
      state_.signalStrengthPercent = judged.signalPercent;
      state_.linkQualityPercent = judged.qualityPercent;
    }
  }
  const int32_t ticksInState = s == kStateConnecting      ? state_.connectingTicks
                               : s == kStateDisassociated ? disassociatedTicks_
                                                          : 0;
  const TrayLook look = DecideLook(true, link, state_.linkQualityPercent,
                                   state_.signalStrengthPercent, wantedIcon_, ticksInState);
  wantedIcon_ = look.icon;
  wantedTip_ = look.tip;
  ShowWhenChanged();
}

// `stored` is what this tick read from the registry; the security group goes out again.
void TrayMonitor::ReapplySecurity(AdapterConfig config, bool whileConnecting) {
  config.scope = kScopeSecurity;
  if (whileConnecting && config.authMode == kAuthAutoSwitch) {
    // Automatic switch: try open first, then let the driver choose (all bits set).
    config.authMode = state_.connectingTicks == 1 ? kAuthOpen : kAuthDriverChooses;
  }
  ApplyConfig(io_, config);
  if (whileConnecting) static_cast<void>(StartScan(io_));  // the next tick shows the outcome
}

void TrayMonitor::NoAdapter() {
  state_.connectingTicks = 0;
  state_.settledTicks = 0;
  disassociatedTicks_ = 0;
  adapterMissing_ = true;
  wantedIcon_ = kIconNone;
  if (shownIcon_ == kIconNone) return;
  // Repeats on every tick while no adapter is found: wantedIcon was cleared first.
  host_.UpdateTrayIcon(kIconNoCard, kTipNoCard);
  iconAdded_ = true;
  wantedIcon_ = shownIcon_ = kIconNoCard;
  // Remember what is shown, so the first tick with the adapter back replaces the tip.
  shownTip_ = kTipNoCard;
  if (state_.configWindowOpen) host_.CloseConfigWindowWithPopups();
}

void TrayMonitor::ShowWhenChanged() {
  if (wantedIcon_ == shownIcon_ && wantedTip_ == shownTip_) return;
  host_.UpdateTrayIcon(wantedIcon_, wantedTip_);
  iconAdded_ = wantedIcon_ != kIconNone;
  shownIcon_ = wantedIcon_;
  shownTip_ = wantedTip_;
}

}  // namespace nv
