#include "page_change.h"

#include "logic/page_io.h"

namespace nv {

void ApplyPageChange(AdapterIo& io, int32_t scope, const Overwrite& overwrite,
                     const WarningBox& warning, QWidget* window,
                     const std::function<void()>& taken) {
  const PageChange change = ChangeFromPage(io, scope, overwrite);
  if (change.taken) taken();
  ReportProblems(warning, window, change.problems);
}

}  // namespace nv
