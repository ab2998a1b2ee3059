// The virtual adapter's driver driven by the core's own operations, in process.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>

#include "adapter/buffers.h"
#include "adapter/operations.h"
#include "adapter_fixture.h"
#include "fake_ports.h"
#include "logic/tray_monitor.h"
#include "platform/win32_codes.h"
#include "sim/loopback.h"
#include "sim/server.h"
#include "store/adapter_params.h"
#include "temp_dir.h"

namespace nv::sim {
namespace {

constexpr const char* kScenario = R"({
  "timings": {"scanMs": 1000, "connectMs": 500, "disassociatedMs": 2000, "rescanMs": 2000,
              "controlPolls": 2},
  "adapter": {"regulatoryDomain": 48, "driverVersion": "1.2.3.4", "firmwareVersion": "5.6.7.8"},
  "networks": [
    {"ssid": "Open", "bssid": "00:00:00:00:00:01", "channel": 6, "signal": 80, "quality": 90,
     "rxBytesPerSec": 1000, "txBytesPerSec": 500},
    {"ssid": "Secret", "bssid": "00:00:00:00:00:02", "channel": 1, "privacy": true,
     "wepKey": "0102030405", "auth": "shared", "signal": [[0, 60], [10000, 0]]},
    {"ssid": "Cell", "bssid": "02:00:00:00:00:03", "channel": 3, "mode": "adhoc", "signal": 40}
  ]})";

class SimDriverTest : public ::testing::Test {
 protected:
  SimDriverTest() {
    Scenario scenario;
    std::string error;
    EXPECT_TRUE(ParseScenario(kScenario, &scenario, &error)) << error;
    driver = std::make_unique<SimDriver>(scenario, *registry, system, true);
    loop = std::make_unique<LoopbackLink>(*driver);
    io = std::make_unique<AdapterIo>(Ports{*loop, *loop, system, *registry});
  }
  void Step(uint64_t ms) { driver->Step(ms); }
  LinkStatus Status() {
    LinkStatus s{};
    ReadLinkStatus(*io, s);
    return s;
  }
  void Apply(const char* ssid, int32_t bssType, int32_t wep, const char* keyHex = "") {
    AdapterConfig c{};
    ReadAdapterParameters(*io, c);
    c.scope = 0;
    std::strcpy(c.ssid, ssid);
    c.bssType = bssType;
    c.wepStatus = wep;
    c.keys[0].length = static_cast<int32_t>(std::strlen(keyHex) / 2);
    for (int i = 0; i < c.keys[0].length; ++i) {
      unsigned v = 0;
      std::sscanf(keyHex + 2 * i, "%2x", &v);
      c.keys[0].material[i] = static_cast<uint8_t>(v);
    }
    ApplyConfig(*io, c);
    c.scope = 0;
    WriteAdapterParameters(*io, c);
  }
  FakeSystem system;
  std::unique_ptr<SqliteRegistry> registry = SqliteRegistry::OpenMemory();
  std::unique_ptr<SimDriver> driver;
  std::unique_ptr<LoopbackLink> loop;
  std::unique_ptr<AdapterIo> io;
};

TEST_F(SimDriverTest, RegistersItsAdapterSoTheLocatorFindsIt) {
  AdapterConfig c{};
  ReadAdapterParameters(*io, c);
  EXPECT_EQ(c.scope, 0);
  EXPECT_STREQ(c.ssid, "Wireless");
  std::string id;
  ASSERT_TRUE(test::GetText(*registry, kHkeyLocalMachine, std::string(kNtClassRoot) + "0001",
                            "MatchingDeviceId", &id));
  EXPECT_EQ(id, "pci\\ven_1a2b&dev_3c4d&subsys_00011a2b");
}

