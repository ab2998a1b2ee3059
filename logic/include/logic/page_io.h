// What the configuration window's pages read from the stored settings, and how their Apply
// takes the change road, for front ends that reach the store through logic/ only. The Qt
// window and the native Windows one call the same functions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "adapter/adapter_io.h"
#include "logic/change_road.h"
#include "logic/page_rules.h"

namespace nv {

// The Configuration page's Reload: the stored link settings (zero-filled when no adapter is
// found) with the channel list of the adapter's regulatory domain.
LinkSettingsView ReadLinkSettings(AdapterIo& io);

// A page's Apply on the change road, waiting for the settings lock only as long as the window
// may (kWindowLockWaitMs).
struct PageChange {
  // False when another program held the settings lock: nothing happened, and the page keeps
  // what the user entered to try again.
  bool taken = false;
  // What the change did not do, one line per fact (logic/change_message.h); empty when all
  // of it happened.
  std::vector<std::string> problems;
};
PageChange ChangeFromPage(AdapterIo& io, int32_t scope, const Overwrite& overwrite);

}  // namespace nv
