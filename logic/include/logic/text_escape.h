// Text from outside (the adapter, the registry, a file) on its way to a terminal.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nv {

// Every control character (C0, DEL, C1), every bidirectional control (which would reorder
// what follows it on the line) and every byte that is not UTF-8 becomes \xNN per byte, a
// backslash \\; everything else stays as it is.
std::string Printable(std::string_view text);
// True when the text holds a control character (refused in SSIDs and profile names): in
// UTF-8, or, for a byte outside UTF-8, in the registry's Windows-1252.
bool HasControl(std::string_view text);
// True when the bytes are valid UTF-8 throughout.
bool IsUtf8(std::string_view text);
// `text` (already Printable) padded with spaces to `width` characters, counted as the terminal
// counts them (one per UTF-8 character, not per byte).
std::string PadRight(std::string_view text, size_t width);

}  // namespace nv
