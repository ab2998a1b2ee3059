#include "logic/profile_actions.h"

#include <algorithm>
#include <cctype>

#include "logic/change_message.h"
#include "logic/profile_form.h"
#include "logic/settings_lock.h"
#include "store/adapter_params.h"
#include "store/profile_store.h"

namespace nv {

static_assert(kMaxListedProfiles == static_cast<size_t>(kMaxProfiles));
static_assert(kMaxProfileNameChars == kProfileNameChars);

std::unique_ptr<ProfileTable> ReadProfileTable(Registry& registry) {
  auto table = std::make_unique<ProfileTable>();
  EnumerateProfiles(registry, *table);
  if (table->count < 0) {
    *table = ProfileTable{};
    EnumerateProfiles(registry, *table);
  }
  return table;
}

ProfileListing ListProfiles(Registry& registry, const BssList& survey, const LinkStatus& current) {
  ProfileListing listing;
  listing.rows = OrderProfiles(*ReadProfileTable(registry), survey, current);
  const size_t stored = ListProfileNames(registry).size();
  listing.omitted = stored > listing.rows.size() ? stored - listing.rows.size() : 0;
  return listing;
}

bool ProfileNameFits(std::string_view name) {
  return IsValidProfileName(name) && name.size() <= kProfileNameChars;
}

std::optional<AdapterConfig> FindProfile(Registry& registry, const std::string& name) {
  AdapterConfig config{};
  ReadProfile(registry, name, config);
  if (config.scope != kScopeAll) return std::nullopt;
  return config;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::optional<std::string> StoredProfileName(Registry& registry, const std::string& name) {
  for (const std::string& stored : ListProfileNames(registry)) {
    if (SameNameIgnoringCase(stored, name)) return stored;
  }
  return std::nullopt;
}

std::string ReplaceProfileQuestion(const std::string& storedName) {
  return "A profile named \"" + storedName + "\" exists. Replace it?";
}

std::string RemoveProfileQuestion(const std::string& name) {
  return "Remove profile " + name + "?";
}

bool StoreProfile(Registry& registry, const std::string& name, AdapterConfig config) {
  config.scope = kScopeAll;
  WriteProfile(registry, name, config);
  return config.scope == kScopeAll;
}

bool RemoveProfile(Registry& registry, const std::string& name, int32_t* code) {
  const int32_t rc = DeleteProfile(registry, name);
  if (code != nullptr) *code = rc;
  return rc == 0;
}

AdapterConfig StoredAdapterSettings(AdapterIo& io) {
  AdapterConfig config{};
  ReadAdapterParameters(io, config);
  return config;
}

AdapterConfig NewProfileSettings(AdapterIo& io) {
  const AdapterConfig stored = StoredAdapterSettings(io);
  return stored.scope == kScopeNoAdapter ? DefaultAdapterConfig() : stored;
}

AdapterConfig NetworkSettings(AdapterIo& io, const std::array<std::string, 6>& columns) {
  AdapterConfig config = StoredAdapterSettings(io);  // what the network leaves open
  TakeNetwork(columns, config);
  return config;
}

ChangeOutcome PutInForce(AdapterIo& io, const AdapterConfig& config, uint32_t lockWaitMs) {
  return ChangeAdapterSettings(
      io, kScopeAll,
      [&config](AdapterConfig& c) {
        c = config;
        return true;
      },
      lockWaitMs);
}

ProfileChange ActivateStoredProfile(AdapterIo& io, const std::string& name) {
  const std::optional<AdapterConfig> stored = FindProfile(io.registry(), name);
  if (!stored) return {};
  const ChangeOutcome outcome = PutInForce(io, *stored, kWindowLockWaitMs);
  return {!outcome.lockRefused(), ChangeProblems(outcome, {})};
}

ProfileChange StoreAndActivate(AdapterIo& io, const std::string& name, const AdapterConfig& config,
                               const std::string& shownName) {
  if (!StoreProfile(io.registry(), name, config)) return {false, {kProfileNotStoredText}};
  const ChangeOutcome outcome = PutInForce(io, config, kWindowLockWaitMs);
  ProfileChange change{!outcome.lockRefused(), ChangeProblems(outcome, {})};
  if (!change.problems.empty()) {
    change.problems.insert(change.problems.begin(), NotActivatedText(shownName));
  }
  return change;
}

}  // namespace nv
