// The animated picture: decoding, the still picture, and the animation's order, disposal and
// timing through an injected wait (nothing sleeps).
#include "controls/animated_picture.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

#include "gif_builder.h"

namespace nv {
namespace {

using test::GifBuilder;

constexpr uint32_t kWhite = 0xFFFFFF, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
const std::vector<uint32_t> kPalette{kWhite, kRed, kGreen, kBlue};

// Records every wait with a picture of the screen at that moment. The first `free` waits return
// at once; the next one blocks like the real event until Stop signals it.
class ScriptedWait : public FrameWait {
 public:
  explicit ScriptedWait(size_t free) : free_(free) {}
  bool Wait(uint32_t ms) override {
    {
      std::lock_guard lock(mutex_);
      waits.push_back(ms);
      shots.push_back(snapshot ? snapshot() : QImage());
      reached_.notify_all();
      if (waits.size() <= free_) return false;
    }
    return event_.Wait(60000);
  }
  void Signal() override { event_.Signal(); }
  void Reset() override { event_.Reset(); }
  // Until the worker has entered `count` waits (false after ten seconds).
  bool Reached(size_t count) {
    std::unique_lock lock(mutex_);
    return reached_.wait_for(lock, std::chrono::seconds(10), [&] { return waits.size() >= count; });
  }
  std::function<QImage()> snapshot;
  std::vector<uint32_t> waits;
  std::vector<QImage> shots;

