// What the tray shows for a link: the two percentages, the icon (by resource number) and the
// tooltip. Plain functions, shared by the tray monitor and wlanctl.
#pragma once

#include <cstdint>
#include <string>

#include "adapter/records.h"

namespace nv {

// Icon resources.
inline constexpr int kIconNone = 0;
inline constexpr int kIconEmpty = 136;                      // start, not connected, ad hoc
inline constexpr int kIconNoCard = 153;                     // crossed-out bars
inline constexpr int kIconsGood[4] = {132, 135, 134, 133};  // 1..4 green bars
inline constexpr int kIconsPoor[4] = {157, 158, 159, 160};  // 1..4 yellow bars

inline constexpr const char* kTipPlain = "WLAN Monitor";
inline constexpr const char* kTipNoCard = "WLAN Monitor\nNo Card Found";
inline constexpr const char* kTipNoConnect = "WLAN Monitor\nNo Connect";
inline constexpr const char* kTipGood = "WLAN Monitor\nLink Quality : Good";
inline constexpr const char* kTipPoor = "WLAN Monitor\nLink Quality : Poor";
inline constexpr const char* kTipAdHoc = "WLAN Monitor\nAd-Hoc";
inline constexpr const char* kTipSignalHigh = "\nSignal Strength : High";
inline constexpr const char* kTipSignalLow = "\nSignal Strength : Low";

// signalMetric - 30, clamped to 0..100.
int32_t SignalPercent(uint32_t signalMetric);
// (210 - 3 * linkMetric) / 2 in signed arithmetic, clamped to 0..100: lower metrics are better.
int32_t QualityPercent(uint32_t linkMetric);
// 3 above 80 %, 2 above 55 %, 1 above 30 %, else 0.
int SignalLevel(int32_t signalPercent);

struct TrayLook {
  int icon;  // resource number; kIconNone on the no-adapter path
  std::string tip;
};

// The look of an associated infrastructure link: bars by signal level, green when the quality
// is above 60 %, and the signal verdict appended to the tip.
TrayLook AssociatedLook(int32_t qualityPercent, int32_t signalPercent);

// Connecting (2) and disassociated (4) are passing states: for this many ticks in a row the
// tray keeps the icon it had, so a short transition does not flicker. A link still there on
// the next tick (connecting: the three security nudges are spent) has none: empty bars.
inline constexpr int32_t kPassingTicksKept = 3;

// The look for a tick's state. `previousIcon` is what states 2 and 4 keep while `ticksInState`
// (consecutive ticks in that state, this one included) is at most kPassingTicksKept;
// `adapterFound` is false when the state is -1 or the registry locator found no adapter.
TrayLook DecideLook(bool adapterFound, const LinkStatus& status, int32_t qualityPercent,
                    int32_t signalPercent, int previousIcon, int32_t ticksInState);

}  // namespace nv
