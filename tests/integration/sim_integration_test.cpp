// The core's own operations against a real wlansim over its socket.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>

#include "adapter/operations.h"
#include "platform/sqlite_registry.h"
#include "posix_ports.h"
#include "sim_daemon.h"
#include "socket_ports.h"
#include "store/adapter_params.h"

namespace nv {
namespace {

class SimIntegration : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(daemon.running());
    ASSERT_TRUE(ports.io);
  }
  void Step(int ms) {
    int status = 1;
    daemon.Ctl("step " + std::to_string(ms), &status);
    ASSERT_EQ(status, 0);
  }
  LinkStatus Status() {
    LinkStatus s{};
    ReadLinkStatus(*io, s);
    return s;
  }
  std::vector<std::string> LogLines() {
    std::istringstream in(daemon.Ctl("log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  test::SimDaemon daemon;
  test::SocketPorts ports{daemon};
  AdapterIo* io = ports.io.get();
  SqliteRegistry* registry = ports.registry.get();
};

TEST_F(SimIntegration, DefaultScenarioSurveyAndFirstStartAssociation) {
  EXPECT_EQ(StartScan(*io), kAccessOk);
  EXPECT_EQ(IsScanDone(*io), kAccessFailed);
  Step(1500);
  EXPECT_EQ(IsScanDone(*io), kAccessOk);
  BssList list{};
  ReadBssList(*io, list);
  ASSERT_EQ(list.count, 6);
  std::vector<std::string> ssids;
  for (int i = 0; i < list.count; ++i) ssids.emplace_back(list.entries[i].ssid);
  EXPECT_EQ(ssids,
            std::vector<std::string>({"Wireless", "HomeWEP64", "Office128", "LanParty", "", "@"}));
  Step(1000);
  const LinkStatus s = Status();  // the default SSID "Wireless" is in range
  EXPECT_EQ(s.state, kStateAssociated);
  EXPECT_STREQ(s.ssid, "Wireless");
  EXPECT_EQ(s.bssid[5], 1);
}

TEST_F(SimIntegration, AppliedRequestsAreLoggedInOrderWithTheirBytes) {
  AdapterConfig c{};
  ReadAdapterParameters(*io, c);
  ASSERT_EQ(c.scope, 0);
  daemon.Ctl("log --clear");
  c.scope = 1;
  ApplyConfig(*io, c);
  const auto lines = LogLines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "{\"code\":\"0x220234\",\"in\":\"08000000576972656c657373" +
                          std::string(48, '0') + "\"}");
  EXPECT_EQ(lines[1], "{\"code\":\"0x22026C\",\"in\":\"02000000\"}");
  EXPECT_EQ(lines[3], "{\"code\":\"0x22029C\",\"in\":\"6e00000000000000\"}");
  daemon.Ctl("log --clear");
  c.scope = 2;
  c.wepStatus = 0;
  ApplyConfig(*io, c);
  EXPECT_EQ(LogLines().size(), 6u);  // WEP status, auth mode, four keys
  daemon.Ctl("log --clear");
  LinkStatus s{};
  ReadLinkStatus(*io, s);
  EXPECT_EQ(LogLines(), std::vector<std::string>({"{\"code\":\"0x2202A8\",\"in\":\"\"}"}));
}

TEST_F(SimIntegration, WrongKeyThenRightKeyThenTheNetworkFades) {
  AdapterConfig c{};
  ReadAdapterParameters(*io, c);
  c.scope = 0;
  std::strcpy(c.ssid, "HomeWEP64");
  c.bssType = 1;
  c.wepStatus = 0;
  c.keys[0].length = 5;
  std::memcpy(c.keys[0].material, "\x01\x23\x45\x67\x88", 5);
  ApplyConfig(*io, c);
  Step(5000);
  EXPECT_EQ(Status().state, kStateConnecting);
  c.keys[0].material[4] = 0x89;
  c.scope = 2;
  ApplyConfig(*io, c);
  Step(2500);
  EXPECT_EQ(Status().state, kStateAssociated);
  daemon.Ctl("network signal 00:0A:F5:10:00:02 0");
  EXPECT_EQ(Status().state, kStateDisassociated);
}

TEST_F(SimIntegration, RemovalAndInsertion) {
  daemon.Ctl("remove");
  EXPECT_EQ(Status().state, kStateNoDriver);
  AdapterConfig c{};
  ReadAdapterParameters(*io, c);
  EXPECT_EQ(c.scope, -1);  // the probe no longer finds it
  EXPECT_EQ(ReadRegulatoryDomain(*io), 0x10u);
  EXPECT_EQ(ReadRadioState(*io), -1);
  daemon.Ctl("insert");
  c = AdapterConfig{};
  ReadAdapterParameters(*io, c);
  EXPECT_EQ(c.scope, 0);
  EXPECT_NE(Status().state, kStateNoDriver);
}

TEST_F(SimIntegration, EveryFault) {
  struct Case {
    const char* fault;
    const char* check;
  } cases[] = {{"fault open on", "status"},
               {"fault code 0x2202A8", "status"},
               {"fault status-1000 on", "status"},
               {"fault control-stuck on", "registers"}};
  for (const Case& c : cases) {
    int status = 1;
    daemon.Ctl(c.fault, &status);
    ASSERT_EQ(status, 0) << c.fault;
    if (std::string(c.check) == "status") {
      EXPECT_EQ(Status().state, kStateNoDriver) << c.fault;
    } else {
      EXPECT_EQ(ReadRegulatoryDomain(*io), 0x10u);
      EXPECT_EQ(ReadRadioState(*io), -1);
    }
    daemon.Ctl("fault clear");
    EXPECT_NE(Status().state, kStateNoDriver) << c.fault;
    EXPECT_EQ(ReadRadioState(*io), 1) << c.fault;
  }
}

TEST_F(SimIntegration, RadioSwitch) {
  SetRadio(*io, false);
  EXPECT_EQ(ReadRadioState(*io), 0);
  Step(2000);
  BssList list{};
  ReadBssList(*io, list);
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(Status().state, kStateNotConnected);
  SetRadio(*io, true);
  EXPECT_EQ(ReadRadioState(*io), 1);
  Step(2500);
  EXPECT_EQ(Status().state, kStateAssociated);
}

TEST_F(SimIntegration, SettingsSurviveARestart) {
  AdapterConfig c{};
  ReadAdapterParameters(*io, c);
  std::strcpy(c.ssid, "Office128");
  c.scope = 1;
  WriteAdapterParameters(*io, c);
  EXPECT_EQ(daemon.Stop(), 0);
  ASSERT_TRUE(daemon.Start());
  EXPECT_NE(daemon.Ctl("state").find("\"ssid\":\"Office128\""), std::string::npos);
}

TEST_F(SimIntegration, SecondDaemonRefusesAndStopRemovesTheSocket) {
  const std::string socket = daemon.socketPath();
  const int rc = std::system((std::string(WLANSIM_PATH) + " 2>/dev/null").c_str());
  EXPECT_NE(rc, 0);
  EXPECT_EQ(Status().state == kStateNoDriver, false);  // the first one still serves
  EXPECT_EQ(daemon.Stop(), 0);
  EXPECT_NE(access(socket.c_str(), F_OK), 0);
  EXPECT_EQ(Status().state, kStateNoDriver);
}

}  // namespace
}  // namespace nv
