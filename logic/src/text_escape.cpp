#include "logic/text_escape.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "logic/code_page.h"

namespace nv {

namespace {

// Length of the valid UTF-8 sequence at `at` (overlong forms and surrogates refused), or 0.
size_t Utf8Length(std::string_view t, size_t at, uint32_t* point) {
  const auto b = static_cast<unsigned char>(t[at]);
  const size_t n = b < 0x80             ? 1
                   : (b & 0xE0) == 0xC0 ? 2
                   : (b & 0xF0) == 0xE0 ? 3
                   : (b & 0xF8) == 0xF0 ? 4
                                        : 0;
  if (n == 0 || at + n > t.size()) return 0;
  uint32_t cp = n == 1 ? b : b & (0x7Fu >> n);
  for (size_t i = 1; i < n; ++i) {
    const auto next = static_cast<unsigned char>(t[at + i]);
    if ((next & 0xC0) != 0x80) return 0;
    cp = cp << 6 | (next & 0x3Fu);
  }
  constexpr uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  *point = cp;
  return n;
}

bool IsControl(uint32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F); }

// The marks and embeddings, overrides and isolates that reorder text on a terminal.
bool IsBidiControl(uint32_t cp) {
  return cp == 0x061C || cp == 0x200E || cp == 0x200F || (cp >= 0x202A && cp <= 0x202E) ||
         (cp >= 0x2066 && cp <= 0x2069);
}

}  // namespace

std::string Printable(std::string_view text) {
  std::string out;
  for (size_t at = 0; at < text.size();) {
    uint32_t cp = 0;
    const size_t n = Utf8Length(text, at, &cp);
    if (n == 0 || IsControl(cp) || IsBidiControl(cp)) {
      for (size_t i = 0; i < std::max<size_t>(n, 1); ++i) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(text[at + i]));
        out += hex;
      }
      at += std::max<size_t>(n, 1);
      continue;
    }
    if (cp == '\\') out += '\\';
    out.append(text.substr(at, n));
    at += n;
  }
  return out;
}

bool HasControl(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    uint32_t cp = 0;
    const size_t n = Utf8Length(text, at, &cp);
    if (n != 0 && IsControl(cp)) return true;
    // A byte outside UTF-8 is the registry's Windows-1252: its 0x80-0x9F are printable there
    // (the euro sign, quotes, dashes), but for the five it leaves undefined.
    const auto byte = static_cast<unsigned char>(text[at]);
    if (n == 0 && IsControl(FromWindows1252(byte))) return true;
    at += std::max<size_t>(n, 1);
  }
  return false;
}

bool IsUtf8(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    uint32_t cp = 0;
    const size_t n = Utf8Length(text, at, &cp);
    if (n == 0) return false;
    at += n;
  }
  return true;
}

std::string PadRight(std::string_view text, size_t width) {
  size_t characters = 0;
  for (const char ch : text) characters += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  std::string out(text);
  if (characters < width) out.append(width - characters, ' ');
  return out;
}

}  // namespace nv
