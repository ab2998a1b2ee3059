// How a gradient progress bar divides its filled part into solid bands: one segment between
// each pair of colour stops, as many bands per segment as the largest colour difference (at
// most one per pixel). Colours are COLORREF values (0x00BBGGRR).
#pragma once

#include <cstdint>
#include <vector>

namespace nv {

struct Band {
  int start;  // first pixel
  int end;    // one past the last pixel
  uint32_t colour;
};

// `extent`: the bar's length in pixels; `filled`: the length of its filled part.
// `lowColourDevice`: fewer than 8 bits per pixel without a palette, one band per segment.
std::vector<Band> ComputeBands(const std::vector<uint32_t>& stops, int extent, int filled,
                               bool lowColourDevice = false);

// The filled length for a position: (position - lower) * extent / (upper - lower); -1 when the
// position lies outside the range (only the background shows).
int FilledLength(int lower, int upper, int position, int extent);

}  // namespace nv
