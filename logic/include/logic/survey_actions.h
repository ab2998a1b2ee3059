// The survey lists read again without the window: the tray does it when the link enters or
// leaves the associated state, so that the tick's connectedBssIndex stays current.
#pragma once

#include "adapter/adapter_io.h"
#include "logic/app_state.h"

namespace nv {

void RefreshSurveyState(AdapterIo& io, AppState& state);

}  // namespace nv
