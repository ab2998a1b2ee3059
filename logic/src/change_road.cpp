#include "logic/change_road.h"

#include <utility>

#include "adapter/operations.h"
#include "logic/settings_lock.h"
#include "store/adapter_params.h"

namespace nv {

ChangeOutcome ChangeAdapterSettings(AdapterIo& io, int32_t scope, const Overwrite& overwrite,
                                    uint32_t lockWaitMs) {
  ChangeOutcome outcome;
  const SettingsLock lock(io.system(), lockWaitMs);
  if (!lock.held()) {  // never unlocked: a lock that cannot be had refuses the change
    outcome.lockTimedOut = lock.timedOut();
    outcome.lockFailed = !lock.timedOut();
    return outcome;
  }
  AdapterConfig config{};
  ReadAdapterParameters(io, config);
  if (config.scope == kScopeNoAdapter) return outcome;
  outcome.adapterFound = true;
  const AdapterConfig stored = config;
  if (!overwrite(config)) return outcome;
  outcome.overwritten = true;
  config.scope = scope;
  ApplyReport report;
  ApplyConfig(io, config, &report);
  KeepStoredForRefused(stored, report, config);  // store only what the driver took
  outcome.deviceOpened = report.deviceOpened;
  outcome.applied = report.deviceOpened && report.refused.empty();
  outcome.refused = std::move(report.refused);
  outcome.reached = report.accepted > 0;
  if (!outcome.reached) return outcome;
  config.scope = scope;
  WriteAdapterParameters(io, config);
  // A batch that did not land leaves scope at -1, so a failed value write is seen here.
  outcome.stored = config.scope != kScopeNoAdapter;
  outcome.scanStarted = StartScan(io) == kAccessOk;
  return outcome;
}

}  // namespace nv
