// Where a group frame cuts its caption into the top line. Coordinates are pixels; `right` is
// one past the frame's last column.
#pragma once

namespace nv {

enum class CaptionAlign { Left, Centre, Right };

struct CaptionPlace {
  int left;     // first column of the gap in the top line
  int right;    // one past the gap's last column
  int topLine;  // row of the frame's top line; the caption is centred on it
};

inline constexpr int kCaptionIndent = 8;  // distance of the caption from the frame's corner

// `textHeight`: the line height of the frame's own font; `captionWidth`: the caption (with its
// blank on each side) in the caption font. A caption wider than the frame is cut at its edges.
CaptionPlace PlaceCaption(int left, int right, int top, int textHeight, int captionWidth,
                          CaptionAlign align);

}  // namespace nv
