// The rules the three front ends (the Qt window, the native window, wlanctl) take from logic/
// rather than deciding them each: the link's judgement, the marks' words, the profile names and
// the Profile dialog's OK, the key group, what an import may write.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "adapter_fixture.h"
#include "logic/change_message.h"
#include "logic/link_state.h"
#include "logic/page_io.h"
#include "logic/profile_actions.h"
#include "logic/profile_form.h"
#include "logic/registry_transfer.h"
#include "logic/survey_model.h"
#include "store/adapter_params.h"

namespace nv {
namespace {

constexpr const char* kId = "PCI\\VEN_1A2B&DEV_3C4D&SUBSYS_00011A2B";

TEST(SharedRules, LinkJudgementOfTheTickAndOfWlanctl) {
  struct Case {
    bool adapter;
    int32_t state;
    uint8_t mode;
    int32_t connected;  // the survey's current entry, -1 for none
    bool found, measured;
    uint8_t modeAfter;
    int32_t quality, signal;
  } cases[] = {
      {true, kStateAssociated, kNetworkInfrastructure, -1, true, true, 1, 55, 70},
      {true, kStateAssociated, kNetworkAdHoc, -1, true, false, 0, 0, 0},
      {true, kStateAssociated, kNetworkUndetermined, 0, true, true, 1, 55, 70},  // survey's
      {true, kStateAssociated, kNetworkUndetermined, -1, true, false, 2, 0, 0},
      {true, kStateConnecting, kNetworkUndetermined, 0, true, false, 2, 0, 0},  // only associated
      {true, kStateScanning, kNetworkInfrastructure, -1, true, false, 1, 0, 0},
      {true, kStateNoDriver, kNetworkInfrastructure, -1, false, false, 1, 0, 0},
      {false, kStateAssociated, kNetworkInfrastructure, -1, false, false, 1, 0, 0},
  };
  for (const Case& c : cases) {
    test::TestPorts t;
    if (c.adapter) t.AddInstance("0001", kId, true);
    SurveyState survey;
    survey.list.count = 1;
    survey.list.entries[0].networkMode = kNetworkInfrastructure;
    survey.connectedBssIndex = c.connected;
    LinkStatus link{};
    link.state = c.state;
    link.networkMode = c.mode;
    link.linkMetric = 33;     // (210 - 99) / 2
    link.signalMetric = 100;  // - 30
    const LinkJudgement j = JudgeLink(t.io, link, survey);
    const std::string what = "state " + std::to_string(c.state) + " mode " +
                             std::to_string(c.mode) + " adapter " + std::to_string(c.adapter);
    EXPECT_EQ(j.adapterFound, c.found) << what;
    EXPECT_EQ(j.measured, c.measured) << what;
    EXPECT_EQ(link.networkMode, c.modeAfter) << what;
    EXPECT_EQ(j.qualityPercent, c.quality) << what;
    EXPECT_EQ(j.signalPercent, c.signal) << what;
    EXPECT_EQ(j.stored.scope, c.adapter && c.state != kStateNoDriver ? kScopeAll : kScopeNoAdapter)
        << what;
  }
}

TEST(SharedRules, MarksNamesAndTheProfileDialogsOk) {
  const struct {
    int mark;
    const char* text;
    const char* description;
  } marks[] = {{0, "in range", "in range"},         {1, "in range", "in range"},
               {4, "not in range", "not in range"}, {5, "current", "current network"},
               {6, "current", "current network"},   {7, "not in range", "not in range"}};
  for (const auto& m : marks) {
    EXPECT_STREQ(MarkText(m.mark), m.text) << m.mark;
    EXPECT_STREQ(MarkDescription(m.mark), m.description) << m.mark;
  }
  const struct {
    std::string name;
    bool fits;
  } names[] = {{"", false},
               {"A", true},
               {std::string(32, 'n'), true},
               {std::string(33, 'n'), false},
               {"a\\b", false}};
  for (const auto& n : names) EXPECT_EQ(ProfileNameFits(n.name), n.fits) << n.name;

  const ProfileNameLookup lookup = [](const std::string& asked) -> std::optional<std::string> {
    if (SameNameIgnoringCase(asked, "Home")) return std::string("Home");
    return std::nullopt;
  };
  const struct {
    const char* name;
    ProfileMode mode;
    bool warned, ask;
    const char* storedAs;
  } oks[] = {
      {"HOME", ProfileMode::Add, false, true, "Home"},  // the stored spelling is replaced
      {"Office", ProfileMode::Add, false, false, "Office"},
      {"HOME", ProfileMode::Connect, false, false, "HOME"},  // only Add asks
      {"HOME", ProfileMode::Properties, false, false, "HOME"},
      {"", ProfileMode::Add, true, false, ""},
      {"a\\b", ProfileMode::Add, true, false, ""},
  };
  for (const auto& o : oks) {
    ProfileFormInput in;
    in.profileName = o.name;
    const ProfileOk ok = DecideProfileOk(in, o.mode, lookup);
    EXPECT_EQ(!ok.warning.empty(), o.warned) << o.name;
    if (o.warned) {
      EXPECT_EQ(ok.warning, kProfileNameMessage);
    }
    EXPECT_EQ(ok.askReplace, o.ask) << o.name;
    EXPECT_EQ(ok.name, o.storedAs) << o.name;
  }
  ProfileFormInput badKey;
  badKey.profileName = "Home";
  badKey.security.encryption = true;
  badKey.security.defaultKey = 0;  // an empty default key
  EXPECT_EQ(DecideProfileOk(badKey, ProfileMode::Add, lookup).warning,
            "WEP key 1 size mistake!\n Need 10 characters");
}

TEST(SharedRules, ProfilesListedActivatedAndStored) {
  test::TestPorts t;
  const AdapterConfig config{};
  for (size_t i = 0; i <= kMaxListedProfiles; ++i) {  // one past what a list holds
    char name[8];
    std::snprintf(name, sizeof name, "p%02zu", i);
    ASSERT_TRUE(StoreProfile(*t.registry, name, config));
  }
  const ProfileListing listing = ListProfiles(*t.registry, BssList{}, LinkStatus{});
  EXPECT_EQ(listing.rows.size(), kMaxListedProfiles);
  EXPECT_EQ(listing.omitted, 1u);
  EXPECT_EQ(listing.rows.front().name, "p00");
  EXPECT_EQ(listing.rows.front().mark, kMarkAdHocAway);  // a zero-filled record is ad hoc
  // A profile removed meanwhile is not put in force, and nothing is said.
  const size_t sent = t.link.requests().size();
  const ProfileChange gone = ActivateStoredProfile(t.io, "nowhere");
  EXPECT_FALSE(gone.taken);
  EXPECT_TRUE(gone.problems.empty());
  EXPECT_EQ(t.link.requests().size(), sent);
  // Stored but no adapter to take it: said, the shown name first.
  const ProfileChange stored = StoreAndActivate(t.io, "p01", config, "P-01");
  EXPECT_TRUE(stored.taken);
  ASSERT_FALSE(stored.problems.empty());
  EXPECT_EQ(stored.problems.front(), NotActivatedText("P-01"));
  // A name the store cannot keep: not stored, and no change.
  const ProfileChange refused = StoreAndActivate(t.io, "a\\b", config, "a\\b");
  EXPECT_FALSE(refused.taken);
  EXPECT_EQ(refused.problems, std::vector<std::string>{kProfileNotStoredText});
  // Without an adapter a new profile starts from the defaults.
  EXPECT_STREQ(NewProfileSettings(t.io).ssid, "Wireless");
}

TEST(SharedRules, KeyGroupSecurityApplyAndImportableKeys) {
  const struct {
    KeyBoxView key;
    int listed;
    int limit;
  } boxes[] = {{{"0102030405", kKeySize64, 10}, kKeySize256, 10},  // the size's own
               {{std::string(8, 'A'), -1, 0}, kKeySize64, 10},     // at least the listed size's
               {{std::string(12, 'A'), -1, 0}, kKeySize64, 12},    // the whole unfit text
               {{std::string(12, 'A'), -1, 0}, -1, 12}};
  for (const auto& b : boxes) EXPECT_EQ(ShownKeyBoxLimit(b.key, b.listed), b.limit) << b.key.text;
  EXPECT_TRUE(KeyFormatChanges(kKeyFormatHex, kKeyFormatAscii));
  EXPECT_FALSE(KeyFormatChanges(kKeyFormatHex, kKeyFormatHex));
  EXPECT_FALSE(KeyFormatChanges(kKeyFormatHex, -1));

  test::TestPorts t;
  AppState state;
  state.connectingTicks = 2;
  SecurityInput in;
  in.encryption = true;
  in.defaultKey = 0;
  in.keySizes = {kKeySize64, kKeySize64, kKeySize64, kKeySize64};
  in.keyTexts = {"012345678", "", "", ""};  // one digit short
  const PageChange refused = ChangeSecuritySettings(t.io, state, in);
  EXPECT_EQ(refused.warning, "WEP key 1 size mistake!\n Need 10 characters");
  EXPECT_FALSE(refused.taken);
  EXPECT_TRUE(t.link.requests().empty());
  EXPECT_EQ(state.connectingTicks, 2);
  in.keyTexts[0] = "0123456789";
  const PageChange taken = ChangeSecuritySettings(t.io, state, in);
  EXPECT_TRUE(taken.warning.empty());
  EXPECT_TRUE(taken.taken);
  EXPECT_EQ(state.connectingTicks, 0);  // a link stuck connecting gets its re-applies again

  const struct {
    RegKey root;
    std::string path;
    bool importable;
  } keys[] = {
      {kHkeyCurrentUser, "Software\\NVXPROFILE", true},
      {kHkeyCurrentUser, "software\\nvxprofile\\Home", true},
      {kHkeyCurrentUser, "Software\\NVXPROFILEX", false},
      {kHkeyCurrentUser, "Software\\Other", false},
      {kHkeyLocalMachine, std::string(kNtClassRoot) + "0001", true},
      {kHkeyLocalMachine, std::string(k9xClassRoot) + "0000", true},
      {kHkeyLocalMachine, std::string(kNtClassRoot) + "0001\\Ndi", false},
      {kHkeyLocalMachine, std::string(kNtClassRoot), false},
      {kHkeyLocalMachine, "Software\\NVXPROFILE", false},
  };
  for (const auto& k : keys) {
    EXPECT_EQ(Importable(RegKeyDump{k.root, k.path, {}}), k.importable) << k.path;
  }
}

}  // namespace
}  // namespace nv
