// What the configuration window's pages read from the stored settings, and how their Apply
// takes the change road, for front ends that reach the store through logic/ only. The Qt
// window and the native Windows one call the same functions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "adapter/adapter_io.h"
#include "logic/app_state.h"
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
  // Not empty when the page's own check refused the input (a key length): its message for
  // the "Warning" box (kKeyWarningCaption); nothing was sent or stored.
  std::string warning;
};
PageChange ChangeFromPage(AdapterIo& io, int32_t scope, const Overwrite& overwrite);

// The Configuration page's Apply: the link group as the controls hold it.
PageChange ChangeLinkSettings(AdapterIo& io, const LinkSettingsInput& input);
// The Security page's Apply: the key length check first, then the security group. A change
// that went ahead gives a link stuck connecting its re-applies again (state.connectingTicks).
PageChange ChangeSecuritySettings(AdapterIo& io, AppState& state, const SecurityInput& input);

}  // namespace nv