 private:
  size_t free_;
  std::mutex mutex_;
  std::condition_variable reached_;
  EventWait event_;
};

uint32_t Rgb(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

struct Animation {
  explicit Animation(size_t freeWaits) : free(freeWaits) {
    auto owned = std::make_unique<ScriptedWait>(free);
    wait = owned.get();
    picture = std::make_unique<AnimatedPicture>(nullptr, std::move(owned));
    wait->snapshot = [this] { return picture->Snapshot(); };
  }
  // Runs until the worker blocks after the free waits, then stops it.
  void Play(const std::vector<uint8_t>& gif) {
    ASSERT_TRUE(picture->Load(gif));
    ASSERT_TRUE(picture->IsAnimated());
    EXPECT_FALSE(picture->Draw());  // the animation started
    ASSERT_TRUE(wait->Reached(free + 1));
    picture->Stop();
    EXPECT_FALSE(picture->running());
  }
  uint32_t background() const { return picture->backgroundColour().rgb() & 0xFFFFFF; }
  size_t free;
  ScriptedWait* wait;
  std::unique_ptr<AnimatedPicture> picture;
};

TEST(AnimatedPicture, PlaysFramesInOrderWithTheirWaitsAndClearsBeforeStartingOver) {
  GifBuilder gif(12, 8, kPalette);
  gif.Application().Control(0, 0).Image(0, 0, 4, 8, 1);
  gif.Comment("between").Control(50, 0).Comment("inside").Image(4, 0, 4, 8, 2);
  gif.Control(200, 0).Image(8, 2, 4, 4, 1, {kWhite, 0x808080});  // local table: grey
  Animation a(3);
  a.Play(gif.Done());
  ASSERT_EQ(a.picture->frames().size(), 3u);
  EXPECT_EQ(a.picture->size(), QSize(12, 8));
  EXPECT_EQ(a.wait->waits, (std::vector<uint32_t>{100, 500, 2000, 100}));
  const std::vector<QImage>& s = a.wait->shots;
  EXPECT_EQ(Rgb(s[0], 1, 1), kRed);
  EXPECT_NE(Rgb(s[0], 5, 1), kGreen);
  EXPECT_EQ(Rgb(s[1], 1, 1), kRed);  // disposal 0 leaves a frame in place
  EXPECT_EQ(Rgb(s[1], 5, 1), kGreen);
  EXPECT_EQ(Rgb(s[2], 9, 3), 0x808080u);
  EXPECT_EQ(Rgb(s[2], 9, 0), Rgb(s[0], 9, 0));  // outside every frame: untouched
  // Starting over: the picture was cleared, then the first frame drawn again.
  EXPECT_EQ(Rgb(s[3], 1, 1), kRed);
  EXPECT_EQ(Rgb(s[3], 5, 1), a.background());
  EXPECT_EQ(Rgb(s[3], 9, 3), a.background());
  EXPECT_EQ(a.picture->currentFrame(), 0);
}

TEST(AnimatedPicture, DisposalTwoClearsAndThreeRestores) {
  GifBuilder gif(10, 10, kPalette);
  gif.Control(10, 0).Image(0, 0, 10, 10, 1);  // red everywhere
  gif.Control(10, 2).Image(0, 0, 5, 5, 2);    // green, then cleared
  gif.Control(10, 3).Image(5, 5, 5, 5, 3);    // blue, then the red under it comes back
  gif.Control(10, 0).Image(9, 0, 1, 1, 3);
  Animation a(4);
  a.Play(gif.Done());
  const std::vector<QImage>& s = a.wait->shots;
  ASSERT_EQ(s.size(), 5u);
  EXPECT_EQ(Rgb(s[1], 2, 2), kGreen);
  EXPECT_EQ(Rgb(s[2], 2, 2), a.background());
  EXPECT_EQ(Rgb(s[2], 7, 7), kBlue);
  EXPECT_EQ(Rgb(s[3], 7, 7), kRed);
  EXPECT_EQ(Rgb(s[3], 2, 2), a.background());
  EXPECT_EQ(Rgb(s[3], 9, 0), kBlue);
}

TEST(AnimatedPicture, TransparentPixelsLeaveWhatIsUnderThem) {
  GifBuilder gif(4, 2, kPalette);
  gif.Control(10, 0).Image(0, 0, 4, 2, 1);                 // red
  gif.Control(10, 0, 0).Pixels(0, 0, 4, 1, {0, 2, 0, 3});  // index 0 is transparent
  Animation a(2);
  a.Play(gif.Done());
  const QImage& shot = a.wait->shots[1];
  EXPECT_EQ((std::vector<uint32_t>{Rgb(shot, 0, 0), Rgb(shot, 1, 0), Rgb(shot, 2, 0),
                                   Rgb(shot, 3, 0), Rgb(shot, 0, 1)}),
            (std::vector<uint32_t>{kRed, kGreen, kRed, kBlue, kRed}));
}

TEST(AnimatedPicture, StopReturnsAtOnceFromALongDelayAndDrawResumesTheFrame) {
  GifBuilder gif(4, 4, kPalette);
  gif.Control(65535, 0).Image(0, 0, 4, 4, 1).Control(65535, 0).Image(0, 0, 4, 4, 2);
  Animation a(0);  // every wait blocks like the event: 655 s
  ASSERT_TRUE(a.picture->Load(gif.Done()));
  EXPECT_FALSE(a.picture->Draw());
  ASSERT_TRUE(a.wait->Reached(1));
  const auto start = std::chrono::steady_clock::now();
  a.picture->Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(a.wait->waits, std::vector<uint32_t>{655350});
  EXPECT_EQ(a.picture->currentFrame(), 0);
  EXPECT_EQ(Rgb(a.picture->Snapshot(), 1, 1), kRed);
  EXPECT_FALSE(a.picture->Draw());  // the event was reset: the same frame waits again
  ASSERT_TRUE(a.wait->Reached(2));
  EXPECT_EQ(Rgb(a.wait->shots[1], 1, 1), kRed);
  a.picture->Stop();
}

TEST(AnimatedPicture, StopWakesTheRealEvent) {
  GifBuilder gif(4, 4, kPalette);
  gif.Control(65535, 0).Image(0, 0, 4, 4, 1).Control(65535, 0).Image(0, 0, 4, 4, 2);
  AnimatedPicture picture;
  const std::vector<uint8_t> data = gif.Done();
  ASSERT_TRUE(picture.Load(data));
  EXPECT_FALSE(picture.Draw());
  const auto start = std::chrono::steady_clock::now();
  picture.Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_FALSE(picture.running());
  picture.Unload();
  EXPECT_TRUE(picture.frames().empty());
  EXPECT_FALSE(picture.Draw());  // nothing loaded
}

TEST(AnimatedPicture, StillPicturesAreDecodedWhole) {
  AnimatedPicture picture;
  GifBuilder one(6, 5, kPalette);
  one.Control(0, 0).Image(1, 1, 2, 2, 3);
  ASSERT_TRUE(picture.Load(one.Done()));
  EXPECT_FALSE(picture.IsAnimated());
  EXPECT_EQ(picture.size(), QSize(6, 5));
  EXPECT_TRUE(picture.Draw());
  EXPECT_EQ(Rgb(picture.Snapshot(), 1, 1), kBlue);

  QImage png(3, 7, QImage::Format_RGB32);
  png.fill(QColor(0, 255, 0));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && png.save(&buffer, "PNG"));
  ASSERT_TRUE(picture.Load(
      {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())}));
  EXPECT_EQ(picture.size(), QSize(3, 7));
  EXPECT_TRUE(picture.Draw());
  EXPECT_EQ(Rgb(picture.grab().toImage(), 1, 1), kGreen);
}

TEST(AnimatedPicture, FramesThatDoNotDecodeAreLeftOut) {
  GifBuilder gif(6, 4, kPalette);
  gif.Control(10, 0).Image(2, 1, 3, 2, 2);
  gif.Control(10, 0).bytes().insert(gif.bytes().end(),  // an image whose code size is absurd
                                    {0x2C, 0, 0, 0, 0, 6, 0, 4, 0, 0, 0x40, 1, 0xFF, 0});
  AnimatedPicture picture;
  ASSERT_TRUE(picture.Load(gif.Done()));
  EXPECT_EQ(picture.frames().size(), 1u);
  EXPECT_FALSE(picture.IsAnimated());
  EXPECT_TRUE(picture.Draw());  // the one frame left shows, in its place
  EXPECT_EQ(Rgb(picture.Snapshot(), 3, 2), kGreen);
  EXPECT_NE(Rgb(picture.Snapshot(), 0, 0), kGreen);
}

TEST(AnimatedPicture, RefusesDataWithoutAWholeFrameOrOfAbsurdSize) {
  AnimatedPicture picture;
  GifBuilder gif(6, 5, kPalette);
  gif.Control(0, 0).Image(0, 0, 6, 5, 1);
  std::vector<uint8_t> cut = gif.bytes();
  cut.resize(cut.size() - 3);
  GifBuilder huge(60000, 60000, kPalette);  // two 1 x 1 frames on a 14 GB screen
  huge.Control(0, 0).Image(0, 0, 1, 1, 1).Control(0, 0).Image(1, 1, 1, 1, 2);
  for (const std::vector<uint8_t>& data :
       {cut, std::vector<uint8_t>{'G', 'I', 'F', '8', '9', 'a', 6, 0, 5, 0, 0, 0, 0, 0x3B},
        std::vector<uint8_t>{'n', 'o', 'p', 'e'}, huge.Done()}) {
    EXPECT_FALSE(picture.Load(data));
    EXPECT_FALSE(picture.Draw());
  }
}

}  // namespace
}  // namespace nv
