#include <gtest/gtest.h>

#include <cstring>

#include "adapter_fixture.h"
#include "logic/options.h"
#include "store/md5.h"
#include "store/wep_keys.h"

namespace nv {
namespace {

TEST(Passphrase, PublishedVectors) {
  EXPECT_EQ(GenerateKeysFromPassphrase("badpw", kKeySize64),
            std::vector<std::string>({"02CB778981", "C27236DFB1", "C90C104FA2", "A804571CC0"}));
  EXPECT_EQ(GenerateKeysFromPassphrase("abcdefghijklm", kKeySize128)[0],
            "F343DCEF2A6EA4CE5D63DABC45");
  EXPECT_EQ(GenerateKeysFromPassphrase("foobar", kKeySize128)[0], "49D68437B1FFB0DB3FDF2D4A93");
}

TEST(Passphrase, ShapesAndDerivation) {
  for (int size : {kKeySize64, kKeySize128, kKeySize256}) {
    const auto keys = GenerateKeysFromPassphrase("a fairly long passphrase of 32ch", size);
    ASSERT_EQ(keys.size(), 4u);
    for (const auto& k : keys) {
      EXPECT_EQ(k.size(), static_cast<size_t>(2 * kKeyBytesBySize[size]));
      for (char c : k) EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'));
    }
    EXPECT_EQ(keys, GenerateKeysFromPassphrase("a fairly long passphrase of 32ch", size));
  }
  // A 256-bit key starts with all 16 bytes of the hash whose first 13 make the 128-bit key.
  const auto k128 = GenerateKeysFromPassphrase("foobar", kKeySize128);
  const auto k256 = GenerateKeysFromPassphrase("foobar", kKeySize256);
  EXPECT_EQ(k256[0].substr(0, 26), k128[0]);
  EXPECT_EQ(k256[1].substr(0, 26), k128[2]);  // appended byte 2 in both
  EXPECT_EQ(k256[0].substr(32), k128[1]);     // appended byte 1
  EXPECT_TRUE(GenerateKeysFromPassphrase("", kKeySize64).empty());
  EXPECT_TRUE(GenerateKeysFromPassphrase("x", -1).empty());
  EXPECT_TRUE(GenerateKeysFromPassphrase("x", 3).empty());
}

TEST(Passphrase, SixtyFourBitTrace) {
  std::string trace;
  GenerateKeysFromPassphrase("badpw", kKeySize64, &trace);
  // seed: 'b'^'w', 'a', 'd', 'p' -> x = 0x70646115
  EXPECT_EQ(trace.rfind("rand 70646115 \nrandNumber = ", 0), 0u) << trace;
  EXPECT_NE(trace.find("key 0 = 2 \n"), std::string::npos);
  // the trace numbers bytes 4k + j, so neighbouring keys share numbers
  EXPECT_NE(trace.find("key 16 = c0 \n"), std::string::npos);
}

TEST(KeyRules, RequiredCharacters) {
  struct Case {
    int size, format, chars;
  } cases[] = {{0, 0, 5},  {1, 0, 13}, {2, 0, 29}, {0, 1, 10}, {1, 1, 26},
               {2, 1, 58}, {-1, 1, 0}, {3, 0, 0},  {0, 2, 0}};
  for (const Case& c : cases) EXPECT_EQ(RequiredKeyChars(c.size, c.format), c.chars);
}

std::string SlotHex(const WepKeySlot& slot) {
  return test::HexOf({slot.material, static_cast<size_t>(slot.length)});
}

TEST(KeyRules, TextToBytes) {
  struct Case {
    const char* text;
    int format;
    const char* hex;
  } cases[] = {
      {"0123456789", kKeyFormatHex, "0123456789"},
      {"abCDef0102", kKeyFormatHex, "abcdef0102"},
      {"123", kKeyFormatHex, "12"},     // odd length: the last digit is dropped
      {"zz12", kKeyFormatHex, "0012"},  // no number: the previous byte (0 at first)
      {"12zz", kKeyFormatHex, "1212"},
      {"1z", kKeyFormatHex, "01"},  // read from the first digit alone
      {"Hello", kKeyFormatAscii, "48656c6c6f"},
      {"", kKeyFormatAscii, ""},
  };
  for (const Case& c : cases) {
    WepKeySlot slot{};
    KeyTextToBytes(c.text, c.format, slot);
    EXPECT_EQ(SlotHex(slot), c.hex) << c.text;
  }
  WepKeySlot slot{};
  KeyTextToBytes(std::string(300, 'k'), kKeyFormatAscii, slot);
  EXPECT_EQ(slot.length, 128);
}

TEST(KeyRules, BytesToText) {
  struct Case {
    int32_t length;
    int size;
    int limit;
  } cases[] = {{0, 0, 10}, {5, 0, 10}, {13, 1, 26}, {29, 2, 58}, {7, -1, 0}, {32, -1, 0}};
  for (const Case& c : cases) {
    WepKeySlot slot{};
    std::memset(slot.material, 0xAB, sizeof slot.material);
    slot.length = c.length;
    const KeyText text = KeyBytesToText(slot);
    EXPECT_EQ(text.text.size(), static_cast<size_t>(2 * c.length));
    if (c.length > 0) {
      EXPECT_EQ(text.text.substr(0, 2), "AB");
    }
    EXPECT_EQ(text.sizeIndex, c.size);
    EXPECT_EQ(text.boxLimit, c.limit);
  }
}

TEST(KeyRules, LengthCheck) {
  using Keys = std::array<KeyBoxInput, 4>;
  const std::string k10(10, 'a'), k26(26, 'b'), k20(20, 'c');
  struct Case {
    Keys keys;
    int format;
    int defaultKey;
    int failing;
    const char* message;
  } cases[] = {
      {{{{k10, 0}, {k20, 1}, {"", 0}, {"", 0}}},
       kKeyFormatHex,
       0,
       2,
       "WEP key 2 size mistake!\n Need 26 characters"},
      {{{{k10, 0}, {k26, 1}, {"", 0}, {"", 0}}},
       kKeyFormatHex,
       2,
       3,
       "WEP key 3 size mistake!\n Need 10 characters"},
      {{{{k10, 0}, {k26, 1}, {"", 0}, {"", 0}}}, kKeyFormatHex, 0, 0, ""},
      {{{{"", 0}, {"", 0}, {"", 0}, {"", 0}}},
       kKeyFormatHex,
       0,
       1,
       "WEP key 1 size mistake!\n Need 10 characters"},
      {{{{"abcde", 0}, {"", 0}, {"", 2}, {std::string(30, 'x'), 2}}},
       kKeyFormatAscii,
       0,
       4,
       "WEP key 4 size mistake!\n Need 29 characters"},
  };
  for (const Case& c : cases) {
    const KeyCheckResult r = CheckKeyLengths(c.keys, c.format, c.defaultKey);
    EXPECT_EQ(r.ok, c.failing == 0);
    EXPECT_EQ(r.failingKey, c.failing);
    EXPECT_EQ(r.message, c.message);
  }
  EXPECT_EQ(kKeyWarningCaption, "Warning");
}

}  // namespace
}  // namespace nv
