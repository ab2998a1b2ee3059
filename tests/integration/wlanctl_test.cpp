// wlanctl's commands run in-process against a real wlansim.
#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>

#include "adapter_fixture.h"
#include "cli/wlanctl.h"
#include "logic/link_notice.h"
#include "logic/registry_transfer.h"
#include "platform/sqlite_registry.h"
#include "posix_ports.h"
#include "private_file.h"
#include "regedit.h"
#include "sim_daemon.h"
#include "socket_ports.h"
#include "store/adapter_params.h"
#include "temp_dir.h"
#include "wlanctl_fixture.h"

namespace nv {
namespace {

using nlohmann::json;

TEST_F(WlanctlTest, StatusFollowsTheLinkAsItAssociatesDegradesAndDisappears) {
  json s = RunJson({"status"});
  EXPECT_EQ(s["status"], "Scanning...");
  EXPECT_EQ(s["icon"], 136);
  EXPECT_EQ(s["tooltip"], "WLAN Monitor\nNo Connect");
  daemon.Ctl("step 2500");
  s = RunJson({"status"});
  EXPECT_EQ(s["state"], 3);
  EXPECT_EQ(s["ssid"], "Wireless");
  EXPECT_EQ(s["bssid"], "00-0A-F5-10-00-01");
  EXPECT_EQ(s["channel"], 6);
  EXPECT_EQ(s["rate"], "11");
  EXPECT_EQ(s["signal"], 86);
  EXPECT_EQ(s["icon"], 133);  // four green bars
  EXPECT_EQ(s["tooltip"], "WLAN Monitor\nLink Quality : Good\nSignal Strength : High");
  daemon.Ctl("network signal 00:0A:F5:10:00:01 40");
  s = RunJson({"status"});
  EXPECT_EQ(s["signal"], 40);
  EXPECT_EQ(s["quality"], 40);
  EXPECT_EQ(s["icon"], 158);  // two yellow bars
  EXPECT_EQ(s["tooltip"], "WLAN Monitor\nLink Quality : Poor\nSignal Strength : Low");
  daemon.Ctl("remove");
  s = RunJson({"status"}, 1);
  EXPECT_EQ(s["status"], "Driver not Load");
  EXPECT_EQ(s["icon"], 153);
  EXPECT_EQ(s["tooltip"], "WLAN Monitor\nNo Card Found");
  EXPECT_TRUE(s["quality"].is_null());
}

// Connecting (2) and disassociated (4) are read again once a second, as the tray's tick does:
// a short spell ends in the state that follows it, one that lasts gets the empty bars.
TEST_F(WlanctlTest, PassingStatesAreWatchedAsTheTrayDoes) {
  daemon.Ctl("step 1600");
  ASSERT_NE(daemon.Ctl("state").find("\"state\":2"), std::string::npos);
  json s = RunJson({"status"});
  EXPECT_EQ(s["state"], 3);
  EXPECT_EQ(s["icon"], 133);
  daemon.Ctl("network signal 00:0A:F5:10:00:01 0");  // disassociated for three seconds
  s = RunJson({"status"});
  EXPECT_EQ(s["state"], 1);
  EXPECT_EQ(s["icon"], 136);
  EXPECT_EQ(s["tooltip"], "WLAN Monitor\nNo Connect");
  // A wrong key: the adapter keeps connecting; the fourth read shows no connection.
  daemon.Ctl("network signal 00:0A:F5:10:00:01 80");
  in.str("9876543210\n");
  ASSERT_EQ(
      Run({"security", "set", "--wep", "on", "--size", "64", "--key1", "-", "--default-key", "1"}),
      0)
      << err.str();
  daemon.Ctl("step 3000");
  ASSERT_NE(daemon.Ctl("state").find("\"state\":2"), std::string::npos);
  daemon.Ctl("log --clear");
  s = RunJson({"status"});
  EXPECT_EQ(s["state"], 2);
  EXPECT_EQ(s["icon"], 136);
  EXPECT_EQ(s["tooltip"], "WLAN Monitor\nNo Connect");
  const std::vector<std::string> codes = Log();
  EXPECT_EQ(std::count(codes.begin(), codes.end(), "0x2202A8"), 4);  // four status reads
  ASSERT_EQ(Run({"status"}), 0);
  EXPECT_EQ(out.str().find("unchanged"), std::string::npos) << out.str();
}

// watch's waits are ticks: each moves the virtual clock a second and runs the test's next step;
// when the steps are spent, a Ctrl-C (SIGINT) asks watch to end.
class ScriptedSystem : public SteppingSystem {
 public:
  ScriptedSystem(test::SimDaemon& daemon, std::vector<std::function<void()>> steps)
      : SteppingSystem(daemon), steps_(std::move(steps)) {}
  void Sleep(uint32_t ms) override {
    SteppingSystem::Sleep(ms);
    if (next_ < steps_.size()) {
      steps_[next_++]();
    } else {
      std::raise(SIGINT);
    }
  }

