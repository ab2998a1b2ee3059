// The Profile dialog's rules: what each mode shows, OK's checks and its write-back.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "adapter_fixture.h"
#include "logic/profile_actions.h"
#include "logic/profile_form.h"
#include "store/profile_store.h"

namespace nv {
namespace {

AdapterConfig Config(const char* ssid, int32_t bssType, int32_t channel) {
  AdapterConfig c{};
  std::strcpy(c.ssid, ssid);
  c.bssType = bssType;
  c.channel = channel;
  c.txRate = 5;
  c.authMode = 2;
  c.wepStatus = 0;
  c.defaultKeyId = 1;
  return c;
}

ProfileFormInput Input(const char* name, bool encryption, int radio) {
  ProfileFormInput in;
  in.profileName = name;
  in.link = {"Net", "", -1, -1, -1, -1};
  in.security.encryption = encryption;
  in.security.defaultKey = radio;
  in.security.keyTexts = {"0123456789", "", "", ""};
  in.security.keySizes = {kKeySize64, kKeySize64, kKeySize64, kKeySize64};
  return in;
}

TEST(ProfileForm, TitlesNamesAndEnablingByMode) {
  struct Case {
    ProfileMode mode;
    const char* name;
    const char* title;
    const char* shownName;
    bool nameOn, ssidOn, bssOn, wepOn;
  } cases[] = {
      {ProfileMode::Add, "", "Add New Profile", "Office", true, true, true, true},
      {ProfileMode::Properties, "Home", "Profile: Home", "Home", false, true, true, true},
      {ProfileMode::Connect, "Home", "Connect: Home", "Home", true, false, false, false},
  };
  for (const Case& c : cases) {
    const ProfileFormView v = ShowProfileForm(Config("Office", 0, 3), c.mode, c.name, 0x10);
    EXPECT_EQ(v.title, c.title);
    EXPECT_EQ(v.profileName, c.shownName);
    EXPECT_EQ(v.link.ssid, "Office");
    EXPECT_EQ(v.nameEnabled, c.nameOn) << c.title;
    EXPECT_EQ(v.ssidEnabled, c.ssidOn) << c.title;
    EXPECT_EQ(v.bssTypeEnabled, c.bssOn) << c.title;
    EXPECT_EQ(v.encryptionEnabled, c.wepOn) << c.title;
  }  // A survey SSID of 33 characters names the profile with its first 32.
  const ProfileFormView v =
      ShowProfileForm(Config("Office", 0, 3), ProfileMode::Connect, std::string(33, 'n'), 0x10);
  EXPECT_EQ(v.profileName, std::string(32, 'n'));
}

TEST(ProfileForm, ChannelsByDomainAndTheInfrastructureRule) {
  ProfileFormView v = ShowProfileForm(Config("A", 0, 1), ProfileMode::Add, "", 0x31);
  EXPECT_EQ(v.link.channels, std::vector<std::string>({"10", "11"}));
  EXPECT_EQ(v.link.channel, -1);
  EXPECT_TRUE(v.link.channelEnabled);
  v = ShowProfileForm(Config("A", 1, 11), ProfileMode::Add, "", 0x10);
  EXPECT_EQ(v.link.channels.size(), 11u);
  EXPECT_EQ(v.link.channel, 10);
  EXPECT_FALSE(v.link.channelEnabled);
  EXPECT_TRUE(ShowProfileForm(Config("A", 2, 1), ProfileMode::Add, "", 0x10).link.channelEnabled);
  AdapterConfig c = Config("A", 0, 1);
  ProfileFormInput in = Input("A", false, -1);
  OverwriteFromProfileForm(in, c);  // no channel selected: 0
  EXPECT_EQ(c.channel, 0);
  in.link.channelText = "13";
  OverwriteFromProfileForm(in, c);
  EXPECT_EQ(c.channel, 13);
}

TEST(ProfileForm, StoredKeysShowAsHex) {
  AdapterConfig c = Config("A", 1, 1);
  c.keys[0].length = 13;
  c.keys[0].material[0] = 0xAB;
  c.keys[2].length = 7;  // fits no size
  const ProfileFormView v = ShowProfileForm(c, ProfileMode::Properties, "A", 0x10);
  EXPECT_EQ(v.security.keys[0].text, "AB000000000000000000000000");
  EXPECT_EQ(v.security.keys[0].sizeIndex, kKeySize128);
  EXPECT_EQ(v.security.keys[1].sizeIndex, kKeySize64);
  EXPECT_EQ(v.security.keys[2].sizeIndex, -1);
  EXPECT_EQ(v.security.encryption, true);
  EXPECT_EQ(v.security.defaultKey, 1);
}

TEST(ProfileForm, OkChecks) {
  struct Case {
    const char* what;
    ProfileFormInput in;
    bool ok;
    const char* message;
  } cases[] = {
      {"valid", Input("Net", true, 0), true, ""},
      {"key 2 short", Input("Net", true, 0), false, "WEP key 2 size mistake!\n Need 10 characters"},
      {"key 3 empty, default", Input("Net", true, 2), false,
       "WEP key 3 size mistake!\n Need 10 characters"},
      {"encryption off: nothing checked", Input("Net", false, 2), true, ""},
      {"empty name", Input("", true, 0), false, kProfileNameMessage},
      {"backslash", Input("a\\b", false, 0), false, kProfileNameMessage},
      {"name of 32", Input(std::string(32, 'n').c_str(), false, 0), true, ""},
      {"name of 33", Input(std::string(33, 'n').c_str(), false, 0), false, kProfileNameMessage},
  };
  cases[1].in.security.keyTexts[1] = "012345678";
  cases[3].in.security.keyTexts[1] = "0";
  for (const Case& c : cases) {
    const ProfileCheck r = CheckProfileForm(c.in);
    EXPECT_EQ(r.ok, c.ok) << c.what;
    EXPECT_EQ(r.message, c.message) << c.what;
  }
}

TEST(ProfileForm, OkWritesBackEveryShownField) {
  AdapterConfig c = Config("Old", 1, 6);
  std::strcpy(c.bssidText, "00-0A-F5-10-00-02");
  c.txRate11M = 77;
  ProfileFormInput in = Input("New", false, -1);
  in.link.ssid = std::string(40, 's');
  in.link.bssType = 0;
  in.link.txRate = -1;  // no selection keeps the value
  in.link.preamble = 1;
  in.link.powerMode = 2;
  in.security.authMode = 1;
  in.openedDefaultKey = 3;
  in.security.keyFormat = kKeyFormatAscii;
  in.security.keyTexts = {"abcde", "", "", ""};
  OverwriteFromProfileForm(in, c);
  EXPECT_EQ(std::string(c.ssid), std::string(32, 's'));
  EXPECT_EQ(c.bssType, 0);
  EXPECT_EQ(c.txRate, 5);
  EXPECT_EQ(c.shortPreamble, 1);
  EXPECT_EQ(c.powerMode, 2);
  EXPECT_EQ(c.authMode, 1);
  EXPECT_EQ(c.wepStatus, 1);
  EXPECT_EQ(c.defaultKeyId, 3);    // no radio checked: the hidden list's
  EXPECT_EQ(c.keys[0].length, 5);  // stored although encryption is off
  EXPECT_EQ(c.keys[0].material[0], 'a');
  EXPECT_STREQ(c.bssidText, "00-0A-F5-10-00-02");
  EXPECT_EQ(c.txRate11M, 77);
  in.security.defaultKey = 2;
  OverwriteFromProfileForm(in, c);
  EXPECT_EQ(c.defaultKeyId, 2);
}

TEST(ProfileForm, ConnectTakesWhatTheNetworkDictates) {
  AdapterConfig c = Config("Stored", 2, 6);
  c.wepStatus = 1;
  TakeNetwork({"02-4E-00-00-00-04", "LanParty", "Yes", "No", "3", "22"}, c);
  EXPECT_EQ(c.wepStatus, 0);
  EXPECT_EQ(c.bssType, 0);
  EXPECT_STREQ(c.ssid, "LanParty");
  EXPECT_STREQ(c.bssidText, "02-4E-00-00-00-04");
  EXPECT_EQ(c.channel, 6);  // not dictated: as stored
  TakeNetwork({"00-0A-F5-10-00-01", "Wireless", "No", "Yes", "6", "43"}, c);
  EXPECT_EQ(c.wepStatus, 1);
  EXPECT_EQ(c.bssType, 1);
  TakeNetwork({"00-0A-F5-10-00-01", std::string(33, 's'), "No", "Yes", "6", "43"}, c);
  EXPECT_EQ(std::string(c.ssid), std::string(32, 's'));
}

}  // namespace
}  // namespace nv

namespace nv {
namespace {

// Add asks before it replaces a stored profile: it must see every stored name, also past the
// 64 a profile table holds.
TEST(ProfileActions, StoredNameIsFoundAmongEveryProfile) {
  test::TestPorts t;
  AdapterConfig c{};
  for (int i = 0; i <= kMaxProfiles; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "p%02d", i);
    ASSERT_TRUE(StoreProfile(*t.registry, name, c));
  }
  EXPECT_EQ(StoredProfileName(*t.registry, "P63"), "p63");  // the table's last
  EXPECT_EQ(StoredProfileName(*t.registry, "P64"), "p64");  // one past it
  EXPECT_EQ(StoredProfileName(*t.registry, "p65"), std::nullopt);
  EXPECT_TRUE(RemoveProfile(*t.registry, "p64"));
  EXPECT_EQ(StoredProfileName(*t.registry, "p64"), std::nullopt);
  EXPECT_EQ(ReplaceProfileQuestion("Home"), "A profile named \"Home\" exists. Replace it?");
}

}  // namespace
}  // namespace nv