TEST_F(SimDriverTest, AssociatesWithAnOpenNetwork) {
  Apply("Open", 1, 1);
  EXPECT_EQ(Status().state, kStateScanning);
  Step(1000);
  EXPECT_EQ(Status().state, kStateConnecting);
  Step(500);
  const LinkStatus s = Status();
  EXPECT_EQ(s.state, kStateAssociated);
  EXPECT_STREQ(s.ssid, "Open");
  EXPECT_EQ(s.channel, 6);
  EXPECT_EQ(s.networkMode, 1);
  EXPECT_EQ(s.signalMetric, 110u);  // 80 % + 30
  EXPECT_EQ(s.rateIndex, 5);        // the stored 11 Mbit/s
  Step(4000);
  AdapterStatistics stats{0, 0, 0};
  ReadStatistics(*io, stats);
  EXPECT_EQ(stats.rxBytes, 4000u);
  EXPECT_EQ(stats.txBytes, 2000u);
}

TEST_F(SimDriverTest, WrongKeyStaysConnectingAndTheRightOneJoins) {
  Apply("Secret", 1, 0, "0102030406");
  Step(5000);
  EXPECT_EQ(Status().state, kStateConnecting);
  Apply("Secret", 1, 0, "0102030405");
  Step(1500);
  EXPECT_EQ(Status().state, kStateAssociated);
  // The network fades away at 10 s of its timeline.
  Step(5000);
  EXPECT_EQ(Status().state, kStateDisassociated);
  Step(2000);
  EXPECT_EQ(Status().state, kStateScanning);
  Step(1000);
  EXPECT_EQ(Status().state, kStateNotConnected);
}

// Security changes retry the same network; only who to join sends the adapter scanning.
TEST_F(SimDriverTest, SecurityChangeRetriesTheSameNetwork) {
  Apply("Open", 1, 1);
  Step(1500);
  ASSERT_EQ(Status().state, kStateAssociated);
  Apply("Open", 1, 0, "0102030405");  // WEP on: the open network refuses it
  EXPECT_EQ(Status().state, kStateConnecting);
  Step(5000);
  EXPECT_EQ(Status().state, kStateConnecting);
  Apply("Open", 1, 1);  // WEP off again: associated after connectMs, no scan first
  EXPECT_EQ(Status().state, kStateConnecting);
  Step(500);
  EXPECT_EQ(Status().state, kStateAssociated);
  Apply("Open", 1, 1);  // the same settings again change nothing
  EXPECT_EQ(Status().state, kStateAssociated);
  Apply("Secret", 1, 1);  // another SSID: a new scan
  EXPECT_EQ(Status().state, kStateScanning);
}

TEST_F(SimDriverTest, AuthModeAllBitsTriesOpenThenShared) {
  const auto setAuth = [&](uint32_t mode) {
    AdapterConfig c{};
    ReadAdapterParameters(*io, c);
    c.authMode = static_cast<int32_t>(mode);
    c.scope = 2;
    ApplyConfig(*io, c);
  };
  Apply("Secret", 1, 0, "0102030405");
  setAuth(0);  // open against a shared-key network: stuck
  Step(5000);
  EXPECT_EQ(Status().state, kStateConnecting);
  setAuth(0xFFFFFFFFu);
  EXPECT_EQ(driver->settings().authMode, 0xFFFFFFFFu);
  EXPECT_EQ(Status().state, kStateConnecting);
  Step(500);
  EXPECT_EQ(Status().state, kStateAssociated);
  // Open-system networks take the all-bits value too.
  Apply("Open", 1, 1);
  setAuth(0xFFFFFFFFu);
  Step(1500);
  EXPECT_EQ(Status().state, kStateAssociated);
}

// The tray's nudges while stuck connecting with "Auto" stored: open, then all bits twice,
// then silence, because a retried association keeps the link connecting.
TEST_F(SimDriverTest, TrayNudgesAStuckLinkThreeTimes) {
  struct QuietHost : TrayHost {
    void UpdateTrayIcon(int, const std::string&) override {}
    void RefreshSurveyLists() override {}
    void CloseConfigWindowWithPopups() override {}
  } host;
  AppState state;
  TrayMonitor monitor(*io, state, host);
  int status = 0;
  driver->Control(R"(network add {"ssid":"Stable","bssid":"00:00:00:00:00:07","privacy":true,)"
                  R"("wepKey":"0102030405","signal":50})",
                  &status);
  ASSERT_EQ(status, 0);
  Apply("Stable", 1, 0, "0102030406");  // stored authMode: 2 ("Auto Switch")
  driver->Control("log --clear", &status);
  for (int tick = 0; tick < 12; ++tick) {
    monitor.Tick();
    Step(1000);
  }
  std::vector<std::string> sent;
  std::istringstream log(driver->Control("log", &status));
  for (std::string line; std::getline(log, line);) {
    if (line.find("0x2202C4") != std::string::npos)
      sent.push_back(line.substr(line.size() - 10, 8));
  }
  // The first tick after the scan finds the link settled nowhere yet (scanning) and sends
  // the stored mode once; connecting then gets 0, -1, -1.
  EXPECT_EQ(sent, std::vector<std::string>({"02000000", "00000000", "ffffffff", "ffffffff"}));
  EXPECT_EQ(Status().state, kStateConnecting);
  EXPECT_EQ(state.connectingTicks, 11);
}

