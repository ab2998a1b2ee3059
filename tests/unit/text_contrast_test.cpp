// A text colour is kept where it reads on its background and moved just far enough where not.
#include "controls/text_contrast.h"

#include <gtest/gtest.h>

namespace nv {
namespace {

TEST(TextContrast, KeepsWhatReadsMovesWhatDoesNot) {
  struct Row {
    uint32_t text;
    uint32_t background;
    bool kept;
  };
  for (const Row& row : {
           Row{0x000000, 0xFFFFFF, true},
           Row{0x767676, 0xFFFFFF, true},   // 4.54:1, the lightest grey that reads on white
           Row{0x777777, 0xFFFFFF, false},  // 4.48:1
           Row{0xFF0000, 0xFFFFFF, true},   // blue
           Row{0x000000, 0x202020, false},  // black text on a dark scheme's face
           Row{0x808080, 0xC8D0D4, false},  // grey text on the classic button face
           Row{0x5A5A5A, 0xF1D8C6, true},   // the window's inactive page label
       }) {
    const uint32_t shown = ReadableTextColour(row.text, row.background);
    EXPECT_EQ(shown == row.text, row.kept) << std::hex << row.text << " on " << row.background;
    EXPECT_GE(ContrastRatio(shown, row.background), kMinTextContrast) << std::hex << row.text;
  }
  // Where a chosen colour fails, the system's text colour for that ground comes first.
  EXPECT_EQ(ReadableTextColour(0x000000, 0x202020, 0xFFFFFF), 0xFFFFFFu);
  EXPECT_EQ(ReadableTextColour(0x767676, 0xFFFFFF, 0x000000), 0x767676u);
  EXPECT_GE(ContrastRatio(ReadableTextColour(0x000000, 0x202020, 0x303030), 0x202020),
            kMinTextContrast);
  // A grey stays a grey, darker on light faces and lighter on dark ones.
  EXPECT_EQ(ReadableTextColour(0x808080, 0xC8D0D4) & 0xFF,
            (ReadableTextColour(0x808080, 0xC8D0D4) >> 8) & 0xFF);
  EXPECT_GT(ReadableTextColour(0x808080, 0x202020) & 0xFF, 0x80u);
}

}  // namespace
}  // namespace nv
