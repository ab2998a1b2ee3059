#include "controls/text_contrast.h"

#include <cmath>

namespace nv {

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

double Channel(uint32_t value) {
  const double s = static_cast<double>(value & 0xFF) / 255.0;
  return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

double Luminance(uint32_t colour) {
  return 0.2126 * Channel(colour) + 0.7152 * Channel(colour >> 8) + 0.0722 * Channel(colour >> 16);
}

// `from` moved `step` of `steps` of the way to `to`, per component.
uint32_t Blend(uint32_t from, uint32_t to, int step, int steps) {
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int a = static_cast<int>((from >> shift) & 0xFF);
    const int b = static_cast<int>((to >> shift) & 0xFF);
    result |= static_cast<uint32_t>(a + (b - a) * step / steps) << shift;
  }
  return result;
}

}  // namespace

double ContrastRatio(uint32_t first, uint32_t second) {
  const double a = Luminance(first);
  const double b = Luminance(second);
  return (std::fmax(a, b) + 0.05) / (std::fmin(a, b) + 0.05);
}

uint32_t ReadableTextColour(uint32_t text, uint32_t background) {
  text &= kWhite;
  if (ContrastRatio(text, background) >= kMinTextContrast) return text;
  const uint32_t target =
      ContrastRatio(kBlack, background) >= ContrastRatio(kWhite, background) ? kBlack : kWhite;
  constexpr int kSteps = 64;
  for (int step = 1; step < kSteps; ++step) {
    const uint32_t moved = Blend(text, target, step, kSteps);
    if (ContrastRatio(moved, background) >= kMinTextContrast) return moved;
  }
  return target;
}

uint32_t ReadableTextColour(uint32_t text, uint32_t background, uint32_t systemText) {
  text &= kWhite;
  if (ContrastRatio(text, background) >= kMinTextContrast) return text;
  return ReadableTextColour(systemText, background);
}

}  // namespace nv
