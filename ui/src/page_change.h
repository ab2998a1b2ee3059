// A page's Apply on the change road, the same for every page that changes the adapter's
// settings.
#pragma once

#include <functional>

#include "logic/page_io.h"
#include "ui/warning_box.h"

class QWidget;

namespace nv {

// What `page`'s Apply did (logic/page_io.h), told: a refused input in the "Warning" box over
// the page, and nothing else; else `taken` runs unless another program held the lock (the page
// then keeps what the user entered, to try again), and whatever the change did not do is said
// in a box over the window, last (the page may end while the box is up).
void TellPageChange(const PageChange& change, const WarningBox& warning, QWidget* page,
                    const std::function<void()>& taken);

}  // namespace nv
