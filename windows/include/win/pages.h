// The five pages of the configuration window, by index (logic/window_pages.h).
#pragma once

#include "win/config_dialog.h"

namespace nv::win {

ConfigDialog::PageFactory StandardPages();

}  // namespace nv::win
