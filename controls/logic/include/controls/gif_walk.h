// The GIF block walk of the animated picture: splits a GIF's block stream into frames and cuts
// each frame out as a stand-alone GIF (the header and screen colour table, the frame's own
// blocks, a trailer). Every read is checked against the data's end; a block that would run past
// it ends the walk with a reason instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace nv {

inline constexpr int32_t kGifNoDelay = -1;  // the frame has no graphic control extension

struct GifFrame {
  size_t offset = 0;  // first byte of the frame's first block
  size_t length = 0;  // bytes from there through its image (or plain text) block
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t delay = kGifNoDelay;  // hundredths of a second
  int32_t disposal = 0;         // bits 2-4 of the graphic control extension's packed byte
  bool plainText = false;       // ends in a plain text extension instead of an image
};

struct GifWalk {
  bool isGif = false;  // the data begins with "GIF87a" or "GIF89a" and a whole screen
  int32_t width = 0;   // logical screen
  int32_t height = 0;
  size_t headerSize = 0;         // 13 + screen colour table
  std::vector<GifFrame> frames;  // the complete frames, in file order
  bool clean = false;            // the walk ended at the trailer
  std::string problem;           // why it ended elsewhere (empty when clean)
};

// True when the data begins with a GIF signature and version ("GIF87a" or "GIF89a").
bool HasGifSignature(std::span<const uint8_t> data);

// Walks the whole block stream. The frames found before a problem stay in the result.
GifWalk WalkGif(std::span<const uint8_t> data);

// The frame as a stand-alone GIF: header and screen colour table, its bytes, a trailer.
// Empty when the frame does not lie inside the data.
std::vector<uint8_t> ExtractGifFrame(std::span<const uint8_t> data, const GifWalk& walk,
                                     const GifFrame& frame);

// How long a frame stays: delay x 10 ms, or 100 ms for a delay below 5 or none at all.
uint32_t GifFrameWaitMs(int32_t delay);

}  // namespace nv
