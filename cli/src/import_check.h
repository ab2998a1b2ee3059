// What an import may store: the adapter's instance keys and the profiles, holding the dot11
// values each with its type and range, so that no page would have to show what it cannot.
#pragma once

#include <string>
#include <vector>

#include "logic/options.h"
#include "regedit.h"

namespace nv::cli {

inline constexpr size_t kMaxKeyNameChars = 255;  // Windows' limit on one key name

// False with the key's line and what is wrong at the first key or value that may not be
// stored. `channels`: the regulatory domain's range a stored channel must lie in.
bool CheckImport(const std::vector<RegKeyDump>& keys, ChannelRange channels, RegeditError* error);
// Takes out of the adapter's instance keys every value that is not one of the utility's own
// dot11 values ("MatchingDeviceId" and the like belong to the driver, which an import must not
// overwrite); returns how many were taken out.
size_t DropDriverValues(std::vector<RegKeyDump>* keys);

}  // namespace nv::cli
