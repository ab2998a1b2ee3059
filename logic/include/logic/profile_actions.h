// What the Site Survey page's commands do to the profile store and the adapter, without its
// widgets. Every change of the adapter's settings takes the change road.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "adapter/adapter_io.h"
#include "adapter/records.h"
#include "logic/change_road.h"
#include "store/profile_store.h"

namespace nv {

// Every profile, in the store's order. A fresh user's first look creates the profile root and
// reads nothing; it is asked once more so the list is not empty for no reason.
std::unique_ptr<ProfileTable> ReadProfileTable(Registry& registry);

// The stored profile of that name; nothing when there is none (deleted elsewhere meanwhile).
std::optional<AdapterConfig> FindProfile(Registry& registry, const std::string& name);

// Writes every value of `config` under `name`; false when the store could not keep it.
bool StoreProfile(Registry& registry, const std::string& name, AdapterConfig config);

// Puts a whole configuration in force: apply, store as the adapter's settings, scan.
ChangeOutcome PutInForce(AdapterIo& io, const AdapterConfig& config);

}  // namespace nv
