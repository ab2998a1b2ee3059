#include "controls/key_filter.h"

namespace nv {

bool IsHexDigit(char32_t c) {
  return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'F') || (c >= U'a' && c <= U'f');
}

bool AcceptsKeyChar(char32_t c, bool hexOnly) {
  if (hexOnly) return IsHexDigit(c);
  // A key's ASCII form is one byte per character; anything beyond printable ASCII would change
  // its length once stored.
  return c >= 0x20 && c < 0x7F;
}

}  // namespace nv
