#include <gtest/gtest.h>

#include "adapter/records.h"

namespace nv {
namespace {

TEST(RateCodes, IndexToCodeSendsTheTabledCodes) {
  struct Case {
    int32_t index;
    uint8_t code;
  } cases[] = {{0, 220},
               {1, 10},
               {2, 20},
               {3, 55},
               {4, 183},
               {5, 110},
               {6, 238},
               {7, 220},
               {8, 220},
               {200, 220},
               {-1, 220},
               // only the low byte counts: 0x105 is index 5
               {0x105, 110},
               {0x7FFFFF01, 10}};
  for (const Case& c : cases) EXPECT_EQ(RateCodeFromIndex(c.index), c.code) << c.index;
}

TEST(RateCodes, CodeToIndexMapsExactlySevenCodes) {
  struct Case {
    uint32_t code;
    uint8_t index;
  } cases[] = {{10, 1},        {20, 2},          {55, 3},        {183, 4}, {110, 5},
               {238, 6},       {220, 7},         {221, 0},       {0, 0},   {11, 0},
               {0x80 + 10, 0}, {0x100 + 110, 0}, {0xFFFFFFFF, 0}};
  for (const Case& c : cases) EXPECT_EQ(RateIndexFromCode(c.code), c.index) << c.code;
}

TEST(RateCodes, UnknownCodeLeavesTheIndexAlone) {
  uint8_t index = 6;
  EXPECT_FALSE(DecodeRateCode(221, &index));
  EXPECT_EQ(index, 6);
  EXPECT_TRUE(DecodeRateCode(220, &index));
  EXPECT_EQ(index, 7);  // 22 Mbit/s reads back as index 7, never as Auto
}

TEST(RateCodes, EveryIndexRoundTripsExceptAuto) {
  for (int32_t index = 1; index < kRateIndexCount; ++index) {
    EXPECT_EQ(RateIndexFromCode(RateCodeFromIndex(index)), index);
  }
}

}  // namespace
}  // namespace nv
