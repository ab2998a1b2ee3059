// The link as the tray shows it, for status and watch: one read of the link made into the
// fields both print (the tray's look decided by logic/tray_look.h).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "adapter/records.h"
#include "common.h"
#include "logic/tray_look.h"

namespace nv::cli {

struct LinkView {
  bool found = false;  // the link answered and the registry locator found the adapter
  LinkStatus status{};
  bool measured = false;  // associated in infrastructure mode: the percentages count
  int32_t quality = 0;
  int32_t signal = 0;
  TrayLook look{kIconNone, ""};  // kIconNone: the tray keeps the icon it had, none is named
  std::string ssid;
  std::string bssid;
  std::string rate;
};

// Judges one ReadLinkStatus as the tray's tick does (logic/link_state.h), reading the survey
// when the tick would take the network mode from it. The look is not decided yet.
LinkView JudgeLinkView(Context& c, const LinkStatus& status);
// Decides the view's look; `previousIcon` and `ticksInState` as DecideLook takes them.
void DecideViewLook(LinkView& view, int previousIcon, int32_t ticksInState);

// status --json's object.
Json LinkJson(const LinkView& view);
// status's rows: label and value (outside text as it came: escape it before a terminal).
std::vector<std::pair<const char*, std::string>> LinkRows(const LinkView& view);

}  // namespace nv::cli
