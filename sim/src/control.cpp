// The control channel: commands for tests and demos, one line each.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>

#include "sim/driver.h"

namespace nv::sim {

namespace {

std::string Hex(std::span<const uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (uint8_t b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

bool ParseNumber(const std::string& text, uint64_t* value) {
  if (text.empty()) return false;
  char* end = nullptr;
  *value = std::strtoull(text.c_str(), &end, 0);
  return *end == '\0' && text[0] != '-';
}

bool OnOff(const std::string& word, bool* on) {
  if (word != "on" && word != "off") return false;
  *on = word == "on";
  return true;
}

constexpr const char* kHelp =
    "commands: step MS | remove | insert | state | log [--clear] | scenario FILE |\n"
    "  network add JSON | network remove BSSID | network signal BSSID PERCENT |\n"
    "  fault open on|off | fault code 0xCODE [ERROR|off] | fault control-stuck on|off |\n"
    "  fault status-1000 on|off | fault clear";

}  // namespace

std::string SimDriver::StateJson() {
  link_.Advance(NowMs(), scenario_, settings_);
  nlohmann::json keys = nlohmann::json::array();
  for (const auto& k : settings_.keys) {
    keys.push_back({{"length", k.length}, {"material", Hex({k.material.data(), k.length})}});
  }
  nlohmann::json j = {{"present", present_},
                      {"time", NowMs()},
                      {"state", link_.phase()},
                      {"radio", settings_.radioOn ? "on" : "off"},
                      {"ssid", settings_.ssid},
                      {"bssType", settings_.bssType},
                      {"channel", settings_.channel},
                      {"powerMode", settings_.powerMode},
                      {"rateCode", settings_.rateCode},
                      {"shortPreamble", settings_.shortPreamble},
                      {"authMode", settings_.authMode},
                      {"wepStatus", settings_.wepStatus},
                      {"defaultKeyId", settings_.defaultKey},
                      {"keys", keys},
                      {"networks", scenario_.networks.size()}};
  if (link_.target() >= 0) j["bssid"] = FormatBssid(scenario_.networks[link_.target()].bssid);
  if (link_.target() == kOwnCell) j["bssid"] = FormatBssid(OwnCellBssid(settings_.ssid));
  return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string SimDriver::Control(std::string_view line, int* status) {
  std::istringstream in{std::string(line)};
  std::string verb, what, arg;
  in >> verb >> what >> arg;
  *status = 0;
  const auto fail = [&](const std::string& message) {
    *status = 1;
    return message;
  };
  uint64_t number = 0;
  if (verb == "step") {
    if (!ParseNumber(what, &number)) return fail("step needs milliseconds");
    if (!Step(number)) return fail("the clock is real; start with --virtual-clock to step it");
    return "time " + std::to_string(NowMs());
  }
  if (verb == "remove" || verb == "insert") {
    verb == "remove" ? Remove() : Insert();
    return verb == "remove" ? "removed" : "inserted";
  }
  if (verb == "state") return StateJson();
  if (verb == "log") {
    if (what == "--clear") {
      log_.clear();
      logBytes_ = 0;
      return "log cleared";
    }
    std::string out;
    for (const LoggedRequest& r : log_) {
      char code[16];
      std::snprintf(code, sizeof code, "0x%06X", r.code);
      out += std::string("{\"code\":\"") + code + "\",\"in\":\"" + Hex(r.in) + "\"}\n";
    }
    return out;
  }
  if (verb == "scenario") {
    Scenario s;
    std::string error;
    if (!LoadScenarioFile(what, &s, &error)) return fail(error);
    LoadScenario(std::move(s));
    return "scenario loaded";
  }
  if (verb == "network") return ControlNetwork(what, arg, line, status);
  if (verb == "fault") return ControlFault(what, arg, in, status);
  if (verb == "help" || verb.empty()) return kHelp;
  return fail("unknown command \"" + verb + "\"\n" + kHelp);
}

std::string SimDriver::ControlNetwork(const std::string& what, const std::string& arg,
                                      std::string_view line, int* status) {
  const uint64_t now = NowMs();
  link_.Advance(now, scenario_, settings_);
  *status = 1;
  if (what == "add") {
    const size_t at = line.find("add");
    SimNetwork n;
    std::string error;
    if (!ParseNetwork(line.substr(at + 3), &n, &error)) return error;
    if (scenario_.networks.size() >= 64) return "at most 64 networks";
    // Its timeline starts now.
    for (auto* t : {&n.signal, &n.quality}) {
      for (auto& point : t->points) point.first += now;
    }
    scenario_.networks.push_back(std::move(n));
    *status = 0;
    return "network added";
  }
  std::array<uint8_t, 6> bssid{};
  if (!ParseBssid(arg, &bssid)) return "network " + what + " needs a BSSID like 00:11:22:33:44:55";
  const auto found = std::find_if(scenario_.networks.begin(), scenario_.networks.end(),
                                  [&](const SimNetwork& n) { return n.bssid == bssid; });
  if (found == scenario_.networks.end()) return "no network " + arg;
  const int index = static_cast<int>(found - scenario_.networks.begin());
  if (what == "remove") {
    scenario_.networks.erase(found);
    link_.NetworkRemoved(index, now);
    *status = 0;
    return "network removed";
  }
  if (what == "signal") {
    std::istringstream rest{std::string(line)};
    std::string skip, percent;
    rest >> skip >> skip >> skip >> percent;
    uint64_t value = 0;
    if (!ParseNumber(percent, &value) || value > 100) return "signal needs a percent 0..100";
    found->signal.points = {{now, static_cast<int>(value)}};
    found->quality.points.clear();
    link_.Advance(now, scenario_, settings_);
    *status = 0;
    return "signal set";
  }
  return "network commands: add, remove, signal";
}

std::string SimDriver::ControlFault(const std::string& what, const std::string& arg,
                                    std::istringstream& rest, int* status) {
  *status = 1;
  bool on = false;
  if (what == "clear") {
    faults_ = Faults{};
    for (auto& [reg, polls] : pendingPolls_) polls = 0;
  } else if (what == "open" && OnOff(arg, &on)) {
    faults_.openFails = on;
  } else if (what == "control-stuck" && OnOff(arg, &on)) {
    faults_.controlStuck = on;
    if (!on) {
      for (auto& [reg, polls] : pendingPolls_) polls = 0;
    }
  } else if (what == "status-1000" && OnOff(arg, &on)) {
    faults_.status1000 = on;
  } else if (what == "code") {
    uint64_t code = 0;
    if (!ParseNumber(arg, &code) || code > 0xFFFFFFFF)
      return "fault code needs a code like 0x2202A8";
    std::string error;
    rest >> error;
    uint64_t value = 31;
    if (error == "off") {
      faults_.failingCodes.erase(static_cast<uint32_t>(code));
    } else if (!error.empty() && !ParseNumber(error, &value)) {
      return "fault code: the error must be a number or off";
    } else {
      faults_.failingCodes[static_cast<uint32_t>(code)] = static_cast<int32_t>(value);
    }
  } else {
    return "fault commands: open on|off, code 0xCODE [ERROR|off], control-stuck on|off, "
           "status-1000 on|off, clear";
  }
  *status = 0;
  return "fault " + what + (arg.empty() ? "" : " " + arg);
}

}  // namespace nv::sim
