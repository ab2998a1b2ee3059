// Whether a text colour reads on a background: the contrast ratio of the accessibility
// guidelines, and the nearest colour that reaches 4.5:1 when a chosen one does not (a fixed text
// colour meeting a system background under a dark or high-contrast scheme). Colours are
// COLORREF values (0x00BBGGRR).
#pragma once

#include <cstdint>

namespace nv {

inline constexpr double kMinTextContrast = 4.5;

double ContrastRatio(uint32_t first, uint32_t second);

// `text` when it reads on `background`; else `text` moved towards black or white (whichever
// ends up further from the background) just far enough to read, so a grey stays a grey.
uint32_t ReadableTextColour(uint32_t text, uint32_t background);

// As above, but the system's own text colour for that background is taken instead when the
// chosen one does not read and the system's does (a moved colour could pass for greyed text).
uint32_t ReadableTextColour(uint32_t text, uint32_t background, uint32_t systemText);

}  // namespace nv
