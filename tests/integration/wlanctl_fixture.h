// wlanctl's commands run in-process against a real wlansim: the fixture the tests share.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/wlanctl.h"
#include "platform/sqlite_registry.h"
#include "posix_ports.h"
#include "regedit.h"
#include "sim_daemon.h"
#include "socket_ports.h"
#include "unix_socket.h"

namespace nv {

using nlohmann::json;

// Waiting a second moves the virtual clock a second.
class SteppingSystem : public PosixSystem {
 public:
  explicit SteppingSystem(test::SimDaemon& daemon) : daemon_(daemon) {}
  void Sleep(uint32_t ms) override { daemon_.Ctl("step " + std::to_string(ms)); }

 private:
  test::SimDaemon& daemon_;
};

class WlanctlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(daemon.running());
    ASSERT_TRUE(ports.io);
  }
  int Run(std::vector<std::string> args) { return RunWith(*io, args); }
  int RunWith(AdapterIo& adapterIo, const std::vector<std::string>& args) {
    out.str("");
    err.str("");
    cli::Context context{adapterIo, out, err};
    context.in = &in;
    context.askSecret = ask;
    context.linkRefusal = [] { return posix::LastRefusal(); };
    context.registryBusy = [] { return SqliteRegistry::BusyGiveUps() > 0; };
    return cli::Run(args, context);
  }
  json RunJson(std::vector<std::string> args, int expected = 0) {
    args.push_back("--json");
    EXPECT_EQ(Run(args), expected) << err.str();
    return json::parse(out.str(), nullptr, false);
  }
  std::vector<std::string> Log() {
    std::istringstream log(daemon.Ctl("log"));
    std::vector<std::string> codes;
    for (std::string line; std::getline(log, line);) codes.push_back(json::parse(line)["code"]);
    return codes;
  }
  std::string Dump() {
    std::vector<RegKeyDump> keys;
    DumpKeyTree(*registry, kHkeyLocalMachine, "System", &keys);
    DumpKeyTree(*registry, kHkeyCurrentUser, "Software", &keys);
    return cli::WriteRegedit4(keys);
  }

  test::SimDaemon daemon;
  SteppingSystem system{daemon};
  test::SocketPorts ports{daemon, &system};
  AdapterIo* io = ports.io.get();
  SqliteRegistry* registry = ports.registry.get();
  std::ostringstream out, err;
  std::istringstream in;
  std::function<bool(const std::string&, std::string*)> ask;
};

}  // namespace nv
