// The pages the configuration window shows, made for one opening. Pages read the tray tick's
// snapshot in `state` and reach the adapter and the registry through `io`.
#pragma once

#include "adapter/adapter_io.h"
#include "logic/app_state.h"
#include "ui/config_dialog.h"

namespace nv {

ConfigDialog::PageFactory StandardPages(AdapterIo& io, AppState& state);

}  // namespace nv
