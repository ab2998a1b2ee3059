#include <gtest/gtest.h>

#include "logic/tray_look.h"

namespace nv {
namespace {

TEST(TrayLook, Percentages) {
  struct Case {
    uint32_t metric;
    int32_t quality;
  } quality[] = {{0, 100}, {3, 100}, {4, 99},  {50, 30},
                 {69, 1},  {70, 0},  {200, 0}, {0xFFFFFFFF, 0}};
  for (const Case& c : quality) EXPECT_EQ(QualityPercent(c.metric), c.quality) << c.metric;
  struct SignalCase {
    uint32_t metric;
    int32_t percent;
    int level;
  } signal[] = {{0, 0, 0},    {20, 0, 0},   {30, 0, 0},    {60, 30, 0},
                {61, 31, 1},  {85, 55, 1},  {86, 56, 2},   {91, 61, 2},
                {110, 80, 2}, {111, 81, 3}, {150, 100, 3}, {0xFFFFFFFF, 100, 3}};
  for (const SignalCase& c : signal) {
    EXPECT_EQ(SignalPercent(c.metric), c.percent) << c.metric;
    EXPECT_EQ(SignalLevel(c.percent), c.level) << c.metric;
  }
}

TEST(TrayLook, AssociatedThresholds) {
  struct Case {
    int32_t quality, signal;
    int icon;
    const char* tip;
  } cases[] = {
      {61, 81, 133, "WLAN Monitor\nLink Quality : Good\nSignal Strength : High"},
      {60, 81, 160, "WLAN Monitor\nLink Quality : Poor\nSignal Strength : High"},
      {100, 60, 134, "WLAN Monitor\nLink Quality : Good\nSignal Strength : Low"},
      {100, 56, 134, "WLAN Monitor\nLink Quality : Good\nSignal Strength : Low"},
      {100, 55, 135, "WLAN Monitor\nLink Quality : Good\nSignal Strength : Low"},
      {100, 61, 134, "WLAN Monitor\nLink Quality : Good\nSignal Strength : High"},
      {100, 80, 134, "WLAN Monitor\nLink Quality : Good\nSignal Strength : High"},
      {0, 0, 157, "WLAN Monitor\nLink Quality : Poor\nSignal Strength : Low"},
      {30, 31, 158, "WLAN Monitor\nLink Quality : Poor\nSignal Strength : Low"},
      {90, 30, 132, "WLAN Monitor\nLink Quality : Good\nSignal Strength : Low"},
  };
  for (const Case& c : cases) {
    const TrayLook look = AssociatedLook(c.quality, c.signal);
    EXPECT_EQ(look.icon, c.icon) << c.quality << "/" << c.signal;
    EXPECT_EQ(look.tip, c.tip);
  }
}

TEST(TrayLook, ByState) {
  struct Case {
    bool found;
    int32_t state;
    uint8_t mode;
    int32_t ticks;
    int icon;
    const char* tip;
  } cases[] = {
      {false, 3, 1, 0, 153, "WLAN Monitor\nNo Card Found"},
      {true, -1, 1, 0, 153, "WLAN Monitor\nNo Card Found"},
      {true, 0, 1, 0, 136, "WLAN Monitor\nNo Connect"},
      {true, 1, 1, 9, 136, "WLAN Monitor\nNo Connect"},
      {true, 2, 1, 1, 999, "WLAN Monitor"},  // keeps the icon
      {true, 2, 1, 3, 999, "WLAN Monitor"},
      {true, 2, 1, 4, 136, "WLAN Monitor\nNo Connect"},  // until it has lasted too long
      {true, 4, 1, 3, 999, "WLAN Monitor"},
      {true, 4, 1, 4, 136, "WLAN Monitor\nNo Connect"},
      {true, 3, 0, 9, 136, "WLAN Monitor\nAd-Hoc"},
      {true, 3, 2, 0, 136, "WLAN Monitor\nAd-Hoc"},
      {true, 3, 1, 9, 133, "WLAN Monitor\nLink Quality : Good\nSignal Strength : High"},
  };
  for (const Case& c : cases) {
    LinkStatus s{};
    s.state = c.state;
    s.networkMode = c.mode;
    const TrayLook look = DecideLook(c.found, s, 100, 100, 999, c.ticks);
    EXPECT_EQ(look.icon, c.icon) << c.state;
    EXPECT_EQ(look.tip, c.tip) << c.state;
  }
}

}  // namespace
}  // namespace nv
