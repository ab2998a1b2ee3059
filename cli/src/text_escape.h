// wlanctl's commands reach the terminal escapes through this name.
#pragma once

#include "logic/text_escape.h"

namespace nv::cli {
using nv::HasControl;
using nv::IsUtf8;
using nv::PadRight;
using nv::Printable;
}  // namespace nv::cli
