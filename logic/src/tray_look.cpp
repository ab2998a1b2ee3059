#include "logic/tray_look.h"

#include <algorithm>

namespace nv {

int32_t SignalPercent(uint32_t signalMetric) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{signalMetric} - 30, 0, 100));
}

int32_t QualityPercent(uint32_t linkMetric) {
  return static_cast<int32_t>(std::clamp<int64_t>((210 - 3 * int64_t{linkMetric}) / 2, 0, 100));
}

int SignalLevel(int32_t signalPercent) {
  if (signalPercent > 80) return 3;
  if (signalPercent > 55) return 2;
  if (signalPercent > 30) return 1;
  return 0;
}

TrayLook AssociatedLook(int32_t qualityPercent, int32_t signalPercent) {
  const int level = SignalLevel(signalPercent);
  const bool good = qualityPercent > 60;
  TrayLook look{good ? kIconsGood[level] : kIconsPoor[level], good ? kTipGood : kTipPoor};
  look.tip += signalPercent > 60 ? kTipSignalHigh : kTipSignalLow;
  return look;
}

TrayLook DecideLook(bool adapterFound, const LinkStatus& status, int32_t qualityPercent,
                    int32_t signalPercent, int previousIcon, int32_t ticksInState) {
  if (!adapterFound || status.state == kStateNoDriver) return {kIconNoCard, kTipNoCard};
  switch (status.state) {
    case kStateNotConnected:
    case kStateScanning:
      return {kIconEmpty, kTipNoConnect};
    case kStateAssociated:
      if (status.networkMode == kNetworkInfrastructure) {
        return AssociatedLook(qualityPercent, signalPercent);
      }
      return {kIconEmpty, kTipAdHoc};
    default:  // connecting, disassociated and anything else keep the icon for a while
      if (ticksInState > kPassingTicksKept) return {kIconEmpty, kTipNoConnect};
      return {previousIcon, kTipPlain};
  }
}

}  // namespace nv
