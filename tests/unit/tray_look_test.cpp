#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <vector>

#include "logic/link_notice.h"
#include "logic/tray_look.h"
#include "platform/win32_codes.h"
#include "test_registry.h"

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

// Ticks: "3a" associated with "Wireless", "3b" with "Other Net", "3c" with an escape sequence,
// "0".."4" the other states, "x" state -1, "-" no adapter found. Notices per tick: "." none,
// "C:text", "D", "N".
TEST(LinkNotices, FollowTheTicks) {
  struct Case {
    const char* ticks;
    const char* notices;
  } cases[] = {
      {"3a 3a 3a", ". . ."},  // the first tick only takes note
      {"1 2 3a 3a", ". . C:Connected to Wireless ."},
      {"3a 1", ". D"},
      {"3a 0", ". D"},
      {"3a 4 4 4 3a", ". . . . ."},  // a short passage tells nothing
      {"3a 4 4 4 4 4 1", ". . . . D . ."},
      {"3a 2 2 2 2 3a", ". . . . D C:Connected to Wireless"},
      {"3a 2 3b", ". . C:Connected to Other Net"},
      {"3a 3b 3b", ". C:Connected to Other Net ."},
      {"3a - - 1 3a", ". N . . C:Connected to Wireless"},
      {"3a x 3a", ". N C:Connected to Wireless"},
      {"- - 3a", ". . C:Connected to Wireless"},
      {"1 -", ". N"},
      {"4 4 4 4 1", ". . . . ."},  // never connected: nothing to tell
      {"1 3c", R"(. C:Connected to \x1B[31mRed)"},
  };
  for (const Case& c : cases) {
    LinkNotices notices;
    std::istringstream ticks(c.ticks);
    std::string said;
    for (std::string tick; ticks >> tick;) {
      LinkStatus s{};
      s.state = tick == "x" || tick == "-" ? -1 : tick[0] - '0';
      const char* ssid = tick == "3a" ? "Wireless" : tick == "3b" ? "Other Net" : "\x1b[31mRed";
      if (tick.size() == 2) std::strcpy(s.ssid, ssid);
      const LinkNotice n = notices.Next(tick != "-", s);
      said += said.empty() ? "" : " ";
      switch (n.kind) {
        case NoticeKind::kNone:
          said += ".";
          break;
        case NoticeKind::kConnected:
          said += "C:" + n.text;
          break;
        case NoticeKind::kDisconnected:
          said += n.text == "Disconnected" ? "D" : "?";
          break;
        case NoticeKind::kNoCard:
          said += n.text == "No Card Found" ? "N" : "?";
          break;
      }
      if (n.kind != NoticeKind::kNone) {
        EXPECT_EQ(n.title, "WLAN Monitor");
      }
    }
    EXPECT_EQ(said, c.notices) << c.ticks;
  }
}

TEST(LinkNotices, TheSettingIsADwordInTheUsersCompanyKey) {
  auto registry = test::MakeTestRegistry();
  EXPECT_FALSE(ReadNotifyOnConnect(*registry));  // off by default
  ASSERT_EQ(WriteNotifyOnConnect(*registry, true), win::kErrorSuccess);
  EXPECT_TRUE(ReadNotifyOnConnect(*registry));
  RegKey key = 0;
  ASSERT_EQ(registry->OpenKey(kHkeyCurrentUser, "Software\\MORWEN\\WLAN Monitor\\Settings",
                              kKeyRead, &key),
            win::kErrorSuccess);
  uint32_t type = 0, size = 4;
  uint8_t data[4] = {};
  ASSERT_EQ(registry->QueryValue(key, "NotifyOnConnect", &type, data, &size), win::kErrorSuccess);
  registry->CloseKey(key);
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(std::vector<uint8_t>(data, data + size), (std::vector<uint8_t>{1, 0, 0, 0}));
  ASSERT_EQ(WriteNotifyOnConnect(*registry, false), win::kErrorSuccess);
  EXPECT_FALSE(ReadNotifyOnConnect(*registry));
}

}  // namespace
}  // namespace nv
