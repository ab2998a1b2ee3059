// The virtual adapter's driver: honours the control codes, sizes and buffer layouts of the
// real one, keeps the settings the utility sends, and plays a radio environment.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "link_protocol.h"
#include "platform/registry.h"
#include "platform/system_port.h"
#include "sim/link_machine.h"
#include "sim/scenario.h"

namespace nv::sim {

struct LoggedRequest {
  uint32_t code;
  std::vector<uint8_t> in;
};

// The request log keeps the newest requests up to this many bytes of input (each request
// counts its input and kLogEntryBytes).
inline constexpr size_t kMaxLogBytes = 1u << 20;
inline constexpr size_t kLogEntryBytes = 64;

struct Faults {
  bool openFails = false;
  bool controlStuck = false;
  bool status1000 = false;
  std::map<uint32_t, int32_t> failingCodes;  // code -> Win32 error
};

class SimDriver {
 public:
  // `virtualClock`: time moves only by Step(); otherwise it follows the system's tick count.
  SimDriver(Scenario scenario, Registry& registry, SystemPort& system, bool virtualClock);

  bool Open();
  wire::IoctlReply Ioctl(uint32_t code, std::span<const uint8_t> in, uint32_t outCapacity);
  bool Probe(std::string_view adapterName);
  // What Open and Probe answer now, for publication beside the socket.
  wire::Presence PresenceNow() const;
  // One line of the control channel; *status 0 when it worked.
  std::string Control(std::string_view command, int* status);

  // Adapter presence in the "system": remove makes the link and the probe fail.
  void Remove() { present_ = false; }
  void Insert();
  bool Step(uint64_t ms);
  uint64_t NowMs();
  bool virtualClock() const { return virtualClock_; }
  const DriverSettings& settings() const { return settings_; }
  void LoadScenario(Scenario scenario);
  std::string StateJson();

 private:
  void RegisterAdapter();
  wire::IoctlReply Set(uint32_t code, std::span<const uint8_t> in);
  wire::IoctlReply Query(uint32_t code, uint32_t capacity);
  wire::IoctlReply RegisterAccess(std::span<const uint8_t> in, bool write);
  uint32_t ReadChipRegister(uint32_t offset);
  void WriteChipRegister(uint32_t offset, uint32_t value);
  std::vector<uint8_t> StatusBlock();
  std::vector<uint8_t> BssList(uint32_t capacity);
  std::string InstancePath();
  std::string ControlNetwork(const std::string& what, const std::string& arg, std::string_view line,
                             int* status);
  std::string ControlFault(const std::string& what, const std::string& arg,
                           std::istringstream& rest, int* status);

  Scenario scenario_;
  Registry& registry_;
  SystemPort& system_;
  bool virtualClock_;
  uint64_t virtualNow_ = 0;
  uint32_t startTick_ = 0;
  bool present_ = true;
  DriverSettings settings_;
  LinkMachine link_;
  Faults faults_;
  std::map<uint32_t, uint32_t> registers_;
  std::map<uint32_t, uint32_t> pendingPolls_;
  uint64_t scanDoneAt_ = 0;
  void LogRequest(uint32_t code, std::span<const uint8_t> in);
  std::deque<LoggedRequest> log_;  // the newest requests, kMaxLogBytes at most
  size_t logBytes_ = 0;
};

}  // namespace nv::sim
