// Text from outside (the adapter, the registry, a file) on its way to a terminal.
#pragma once

#include <string>
#include <string_view>

namespace nv::cli {

// Every control character (C0, DEL, C1) and every byte that is not UTF-8 becomes \xNN, a
// backslash \\; everything else stays as it is.
std::string Printable(std::string_view text);
// True when the text holds a control character (refused in SSIDs and profile names): in
// UTF-8, or, for a byte outside UTF-8, in the registry's Windows-1252.
bool HasControl(std::string_view text);

}  // namespace nv::cli
