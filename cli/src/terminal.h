// The terminal, for secrets typed by hand: asked on standard error, read without echo.
#pragma once

#include <string>

namespace nv::cli {

bool StdinIsTerminal();
// Shows `prompt`, reads one line from the terminal with echo off (restored afterwards);
// false when standard input is no terminal or the line could not be read.
bool ReadHiddenLine(const std::string& prompt, std::string* value);

}  // namespace nv::cli
