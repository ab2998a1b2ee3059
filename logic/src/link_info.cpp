#include "logic/link_info.h"

#include <cmath>
#include <cstring>

#include "adapter/operations.h"
#include "logic/options.h"

namespace nv {

LinkInfoView DescribeLink(const LinkStatus& status, int32_t qualityPercent, int32_t signalPercent) {
  LinkInfoView view{};
  const int32_t s = status.state;
  view.resetBaseline = s == kStateScanning || StatusText(s) == StatusText(kStateNoDriver);
  view.status = StatusLine(status);
  if (s == kStateAssociated && status.networkMode == kNetworkInfrastructure) {
    view.qualityBar = qualityPercent;
    view.signalBar = signalPercent;
    view.qualityText = PercentText(qualityPercent);
    view.signalText = PercentText(signalPercent);
  }
  if (s == kStateConnecting || s == kStateAssociated || s == kStateDisassociated) {
    view.ssid.assign(status.ssid, strnlen(status.ssid, sizeof status.ssid));
  }
  if (status.channel != 0) view.channel = std::to_string(status.channel);
  view.rate = RateText(status.rateIndex);
  return view;
}

CounterBaseline BaselineFrom(const AdapterStatistics& read, uint32_t now) {
  const bool ok = read.counterSet != kReadFailed;
  return {now, ok ? read.rxBytes : 0u, ok ? read.txBytes : 0u};
}

std::optional<Throughput> AdvanceThroughput(CounterBaseline& baseline,
                                            const AdapterStatistics& read, uint32_t now) {
  const uint32_t dt = now - baseline.tick;
  const uint32_t dRx = read.rxBytes - baseline.rxBytes;
  const uint32_t dTx = read.txBytes - baseline.txBytes;
  baseline = {now, read.rxBytes, read.txBytes};
  if (read.counterSet == kReadFailed || dt == 0) return std::nullopt;
  return Throughput{KbpsOf(dRx, dt), KbpsOf(dTx, dt)};
}

int32_t KbpsOf(uint32_t bytes, uint32_t milliseconds) {
  if (milliseconds == 0) return 0;
  // Bytes per millisecond x 8000 bits / 1024: at most about 2^32 x 7.8, which fits.
  const double kbps = static_cast<double>(bytes) * 8000.0 / milliseconds * 0.0009765625;
  return kbps >= 2147483647.0 ? 2147483647 : static_cast<int32_t>(kbps);
}

uint32_t ChartValue(int32_t kbps) {
  if (kbps <= 1) return 0;
  // The product is cut to its whole part; a hair is added so that a product that is a whole
  // number (10 Kbps gives 25) stays whole where the x87 unit of a 32-bit build computes the
  // logarithm a bit below it.
  return static_cast<uint32_t>(std::log10(static_cast<double>(kbps)) * 25.0 + 1e-9);
}

std::string PercentText(int32_t percent) { return std::to_string(percent) + "%"; }

uint8_t RadioWanted(uint8_t radioOn) {
  return radioOn == kRadioStateOn ? kRadioStateOff : kRadioStateOn;
}

const char* RadioButtonText(uint8_t radioOn) {
  return radioOn != kRadioStateOff ? "Radio Off" : "Radio On";
}

}  // namespace nv