TEST_F(SimDriverTest, AdHocJoinsACellOrCreatesOne) {
  Apply("Cell", 0, 1);
  Step(1500);
  LinkStatus s = Status();
  EXPECT_EQ(s.state, kStateAssociated);
  EXPECT_EQ(s.networkMode, 0);
  EXPECT_EQ(s.bssid[0], 0x02);
  Apply("MyOwnCell", 0, 1);
  Step(1000);
  s = Status();
  EXPECT_EQ(s.state, kStateAssociated);
  EXPECT_STREQ(s.ssid, "MyOwnCell");
  EXPECT_EQ(s.networkMode, 0);
}

TEST_F(SimDriverTest, SurveyListsNetworksInRange) {
  EXPECT_EQ(StartScan(*io), kAccessOk);
  EXPECT_EQ(IsScanDone(*io), kAccessFailed);
  Step(1000);
  EXPECT_EQ(IsScanDone(*io), kAccessOk);
  BssList list{};
  ReadBssList(*io, list);
  ASSERT_EQ(list.count, 3);
  EXPECT_STREQ(list.entries[1].ssid, "Secret");
  EXPECT_EQ(list.entries[1].privacy, 1);
  EXPECT_EQ(list.entries[1].rssi, 108);  // twice the 54 % it has at 1 s
  EXPECT_EQ(list.entries[2].networkMode, 0);
}

TEST_F(SimDriverTest, RegisterWindowsAndRadio) {
  EXPECT_EQ(ReadRegulatoryDomain(*io), 48u);
  EXPECT_EQ(ReadRadioState(*io), 1);
  SetRadio(*io, false);
  EXPECT_EQ(ReadRadioState(*io), 0);
  BssList list{};
  ReadBssList(*io, list);
  EXPECT_EQ(list.count, 0);
  Step(10000);
  EXPECT_EQ(Status().state, kStateNotConnected);
  SetRadio(*io, true);
  EXPECT_EQ(Status().state, kStateScanning);
  Step(1000);  // the stored "Wireless" is not in this scenario
  EXPECT_EQ(Status().state, kStateNotConnected);
}

TEST_F(SimDriverTest, CodesSizesAndTwins) {
  DeviceHandle h = 0;
  ASSERT_EQ(io->OpenDevice(&h), kIoOk);
  uint8_t out[64] = {};
  uint32_t count = 0;
  EXPECT_EQ(io->Exchange(h, kModeOutput, 0x220200, 0, nullptr, 64, out, &count), kIoExchangeFailed);
  IoOutcome r = loop->Control(h, 0x220200, {}, out);
  EXPECT_EQ(r.lastError, win::kErrorInvalidFunction);
  r = loop->Control(h, 0x220234, std::span<const uint8_t>(out, 35), {});
  EXPECT_EQ(r.lastError, win::kErrorInsufficientBuffer);
  r = loop->Control(h, 0x2202A8, {}, std::span<uint8_t>(out, 103));
  EXPECT_EQ(r.lastError, win::kErrorInsufficientBuffer);
  const auto channel = EncodeValueBuffer(11);
  EXPECT_TRUE(loop->Control(h, 0x2202D8, channel, {}).ok);
  r = loop->Control(h, 0x2202D4, {}, std::span<uint8_t>(out, 4));
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.bytesReturned, 4u);
  EXPECT_EQ(out[0], 11);
  DriverVersions v{};
  ReadVersions(*io, v);
  EXPECT_EQ(v.driverVersion[3], 4);
  EXPECT_EQ(v.firmwareVersion[0], 5);
  io->CloseDevice(h);
}

