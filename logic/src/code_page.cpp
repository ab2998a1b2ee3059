#include "logic/code_page.h"

#include <array>
#include <cstddef>

namespace nv {

namespace {

// 0x80..0x9F, where Windows-1252 differs from Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr uint8_t kFirstHigh = 0x80;

}  // namespace

char32_t FromWindows1252(uint8_t byte) {
  if (byte >= kFirstHigh && byte < kFirstHigh + kHighControls.size()) {
    return kHighControls[byte - kFirstHigh];
  }
  return byte;
}

bool ToWindows1252(char32_t point, uint8_t* byte) {
  if (point < kFirstHigh || (point >= kFirstHigh + kHighControls.size() && point <= 0xFF)) {
    *byte = static_cast<uint8_t>(point);
    return true;
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == point) {
      *byte = static_cast<uint8_t>(kFirstHigh + i);
      return true;
    }
  }
  return false;
}

}  // namespace nv
