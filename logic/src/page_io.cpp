#include "logic/page_io.h"

#include "adapter/operations.h"
#include "logic/change_message.h"
#include "logic/settings_lock.h"
#include "store/adapter_params.h"

namespace nv {

LinkSettingsView ReadLinkSettings(AdapterIo& io) {
  AdapterConfig stored{};
  ReadAdapterParameters(io, stored);  // its result is not tested: no adapter shows zeros
  return ShowLinkSettings(stored, ReadRegulatoryDomain(io));
}

PageChange ChangeFromPage(AdapterIo& io, int32_t scope, const Overwrite& overwrite) {
  const ChangeOutcome outcome = ChangeAdapterSettings(io, scope, overwrite, kWindowLockWaitMs);
  return {!outcome.lockRefused(), ChangeProblems(outcome, {}), {}};
}

PageChange ChangeLinkSettings(AdapterIo& io, const LinkSettingsInput& input) {
  return ChangeFromPage(io, kScopeLink, [&input](AdapterConfig& config) {
    OverwriteLinkSettings(input, config);
    return true;
  });
}

PageChange ChangeSecuritySettings(AdapterIo& io, AppState& state, const SecurityInput& input) {
  const KeyCheck check = CheckSecurityInput(input);
  if (!check.ok) return {false, {}, check.message};
  PageChange change = ChangeFromPage(io, kScopeSecurity, [&input](AdapterConfig& config) {
    OverwriteSecurity(input, config);
    return true;
  });
  if (change.taken) state.connectingTicks = 0;
  return change;
}

}  // namespace nv
