// wlanctl's REGEDIT4 reader and writer, and the import check on what they read.
#include "regedit.h"

#include <gtest/gtest.h>

#include "logic/options.h"
#include "logic/registry_transfer.h"

namespace nv::cli {
namespace {

TEST(Regedit, WritesAndReadsEveryValueForm) {
  std::vector<RegKeyDump> keys = {
      {kHkeyCurrentUser, "Software\\NVXPROFILE\\Quote\"Back\\slash", {}, 0}};
  keys[0].values = {
      {"", kRegSz, {'d', 'e', 'f'}},      {"text \"q\" \\", kRegSz, {'a', '"', '\\', 'b'}},
      {"nul", kRegSz, {'a', 0}},          {"dword", kRegDword, {1, 2, 3, 4}},
      {"short dword", kRegDword, {1, 2}}, {"binary", kRegBinary, std::vector<uint8_t>(100, 0xAB)},
      {"empty", kRegBinary, {}},          {"multi", 7, {'a', 0, 0}}};
  const std::string text = WriteRegedit4(keys);
  EXPECT_NE(text.find("\"dword\"=dword:04030201\n"), std::string::npos);
  EXPECT_NE(text.find("\"nul\"=hex(1):61,00\n"), std::string::npos);
  EXPECT_NE(text.find("\\\n  ab"), std::string::npos);  // long hex lines wrap
  std::vector<RegKeyDump> back;
  RegeditError error;
  ASSERT_TRUE(ParseRegedit4(text, &back, &error)) << error.line << ": " << error.message;
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].path, keys[0].path);
  ASSERT_EQ(back[0].values.size(), keys[0].values.size());
  for (size_t i = 0; i < keys[0].values.size(); ++i) {
    EXPECT_EQ(back[0].values[i].name, keys[0].values[i].name);
    EXPECT_EQ(back[0].values[i].type, keys[0].values[i].type);
    EXPECT_EQ(back[0].values[i].data, keys[0].values[i].data);
  }
}

TEST(Regedit, RejectsWithTheLineNumber) {
  struct Case {
    const char* text;
    int line;
  } cases[] = {{"", 1},
               {"REGEDIT5\n", 1},
               {"REGEDIT4\n\n[-HKEY_CURRENT_USER\\Software\\X]\n", 3},
               {"REGEDIT4\n[HKEY_CLASSES_ROOT\\X]\n", 2},
               {"REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=-\n", 3},
               {"REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=\"open\n", 3},
               {"REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=dword:\n", 3},
               {"REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=dword:123456789\n", 3},
               {"REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=hex:1,2\n", 3},
               {"REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=hex:00,\n", 3},
               {"REGEDIT4\n[HKEY_CURRENT_USER\\X]\n\"a\"=hex(zz):01\n", 3},
               {"REGEDIT4\n[HKEY_CURRENT_USER\\X]\nplain\n", 3},
               {"REGEDIT4\n[HKEY_CURRENT_USER\\X\n", 2}};
  for (const Case& c : cases) {
    std::vector<RegKeyDump> keys;
    RegeditError error;
    EXPECT_FALSE(ParseRegedit4(c.text, &keys, &error)) << c.text;
    EXPECT_EQ(error.line, c.line) << c.text;
    EXPECT_FALSE(error.message.empty());
  }
}

// The first value past each bound an import checks is refused, the bound itself taken.
TEST(Regedit, ImportCheckBounds) {
  const std::string p = "[HKEY_CURRENT_USER\\Software\\NVXPROFILE\\P]\n";
  const std::string profile = "[HKEY_CURRENT_USER\\Software\\NVXPROFILE\\";
  const std::string ssid = "\"dot11DesiredSSID\"=\"";
  struct Case {
    std::string value;
    bool taken;
  } cases[] = {{p + "\"dot11ShortPreambleInvoked\"=\"1\"", true},
               {p + "\"dot11ShortPreambleInvoked\"=\"2\"", false},
               {p + "\"dot11ShortPreambleInvoked\"=\"-1\"", false},
               {p + "\"dot11PowerMode\"=\"2\"", true},
               {p + "\"dot11PowerMode\"=\"3\"", false},
               {p + "\"dot11DesiredTxRate11M\"=\"7\"", true},
               {p + "\"dot11DesiredTxRate11M\"=\"8\"", false},
               {p + "\"dot11WEPDefaultKeyID\"=dword:00000003", true},
               {p + "\"dot11WEPDefaultKeyID\"=dword:00000004", false},
               {p + "\"dot11DesiredChannel\"=\"11\"", true},
               {p + "\"dot11DesiredChannel\"=\"12\"", false},
               {p + "\"dot11DesiredChannel\"=\"0\"", false},
               {p + ssid + std::string(32, 's') + "\"", true},
               {p + ssid + std::string(33, 's') + "\"", false},
               {p + "\"dot11DesiredBSSID\"=\"" + std::string(17, 'b') + "\"", true},
               {p + "\"dot11DesiredBSSID\"=\"" + std::string(18, 'b') + "\"", false},
               {profile + std::string(32, 'n') + "]", true},
               {profile + std::string(33, 'n') + "]", false},
               {"[HKEY_LOCAL_MACHINE\\X\\" + std::string(255, 'k') + "]", true},
               {"[HKEY_LOCAL_MACHINE\\X\\" + std::string(256, 'k') + "]", false}};
  for (const Case& c : cases) {
    const std::string text = "REGEDIT4\n" + c.value + "\n";
    std::vector<RegKeyDump> keys;
    RegeditError error;
    ASSERT_TRUE(ParseRegedit4(text, &keys, &error)) << c.value;
    EXPECT_EQ(CheckImport(keys, ChannelRange{1, 11}, &error), c.taken) << c.value;
  }
}

}  // namespace
}  // namespace nv::cli
