// wlansim: the virtual adapter daemon, and `wlansim ctl` to steer a running one.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "logic/text_escape.h"
#include "platform/sqlite_registry.h"
#include "posix_ports.h"
#include "sim/driver.h"
#include "sim/server.h"
#include "unix_socket.h"

namespace nv::sim {
extern const char* const kDefaultScenarioJson;
}

namespace {

volatile std::sig_atomic_t gStop = 0;
int gWakeWrite = -1;

void OnSignal(int) {
  gStop = 1;
  const char byte = 1;
  [[maybe_unused]] ssize_t n = write(gWakeWrite, &byte, 1);
}

constexpr const char* kUsage =
    "usage: wlansim [--scenario FILE] [--virtual-clock]\n"
    "       wlansim ctl COMMAND...   (wlansim ctl help lists the commands)\n"
    "Serves the virtual Netvane adapter on $WLANMON_RUNTIME_DIR/NVWLNPCI until SIGTERM or\n"
    "SIGINT. The registry is $WLANMON_REGISTRY (else the user's data directory).\n";

int RunControl(int argc, char** argv) {
  std::string command;
  for (int i = 2; i < argc; ++i) {
    if (i > 2) command += ' ';
    command += argv[i];
  }
  std::string reply;
  const int status = nv::posix::SendControl(command, &reply);
  // Escaped line by line: whatever answers must not reach the terminal's controls.
  std::string shown;
  for (size_t start = 0; start < reply.size();) {
    const size_t end = std::min(reply.find('\n', start), reply.size());
    shown += nv::Printable(std::string_view(reply).substr(start, end - start)) + "\n";
    start = end + 1;
  }
  std::fputs(shown.c_str(), status == 0 ? stdout : stderr);
  return status == 0 ? 0 : 1;
}

// `notifyFd` (>= 0) receives one byte once the socket accepts connections.
int Serve(const std::string& scenarioPath, bool virtualClock, int notifyFd) {
  nv::sim::Scenario scenario;
  std::string error;
  const bool loaded = scenarioPath.empty()
                          ? nv::sim::ParseScenario(nv::sim::kDefaultScenarioJson, &scenario, &error)
                          : nv::sim::LoadScenarioFile(scenarioPath, &scenario, &error);
  if (!loaded) {
    std::fprintf(stderr, "wlansim: %s\n", error.c_str());
    return 1;
  }
  const std::string dir = nv::posix::RuntimeDir();
  if (!nv::posix::EnsurePrivateDir(dir, &error)) {
    std::fprintf(stderr, "wlansim: %s\n", error.c_str());
    return 1;
  }
  auto registry = nv::SqliteRegistry::OpenFile(nv::DefaultRegistryPath(), &error);
  if (!registry) {
    std::fprintf(stderr, "wlansim: %s\n", error.c_str());
    return 1;
  }
  nv::PosixSystem system;
  nv::sim::SimDriver driver(std::move(scenario), *registry, system, virtualClock);
  nv::sim::SimServer server(driver, nv::posix::SocketPath());
  if (!server.Listen(&error)) {
    std::fprintf(stderr, "wlansim: %s\n", error.c_str());
    return 1;
  }
  int wake[2];
  if (pipe2(wake, O_CLOEXEC) != 0) return 1;
  gWakeWrite = wake[1];
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  std::fprintf(stderr, "wlansim: serving %s (%s, %s clock)\n", nv::posix::SocketPath().c_str(),
               scenarioPath.empty() ? "default scenario" : scenarioPath.c_str(),
               virtualClock ? "virtual" : "real");
  if (notifyFd >= 0) {
    const char ready = 1;
    [[maybe_unused]] ssize_t n = write(notifyFd, &ready, 1);
    close(notifyFd);
  }
  server.Run(&gStop, wake[0]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "ctl") == 0) {
    if (argc == 2) {
      std::fputs(kUsage, stderr);
      return 2;
    }
    return RunControl(argc, argv);
  }
  std::string scenario;
  bool virtualClock = false;
  int notifyFd = -1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--scenario" && i + 1 < argc) {
      scenario = argv[++i];
    } else if (arg == "--notify-fd" && i + 1 < argc) {
      notifyFd = std::atoi(argv[++i]);
    } else if (arg == "--virtual-clock") {
      virtualClock = true;
    } else if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else {
      std::fprintf(stderr, "wlansim: unknown argument \"%s\"\n%s", arg.c_str(), kUsage);
      return 2;
    }
  }
  return Serve(scenario, virtualClock, notifyFd);
}
