#include "controls/frame_caption.h"

#include <algorithm>

namespace nv {

CaptionPlace PlaceCaption(int left, int right, int top, int textHeight, int captionWidth,
                          CaptionAlign align) {
  int start = left + kCaptionIndent;
  if (align == CaptionAlign::Right) start = right - kCaptionIndent - captionWidth;
  if (align == CaptionAlign::Centre) start = left + (right - left - captionWidth) / 2;
  const int gapLeft = std::clamp(start, left, right);
  const int gapRight = std::clamp(start + std::max(captionWidth, 0), gapLeft, right);
  return {gapLeft, gapRight, top + textHeight / 2 - 1};
}

}  // namespace nv
