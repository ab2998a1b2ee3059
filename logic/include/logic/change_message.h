// What a change of the adapter's settings that did not fully happen tells the user. The
// window and wlanctl word the same fact the same way; each says it in its own place (a
// message box, standard error).
#pragma once

#include <string>
#include <vector>

#include "logic/change_road.h"

namespace nv {

inline constexpr const char* kRegistryBusyText = "the settings are in use by another program";
// The window waits only briefly for the settings lock; the user tries again.
inline constexpr const char* kSettingsBusyTryAgainText =
    "another program is changing the settings; nothing was changed, try again";
inline constexpr const char* kProfileNotStoredText = "the profile could not be stored";

// What the ports know about a failure, when they know it.
struct ChangeFacts {
  std::string linkRefusal;    // why the device link was refused (empty: not refused)
  bool registryBusy = false;  // the store gave up on a database another program held
  std::string lockProblem;    // why the settings lock could not be had (empty: unknown)
};

// "the settings lock could not be taken (WHY); nothing was changed".
std::string LockFailedText(const std::string& why);

// "no supported adapter found", or why there is none as far as the ports know.
std::string NoAdapterText(const ChangeFacts& facts);

// One line per problem, in the order they happened; empty when every request went through
// and the settings were stored, or when the caller's overwrite stopped the road (it said why).
std::vector<std::string> ChangeProblems(const ChangeOutcome& outcome, const ChangeFacts& facts);

// The lines as sentences for a message box: each starts with a capital and ends with a stop.
std::string AsSentences(const std::vector<std::string>& lines);

// "the profile "NAME" was stored but not activated".
std::string NotActivatedText(const std::string& shownName);

}  // namespace nv
