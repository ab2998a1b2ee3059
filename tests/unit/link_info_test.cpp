// The Link Info page's texts, bars and throughput.
#include "logic/link_info.h"

#include <gtest/gtest.h>

#include <cstring>

namespace nv {
namespace {

LinkStatus Link(int32_t state, uint8_t mode, uint8_t channel = 6, uint8_t rate = 5) {
  LinkStatus s{};
  s.state = state;
  s.networkMode = mode;
  s.channel = channel;
  s.rateIndex = rate;
  std::strcpy(s.ssid, "Wireless");
  const uint8_t bssid[6] = {0x00, 0x0A, 0xF5, 0x10, 0x00, 0x01};
  std::memcpy(s.bssid, bssid, 6);
  return s;
}

TEST(LinkInfo, ViewByStateAndMode) {
  struct Case {
    int32_t state;
    uint8_t mode;
    const char* status;
    const char* ssid;
    int32_t quality, signal;
    const char* qualityText;
    bool reset;
  } cases[] = {
      {3, 1, "Associated BSSID=00-0A-F5-10-00-01", "Wireless", 73, 41, "73%", false},
      {3, 0, "Associated IBSSID=00-0A-F5-10-00-01", "Wireless", 0, 0, "", false},
      {2, 1, "Connect BSSID=00-0A-F5-10-00-01", "Wireless", 0, 0, "", false},
      {4, 2, "Disassociated IBSSID=00-0A-F5-10-00-01", "Wireless", 0, 0, "", false},
      {0, 1, "No Connect to Network", "", 0, 0, "", false},
      {1, 1, "Scanning...", "", 0, 0, "", true},
      {-1, 0, "Driver not Load", "", 0, 0, "", true},
      {7, 1, "Driver not Load", "", 0, 0, "", true},
  };
  for (const Case& c : cases) {
    const LinkInfoView v = DescribeLink(Link(c.state, c.mode), 73, 41);
    EXPECT_EQ(v.status, c.status) << c.state;
    EXPECT_EQ(v.ssid, c.ssid) << c.state;
    EXPECT_EQ(v.qualityBar, c.quality) << c.state;
    EXPECT_EQ(v.signalBar, c.signal) << c.state;
    EXPECT_EQ(v.qualityText, c.qualityText) << c.state;
    EXPECT_EQ(v.signalText, c.quality ? "41%" : "") << c.state;
    EXPECT_EQ(v.resetBaseline, c.reset) << c.state;
  }
}

TEST(LinkInfo, ChannelKeptWhenZeroRateEmptyWhenNone) {
  EXPECT_EQ(DescribeLink(Link(3, 1, 11, 7), 0, 0).channel, "11");
  EXPECT_EQ(DescribeLink(Link(3, 1, 11, 7), 0, 0).rate, "22 PBCC");
  const LinkInfoView dropped = DescribeLink(Link(0, 1, 0, 0), 0, 0);
  EXPECT_FALSE(dropped.channel.has_value());
  EXPECT_EQ(dropped.rate, "");
  LinkStatus unterminated = Link(3, 1);
  std::memset(unterminated.ssid, 'A', sizeof unterminated.ssid);
  EXPECT_EQ(DescribeLink(unterminated, 0, 0).ssid, std::string(36, 'A'));
}

TEST(LinkInfo, KbpsAndChartValues) {
  struct Case {
    uint32_t bytes, ms;
    int32_t kbps;
    uint32_t chart;
  } cases[] = {
      {1250000, 1000, 9765, 99},   {128, 1000, 1, 0},        {1280, 1000, 10, 25},
      {12800, 1000, 100, 50},      {128000, 1000, 1000, 75}, {0, 1000, 0, 0},
      {1280000, 1000, 10000, 100}, {48000, 1000, 375, 64},   {4294967295u, 1, 2147483647, 233},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KbpsOf(c.bytes, c.ms), c.kbps) << c.bytes;
    EXPECT_EQ(ChartValue(KbpsOf(c.bytes, c.ms)), c.chart) << c.bytes;
  }
  EXPECT_EQ(ChartValue(-5), 0u);
}

TEST(LinkInfo, ThroughputWrapsAndMovesTheBaseline) {
  CounterBaseline base = BaselineFrom({0, 4294967000u, 100}, 4294967000u);
  // Both the counter and the millisecond clock wrap between the reads.
  auto t = AdvanceThroughput(base, {0, 1250000 - 296, 100}, 704);
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(t->rxKbps, 9765);
  EXPECT_EQ(t->txKbps, 0);
  EXPECT_EQ(base.tick, 704u);
  EXPECT_FALSE(AdvanceThroughput(base, {0, 5, 5}, 704).has_value());  // no time passed
  EXPECT_EQ(base.rxBytes, 5u);
  EXPECT_FALSE(AdvanceThroughput(base, {-1, 0, 0}, 2000).has_value());  // failed read
  EXPECT_EQ(base.rxBytes, 0u);
  EXPECT_EQ(base.tick, 2000u);
  const CounterBaseline failed = BaselineFrom({-1, 77, 88}, 9);
  EXPECT_EQ(failed.rxBytes, 0u);
  EXPECT_EQ(failed.txBytes, 0u);
}

}  // namespace
}  // namespace nv
