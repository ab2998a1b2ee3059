#include "sim/scenario.h"

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "bounded_file.h"

namespace nv::sim {

using nlohmann::json;

int Timeline::At(uint64_t ms) const {
  if (points.empty()) return 0;
  if (ms <= points.front().first) return points.front().second;
  for (size_t i = 1; i < points.size(); ++i) {
    const auto& [t1, v1] = points[i];
    if (ms > t1) continue;
    const auto& [t0, v0] = points[i - 1];
    if (t1 == t0) return v1;
    const double f = static_cast<double>(ms - t0) / static_cast<double>(t1 - t0);
    return static_cast<int>(std::lround(v0 + (v1 - v0) * f));
  }
  return points.back().second;
}

bool ParseBssid(std::string_view text, std::array<uint8_t, 6>* bssid) {
  if (text.size() != 17) return false;
  for (size_t i = 0; i < 6; ++i) {
    if (i > 0 && text[3 * i - 1] != ':' && text[3 * i - 1] != '-') return false;
    unsigned v = 0;
    for (size_t k = 0; k < 2; ++k) {
      const char c = text[3 * i + k];
      const int d = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
      if (d < 0) return false;
      v = v * 16 + static_cast<unsigned>(d);
    }
    (*bssid)[i] = static_cast<uint8_t>(v);
  }
  return true;
}

std::string FormatBssid(const std::array<uint8_t, 6>& b) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", b[0], b[1], b[2], b[3], b[4],
                b[5]);
  return text;
}

namespace {

// Reads fields without exceptions; the first problem is kept with the field's name.
class Fields {
 public:
  Fields(const json& object, std::string context, std::string* error)
      : o_(object), context_(std::move(context)), error_(error) {}
  bool Ok() const { return ok_; }
  void Fail(const std::string& what) {
    if (ok_ && error_) *error_ = context_ + ": " + what;
    ok_ = false;
  }
  template <typename T>
  void Number(const char* key, T* out, long long lo, long long hi) {
    if (!o_.contains(key)) return;
    const json& v = o_[key];
    if (!v.is_number_integer() || v.get<long long>() < lo || v.get<long long>() > hi) {
      return Fail(std::string(key) + " must be a whole number from " + std::to_string(lo) + " to " +
                  std::to_string(hi));
    }
    *out = static_cast<T>(v.get<long long>());
  }
  void Text(const char* key, std::string* out, size_t maxChars) {
    if (!o_.contains(key)) return;
    if (!o_[key].is_string() || o_[key].get<std::string>().size() > maxChars) {
      return Fail(std::string(key) + " must be a text of at most " + std::to_string(maxChars) +
                  " characters");
    }
    *out = o_[key].get<std::string>();
  }
  void Flag(const char* key, bool* out) {
    if (!o_.contains(key)) return;
    if (!o_[key].is_boolean()) return Fail(std::string(key) + " must be true or false");
    *out = o_[key].get<bool>();
  }
  void Version(const char* key, std::array<uint8_t, 4>* out) {
    std::string text;
    Text(key, &text, 15);
    if (text.empty()) return;
    unsigned a, b, c, d;
    char tail;
    if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail) != 4 || a > 255 ||
        b > 255 || c > 255 || d > 255) {
      return Fail(std::string(key) + " must look like 1.2.3.4");
    }
    *out = {static_cast<uint8_t>(a), static_cast<uint8_t>(b), static_cast<uint8_t>(c),
            static_cast<uint8_t>(d)};
  }
  void Line(const char* key, Timeline* out) {
    if (!o_.contains(key)) return;
    const json& v = o_[key];
    if (v.is_number_integer()) {
      out->points = {{0, static_cast<int>(v.get<long long>())}};
    } else if (v.is_array()) {
      out->points.clear();
      for (const json& p : v) {
        if (!p.is_array() || p.size() != 2 || !p[0].is_number_unsigned() ||
            !p[1].is_number_integer()) {
          return Fail(std::string(key) + " points are [milliseconds, percent]");
        }
        if (!out->points.empty() && p[0].get<uint64_t>() < out->points.back().first) {
          return Fail(std::string(key) + " points must be in time order");
        }
        out->points.emplace_back(p[0].get<uint64_t>(), p[1].get<int>());
      }
    } else {
      return Fail(std::string(key) + " must be a percent or a list of [ms, percent]");
    }
    for (const auto& [t, value] : out->points) {
      if (value < 0 || value > 100) return Fail(std::string(key) + " percent must be 0..100");
    }
  }
  const json& o_;

 private:
  std::string context_;
  std::string* error_;
  bool ok_ = true;
};

