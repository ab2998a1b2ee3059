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
  return {!outcome.lockRefused(), ChangeProblems(outcome, {})};
}

}  // namespace nv
