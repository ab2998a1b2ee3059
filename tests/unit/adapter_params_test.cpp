#include <gtest/gtest.h>

#include <cstring>

#include "adapter_fixture.h"
#include "platform/win32_codes.h"
#include "store/adapter_params.h"
#include "store/key_scramble.h"
#include "store/value_access.h"

namespace nv {
namespace {

using test::GetText;
using test::SetDword;
using test::SetText;

constexpr const char* kId1 = "PCI\\VEN_1A2B&DEV_3C4D&SUBSYS_00011A2B";
constexpr const char* kId2 = "PCI\\VEN_1A2B&DEV_3C4D&SUBSYS_00021A2B";

class AdapterParamsTest : public ::testing::Test {
 protected:
  test::TestPorts t;
  AdapterConfig Read() {
    AdapterConfig c{};
    ReadAdapterParameters(t.io, c);
    return c;
  }
};

TEST_F(AdapterParamsTest, EmptyInstanceKeyReadsAsDefaults) {
  t.AddInstance("0000", kId1, true);
  const AdapterConfig c = Read();
  EXPECT_EQ(c.scope, 0);
  EXPECT_EQ(c.bssType, 2);
  EXPECT_EQ(c.channel, 1);
  EXPECT_EQ(c.powerMode, 0);
  EXPECT_EQ(c.shortPreamble, 0);
  EXPECT_EQ(c.txRate, 5);
  EXPECT_EQ(c.txRate11M, 5);
  EXPECT_STREQ(c.ssid, "Wireless");
  EXPECT_STREQ(c.bssidText, "");
  EXPECT_EQ(c.authMode, 2);
  EXPECT_EQ(c.wepStatus, 1);
  EXPECT_EQ(c.defaultKeyId, 0);
  for (const WepKeySlot& k : c.keys) EXPECT_EQ(k.length, 0);
  EXPECT_EQ(t.registry->openHandleCount(), 0u);
}

TEST_F(AdapterParamsTest, LocatorCases) {
  struct Instance {
    const char* name;
    const char* id;
    bool present;
  };
  struct Case {
    const char* label;
    uint32_t platform;
    std::vector<Instance> instances;
    int32_t scope;
    const char* readName;  // which instance's SSID is read
  } cases[] = {
      {"first matching absent, second read",
       win::kPlatformWin32Nt,
       {{"0000", kId1, false}, {"0001", kId1, true}},
       0,
       "0001"},
      {"lower-case id matches",
       win::kPlatformWin32Nt,
       {{"0003", "pci\\ven_1a2b&dev_3c4d&subsys_00021a2b", true}},
       0,
       "0003"},
      {"second hardware id", win::kPlatformWin32Nt, {{"0002", kId2, true}}, 0, "0002"},
      {"other device",
       win::kPlatformWin32Nt,
       {{"0000", "PCI\\VEN_1A2B&DEV_3C4D&SUBSYS_00031A2B", true}},
       -1,
       nullptr},
      {"first present wins",
       win::kPlatformWin32Nt,
       {{"0004", kId2, true}, {"0005", kId1, true}},
       0,
       "0004"},
      {"9x root", win::kPlatformWin32Windows, {{"0006", kId1, true}}, 0, "0006"},
      {"nothing", win::kPlatformWin32Nt, {}, -1, nullptr},
  };
  for (const Case& c : cases) {
    test::TestPorts p;
    p.system.platformId = c.platform;
    for (const Instance& i : c.instances) {
      const std::string path = p.AddInstance(i.name, i.id, i.present);
      SetText(*p.registry, kHkeyLocalMachine, path, "dot11DesiredSSID", i.name);
    }
    AdapterConfig config{};
    ReadAdapterParameters(p.io, config);
    EXPECT_EQ(config.scope, c.scope) << c.label;
    if (c.readName) {
      EXPECT_STREQ(config.ssid, c.readName) << c.label;
    }
  }
}

TEST_F(AdapterParamsTest, LongerSubkeyNamesAreLookedUpUnderTheirFirstFourCharacters) {
  t.AddInstance("0001", kId1, true);
  const std::string root(kNtClassRoot);
  SetText(*t.registry, kHkeyLocalMachine, root + "0001", "dot11DesiredSSID", "short");
  // "0000Properties" sorts first and is looked up as "0000", which does not exist.
  SetText(*t.registry, kHkeyLocalMachine, root + "0000Properties", "MatchingDeviceId", kId1);
  // A name too long to read sorts before the instance: the walk goes on past it.
  SetText(*t.registry, kHkeyLocalMachine, root + std::string(200, '0'), "x", "y");
  EXPECT_STREQ(Read().ssid, "short");
}

TEST_F(AdapterParamsTest, VersionFailureOrMissingRootMeansNoAdapter) {
  EXPECT_EQ(Read().scope, -1);  // no class root at all
  t.AddInstance("0000", kId1, true);
  t.system.versionOk = false;
  AdapterConfig c{};
  c.scope = 1;
  WriteAdapterParameters(t.io, c);
  EXPECT_EQ(c.scope, -1);
}

TEST_F(AdapterParamsTest, NumberForms) {
  const std::string path = t.AddInstance("0000", kId1, true);
  struct Case {
    const char* label;
    bool dword;
    const char* text;
    uint32_t value;
    int32_t channel;
  } cases[] = {
      {"dword", true, nullptr, 6, 6},
      {"text", false, "11", 0, 11},
      {"leading blanks", false, "  7", 0, 7},
      {"trailing junk", false, "9abc", 0, 9},
      {"negative", false, "-3", 0, -3},
      {"letters", false, "abc", 0, 1},
      {"empty", false, "", 0, 1},
      {"sign only", false, "-", 0, 1},
  };
  for (const Case& c : cases) {
    if (c.dword) {
      SetDword(*t.registry, kHkeyLocalMachine, path, "dot11DesiredChannel", c.value);
    } else {
      SetText(*t.registry, kHkeyLocalMachine, path, "dot11DesiredChannel", c.text);
    }
    EXPECT_EQ(Read().channel, c.channel) << c.label;
  }
  SetText(*t.registry, kHkeyLocalMachine, path, "dot11DesiredChannel", std::string(1025, '4'));
  EXPECT_EQ(Read().channel, 1) << "a value over 1024 bytes reads as its default";
}

TEST_F(AdapterParamsTest, TextValuesAreCut) {
  const std::string path = t.AddInstance("0000", kId1, true);
  SetText(*t.registry, kHkeyLocalMachine, path, "dot11DesiredSSID", std::string(40, 's'));
  SetText(*t.registry, kHkeyLocalMachine, path, "dot11DesiredBSSID", "00:11:22:33:44:55:66");
  const AdapterConfig c = Read();
  EXPECT_EQ(std::string(c.ssid), std::string(32, 's'));
  EXPECT_EQ(std::string(c.bssidText), "00:11:22:33:44:55");
}

TEST_F(AdapterParamsTest, AuthModeIsReadFromAuthModeAlone) {
  const std::string path = t.AddInstance("0000", kId1, true);
  SetText(*t.registry, kHkeyLocalMachine, path, "dot11AuthenticationMode", "0");
  EXPECT_EQ(Read().authMode, 2);
}

TEST_F(AdapterParamsTest, StoredKeyTexts) {
  const std::string path = t.AddInstance("0000", kId1, true);
  const uint8_t key[5] = {1, 2, 3, 4, 5};
  const std::string text = ScrambleKey(key, 5);
  struct Case {
    std::string stored;
    int32_t length;
  } cases[] = {{text, 5}, {"f" + text, 5}, {std::string(300, '0'), 128}, {"", 0}, {"a", 0}};
  for (const Case& c : cases) {
    SetText(*t.registry, kHkeyLocalMachine, path, "dot11WEPDefaultKey2", c.stored);
    const AdapterConfig config = Read();
    EXPECT_EQ(config.keys[1].length, c.length) << c.stored;
    if (c.length == 5) {
      EXPECT_EQ(std::memcmp(config.keys[1].material, key, 5), 0);
    }
  }
}

AdapterConfig FullConfig(int32_t scope) {
  AdapterConfig c{};
  c.scope = scope;
  c.bssType = 0;
  c.channel = 13;
  c.powerMode = 1;
  c.shortPreamble = 1;
  c.txRate = 7;
  c.txRate11M = 3;
  std::strcpy(c.ssid, "Office");
  std::strcpy(c.bssidText, "00:0A:0B:0C:0D:0E");
  c.authMode = 1;
  c.wepStatus = 0;
  c.defaultKeyId = 3;
  c.keys[3].length = 13;
  std::memset(c.keys[3].material, 0x5A, 13);
  return c;
}

TEST_F(AdapterParamsTest, WriteScopesTouchOnlyTheirGroup) {
  const std::string path = t.AddInstance("0000", kId1, true);
  const char* link[] = {"dot11DesiredBSSType",       "dot11DesiredChannel", "dot11PowerMode",
                        "dot11ShortPreambleInvoked", "dot11DesiredTxRate",  "dot11DesiredTxRate11M",
                        "dot11DesiredSSID",          "dot11DesiredBSSID"};
  const char* security[] = {"dot11AuthMode",       "dot11AuthenticationMode",
                            "dot11WEPStatus",      "dot11WEPDefaultKeyID",
                            "dot11WEPDefaultKey1", "dot11WEPDefaultKey2",
                            "dot11WEPDefaultKey3", "dot11WEPDefaultKey4"};
  struct Case {
    int32_t scope;
    bool link, security;
  } cases[] = {{1, true, false}, {2, false, true}, {3, false, false}, {0, true, true}};
  for (const Case& c : cases) {
    test::TestPorts p;
    const std::string instance = p.AddInstance("0000", kId1, true);
    AdapterConfig config = FullConfig(c.scope);
    WriteAdapterParameters(p.io, config);
    EXPECT_EQ(config.scope, 0);
    std::string text;
    for (const char* name : link) {
      EXPECT_EQ(GetText(*p.registry, kHkeyLocalMachine, instance, name, &text), c.link)
          << c.scope << " " << name;
    }
    for (const char* name : security) {
      EXPECT_EQ(GetText(*p.registry, kHkeyLocalMachine, instance, name, &text), c.security)
          << c.scope << " " << name;
    }
  }
  (void)path;
}

TEST_F(AdapterParamsTest, StoredFormsAndRoundTrip) {
  const std::string path = t.AddInstance("0000", kId1, true);
  AdapterConfig written = FullConfig(0);
  WriteAdapterParameters(t.io, written);
  std::string text;
  ASSERT_TRUE(GetText(*t.registry, kHkeyLocalMachine, path, "dot11DesiredChannel", &text));
  EXPECT_EQ(text, "13");  // decimal text without a terminator
  ASSERT_TRUE(GetText(*t.registry, kHkeyLocalMachine, path, "dot11AuthenticationMode", &text));
  EXPECT_EQ(text, "1");
  ASSERT_TRUE(GetText(*t.registry, kHkeyLocalMachine, path, "dot11WEPDefaultKeyID", &text));
  EXPECT_EQ(text, std::string("\x03\0\0\0", 4));  // REG_DWORD
  ASSERT_TRUE(GetText(*t.registry, kHkeyLocalMachine, path, "dot11WEPDefaultKey1", &text));
  EXPECT_EQ(text, "");
  ASSERT_TRUE(GetText(*t.registry, kHkeyLocalMachine, path, "dot11WEPDefaultKey4", &text));
  EXPECT_EQ(text, ScrambleKey(written.keys[3].material, 13));

  const AdapterConfig read = Read();
  AdapterConfig expected = FullConfig(0);
  EXPECT_EQ(std::memcmp(&read, &expected, sizeof read), 0);
}

}  // namespace
}  // namespace nv