 private:
  std::vector<std::function<void()>> steps_;
  size_t next_ = 0;
};

TEST_F(WlanctlTest, WatchPrintsALineForEachChangeTheTrayShows) {
  // Plain lines: status's rows, tab-separated; a SIGTERM ends it too.
  ScriptedSystem once(daemon, {[] { std::raise(SIGTERM); }});
  test::SocketPorts plain{daemon, &once};
  ASSERT_EQ(RunWith(*plain.io, {"watch"}), 0) << err.str();
  EXPECT_EQ(out.str(),
            "Status: Scanning...\tSSID: \tChannel: \tTx Rate: \tLink Quality: \t"
            "Signal Strength: \tTray icon: 136\tTooltip: WLAN Monitor | No Connect\n");
  const json atStart = RunJson({"status"});
  auto nothing = [] {};
  auto wrongKey = [&] {  // the link then hangs connecting
    std::ostringstream quiet;
    cli::Context context{*io, quiet, quiet};
    ASSERT_EQ(cli::Run({"security", "set", "--wep", "on", "--size", "64", "--key1", "9876543210",
                        "--default-key", "1"},
                       context),
              0)
        << quiet.str();
  };
  ScriptedSystem script(
      daemon, {nothing, nothing, [&] { daemon.Ctl("network signal 00:0A:F5:10:00:01 40"); },
               [&] { daemon.Ctl("remove"); }, nothing, [&] { daemon.Ctl("insert"); },
               [&] { daemon.Stop(); }, [&] { ASSERT_TRUE(daemon.Start()); }, wrongKey, nothing,
               nothing, nothing, nothing, nothing});
  test::SocketPorts scripted{daemon, &script};
  ASSERT_EQ(RunWith(*scripted.io, {"watch", "--json"}), 0) << err.str();
  std::istringstream lines(out.str());
  std::vector<json> seen;
  for (std::string line; std::getline(lines, line);) seen.push_back(json::parse(line));
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen[0], atStart);  // status --json's fields, one object a line
  std::string states;
  for (const json& j : seen) {
    states += std::to_string(j["state"].get<int>()) + "/" +
              (j["icon"].is_null() ? "-" : std::to_string(j["icon"].get<int>())) + " ";
  }
  // Scanning; connecting keeps the empty bars; associated; the signal drops; removed (one line
  // for two ticks); inserted; wlansim stopped; started again; a wrong key: connecting keeps the
  // icon for three ticks, then "No Connect".
  EXPECT_EQ(states, "1/136 2/136 3/133 3/158 -1/153 1/136 -1/153 1/136 2/136 2/136 ");
  EXPECT_EQ(seen[1]["tooltip"], "WLAN Monitor");
  EXPECT_EQ(seen[3]["quality"], 40);
  EXPECT_EQ(seen[4]["tooltip"], "WLAN Monitor\nNo Card Found");
  EXPECT_EQ(seen[8]["tooltip"], "WLAN Monitor");
  EXPECT_EQ(seen[9]["tooltip"], "WLAN Monitor\nNo Connect");
}

TEST_F(WlanctlTest, NotifyKeepsTheTraysSetting) {
  EXPECT_EQ(RunJson({"notify", "status"})["notify"], "off");
  ASSERT_EQ(Run({"notify", "on"}), 0) << err.str();
  EXPECT_EQ(out.str(), "Notify on connect on\n");
  EXPECT_TRUE(ReadNotifyOnConnect(*registry));
  EXPECT_EQ(RunJson({"notify", "status"})["notify"], "on");
  ASSERT_EQ(Run({"notify", "off"}), 0);
  EXPECT_FALSE(ReadNotifyOnConnect(*registry));
  EXPECT_EQ(Run({"notify"}), 2);
  EXPECT_EQ(Run({"notify", "maybe"}), 2);
}

TEST_F(WlanctlTest, KeygenAgreesWithThePublishedVectors) {
  json k = RunJson({"keygen", "--size", "64", "badpw"});
  EXPECT_EQ(k, json::parse(R"({"size":64,"keys":["02CB778981","C27236DFB1","C90C104FA2",)"
                           R"("A804571CC0"]})"));
  EXPECT_EQ(RunJson({"keygen", "--size", "128", "foobar"})["keys"][0],
            "49D68437B1FFB0DB3FDF2D4A93");
  EXPECT_EQ(Run({"keygen", "--size", "100", "x"}), 2);
  EXPECT_EQ(Run({"keygen", "--size", "64", std::string(32, 'p')}), 0);
  EXPECT_EQ(Run({"keygen", "--size", "64", std::string(33, 'p')}), 2);
}

TEST_F(WlanctlTest, ConfigSetTakesTheLinkRoad) {
  daemon.Ctl("log --clear");
  ASSERT_EQ(Run({"config", "set", "--channel", "6", "--rate", "5.5 PBCC"}), 0) << err.str();
  const std::vector<std::string> linkGroup = {"0x220234", "0x22026C", "0x220248",
                                              "0x22029C", "0x2202D8", "0x2202E0"};
  auto codes = Log();
  // The regulatory domain is read first, through register window A.
  codes.erase(
      std::remove_if(codes.begin(), codes.end(),
                     [](const std::string& c) { return c == "0x220390" || c == "0x220394"; }),
      codes.end());
  std::vector<std::string> expected = linkGroup;
  expected.push_back("0x2203A0");
  EXPECT_EQ(codes, expected);
  json c = RunJson({"config", "show"});
  EXPECT_EQ(c["channel"], 6);
  EXPECT_EQ(c["txRate"], "5.5 Mbps PBCC");
  EXPECT_EQ(Run({"config", "set", "--channel", "12"}), 2);  // domain 0x10 ends at 11
  EXPECT_EQ(Run({"config", "set", "--bss-type", "mesh"}), 2);
  EXPECT_EQ(Run({"config", "set"}), 2);
}

TEST_F(WlanctlTest, SecuritySetAndTheKeyCheckRefusal) {
  const std::string before = Dump();
  daemon.Ctl("log --clear");
  EXPECT_EQ(Run({"security", "set", "--wep", "on", "--key2", std::string(20, 'a'), "--size2", "128",
                 "--default-key", "1", "--key1", "0123456789"}),
            1);
  EXPECT_EQ(err.str(), "wlanctl: WEP key 2 size mistake!\n Need 26 characters\n");
  EXPECT_TRUE(Log().empty());
  EXPECT_EQ(Dump(), before);
  EXPECT_EQ(Run({"security", "set", "--wep", "on", "--key3", "0123456789"}), 1);
  EXPECT_EQ(err.str(), "wlanctl: WEP key 1 size mistake!\n Need 10 characters\n");

  ASSERT_EQ(Run({"security", "set", "--wep", "on", "--passphrase", "badpw", "--auth", "open"}), 0)
      << err.str();
  EXPECT_EQ(Log(), std::vector<std::string>({"0x2202B4", "0x2202C4", "0x2202AC", "0x2202AC",
                                             "0x2202AC", "0x2202AC", "0x2203A0"}));
  json s = RunJson({"security", "show"});
  EXPECT_EQ(s["wep"], true);
  EXPECT_EQ(s["authMode"], "Open Authentication");
  EXPECT_FALSE(s["keys"][0].contains("key"));  // never shown unasked
  s = RunJson({"security", "show", "--show-keys"});
  EXPECT_EQ(s["keys"][1]["key"], "C27236DFB1");
  EXPECT_EQ(Run({"security", "set", "--key1", "xyz"}), 2);
}

TEST_F(WlanctlTest, ProfilesAndTheirMarks) {
  EXPECT_EQ(Run({"profile", "add", "HomeWEP64", "--bss-type", "infrastructure", "--ssid",
                 "HomeWEP64", "--wep", "on", "--key1", "0123456789"}),
            0)
      << err.str();
  EXPECT_EQ(Run({"profile", "add", "Elsewhere", "--bss-type", "0"}), 0) << err.str();
  EXPECT_EQ(Run({"profile", "add", "Elsewhere"}), 1);  // exists
  EXPECT_EQ(Run({"profile", "add", "a\\b"}), 2);
  EXPECT_EQ(Run({"profile", "add", std::string(33, 'n')}), 2);
  daemon.Ctl("step 3000");
  json list = RunJson({"profile", "list"});
  ASSERT_EQ(list["profiles"].size(), 2u);
  EXPECT_EQ(list["profiles"][0]["name"], "HomeWEP64");
  EXPECT_EQ(list["profiles"][0]["status"], "in range");
  EXPECT_EQ(list["profiles"][1]["mark"], 7);
  ASSERT_EQ(Run({"profile", "activate", "HomeWEP64"}), 0) << err.str();
  daemon.Ctl("step 3000");
  EXPECT_EQ(RunJson({"status"})["ssid"], "HomeWEP64");
  EXPECT_EQ(RunJson({"profile", "list"})["profiles"][0]["status"], "current");
  EXPECT_EQ(RunJson({"profile", "show", "HomeWEP64"})["wep"], true);
  EXPECT_EQ(Run({"profile", "show", "Nope"}), 1);
  EXPECT_EQ(Run({"profile", "activate", "Nope"}), 1);
  EXPECT_EQ(Run({"profile", "remove", "Elsewhere"}), 0);
  EXPECT_EQ(Run({"profile", "remove", "Elsewhere"}), 1);
  EXPECT_EQ(RunJson({"profile", "list"})["profiles"].size(), 1u);
  EXPECT_EQ(Run({"profile", "add", std::string(32, 'n')}), 0) << err.str();  // the longest name
  EXPECT_EQ(Run({"profile", "remove", std::string(32, 'n')}), 0);
}

// Profiles of BSS type "Any" (the stored default) are marked like access points.
TEST_F(WlanctlTest, AnyTypeProfilesTakeTheAccessPointMarks) {
  ASSERT_EQ(Run({"profile", "add", "Wireless"}), 0) << err.str();
  ASSERT_EQ(Run({"profile", "add", "Far"}), 0) << err.str();
  daemon.Ctl("step 3000");
  ASSERT_EQ(RunJson({"status"})["ssid"], "Wireless");
  const json list = RunJson({"profile", "list"});
  ASSERT_EQ(list["profiles"].size(), 2u);
  EXPECT_EQ(list["profiles"][0]["name"], "Wireless");
  EXPECT_EQ(list["profiles"][0]["status"], "current");
  EXPECT_EQ(list["profiles"][0]["mark"], 5);
  EXPECT_EQ(list["profiles"][1]["status"], "not in range");
  EXPECT_EQ(list["profiles"][1]["mark"], 4);
}

TEST_F(WlanctlTest, ScanListsTheSurveyCurrentFirst) {
  daemon.Ctl("step 2500");
  json scan = RunJson({"scan"});
  EXPECT_EQ(scan["completed"], true);
  ASSERT_EQ(scan["networks"].size(), 4u);  // "" and "@" are not shown
  EXPECT_EQ(scan["networks"][0]["ssid"], "Wireless");
  EXPECT_EQ(scan["networks"][0]["current"], true);
  EXPECT_EQ(scan["networks"][3]["ap"], "No");
  daemon.Ctl("fault code 0x22039C");  // the scan never reports completion
  scan = RunJson({"scan"});
  EXPECT_EQ(scan["completed"], false);
}

// Every value the utility writes; the driver's own values are never written by an import.
TEST_F(WlanctlTest, ExportThenImportReproducesEveryValue) {
  ASSERT_EQ(
      Run({"profile", "add", "Office", "--wep", "on", "--size", "128", "--passphrase", "foobar"}),
      0)
      << err.str();
  ASSERT_EQ(Run({"security", "set", "--wep", "on", "--key1", "0a0b0c0d0e"}), 0) << err.str();
  test::TempDir dir;
  const std::string file = dir.File("settings.reg");
  ASSERT_EQ(Run({"registry", "export", file}), 0) << err.str();
  std::vector<RegKeyDump> expected;
  RegeditError bad;
  ASSERT_TRUE(cli::ParseRegeditFile(Dump(), &expected, &bad));
  ASSERT_EQ(DropDriverValues(&expected),
            3u);  // MatchingDeviceId, NetCfgInstanceId, DriverDesc
  const std::string original = cli::WriteRegedit4(expected);

  auto empty = SqliteRegistry::OpenMemory();
  AdapterIo other(Ports{ports.link, ports.probe, system, *empty});
  cli::Context context{other, out, err};
  ASSERT_EQ(cli::Run({"registry", "import", file}, context), 0) << err.str();
  std::vector<RegKeyDump> keys;
  DumpKeyTree(*empty, kHkeyLocalMachine, "System", &keys);
  DumpKeyTree(*empty, kHkeyCurrentUser, "Software", &keys);
  EXPECT_EQ(cli::WriteRegedit4(keys), original);
}

TEST_F(WlanctlTest, ABadImportLineChangesNothing) {
  test::TempDir dir;
  const std::string file = dir.File("bad.reg");
  const std::string before = Dump();
  struct Case {
    std::string text;
    std::string where;
  } cases[] = {
      {"REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\NVXPROFILE\\X]\n\"a\"=\"1\"\n\"b\"=dword:"
       "1234567890\n",
       ":5: "},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\NVXPROFILE\\X]\n\"a\"=\"1\"\n[HKEY_CURRENT_"
       "USER\\Software\\Other]\n",
       ":4: "},
      {"Windows Registry Editor\n", ":1: "},
      {"REGEDIT4\n\"a\"=\"1\"\n", ":2: "},
      {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\NVXPROFILE\\X]\n\"a\"=hex:0g\n", ":3: "},
  };
  for (const Case& c : cases) {
    std::string error;
    ASSERT_TRUE(cli::WritePrivateFile(file, c.text, &error));
    EXPECT_EQ(Run({"registry", "import", file}), 1) << c.text;
    EXPECT_NE(err.str().find(c.where), std::string::npos) << err.str();
    EXPECT_EQ(Dump(), before);
  }
}

TEST_F(WlanctlTest, UsageErrorsAndHelp) {
  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(Run({"bogus"}), 2);
  EXPECT_EQ(Run({"status", "extra"}), 2);
  EXPECT_EQ(Run({"status", "--bogus"}), 2);
  EXPECT_EQ(err.str().find('\n'), err.str().size() - 1);  // one line
  EXPECT_EQ(Run({"radio", "sideways"}), 2);
  EXPECT_EQ(Run({"watch", "extra"}), 2);
  for (const char* command : {"status", "watch", "scan", "config", "security", "keygen", "profile",
                              "radio", "notify", "versions", "registry"}) {
    EXPECT_EQ(Run({command, "--help"}), 0) << command;
    EXPECT_NE(out.str().find("usage: wlanctl"), std::string::npos) << command;
  }
  EXPECT_EQ(RunJson({"versions"})["utility"], "1.0.2.3");
  daemon.Ctl("remove");
  EXPECT_EQ(Run({"versions"}), 1);
  EXPECT_EQ(Run({"config", "show"}), 1);
  EXPECT_EQ(Run({"radio", "status"}), 1);
}

}  // namespace
}  // namespace nv
