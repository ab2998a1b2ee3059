#include "win/pages.h"

namespace nv::win {

// Pages not yet written show their layout on white.
ConfigDialog::PageFactory StandardPages() {
  return [](int, PageContext&) -> std::unique_ptr<Page> { return nullptr; };
}

}  // namespace nv::win
