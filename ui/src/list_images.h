// The eight 16x16 pictures both Site Survey lists share, drawn by code. Index = mark:
// 0 ad hoc station, 1 access point, 2 access point with station, 3 blank, 4 access point
// crossed out, 5 access point ringed (current), 6 station ringed (current), 7 station crossed
// out. Dark strokes on a light halo, so they read on light and dark list backgrounds alike.
#pragma once

#include <QIcon>
#include <array>

namespace nv {

inline constexpr int kListImageCount = 8;
inline constexpr int kListImageSize = 16;

QPixmap ListImage(int index);
const std::array<QIcon, kListImageCount>& ListImages();

}  // namespace nv
