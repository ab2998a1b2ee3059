#include "controls/gradient_bands.h"

#include <algorithm>
#include <cstdlib>

namespace nv {

namespace {

int Component(uint32_t colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

uint32_t Blend(uint32_t a, uint32_t b, int i, int bands) {
  uint32_t out = 0;
  for (int shift : {0, 8, 16}) {
    const int from = Component(a, shift);
    const int value = from + i * (Component(b, shift) - from) / bands;
    out |= static_cast<uint32_t>(value & 0xFF) << shift;
  }
  return out;
}

// Bands of one segment; false once the filled part's end was reached.
bool SegmentBands(uint32_t a, uint32_t b, int start, int end, int filled, bool lowColour,
                  std::vector<Band>& out) {
  const int length = end - start;
  int bands = std::max({std::abs(Component(b, 0) - Component(a, 0)),
                        std::abs(Component(b, 8) - Component(a, 8)),
                        std::abs(Component(b, 16) - Component(a, 16))});
  bands = std::max(1, std::min(bands, length));
  if (lowColour) bands = 1;
  for (int i = 0; i < bands; ++i) {
    const int bandStart = start + i * length / bands;
    const int bandEnd = i + 1 == bands ? end : start + (i + 1) * length / bands;
    if (bandEnd <= 0) continue;
    out.push_back({bandStart, std::min(bandEnd, filled), Blend(a, b, i, bands)});
    if (bandEnd >= filled) return false;
  }
  return true;
}

}  // namespace

int FilledLength(int lower, int upper, int position, int extent) {
  if (position < lower || position > upper || upper <= lower) return -1;
  return static_cast<int>(static_cast<int64_t>(position - lower) * extent / (upper - lower));
}

std::vector<Band> ComputeBands(const std::vector<uint32_t>& stops, int extent, int filled,
                               bool lowColourDevice) {
  std::vector<Band> bands;
  if (stops.empty() || extent <= 0 || filled <= 0) return bands;
  const std::vector<uint32_t> s = stops.size() == 1 ? std::vector{stops[0], stops[0]} : stops;
  const int segments = static_cast<int>(s.size()) - 1;
  for (int i = 0; i < segments; ++i) {
    const int start = i * extent / segments;
    const int end = (i + 1) * extent / segments;
    if (start >= filled) break;
    if (end <= start) continue;
    if (!SegmentBands(s[i], s[i + 1], start, end, filled, lowColourDevice, bands)) break;
  }
  return bands;
}

}  // namespace nv
