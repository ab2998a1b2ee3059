#include "page_change.h"

#include <QWidget>

#include "byte_text.h"
#include "logic/options.h"

namespace nv {

void TellPageChange(const PageChange& change, const WarningBox& warning, QWidget* page,
                    const std::function<void()>& taken) {
  if (!change.warning.empty()) {
    const WarningBox copy = warning;  // the window (and the page) may end while the box is up
    return copy(page, ShownText(kKeyWarningCaption), ShownText(change.warning));
  }
  QWidget* window = page->window();  // the window the page was in when Apply ran
  if (change.taken) taken();
  ReportProblems(warning, window, change.problems);
}

}  // namespace nv
