// A picture control that shows an image from memory or the program's resources and, when it is a
// GIF of more than one frame, animates it on a worker thread of its own. The GIF is split into
// frames by the block walk; each frame, cut out as a stand-alone GIF, is decoded by Qt's image
// reader. The control draws into an off-screen image of the picture's size and paints that.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "controls/frame_wait.h"

namespace nv {

struct PictureFrame {
  QImage picture;  // the decoded stand-alone frame GIF
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t delay = 0;  // hundredths of a second; -1 without a graphic control extension
  int32_t disposal = 0;
};

inline constexpr int kStopJoinLimitMs = 5000;

class AnimatedPicture : public QWidget {
  Q_OBJECT

 public:
  // `wait`: the wait between frames (a manual-reset event unless a test gives its own).
  explicit AnimatedPicture(QWidget* parent = nullptr, std::unique_ptr<FrameWait> wait = nullptr);
  ~AnimatedPicture() override;

  // Parses and decodes; prepares the off-screen image and takes the picture's size.
  bool Load(std::span<const uint8_t> gif);
  // Loads the resource ":/TYPE/ID" (the About picture is LoadFromResource(150, "GIF")).
  bool LoadFromResource(int id, const QString& type);
  // Starts the animation (false) or renders the still picture (true when it rendered).
  bool Draw();
  // Ends the worker, if any; the frames stay.
  void Stop();
  // Stop, then back to the constructed state.
  void Unload();
  bool IsAnimated() const { return isGif_ && frames_.size() > 1; }

  // What the screen shows: a copy of the off-screen image.
  QImage Snapshot() const;
  const std::vector<PictureFrame>& frames() const { return frames_; }
  int currentFrame() const { return current_; }
  QColor backgroundColour() const { return background_; }
  bool running() const { return worker_.joinable(); }

 Q_SIGNALS:
  // The worker drew a frame (delivered on the control's own thread, where it repaints).
  void frameDrawn();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool Prepare(int width, int height);
  void Animate();
  void RenderFrame(const PictureFrame& frame);
  void DisposeFrame(const PictureFrame& frame);

  std::unique_ptr<FrameWait> wait_;
  int width_ = 0;
  int height_ = 0;
  QColor background_;
  std::atomic<int> current_{0};  // the worker advances it
  bool isGif_ = false;
  bool ready_ = false;
  std::atomic<bool> stopRequest_{false};
  QImage single_;
  std::vector<PictureFrame> frames_;

  mutable std::mutex imageMutex_;  // the worker draws, the paint handler copies
  QImage image_;
  QImage saved_;  // the area under a frame whose disposal is 3, while it shows

  std::thread worker_;
  std::mutex endMutex_;
  std::condition_variable ended_;
  bool workerEnded_ = false;
};

}  // namespace nv
