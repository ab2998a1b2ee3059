#include "logic/change_road.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "adapter/operations.h"
#include "store/adapter_params.h"

namespace nv {

namespace {

bool SameKey(const WepKeySlot& a, const WepKeySlot& b) {
  const int32_t length = std::min(a.length, 32);  // at most 32 key bytes are stored
  return std::min(b.length, 32) == length &&
         std::memcmp(a.material, b.material, static_cast<size_t>(std::max(length, 0))) == 0;
}

// A value write that failed (a registry held by another program, say) leaves the key found
// but the value old; reading back is the only way the road learns of it.
bool ReadsBackAsWritten(AdapterIo& io, const AdapterConfig& w, int32_t scope) {
  AdapterConfig r{};
  ReadAdapterParameters(io, r);
  if (r.scope == kScopeNoAdapter) return false;
  const bool link = r.bssType == w.bssType && r.channel == w.channel &&
                    r.powerMode == w.powerMode && r.shortPreamble == w.shortPreamble &&
                    r.txRate == w.txRate && r.txRate11M == w.txRate11M &&
                    std::strncmp(r.ssid, w.ssid, 32) == 0 &&
                    std::strncmp(r.bssidText, w.bssidText, 17) == 0;
  bool security = r.authMode == w.authMode && r.wepStatus == w.wepStatus &&
                  r.defaultKeyId == w.defaultKeyId;
  for (int i = 0; i < 4; ++i) security = security && SameKey(r.keys[i], w.keys[i]);
  return (scope == kScopeSecurity || link) && (scope == kScopeLink || security);
}

}  // namespace

ChangeOutcome ChangeAdapterSettings(AdapterIo& io, int32_t scope, const Overwrite& overwrite) {
  ChangeOutcome outcome;
  AdapterConfig config{};
  ReadAdapterParameters(io, config);
  if (config.scope == kScopeNoAdapter) return outcome;
  outcome.adapterFound = true;
  if (!overwrite(config)) return outcome;
  outcome.overwritten = true;
  config.scope = scope;
  ApplyReport report;
  ApplyConfig(io, config, &report);
  outcome.deviceOpened = report.deviceOpened;
  outcome.applied = report.deviceOpened && report.refused.empty();
  outcome.refused = std::move(report.refused);
  outcome.reached = report.accepted > 0;
  if (!outcome.reached) return outcome;
  config.scope = scope;
  WriteAdapterParameters(io, config);
  outcome.stored = config.scope != kScopeNoAdapter && ReadsBackAsWritten(io, config, scope);
  outcome.scanStarted = StartScan(io) == 1;
  return outcome;
}

}  // namespace nv
