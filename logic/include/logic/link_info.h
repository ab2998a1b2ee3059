// What the Link Info page shows for one tick of the tray's snapshot, and its throughput
// arithmetic: Kbps from two counter reads (unsigned, so a counter wrap is harmless) and the
// logarithmic chart value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "adapter/records.h"

namespace nv {

struct LinkInfoView {
  std::string status;  // with " BSSID=" / " IBSSID=" while connecting, associated, disassociated
  std::string ssid;
  bool resetBaseline;  // scanning or no driver: the throughput starts over
  int32_t qualityBar;  // 0 unless associated in infrastructure mode
  int32_t signalBar;
  std::string qualityText;  // "73%", or empty
  std::string signalText;
  std::optional<std::string> channel;  // nothing: keep what the box shows (channel 0)
  std::string rate;                    // "" for no rate
};

LinkInfoView DescribeLink(const LinkStatus& status, int32_t qualityPercent, int32_t signalPercent);

// The counters and time of the previous read.
struct CounterBaseline {
  uint32_t tick = 0;
  uint32_t rxBytes = 0;
  uint32_t txBytes = 0;
};

struct Throughput {
  int32_t rxKbps;
  int32_t txKbps;
};

// A fresh baseline from one counter read (0 counters when the read failed).
CounterBaseline BaselineFrom(const AdapterStatistics& read, uint32_t now);
// Moves the baseline to this read (even a failed one) and gives the throughput since the
// previous read; nothing when the read failed or no time has passed.
std::optional<Throughput> AdvanceThroughput(CounterBaseline& baseline,
                                            const AdapterStatistics& read, uint32_t now);
// Kilobits (1024 bits) per second, truncated.
int32_t KbpsOf(uint32_t bytes, uint32_t milliseconds);
// log10(kbps) x 25, 0 for 1 kbps or less: 10 -> 25, 100 -> 50, 10000 -> 100.
uint32_t ChartValue(int32_t kbps);
// "73%".
std::string PercentText(int32_t percent);

// The radio button: the state a click asks for (a state never read, as without a driver at
// start, counts as off, so that the adapter's confirmation can match it) and its caption, the
// action it takes ("Radio Off" while the radio is on).
uint8_t RadioWanted(uint8_t radioOn);
const char* RadioButtonText(uint8_t radioOn);

}  // namespace nv
