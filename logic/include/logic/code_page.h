// The registry's text: the ANSI registry calls store names and strings as bytes of Windows'
// Western code page, Windows-1252. These map those bytes to and from Unicode, as Windows'
// own conversion does (the five bytes 1252 leaves undefined stand for the C1 code points of
// the same value, so every byte has one code point and back).
#pragma once

#include <cstdint>

namespace nv {

char32_t FromWindows1252(uint8_t byte);
// False when Windows-1252 has no byte for the code point.
bool ToWindows1252(char32_t point, uint8_t* byte);

}  // namespace nv
