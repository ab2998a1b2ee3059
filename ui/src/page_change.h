// A page's Apply on the change road, the same for every page that changes the adapter's
// settings.
#pragma once

#include <functional>

#include "adapter/adapter_io.h"
#include "logic/change_road.h"
#include "ui/warning_box.h"

class QWidget;

namespace nv {

// Changes `scope` by `overwrite`, waiting for the settings lock only as long as the window may.
// `taken` runs unless another program held the lock (the page then keeps what the user entered,
// to try again); whatever the change did not do is said in a box, last (the page may end while
// the box is up).
void ApplyPageChange(AdapterIo& io, int32_t scope, const Overwrite& overwrite,
                     const WarningBox& warning, QWidget* window,
                     const std::function<void()>& taken);

}  // namespace nv