TEST_F(SimDriverTest, FaultsAndRemoval) {
  int status = 0;
  driver->Control("fault status-1000 on", &status);
  EXPECT_EQ(Status().state, kStateNoDriver);
  driver->Control("fault clear", &status);
  driver->Control("fault code 0x2202A8", &status);
  EXPECT_EQ(Status().state, kStateNoDriver);
  driver->Control("fault clear", &status);
  driver->Control("fault control-stuck on", &status);
  EXPECT_EQ(ReadRegulatoryDomain(*io), 0x10u);
  EXPECT_EQ(ReadRadioState(*io), -1);
  driver->Control("fault clear", &status);
  EXPECT_EQ(ReadRadioState(*io), 1);
  driver->Control("fault open on", &status);
  EXPECT_EQ(Status().state, kStateNoDriver);
  driver->Control("fault open off", &status);
  driver->Control("remove", &status);
  EXPECT_EQ(Status().state, kStateNoDriver);
  AdapterConfig c{};
  ReadAdapterParameters(*io, c);
  EXPECT_EQ(c.scope, -1);
  driver->Control("insert", &status);
  ReadAdapterParameters(*io, c);
  EXPECT_EQ(c.scope, 0);
  EXPECT_EQ(loop->openHandles(), 0);
}

TEST_F(SimDriverTest, ControlCommandsReportBadInput) {
  const test::TempDir dir;
  std::string largest = kScenario;
  largest.resize(kMaxScenarioBytes, ' ');  // the largest scenario file read
  std::ofstream(dir.File("largest.json")) << largest;
  std::ofstream(dir.File("over.json")) << largest << ' ';
  struct Case {
    std::string command;
    int status;
  } cases[] = {{"step 100", 0},
               {"step x", 1},
               {"bogus", 1},
               {"network remove 1", 1},
               {"network signal 00:00:00:00:00:01 101", 1},
               {"network signal 00:00:00:00:00:01 0", 0},
               {"network add {}", 1},
               {"network add {\"ssid\":\"N\",\"bssid\":\"00:00:00:00:00:09\",\"signal\":5}", 0},
               {"fault code zz", 1},
               {"fault open maybe", 1},
               {"scenario /nonexistent", 1},
               {"scenario " + dir.File("over.json"), 1},
               {"scenario " + dir.File("largest.json"), 0},
               {"log --clear", 0}};
  for (const Case& c : cases) {
    int status = -1;
    const std::string reply = driver->Control(c.command, &status);
    EXPECT_EQ(status, c.status) << c.command << ": " << reply;
    EXPECT_FALSE(reply.empty());
  }
}

TEST_F(SimDriverTest, StartupSettingsComeFromTheRegistry) {
  Apply("Secret", 1, 0, "0102030405");
  Scenario scenario;
  std::string error;
  ASSERT_TRUE(ParseScenario(kScenario, &scenario, &error));
  SimDriver restarted(scenario, *registry, system, true);
  EXPECT_EQ(restarted.settings().ssid, "Secret");
  EXPECT_EQ(restarted.settings().wepStatus, 0u);
  EXPECT_EQ(restarted.settings().keys[0].length, 5u);
  EXPECT_EQ(restarted.settings().keys[0].material[4], 5);
}

// A reply joins a client's queue only when both bounds still hold with it counted.
TEST(SimServerLimits, QueuesCountTheReplyBeingQueued) {
  constexpr size_t kOne = sim::kMaxQueuedBytes, kAll = sim::kMaxQueuedBytesTotal;
  EXPECT_TRUE(sim::QueueTakes(kOne - 10, kAll - kOne, 10));
  EXPECT_FALSE(sim::QueueTakes(kOne - 10, 0, 11));
  EXPECT_TRUE(sim::QueueTakes(0, kAll - 10, 10));
  EXPECT_FALSE(sim::QueueTakes(0, kAll - 10, 11));
}

}  // namespace
}  // namespace nv::sim
