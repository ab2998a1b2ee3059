#include "controls/gif_walk.h"

#include <cstdio>

namespace nv {

namespace {

constexpr size_t kScreenDescriptorEnd = 13;  // signature, version, logical screen descriptor
constexpr uint8_t kExtensionByte = 0x21;
constexpr uint8_t kImageByte = 0x2C;
constexpr uint8_t kTrailerByte = 0x3B;

enum class Block { kApplication, kComment, kGraphicControl, kPlainText, kImage, kTrailer, kOther };

// Fixed part of each block before its sub-block chain (the image adds its local colour table).
constexpr size_t kApplicationFixed = 14;
constexpr size_t kCommentFixed = 2;
constexpr size_t kGraphicControlLength = 8;
constexpr size_t kPlainTextFixed = 15;
constexpr size_t kImageFixed = 11;  // image descriptor and LZW minimum code size

const char* BlockName(Block block) {
  switch (block) {
    case Block::kApplication:
      return "application extension";
    case Block::kComment:
      return "comment extension";
    case Block::kGraphicControl:
      return "graphic control extension";
    case Block::kPlainText:
      return "plain text extension";
    case Block::kImage:
      return "image";
    case Block::kTrailer:
      return "trailer";
    case Block::kOther:
      break;
  }
  return "block";
}

int32_t Get16(std::span<const uint8_t> d, size_t at) {
  return static_cast<int32_t>(d[at] | (d[at + 1] << 8));
}

// 3 x 2^(n+1) bytes when bit 7 of the packed byte is set, n its low three bits.
size_t ColourTableSize(uint8_t packed) {
  return (packed & 0x80) != 0 ? 3u * (2u << (packed & 0x07)) : 0u;
}

std::string At(const char* what, size_t offset) {
  return std::string(what) + " at offset " + std::to_string(offset);
}

class Walker {
 public:
  Walker(std::span<const uint8_t> data, size_t start) : d_(data), pos_(start) {}

  // One frame from the parse position; false at the trailer (problem empty) or a problem.
  bool NextFrame(GifFrame& frame, std::string& problem);

 private:
  Block Kind() const;
  // The whole block's length at the parse position; 0 when it would end beyond the data.
  size_t Length(Block block) const;
  size_t ChainEnd(size_t at) const;  // one past the terminating zero-size byte, or 0
  bool Skip(Block block, std::string& problem);
  bool Unexpected(Block block, std::string& problem) const;

