#include "controls/animated_picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <chrono>
#include <cstdio>

#include "controls/gif_walk.h"

namespace nv {

namespace {

QImage Decode(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  if (!buffer.open(QIODevice::ReadOnly)) return {};
  QImageReader reader(&buffer);
  reader.setDecideFormatFromContent(true);
  return reader.read();
}

QByteArray Bytes(std::span<const uint8_t> data) {
  return {reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size())};
}

QRect FrameRect(const PictureFrame& f) { return {f.left, f.top, f.width, f.height}; }

}  // namespace

AnimatedPicture::AnimatedPicture(QWidget* parent, std::unique_ptr<FrameWait> wait)
    : QWidget(parent), wait_(wait ? std::move(wait) : std::make_unique<EventWait>()) {
  setObjectName(QStringLiteral("animatedPicture"));
  connect(
      this, &AnimatedPicture::frameDrawn, this, [this] { update(); }, Qt::QueuedConnection);
}

AnimatedPicture::~AnimatedPicture() { Unload(); }

bool AnimatedPicture::LoadFromResource(int id, const QString& type) {
  QFile file(QStringLiteral(":/%1/%2").arg(type).arg(id));
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  return Load(
      {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())});
}

bool AnimatedPicture::Load(std::span<const uint8_t> gif) {
  Unload();
  const GifWalk walk = WalkGif(gif);
  if (!walk.isGif) {
    // Any other picture (or a GIF without a whole screen) goes to the decoder whole.
    single_ = Decode(Bytes(gif));
    if (single_.isNull()) return false;
    return Prepare(single_.width(), single_.height());
  }
  isGif_ = true;
  width_ = walk.width;
  height_ = walk.height;
  if (walk.frames.empty()) return false;
  if (walk.frames.size() == 1) {
    single_ = Decode(Bytes(gif));
    return !single_.isNull() && Prepare(walk.width, walk.height);
  }
  for (const GifFrame& f : walk.frames) {
    QImage picture = Decode(Bytes(ExtractGifFrame(gif, walk, f)));
    if (picture.isNull()) continue;  // a frame that does not decode is left out
    frames_.push_back({std::move(picture), f.left, f.top, f.width, f.height, f.delay, f.disposal});
  }
  return !frames_.empty() && Prepare(walk.width, walk.height);
}

bool AnimatedPicture::Prepare(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return false;
  width_ = width;
  height_ = height;
  resize(width, height);
  background_ = palette().color(QPalette::Button);
  image.fill(palette().color(QPalette::Window));
  {
    std::lock_guard lock(imageMutex_);
    image_ = std::move(image);
  }
  ready_ = true;
  return true;
}

bool AnimatedPicture::Draw() {
  if (!ready_ || running()) return false;
  if (IsAnimated()) {
    workerEnded_ = false;
    worker_ = std::thread([this] { Animate(); });
    return false;
  }
  if (frames_.size() == 1) {  // the only frame of several that decoded
    RenderFrame(frames_.front());
    return true;
  }
  if (single_.isNull()) return false;
  {
    std::lock_guard lock(imageMutex_);
    QPainter painter(&image_);
    painter.drawImage(QRect(0, 0, width_, height_), single_);
  }
  update();
  return true;
}

void AnimatedPicture::Animate() {
  const int count = static_cast<int>(frames_.size());
  DisposeFrame(frames_[static_cast<size_t>(current_)]);
  while (!stopRequest_) {
    const PictureFrame& frame = frames_[static_cast<size_t>(current_)];
    RenderFrame(frame);
    if (stopRequest_) break;
    wait_->Wait(GifFrameWaitMs(frame.delay));
    if (stopRequest_) break;
    DisposeFrame(frame);
    if (current_ + 1 < count) {
      ++current_;
    } else {
      current_ = 0;  // the frames start over on a cleared picture
      std::lock_guard lock(imageMutex_);
      image_.fill(background_);
    }
  }
  {
    std::lock_guard lock(endMutex_);
    workerEnded_ = true;
  }
  ended_.notify_all();
}

void AnimatedPicture::RenderFrame(const PictureFrame& frame) {
  const QRect area = FrameRect(frame);
  {
    std::lock_guard lock(imageMutex_);
    if (frame.disposal == 3) saved_ = image_.copy(area);
    // The decoder gives the whole screen with the frame in place, or just the frame.
    const QRect source =
        frame.picture.size() == area.size() ? QRect(QPoint(0, 0), area.size()) : area;
    QPainter painter(&image_);
    painter.drawImage(area.topLeft(), frame.picture, source);
  }
  Q_EMIT frameDrawn();
}

void AnimatedPicture::DisposeFrame(const PictureFrame& frame) {
  std::lock_guard lock(imageMutex_);
  if (frame.disposal == 2) {
    QPainter painter(&image_);
    painter.fillRect(FrameRect(frame), background_);
  } else if (frame.disposal == 3 && !saved_.isNull()) {
    QPainter painter(&image_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(frame.left, frame.top), saved_);
    saved_ = QImage();
  }
}

void AnimatedPicture::Stop() {
  if (!worker_.joinable()) return;
  stopRequest_ = true;
  wait_->Signal();
  {
    std::unique_lock lock(endMutex_);
    if (!ended_.wait_for(lock, std::chrono::milliseconds(kStopJoinLimitMs),
                         [this] { return workerEnded_; })) {
      // Its only wait has been signalled, so it is drawing; leaving it running would let it
      // draw into a control that may be gone, so wait on.
      std::fputs("wlanmon: the animation did not stop in time; waiting for it\n", stderr);
    }
  }
  worker_.join();
  wait_->Reset();
  stopRequest_ = false;
}

void AnimatedPicture::Unload() {
  Stop();
  frames_.clear();
  single_ = QImage();
  {
    std::lock_guard lock(imageMutex_);
    image_ = QImage();
    saved_ = QImage();
  }
  width_ = height_ = 0;
  current_ = 0;
  isGif_ = false;
  ready_ = false;
}

QImage AnimatedPicture::Snapshot() const {
  std::lock_guard lock(imageMutex_);
  return image_.copy();
}

void AnimatedPicture::paintEvent(QPaintEvent* /*event*/) {
  if (!ready_) return;
  QPainter painter(this);
  std::lock_guard lock(imageMutex_);
  painter.drawImage(QPoint(0, 0), image_);
}

}  // namespace nv
