#include "page_change.h"

#include "logic/change_message.h"
#include "logic/settings_lock.h"

namespace nv {

void ApplyPageChange(AdapterIo& io, int32_t scope, const Overwrite& overwrite,
                     const WarningBox& warning, QWidget* window,
                     const std::function<void()>& taken) {
  const ChangeOutcome outcome = ChangeAdapterSettings(io, scope, overwrite, kWindowLockWaitMs);
  if (!outcome.lockRefused()) taken();
  ReportProblems(warning, window, ChangeProblems(outcome, {}));
}

}  // namespace nv