bool ReadNetwork(const json& j, SimNetwork* n, const std::string& context, std::string* error) {
  if (!j.is_object()) {
    *error = context + ": must be an object";
    return false;
  }
  Fields f(j, context, error);
  f.Text("ssid", &n->ssid, 32);
  std::string bssid, mode, key, auth = "open";
  f.Text("bssid", &bssid, 17);
  if (f.Ok() && !ParseBssid(bssid, &n->bssid)) f.Fail("bssid must look like 00:11:22:33:44:55");
  f.Number("channel", &n->channel, 1, 14);
  f.Text("mode", &mode, 20);
  if (f.Ok() && !mode.empty() && mode != "infrastructure" && mode != "adhoc") {
    f.Fail("mode must be \"infrastructure\" or \"adhoc\"");
  }
  n->adhoc = mode == "adhoc";
  f.Flag("privacy", &n->privacy);
  f.Text("wepKey", &key, 64);
  f.Text("auth", &auth, 10);
  if (f.Ok() && auth != "open" && auth != "shared") f.Fail("auth must be \"open\" or \"shared\"");
  n->sharedAuth = auth == "shared";
  if (f.Ok() && key.size() % 2 != 0) f.Fail("wepKey must be hex pairs");
  for (size_t i = 0; f.Ok() && i + 1 < key.size(); i += 2) {
    unsigned v = 0;
    if (std::sscanf(key.substr(i, 2).c_str(), "%2x", &v) != 1) f.Fail("wepKey must be hex");
    n->wepKey.push_back(static_cast<uint8_t>(v));
  }
  if (f.Ok() && n->privacy && n->wepKey.empty()) f.Fail("a private network needs a wepKey");
  f.Line("signal", &n->signal);
  f.Line("quality", &n->quality);
  f.Number("rxBytesPerSec", &n->rxBytesPerSec, 0, 100000000);
  f.Number("txBytesPerSec", &n->txBytesPerSec, 0, 100000000);
  return f.Ok();
}

bool ReadScenario(const json& j, Scenario* s, std::string* error) {
  if (!j.is_object()) {
    *error = "a scenario is a JSON object";
    return false;
  }
  if (j.contains("adapter")) {
    Fields a(j["adapter"], "adapter", error);
    a.Number("hardwareId", &s->adapter.hardwareId, 1, 2);
    a.Text("instance", &s->adapter.instance, 4);
    if (a.Ok() && s->adapter.instance.size() != 4) a.Fail("instance must have four characters");
    a.Text("netCfgInstanceId", &s->adapter.netCfgInstanceId, 100);
    a.Text("description", &s->adapter.description, 200);
    a.Number("regulatoryDomain", &s->adapter.regulatoryDomain, 0, 255);
    a.Version("driverVersion", &s->adapter.driverVersion);
    a.Version("firmwareVersion", &s->adapter.firmwareVersion);
    if (!a.Ok()) return false;
  }
  if (j.contains("timings")) {
    Fields t(j["timings"], "timings", error);
    t.Number("scanMs", &s->timings.scanMs, 0, 600000);
    t.Number("connectMs", &s->timings.connectMs, 0, 600000);
    t.Number("disassociatedMs", &s->timings.disassociatedMs, 0, 600000);
    t.Number("rescanMs", &s->timings.rescanMs, 1, 600000);
    t.Number("controlPolls", &s->timings.controlPolls, 0, 1000);
    if (!t.Ok()) return false;
  }
  if (j.contains("networks")) {
    if (!j["networks"].is_array() || j["networks"].size() > 64) {
      *error = "networks must be a list of at most 64";
      return false;
    }
    for (size_t i = 0; i < j["networks"].size(); ++i) {
      SimNetwork n;
      if (!ReadNetwork(j["networks"][i], &n, "networks[" + std::to_string(i) + "]", error)) {
        return false;
      }
      s->networks.push_back(std::move(n));
    }
  }
  return true;
}

}  // namespace

bool ParseScenario(std::string_view text, Scenario* scenario, std::string* error) {
  const json j = json::parse(text, nullptr, false);
  if (j.is_discarded()) {
    *error = "not valid JSON";
    return false;
  }
  Scenario s;
  if (!ReadScenario(j, &s, error)) return false;
  *scenario = std::move(s);
  return true;
}

bool ParseNetwork(std::string_view text, SimNetwork* network, std::string* error) {
  const json j = json::parse(text, nullptr, false);
  if (j.is_discarded()) {
    *error = "not valid JSON";
    return false;
  }
  SimNetwork n;
  if (!ReadNetwork(j, &n, "network", error)) return false;
  *network = std::move(n);
  return true;
}

bool LoadScenarioFile(const std::string& path, Scenario* scenario, std::string* error) {
  std::string text, problem;
  if (!ReadBoundedRegularFile(path, kMaxScenarioBytes, &text, &problem)) {
    *error = "cannot read scenario " + path + ": " + problem + " (a regular file of at most " +
             SizeLimitText(kMaxScenarioBytes) + ")";
    return false;
  }
  if (!ParseScenario(text, scenario, error)) {
    *error = path + ": " + *error;
    return false;
  }
  return true;
}

}  // namespace nv::sim
