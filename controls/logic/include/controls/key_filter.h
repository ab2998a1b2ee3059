// Which typed or pasted characters a WEP key box takes: printable ASCII, and with the hex filter
// on only 0-9, A-F and a-f. Control characters are never part of a key.
#pragma once

namespace nv {

bool IsHexDigit(char32_t c);
bool AcceptsKeyChar(char32_t c, bool hexOnly);

}  // namespace nv
