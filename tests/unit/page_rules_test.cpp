// The pages' rules from tables: channel lists, Apply's records, key box limits and checks.
#include <gtest/gtest.h>

#include <cstring>

#include "logic/link_info.h"
#include "logic/page_rules.h"

namespace nv {
namespace {

TEST(ConfigurationRules, ChannelListsByDomain) {
  struct Case {
    uint32_t domain;
    size_t count;
    const char* first;
    int32_t stored;
    int position;
  } cases[] = {{0x10, 11, "1", 11, 10}, {0x20, 11, "1", 12, -1}, {0x30, 13, "1", 13, 12},
               {0x31, 2, "10", 11, 1},  {0x32, 4, "10", 11, 1},  {0x32, 4, "10", 9, -1},
               {0x41, 14, "1", 14, 13}, {0x41, 14, "1", 0, -1}};
  for (const Case& c : cases) {
    const auto entries = ChannelEntries(c.domain);
    EXPECT_EQ(entries.size(), c.count) << c.domain;
    EXPECT_EQ(entries.front(), c.first) << c.domain;
    EXPECT_EQ(ChannelPosition(c.stored, c.domain), c.position) << c.domain << "/" << c.stored;
  }
}

TEST(ConfigurationRules, ReloadViewAndApplyRecord) {
  AdapterConfig stored{};
  std::strcpy(stored.ssid, "Office");
  stored.bssType = 1;
  stored.channel = 11;
  stored.txRate = 7;
  stored.shortPreamble = 1;
  stored.powerMode = 9;  // no such entry
  const LinkSettingsView v = ShowLinkSettings(stored, 0x32);
  EXPECT_EQ(v.ssid, "Office");
  EXPECT_EQ(v.channel, 1);
  EXPECT_EQ(v.bssType, 1);
  EXPECT_EQ(v.txRate, 7);
  EXPECT_EQ(v.preamble, 1);
  EXPECT_EQ(v.powerMode, -1);
  EXPECT_FALSE(v.channelEnabled);
  EXPECT_TRUE(ChannelListEnabled(0));
  EXPECT_TRUE(ChannelListEnabled(2));
  EXPECT_TRUE(ChannelListEnabled(-1));

  AdapterConfig c = stored;
  c.authMode = 2;
  OverwriteLinkSettings({std::string(40, 'S'), "13", 0, 4, 0, -1}, c);
  EXPECT_EQ(std::string(c.ssid), std::string(32, 'S'));
  EXPECT_EQ(c.channel, 13);
  EXPECT_EQ(c.bssType, 0);
  EXPECT_EQ(c.txRate, 4);
  EXPECT_EQ(c.shortPreamble, 0);
  EXPECT_EQ(c.powerMode, 9);  // no selection: the stored value stays
  EXPECT_EQ(c.authMode, 2);   // not this page's
  OverwriteLinkSettings({"", "", 2, 0, 0, 0}, c);
  EXPECT_EQ(c.channel, 0);  // no channel selected
  EXPECT_EQ(c.ssid[0], '\0');
}

TEST(SecurityRules, ReloadShowsStoredKeysInHex) {
  AdapterConfig stored{};
  stored.authMode = 1;
  stored.wepStatus = 0;
  stored.defaultKeyId = 2;
  stored.keys[0].length = 13;
  stored.keys[0].material[0] = 0xAB;
  stored.keys[2].length = 7;  // fits no size
  const SecurityView v = ShowSecurity(stored);
  EXPECT_EQ(v.authMode, 1);
  EXPECT_EQ(v.encryption, true);
  EXPECT_EQ(v.defaultKey, 2);
  EXPECT_EQ(v.keys[0].text, "AB" + std::string(24, '0'));
  EXPECT_EQ(v.keys[0].sizeIndex, kKeySize128);
  EXPECT_EQ(v.keys[0].limit, 26);
  EXPECT_EQ(v.keys[1].text, "");
  EXPECT_EQ(v.keys[1].sizeIndex, kKeySize64);
  EXPECT_EQ(v.keys[1].limit, 10);
  EXPECT_EQ(v.keys[2].sizeIndex, -1);
  stored.wepStatus = 1;
  stored.defaultKeyId = 4;
  EXPECT_EQ(ShowSecurity(stored).encryption, false);
  EXPECT_EQ(ShowSecurity(stored).defaultKey, -1);
  stored.wepStatus = 5;
  EXPECT_FALSE(ShowSecurity(stored).encryption.has_value());
}

TEST(SecurityRules, LengthCheckOnlyWithEncryption) {
  SecurityInput in;
  in.encryption = true;
  in.keyFormat = kKeyFormatHex;
  in.keySizes = {kKeySize64, kKeySize128, kKeySize64, kKeySize64};
  in.keyTexts = {"0123456789", std::string(20, 'A'), "", ""};
  in.defaultKey = 0;
  KeyCheck r = CheckSecurityInput(in);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, "WEP key 2 size mistake!\n Need 26 characters");
  in.keyTexts[1] = "";
  in.defaultKey = 2;
  r = CheckSecurityInput(in);
  EXPECT_EQ(r.message, "WEP key 3 size mistake!\n Need 10 characters");
  in.defaultKey = 0;
  EXPECT_TRUE(CheckSecurityInput(in).ok);
  in.encryption = false;
  in.keyTexts[0] = "x";
  EXPECT_TRUE(CheckSecurityInput(in).ok);
}

TEST(SecurityRules, ApplyRecord) {
  AdapterConfig stored{};
  stored.wepStatus = 0;
  stored.defaultKeyId = 3;
  stored.authMode = 2;
  stored.keys[1].length = 5;
  stored.keys[1].material[0] = 0x11;
  SecurityInput in;
  in.authMode = 1;
  in.encryption = false;
  in.keyTexts = {"zz", "", "", ""};
  AdapterConfig c = stored;
  OverwriteSecurity(in, c);
  EXPECT_EQ(c.wepStatus, 1);
  EXPECT_EQ(c.authMode, 1);
  EXPECT_EQ(c.defaultKeyId, 3);
  EXPECT_EQ(c.keys[1].length, 5);  // keys untouched without encryption

  in.encryption = true;
  in.authMode = -1;
  in.defaultKey = -1;
  in.keyFormat = kKeyFormatAscii;
  in.keyTexts = {"abcde", "", "", ""};
  c = stored;
  OverwriteSecurity(in, c);
  EXPECT_EQ(c.wepStatus, 0);
  EXPECT_EQ(c.authMode, 2);      // no selection keeps the stored mode
  EXPECT_EQ(c.defaultKeyId, 3);  // no radio checked keeps the stored key
  EXPECT_EQ(c.keys[0].length, 5);
  EXPECT_EQ(c.keys[0].material[0], 'a');
  EXPECT_EQ(c.keys[1].length, 0);  // an empty box empties the slot
  in.keyFormat = kKeyFormatHex;
  in.keyTexts = {"0a1B2c3D4e", "", "", ""};
  in.defaultKey = 0;
  OverwriteSecurity(in, c);
  EXPECT_EQ(c.keys[0].length, 5);
  EXPECT_EQ(c.keys[0].material[1], 0x1B);
  EXPECT_EQ(c.defaultKeyId, 0);
}

TEST(SecurityRules, BoxLimitsAndCutting) {
  struct Case {
    int size, format, limit;
  } cases[] = {{0, 0, 5}, {1, 0, 13}, {2, 0, 29}, {0, 1, 10}, {1, 1, 26}, {2, 1, 58}, {-1, 1, 0}};
  for (const Case& c : cases) EXPECT_EQ(KeyBoxLimit(c.size, c.format), c.limit);
  const std::string key58(58, 'F');
  EXPECT_EQ(CutKeyText(key58, 10), std::string(10, 'F'));
  EXPECT_EQ(CutKeyText("ABC", 10), "ABC");
}

}  // namespace
}  // namespace nv
