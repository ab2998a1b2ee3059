#include "logic/change_road.h"

#include "adapter/operations.h"
#include "logic/settings_lock.h"
#include "store/adapter_params.h"

namespace nv {

ChangeOutcome ChangeAdapterSettings(AdapterIo& io, int32_t scope, const Overwrite& overwrite) {
  ChangeOutcome outcome;
  const SettingsLock lock(io.system());
  if (!lock.held()) {
    outcome.lockTimedOut = true;
    return outcome;
  }
  AdapterConfig config{};
  ReadAdapterParameters(io, config);
  if (config.scope == kScopeNoAdapter) return outcome;
  outcome.adapterFound = true;
  if (!overwrite(config)) return outcome;
  outcome.overwritten = true;
  config.scope = scope;
  ApplyConfig(io, config);
  config.scope = scope;
  WriteAdapterParameters(io, config);
  outcome.stored = config.scope != kScopeNoAdapter;
  outcome.scanStarted = StartScan(io) == 1;
  return outcome;
}

}  // namespace nv
