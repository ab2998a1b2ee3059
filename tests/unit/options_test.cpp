// The option lists' texts.
#include "logic/options.h"

#include <gtest/gtest.h>

namespace nv {
namespace {

TEST(Options, ChannelRanges) {
  struct Case {
    uint32_t domain;
    int first, last;
  } cases[] = {{0x10, 1, 11},  {0x20, 1, 11}, {0x30, 1, 13}, {0x31, 10, 11},
               {0x32, 10, 13}, {0x41, 1, 14}, {0x99, 1, 14}};
  for (const Case& c : cases) {
    EXPECT_EQ(ChannelRangeFor(c.domain).first, c.first) << c.domain;
    EXPECT_EQ(ChannelRangeFor(c.domain).last, c.last) << c.domain;
  }
}

TEST(Options, LinkInfoTexts) {
  const char* status[] = {"Driver not Load", "No Connect to Network", "Scanning...",    "Connect",
                          "Associated",      "Disassociated",         "Driver not Load"};
  for (int32_t s = -1; s <= 5; ++s) EXPECT_EQ(StatusText(s), status[s + 1]);
  const char* rates[] = {"", "1", "2", "5.5", "5.5 PBCC", "11", "11 PBCC", "22 PBCC", ""};
  for (uint8_t r = 0; r <= 8; ++r) EXPECT_EQ(RateText(r), rates[r]);
  LinkStatus s{};
  s.state = 3;
  s.networkMode = 0;
  s.bssid[0] = 0x02;
  s.bssid[5] = 0xAB;
  EXPECT_EQ(StatusLine(s), "Associated IBSSID=02-00-00-00-00-AB");
  s.networkMode = 1;
  s.state = 2;
  EXPECT_EQ(StatusLine(s), "Connect BSSID=02-00-00-00-00-AB");
  s.state = 1;
  EXPECT_EQ(StatusLine(s), "Scanning...");
}

}  // namespace
}  // namespace nv
