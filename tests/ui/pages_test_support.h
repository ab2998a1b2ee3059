// A wlansim daemon with its registry, a clock the test sets, and helpers to read what the
// daemon was sent and what the registry holds, for the page tests.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QWidget>
#include <string>
#include <vector>

#include "logic/app_state.h"
#include "posix_ports.h"
#include "sim_daemon.h"
#include "socket_ports.h"
#include "store/adapter_params.h"

namespace nv::test {

// Milliseconds as the test sets them; waits return at once (register polls count, not time).
class SetClock : public PosixSystem {
 public:
  uint32_t TickCount() override { return tick; }
  void Sleep(uint32_t) override {}
  uint32_t tick = 1000;
};

class PageTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(daemon.running() && ports.io); }
  AdapterIo& io() { return *ports.io; }
  // The control codes the daemon received since the last clear, in order.
  std::vector<std::string> Sent() {
    std::vector<std::string> codes;
    const std::string log = daemon.Ctl("log");
    for (size_t at = log.find("\"code\":\""); at != std::string::npos;
         at = log.find("\"code\":\"", at + 1)) {
      codes.push_back(log.substr(at + 8, 8));
    }
    return codes;
  }
  int Count(const std::vector<std::string>& sent, const char* code) {
    int n = 0;
    for (const std::string& c : sent) n += c == code;
    return n;
  }
  void ClearLog() { daemon.Ctl("log --clear"); }
  AdapterConfig Stored() {
    AdapterConfig c{};
    ReadAdapterParameters(*ports.io, c);
    return c;
  }
  void Store(AdapterConfig c, int32_t scope) {
    c.scope = scope;
    WriteAdapterParameters(*ports.io, c);
  }
  // A user's choice in a list (the list reports it as activated).
  static void Choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
  }

  SimDaemon daemon;
  SetClock clock;
  SocketPorts ports{daemon, &clock};
  AppState state;
  QWidget frame;
};

// Codes of the set requests (link group, security group, scan).
inline constexpr const char* kSetSsid = "0x220234";
inline constexpr const char* kSetBssType = "0x22026C";
inline constexpr const char* kSetChannel = "0x2202D8";
inline constexpr const char* kSetWepStatus = "0x2202B4";
inline constexpr const char* kSetAuthMode = "0x2202C4";
inline constexpr const char* kSetWepKey = "0x2202AC";
inline constexpr const char* kSetScan = "0x2203A0";
inline constexpr const char* kQueryStatus = "0x2202A8";

}  // namespace nv::test