  std::span<const uint8_t> d_;
  size_t pos_;
};

Block Walker::Kind() const {
  if (pos_ >= d_.size()) return Block::kOther;
  if (d_[pos_] == kImageByte) return Block::kImage;
  if (d_[pos_] == kTrailerByte) return Block::kTrailer;
  if (d_[pos_] != kExtensionByte || pos_ + 1 >= d_.size()) return Block::kOther;
  switch (d_[pos_ + 1]) {
    case 0xFF:
      return Block::kApplication;
    case 0xFE:
      return Block::kComment;
    case 0xF9:
      return Block::kGraphicControl;
    case 0x01:
      return Block::kPlainText;
    default:
      return Block::kOther;
  }
}

size_t Walker::ChainEnd(size_t at) const {
  while (at < d_.size()) {
    const size_t size = d_[at];
    at += size + 1;
    if (size == 0) return at;
  }
  return 0;
}

size_t Walker::Length(Block block) const {
  const size_t room = d_.size() - pos_;
  size_t fixed = 0;
  switch (block) {
    case Block::kGraphicControl:
      return room >= kGraphicControlLength ? kGraphicControlLength : 0;
    case Block::kTrailer:
      return 1;
    case Block::kApplication:
      fixed = kApplicationFixed;
      break;
    case Block::kComment:
      fixed = kCommentFixed;
      break;
    case Block::kPlainText:
      fixed = kPlainTextFixed;
      break;
    case Block::kImage:
      if (room < kImageFixed) return 0;
      fixed = kImageFixed + ColourTableSize(d_[pos_ + 9]);
      break;
    case Block::kOther:
      return 0;
  }
  if (room < fixed) return 0;
  const size_t end = ChainEnd(pos_ + fixed);
  return end == 0 || end > d_.size() ? 0 : end - pos_;
}

bool Walker::Skip(Block block, std::string& problem) {
  const size_t length = Length(block);
  if (length == 0) {
    problem = At(BlockName(block), pos_) + " runs past the end of the data";
    return false;
  }
  pos_ += length;
  return true;
}

bool Walker::Unexpected(Block block, std::string& problem) const {
  if (pos_ >= d_.size()) {
    problem = At("the data ends without a trailer", pos_);
  } else if (block == Block::kOther) {
    char what[48];
    std::snprintf(what, sizeof what, "unknown block 0x%02X", d_[pos_]);
    problem = At(what, pos_);
  } else {
    problem = At("graphic control extension without an image before the trailer", pos_);
  }
  return false;
}

bool Walker::NextFrame(GifFrame& frame, std::string& problem) {
  Block block = Kind();
  while (block == Block::kApplication || block == Block::kComment) {
    if (!Skip(block, problem)) return false;
    block = Kind();
  }
  if (block == Block::kTrailer) return false;
  if (block == Block::kOther) return Unexpected(block, problem);
  frame = GifFrame{};
  frame.offset = pos_;
  if (block == Block::kGraphicControl) {
    if (!Skip(block, problem)) return false;
    frame.disposal = (d_[frame.offset + 3] >> 2) & 0x07;
    frame.delay = Get16(d_, frame.offset + 4);
    // Extensions between the control and its image belong to the frame.
    for (block = Kind(); block == Block::kApplication || block == Block::kComment ||
                         block == Block::kGraphicControl;
         block = Kind()) {
      if (!Skip(block, problem)) return false;
    }
    if (block != Block::kImage && block != Block::kPlainText) return Unexpected(block, problem);
  }
  const size_t start = pos_;
  if (!Skip(block, problem)) return false;
  // Left, top, width and height: the image descriptor's, or the plain text grid's.
  const size_t fields = block == Block::kImage ? start + 1 : start + 3;
  frame.plainText = block == Block::kPlainText;
  frame.left = Get16(d_, fields);
  frame.top = Get16(d_, fields + 2);
  frame.width = Get16(d_, fields + 4);
  frame.height = Get16(d_, fields + 6);
  frame.length = pos_ - frame.offset;
  return true;
}

}  // namespace

bool HasGifSignature(std::span<const uint8_t> data) {
  if (data.size() < 6 || data[0] != 'G' || data[1] != 'I' || data[2] != 'F') return false;
  return (data[3] == '8' && data[4] == '7' && data[5] == 'a') ||
         (data[3] == '8' && data[4] == '9' && data[5] == 'a');
}

GifWalk WalkGif(std::span<const uint8_t> data) {
  GifWalk walk;
  if (!HasGifSignature(data)) {
    walk.problem = "not a GIF (no GIF87a or GIF89a signature)";
    return walk;
  }
  if (data.size() < kScreenDescriptorEnd) {
    walk.problem = "the logical screen descriptor runs past the end of the data";
    return walk;
  }
  walk.headerSize = kScreenDescriptorEnd + ColourTableSize(data[10]);
  if (walk.headerSize > data.size()) {
    walk.problem = "the screen colour table runs past the end of the data";
    return walk;
  }
  walk.isGif = true;
  walk.width = Get16(data, 6);
  walk.height = Get16(data, 8);
  Walker walker(data, walk.headerSize);
  GifFrame frame;
  while (walker.NextFrame(frame, walk.problem)) walk.frames.push_back(frame);
  walk.clean = walk.problem.empty();
  return walk;
}

std::vector<uint8_t> ExtractGifFrame(std::span<const uint8_t> data, const GifWalk& walk,
                                     const GifFrame& frame) {
  if (!walk.isGif || walk.headerSize > data.size() || frame.offset > data.size() ||
      frame.length > data.size() - frame.offset || frame.offset < walk.headerSize) {
    return {};
  }
  std::vector<uint8_t> out;
  out.reserve(walk.headerSize + frame.length + 1);
  out.insert(out.end(), data.begin(), data.begin() + static_cast<ptrdiff_t>(walk.headerSize));
  const auto first = data.begin() + static_cast<ptrdiff_t>(frame.offset);
  out.insert(out.end(), first, first + static_cast<ptrdiff_t>(frame.length));
  out.push_back(kTrailerByte);
  return out;
}

uint32_t GifFrameWaitMs(int32_t delay) {
  return delay >= 5 ? static_cast<uint32_t>(delay) * 10u : 100u;
}

}  // namespace nv
