// The animated picture's GIF block walk and frame extraction, on GIFs built block by block.
#include "controls/gif_walk.h"

#include <gtest/gtest.h>

#include "gif_builder.h"

namespace nv {
namespace {

using test::GifBuilder;

const std::vector<uint32_t> kPalette{0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF};

// Three frames: an application extension first, a comment between frames, a comment between the
// second frame's control and its image, a local colour table on the third.
std::vector<uint8_t> ThreeFrames() {
  GifBuilder gif(20, 10, kPalette);
  gif.Application().Control(0, 1).Image(0, 0, 20, 10, 1);
  gif.Comment("between frames").Control(50, 2).Comment("inside the frame").Image(2, 3, 5, 4, 2);
  gif.Control(200, 3).Image(10, 1, 6, 6, 1, {0x123456, 0x654321});
  return gif.Done();
}

TEST(GifWalk, FindsEveryFrameWithItsGeometryDelayAndDisposal) {
  const std::vector<uint8_t> data = ThreeFrames();
  const GifWalk walk = WalkGif(data);
  ASSERT_TRUE(walk.isGif);
  EXPECT_TRUE(walk.clean) << walk.problem;
  EXPECT_EQ(walk.width, 20);
  EXPECT_EQ(walk.height, 10);
  EXPECT_EQ(walk.headerSize, 13u + 12u);
  ASSERT_EQ(walk.frames.size(), 3u);
  const int32_t expected[3][6] = {{0, 0, 20, 10, 0, 1}, {2, 3, 5, 4, 50, 2}, {10, 1, 6, 6, 200, 3}};
  for (size_t i = 0; i < 3; ++i) {
    const GifFrame& f = walk.frames[i];
    EXPECT_EQ((std::vector<int32_t>{f.left, f.top, f.width, f.height, f.delay, f.disposal}),
              std::vector<int32_t>(expected[i], expected[i] + 6))
        << "frame " << i;
    EXPECT_EQ(data[f.offset], 0x21) << "frame " << i << " starts at its control";
    EXPECT_EQ(data[f.offset + 1], 0xF9);
  }
  // The comment between frames is not part of the second frame; the one inside it is.
  const GifFrame& second = walk.frames[1];
  const std::string body(data.begin() + static_cast<long>(second.offset),
                         data.begin() + static_cast<long>(second.offset + second.length));
  EXPECT_EQ(body.find("between frames"), std::string::npos);
  EXPECT_NE(body.find("inside the frame"), std::string::npos);
}

TEST(GifWalk, ExtractsEachFrameAsAStandAloneGif) {
  const std::vector<uint8_t> data = ThreeFrames();
  const GifWalk walk = WalkGif(data);
  ASSERT_EQ(walk.frames.size(), 3u);
  for (const GifFrame& f : walk.frames) {
    const std::vector<uint8_t> one = ExtractGifFrame(data, walk, f);
    ASSERT_EQ(one.size(), walk.headerSize + f.length + 1);
    EXPECT_TRUE(
        std::equal(data.begin(), data.begin() + static_cast<long>(walk.headerSize), one.begin()));
    EXPECT_TRUE(std::equal(one.begin() + static_cast<long>(walk.headerSize), one.end() - 1,
                           data.begin() + static_cast<long>(f.offset)));
    EXPECT_EQ(one.back(), 0x3B);
    const GifWalk again = WalkGif(one);
    EXPECT_TRUE(again.clean);
    ASSERT_EQ(again.frames.size(), 1u);
    EXPECT_EQ(again.frames[0].width, f.width);
    EXPECT_EQ(again.frames[0].delay, f.delay);
  }
  GifFrame outside = walk.frames[2];
  outside.length = data.size();  // a frame that does not lie inside the data
  EXPECT_TRUE(ExtractGifFrame(data, walk, outside).empty());
}

TEST(GifWalk, FramesWithoutControlOrWithPlainTextAndNoScreenTable) {
  GifBuilder gif(30, 20, {});
  gif.Comment("c").Image(1, 2, 3, 4, 0, kPalette).PlainText(5, 6, 7, 8, "hello");
  const std::vector<uint8_t> data = gif.Done();
  const GifWalk walk = WalkGif(data);
  EXPECT_TRUE(walk.clean) << walk.problem;
  EXPECT_EQ(walk.headerSize, 13u);
  ASSERT_EQ(walk.frames.size(), 2u);
  EXPECT_EQ(walk.frames[0].delay, kGifNoDelay);
  EXPECT_EQ(walk.frames[0].disposal, 0);
  EXPECT_EQ(data[walk.frames[0].offset], 0x2C);  // the comment before it is left out
  EXPECT_FALSE(walk.frames[0].plainText);
  EXPECT_TRUE(walk.frames[1].plainText);
  EXPECT_EQ((std::vector<int32_t>{walk.frames[1].left, walk.frames[1].top, walk.frames[1].width,
                                  walk.frames[1].height}),
            (std::vector<int32_t>{5, 6, 7, 8}));
}

// Every prefix of a GIF: only whole frames count, nothing is read past the end, never clean.
TEST(GifWalk, TruncatedDataKeepsTheWholeFramesBeforeTheCut) {
  const std::vector<uint8_t> data = ThreeFrames();
  const GifWalk full = WalkGif(data);
  for (size_t size = 0; size < data.size(); ++size) {
    const std::vector<uint8_t> cut(data.begin(), data.begin() + static_cast<long>(size));
    const GifWalk walk = WalkGif(cut);
    size_t whole = 0;
    for (const GifFrame& f : full.frames) whole += f.offset + f.length <= size ? 1 : 0;
    EXPECT_EQ(walk.frames.size(), whole) << "size " << size;
    EXPECT_FALSE(walk.clean) << "size " << size;
    EXPECT_FALSE(walk.problem.empty());
  }
}

TEST(GifWalk, RefusesHostileBlocksWithAReason) {
  struct Case {
    const char* name;
    std::vector<uint8_t> data;
    size_t frames;
    const char* problem;
  };
  auto base = [] { return GifBuilder(8, 8, kPalette); };
  auto longComment = base();
  longComment.Image(0, 0, 8, 8, 1).bytes().insert(longComment.bytes().end(), {0x21, 0xFE, 200, 1});
  auto bigLocalTable = base();
  bigLocalTable.bytes().insert(bigLocalTable.bytes().end(),
                               {0x2C, 0, 0, 0, 0, 8, 0, 8, 0, 0x87, 8, 0, 0x3B});
  auto unknown = base();
  unknown.Image(0, 0, 8, 8, 1).bytes().push_back(0x99);
  auto controlThenTrailer = base();
  controlThenTrailer.Image(0, 0, 8, 8, 1).Control(10, 0);
  auto unknownExtension = base();
  unknownExtension.bytes().insert(unknownExtension.bytes().end(), {0x21, 0x42, 0, 0x3B});
  std::vector<uint8_t> shortTable{'G', 'I', 'F', '8', '9', 'a', 8, 0, 8, 0, 0x87, 0, 0, 1, 2};
  const std::vector<Case> cases = {
      {"sub-block past the end", longComment.bytes(), 1, "comment extension at offset"},
      {"local table past the end", bigLocalTable.bytes(), 0, "image at offset 25 runs past"},
      {"unknown block", unknown.Done(), 1, "unknown block 0x99"},
      {"control without image", controlThenTrailer.Done(), 1, "without an image"},
      {"unknown extension", unknownExtension.bytes(), 0, "unknown block 0x21"},
      {"screen table past the end", shortTable, 0, "screen colour table runs past"},
      {"no signature", {'G', 'I', 'F', '8', '8', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B}, 0, "not a GIF"},
      {"short screen", {'G', 'I', 'F', '8', '7', 'a', 1, 0}, 0, "logical screen descriptor"},
      {"no trailer", base().Image(0, 0, 8, 8, 1).bytes(), 1, "without a trailer"},
  };
  for (const Case& c : cases) {
    const GifWalk walk = WalkGif(c.data);
    EXPECT_EQ(walk.frames.size(), c.frames) << c.name;
    EXPECT_FALSE(walk.clean) << c.name;
    EXPECT_NE(walk.problem.find(c.problem), std::string::npos) << c.name << ": " << walk.problem;
  }
}

TEST(GifWalk, FrameWaits) {
  const std::pair<int32_t, uint32_t> cases[] = {
      {0, 100}, {4, 100}, {5, 50}, {50, 500}, {200, 2000}, {kGifNoDelay, 100}, {65535, 655350}};
  for (const auto& [delay, ms] : cases) EXPECT_EQ(GifFrameWaitMs(delay), ms) << delay;
}

}  // namespace
}  // namespace nv
