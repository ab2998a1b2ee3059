#include <gtest/gtest.h>

#include <vector>

#include "store/key_scramble.h"

namespace nv {
namespace {

std::vector<uint8_t> Unscramble(std::string_view text, int32_t* count) {
  std::vector<uint8_t> out(128, 0xEE);
  *count = UnscrambleKey(text, out.data(), out.size());
  return out;
}

TEST(KeyScramble, KnownTexts) {
  // 'p' ^ 0x00 = 0x70 ... byte 0 is the last pair.
  const uint8_t zeros[5] = {};
  EXPECT_EQ(ScrambleKey(zeros, 5), "786d717770");  // "pwqmx" reversed
  const uint8_t key[5] = {0x01, 0x02, 0x03, 0x04, 0x05};
  // 0x05^'x' 0x04^'m' 0x03^'q' 0x02^'w' 0x01^'p'
  EXPECT_EQ(ScrambleKey(key, 5), "7d69727571");
  EXPECT_EQ(ScrambleKey(key, 5).substr(8, 2), "71");  // 0x01 ^ 'p'
  EXPECT_EQ(ScrambleKey(key, 5).substr(0, 2), "7d");  // 0x05 ^ 'x'
}

TEST(KeyScramble, EmptyAndNegativeCounts) {
  const uint8_t key[1] = {1};
  EXPECT_EQ(ScrambleKey(key, 0), "");
  EXPECT_EQ(ScrambleKey(key, -3), "");
  int32_t count = 9;
  Unscramble("", &count);
  EXPECT_EQ(count, 0);
  Unscramble("a", &count);
  EXPECT_EQ(count, 0);
}

TEST(KeyScramble, RoundTripsEveryLengthUpTo32AndCutsLongerKeys) {
  std::vector<uint8_t> key(40);
  for (size_t i = 0; i < key.size(); ++i) key[i] = static_cast<uint8_t>(i * 37 + 11);
  for (int32_t n = 1; n <= 40; ++n) {
    const std::string text = ScrambleKey(key.data(), n);
    const int32_t stored = n > 32 ? 32 : n;
    ASSERT_EQ(text.size(), static_cast<size_t>(2 * stored));
    for (char c : text) EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')) << text;
    int32_t count = 0;
    const auto back = Unscramble(text, &count);
    ASSERT_EQ(count, stored);
    for (int32_t i = 0; i < stored; ++i) EXPECT_EQ(back[i], key[i]) << n << ":" << i;
  }
}

TEST(KeyScramble, UpperCaseOddLengthAndNonHexTexts) {
  const uint8_t key[5] = {0xDE, 0xAD, 0xBE, 0xEF, 0x42};
  const std::string lower = ScrambleKey(key, 5);
  std::string upper = lower;
  for (char& c : upper) c = static_cast<char>(std::toupper(c));
  int32_t count = 0;
  EXPECT_EQ(Unscramble(upper, &count), Unscramble(lower, &count));
  // 11 characters: character 0 is never used.
  const auto odd = Unscramble("Z" + lower, &count);
  EXPECT_EQ(count, 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(odd[i], key[i]);
  // A pair with a non-digit yields its leading digits' value (0 when none) before the XOR.
  Unscramble("zz", &count);
  EXPECT_EQ(Unscramble("zz", &count)[0], 'p');
  EXPECT_EQ(Unscramble("3z", &count)[0], 3 ^ 'p');
}

TEST(KeyScramble, TheTextRepeatsEvery39Bytes) {
  const std::string text(80, '0');  // 40 zero bytes: the scramble text itself comes back
  int32_t count = 0;
  const auto bytes = Unscramble(text, &count);
  EXPECT_EQ(count, 40);
  EXPECT_EQ(bytes[0], 'p');
  EXPECT_EQ(bytes[38], '7');
  EXPECT_EQ(bytes[39], 'p');
}

TEST(KeyScramble, UnscrambleReportsTheCountButWritesOnlyWhatFits) {
  std::vector<uint8_t> out(4, 0xEE);
  out.push_back(0x99);  // sentinel
  EXPECT_EQ(UnscrambleKey(std::string(20, '0'), out.data(), 4), 10);
  EXPECT_EQ(out[4], 0x99);
}

}  // namespace
}  // namespace nv
