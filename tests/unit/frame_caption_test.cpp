// Where the group frame's caption cuts its top line.
#include "controls/frame_caption.h"

#include <gtest/gtest.h>

namespace nv {
namespace {

TEST(FrameCaption, PlacesTheGapByAlignment) {
  struct Row {
    CaptionAlign align;
    int width;
    int left;
    int right;
  };
  // Frame 0..200, caption text height 13: the top line at 13 / 2 - 1 = 5.
  for (const Row& row :
       {Row{CaptionAlign::Left, 60, 8, 68}, Row{CaptionAlign::Right, 60, 132, 192},
        Row{CaptionAlign::Centre, 60, 70, 130}, Row{CaptionAlign::Left, 0, 8, 8},
        Row{CaptionAlign::Left, 300, 8, 200}, Row{CaptionAlign::Right, 300, 0, 192}}) {
    const CaptionPlace place = PlaceCaption(0, 200, 0, 13, row.width, row.align);
    EXPECT_EQ(place.left, row.left) << row.width;
    EXPECT_EQ(place.right, row.right) << row.width;
    EXPECT_EQ(place.topLine, 5);
  }
  EXPECT_EQ(PlaceCaption(10, 50, 20, 16, 10, CaptionAlign::Left).topLine, 27);
}

}  // namespace
}  // namespace nv
