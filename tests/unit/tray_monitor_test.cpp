#include <gtest/gtest.h>

#include <cstring>

#include "adapter/buffers.h"
#include "adapter_fixture.h"
#include "logic/tray_monitor.h"
#include "platform/le_bytes.h"
#include "store/adapter_params.h"

namespace nv {
namespace {

constexpr const char* kId = "PCI\\VEN_1A2B&DEV_3C4D&SUBSYS_00011A2B";

struct RecordingHost : TrayHost {
  void UpdateTrayIcon(int icon, const std::string& tip) override { updates.push_back({icon, tip}); }
  void RefreshSurveyLists() override { ++surveyRefreshes; }
  void CloseConfigWindowWithPopups() override { ++closes; }
  std::vector<std::pair<int, std::string>> updates;
  int surveyRefreshes = 0;
  int closes = 0;
};

class TrayMonitorTest : public ::testing::Test {
 protected:
  TrayMonitorTest() {
    instance = t.AddInstance("0001", kId, true);
    monitor.Start();
    host.updates.clear();
  }
  void Link(int32_t linkState, uint8_t mode = 1, uint32_t linkMetric = 0, uint32_t signal = 130,
            uint8_t bssidLast = 1) {
    StatusBlockFields f{};
    f.bssid[5] = bssidLast;
    f.state = linkState < 0 ? kStatusStateUnavailable : static_cast<uint32_t>(linkState);
    f.networkMode = mode;
    f.linkMetric = linkMetric;
    f.signalMetric = signal;
    const auto block = EncodeStatusBlock(f);
    t.link.SetReply(0x2202A8, {block.begin(), block.end()}, kStatusBlockSize);
  }
  // The authentication modes sent since the last call, one per security apply.
  std::vector<int32_t> AuthModesSent() {
    std::vector<int32_t> modes;
    for (const auto& r : t.link.requests()) {
      if (r.code == 0x2202C4) modes.push_back(le::GetS32(r.in, 0));
    }
    return modes;
  }
  int Count(uint32_t code) {
    int n = 0;
    for (const auto& r : t.link.requests()) n += r.code == code;
    return n;
  }
  test::TestPorts t;
  std::string instance;
  AppState state;
  RecordingHost host;
  TrayMonitor monitor{t.io, state, host};
};

TEST_F(TrayMonitorTest, StartShowsTheEmptyBarsAndStopRemovesThem) {
  test::TestPorts p;
  AppState s;
  RecordingHost h;
  TrayMonitor m(p.io, s, h);
  m.Start();
  m.Stop();
  m.Stop();
  EXPECT_EQ(h.updates, (std::vector<std::pair<int, std::string>>{{136, "WLAN Monitor"}, {0, ""}}));
}

TEST_F(TrayMonitorTest, LookByStateAndMetrics) {
  struct Case {
    int32_t state;
    uint8_t mode;
    uint32_t linkMetric, signalMetric;
    int icon;
    const char* tip;
  } cases[] = {
      {0, 1, 0, 0, 136, "WLAN Monitor\nNo Connect"},
      {1, 1, 0, 0, 136, "WLAN Monitor\nNo Connect"},
      {3, 1, 0, 150, 133, "WLAN Monitor\nLink Quality : Good\nSignal Strength : High"},
      {3, 1, 50, 91, 159, "WLAN Monitor\nLink Quality : Poor\nSignal Strength : High"},
      {3, 1, 10, 110, 134, "WLAN Monitor\nLink Quality : Good\nSignal Strength : High"},
      {3, 1, 70, 20, 157, "WLAN Monitor\nLink Quality : Poor\nSignal Strength : Low"},
      {3, 1, 3, 90, 134, "WLAN Monitor\nLink Quality : Good\nSignal Strength : Low"},
      {3, 1, 3, 85, 135, "WLAN Monitor\nLink Quality : Good\nSignal Strength : Low"},
      {3, 0, 0, 150, 136, "WLAN Monitor\nAd-Hoc"},
      {4, 1, 0, 0, 136, "WLAN Monitor"},  // keeps the last icon, plain tip
  };
  for (const Case& c : cases) {
    Link(c.state, c.mode, c.linkMetric, c.signalMetric);
    monitor.Tick();
    EXPECT_EQ(monitor.shownIcon(), c.icon)
        << c.state << "/" << c.linkMetric << "/" << c.signalMetric;
    EXPECT_EQ(monitor.shownTip(), c.tip);
  }
}

// Connecting and disassociated keep the icon of the link before them for three ticks in a row
// (no flicker through a short transition); a link still there on the fourth is shown as gone.
TEST_F(TrayMonitorTest, PassingStatesKeepTheIconForThreeTicksOnly) {
  const char* good = "WLAN Monitor\nLink Quality : Good\nSignal Strength : High";
  const char* plain = "WLAN Monitor";
  const char* none = "WLAN Monitor\nNo Connect";
  struct Step {
    int32_t state;
    int icon;
    const char* tip;
  } steps[] = {
      {3, 133, good},  {2, 133, plain}, {2, 133, plain}, {2, 133, plain},
      {2, 136, none},  {2, 136, none},  // a wrong key: connecting for good
      {3, 133, good},  {4, 133, plain}, {4, 133, plain}, {4, 133, plain},
      {4, 136, none},  {3, 133, good},  {4, 133, plain}, {2, 133, plain},
      {4, 133, plain},  // each state counts its own ticks
      {2, 133, plain}, {2, 133, plain}, {2, 133, plain}, {2, 136, none},
      {3, 133, good},  {2, 133, plain}, {2, 133, plain}, {-1, 153, "WLAN Monitor\nNo Card Found"},
      {2, 153, plain}, {2, 153, plain}, {2, 153, plain}, {2, 136, none},  // counted anew
  };
  for (size_t i = 0; i < std::size(steps); ++i) {
    Link(steps[i].state);
    monitor.Tick();
    EXPECT_EQ(monitor.shownIcon(), steps[i].icon) << "tick " << i;
    EXPECT_EQ(monitor.shownTip(), steps[i].tip) << "tick " << i;
  }
}

TEST_F(TrayMonitorTest, PercentagesAndTheirUpdateRule) {
  Link(3, 1, 50, 91);
  monitor.Tick();
  EXPECT_EQ(state.linkQualityPercent, 30);
  EXPECT_EQ(state.signalStrengthPercent, 61);
  Link(3, 0, 0, 150);  // ad hoc keeps the last values
  monitor.Tick();
  EXPECT_EQ(state.linkQualityPercent, 30);
  EXPECT_EQ(state.signalStrengthPercent, 61);
}

TEST_F(TrayMonitorTest, TrayUpdatesOnlyOnChange) {
  Link(3, 1, 0, 150);
  monitor.Tick();
  monitor.Tick();
  monitor.Tick();
  EXPECT_EQ(host.updates.size(), 1u);
  Link(3, 1, 0, 100);  // another signal level
  monitor.Tick();
  EXPECT_EQ(host.updates.size(), 2u);
  EXPECT_EQ(host.updates.back().first, 134);
}

TEST_F(TrayMonitorTest, UndeterminedModeIsTakenFromTheSurvey) {
  state.survey.list.count = 1;
  state.survey.list.entries[0].networkMode = 1;
  state.survey.connectedBssIndex = 0;
  Link(3, 2, 0, 150);
  monitor.Tick();
  EXPECT_EQ(monitor.shownIcon(), 133);
  EXPECT_EQ(state.currentLinkStatus.networkMode, 1);
  state.survey.connectedBssIndex = -1;
  monitor.Tick();
  EXPECT_EQ(monitor.shownTip(), "WLAN Monitor\nAd-Hoc");
}

TEST_F(TrayMonitorTest, ConnectingReappliesSecurityThreeTimesWithAScanEach) {
  test::SetText(*t.registry, kHkeyLocalMachine, instance, "dot11AuthMode", "2");
  Link(2);
  for (int i = 0; i < 6; ++i) monitor.Tick();
  EXPECT_EQ(AuthModesSent(), std::vector<int32_t>({0, -1, -1}));
  EXPECT_EQ(Count(0x2203A0), 3);
  EXPECT_EQ(Count(0x220234), 0);  // security only
  EXPECT_EQ(state.connectingTicks, 6);
  // The shown tip starts empty: the first tick sends the plain tip with the start icon; the
  // fourth, with the nudges spent, says there is no connection.
  EXPECT_EQ(host.updates, (std::vector<std::pair<int, std::string>>{
                              {136, "WLAN Monitor"}, {136, "WLAN Monitor\nNo Connect"}}));
  // Leaving connecting resets the count (and the first settled tick re-applies once more).
  t.link.ClearRequests();
  Link(1);
  monitor.Tick();
  EXPECT_EQ(state.connectingTicks, 0);
  EXPECT_EQ(AuthModesSent(), std::vector<int32_t>({2}));
  EXPECT_EQ(Count(0x2203A0), 0);
  t.link.ClearRequests();
  Link(2);
  monitor.Tick();
  EXPECT_EQ(AuthModesSent(), std::vector<int32_t>({0}));
}

TEST_F(TrayMonitorTest, StoredAuthModeOtherThanAutoIsSentAsIs) {
  test::SetText(*t.registry, kHkeyLocalMachine, instance, "dot11AuthMode", "1");
  Link(2);
  for (int i = 0; i < 3; ++i) monitor.Tick();
  EXPECT_EQ(AuthModesSent(), std::vector<int32_t>({1, 1, 1}));
}

TEST_F(TrayMonitorTest, NoAdapterRepeatsEveryTickAndClosesTheWindow) {
  Link(-1);
  state.configWindowOpen = true;
  state.connectingTicks = 2;
  monitor.Tick();
  monitor.Tick();
  EXPECT_EQ(host.updates.size(), 2u);
  EXPECT_EQ(host.updates[1], (std::pair<int, std::string>{153, "WLAN Monitor\nNo Card Found"}));
  EXPECT_EQ(host.closes, 2);
  EXPECT_EQ(state.connectingTicks, 0);
  // An adapter that the registry no longer finds takes the same path.
  Link(3, 1, 0, 150);
  t.probe.present.clear();
  state.configWindowOpen = false;
  monitor.Tick();
  EXPECT_EQ(host.updates.size(), 3u);
  EXPECT_EQ(host.closes, 2);
}

TEST_F(TrayMonitorTest, AdapterBackWhileConnectingOrDisassociatedReplacesNoCardTip) {
  for (int32_t back : {2, 4}) {
    for (int32_t before : {-1, 2}) {  // the very first tick, or after the plain tip was shown
      TrayMonitor fresh{t.io, state, host};
      fresh.Start();
      if (before != -1) {
        Link(before);
        fresh.Tick();
      }
      Link(-1);
      fresh.Tick();
      EXPECT_EQ(host.updates.back().second, "WLAN Monitor\nNo Card Found");
      Link(back);
      fresh.Tick();
      EXPECT_EQ(host.updates.back().second, "WLAN Monitor") << back << " after " << before;
      EXPECT_EQ(fresh.shownTip(), "WLAN Monitor");
    }
  }
}

TEST_F(TrayMonitorTest, RecoveryReappliesSecurityOnceWithoutAScan) {
  Link(3, 1, 0, 150);
  monitor.Tick();  // settled before the adapter goes: its return starts the count again
  Link(-1);
  monitor.Tick();
  t.link.ClearRequests();
  Link(3, 1, 0, 150);
  monitor.Tick();
  monitor.Tick();
  EXPECT_EQ(Count(0x2202B4), 1);  // one security apply
  EXPECT_EQ(Count(0x2203A0), 0);
  EXPECT_EQ(state.settledTicks, 2);
  EXPECT_EQ(monitor.shownIcon(), 133);
}

TEST_F(TrayMonitorTest, SurveyRefreshWhenEnteringOrLeavingAssociated) {
  const int32_t states[] = {1, 1, 3, 3, 4, 0, 3, -1};
  const int expected[] = {0, 0, 1, 1, 2, 2, 3, 4};
  for (size_t i = 0; i < std::size(states); ++i) {
    Link(states[i]);
    monitor.Tick();
    EXPECT_EQ(host.surveyRefreshes, expected[i]) << i;
  }
}

// Between two ticks the adapter may leave one network and join another: the lists must not
// keep marking the one it left.
TEST_F(TrayMonitorTest, SurveyRefreshWhenTheAssociationMovesBetweenTicks) {
  const uint8_t bssids[] = {1, 1, 2, 2, 1};
  const int expected[] = {1, 1, 2, 2, 3};
  for (size_t i = 0; i < std::size(bssids); ++i) {
    Link(3, 1, 0, 130, bssids[i]);
    monitor.Tick();
    EXPECT_EQ(host.surveyRefreshes, expected[i]) << i;
  }
}

}  // namespace
}  // namespace nv
