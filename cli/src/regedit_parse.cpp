#include <cctype>
#include <cstdio>

#include "logic/code_page.h"
#include "regedit.h"

namespace nv::cli {

namespace {

constexpr std::string_view kRegedit5Header = "Windows Registry Editor Version 5.00";

// UTF-16LE to the registry's code page, Windows-1252, as the ANSI registry calls would store
// the text; false with the line at an odd byte count, an unpaired surrogate or a character
// that code page cannot hold.
bool FromUtf16(std::string_view bytes, std::string* out, RegeditError* error) {
  int line = 1;
  const auto unit = [&](size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8;
  };
  for (size_t i = 0; i < bytes.size(); i += 2) {
    if (i + 1 == bytes.size()) {
      return *error = {line, "bad UTF-16 text (an odd byte count)"}, false;
    }
    uint32_t cp = unit(i);
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
        unit(i + 2) <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      return *error = {line, "bad UTF-16 text (an unpaired surrogate)"}, false;
    }
    uint8_t byte = 0;
    if (!ToWindows1252(cp, &byte)) {
      char name[16];
      std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(cp));
      return *error = {line, std::string("the character ") + name +
                                 " has no byte in the registry's code page (Windows-1252)"},
             false;
    }
    if (byte == '\n') ++line;
    *out += static_cast<char>(byte);
  }
  return true;
}

struct Line {
  int number;
  std::string text;
};

std::string Trim(std::string_view text) {
  size_t start = 0, end = text.size();
  while (start < end && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
  while (end > start && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return std::string(text.substr(start, end - start));
}

// Physical lines joined where a hex list goes on after a trailing backslash.
std::vector<Line> LogicalLines(std::string_view text) {
  std::vector<Line> lines;
  int number = 0;
  bool continues = false;
  size_t at = 0;
  while (at <= text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size());
    std::string line = Trim(text.substr(at, end - at));
    ++number;
    at = end + 1;
    const bool more = !line.empty() && line.back() == '\\' && line[0] != '[';
    if (more) line.pop_back();
    if (continues && !lines.empty()) {
      lines.back().text += line;
    } else {
      lines.push_back({number, line});
    }
    continues = more;
    if (end == text.size()) break;
  }
  return lines;
}

bool Fail(RegeditError* error, int line, const std::string& message) {
  *error = {line, message};
  return false;
}

// A quoted string from `at`; `at` moves past its closing quote.
bool ReadQuoted(const std::string& s, size_t& at, std::string* out) {
  if (at >= s.size() || s[at] != '"') return false;
  for (++at; at < s.size(); ++at) {
    if (s[at] == '"') {
      ++at;
      return true;
    }
    if (s[at] == '\\') {
      if (++at >= s.size() || (s[at] != '\\' && s[at] != '"')) return false;
    }
    *out += s[at];
  }
  return false;
}

bool ReadHexList(std::string_view list, std::vector<uint8_t>* out) {
  std::string item;
  for (size_t at = 0; at <= list.size(); ++at) {
    if (at < list.size() && list[at] != ',') {
      if (!std::isspace(static_cast<unsigned char>(list[at]))) item += list[at];
      continue;
    }
    if (item.empty() && at == list.size() && out->empty()) return true;  // "hex:" is empty data
    if (item.size() != 2 || !std::isxdigit(static_cast<unsigned char>(item[0])) ||
        !std::isxdigit(static_cast<unsigned char>(item[1]))) {
      return false;
    }
    out->push_back(static_cast<uint8_t>(std::stoul(item, nullptr, 16)));
    item.clear();
  }
  return true;
}

bool ParseData(std::string_view data, RegValueDump* v, std::string* problem) {
  if (data == "-") return *problem = "deleting values is not supported", false;
  if (!data.empty() && data[0] == '"') {
    std::string text;
    size_t at = 0;
    const std::string s(data);
    if (!ReadQuoted(s, at, &text) || at != s.size()) return *problem = "bad string", false;
    v->type = kRegSz;
    v->data.assign(text.begin(), text.end());
    return true;
  }
  if (data.rfind("dword:", 0) == 0) {
    const std::string digits(data.substr(6));
    if (digits.empty() || digits.size() > 8 ||
        digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
      return *problem = "dword needs 1 to 8 hexadecimal digits", false;
    }
    const auto value = static_cast<uint32_t>(std::stoul(digits, nullptr, 16));
    v->type = kRegDword;
    v->data = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
               static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    return true;
  }
  size_t colon = std::string_view::npos;
  if (data.rfind("hex:", 0) == 0) {
    v->type = kRegBinary;
    colon = 3;
  } else if (data.rfind("hex(", 0) == 0) {
    const size_t close = data.find("):");
    const std::string type(data.substr(4, close == std::string_view::npos ? 0 : close - 4));
    if (type.empty() || type.size() > 8 ||
        type.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
      return *problem = "hex(type) needs a hexadecimal type", false;
    }
    v->type = static_cast<uint32_t>(std::stoul(type, nullptr, 16));
    colon = close + 1;
  } else {
    return *problem = "a value is a \"string\", dword:, hex: or hex(type):", false;
  }
  if (!ReadHexList(data.substr(colon + 1), &v->data)) {
    return *problem = "hex data is two-digit bytes separated by commas", false;
  }
  return true;
}

bool ParseKeyLine(const std::string& text, RegKeyDump* key, std::string* problem) {
  if (text.size() < 3 || text.back() != ']') return *problem = "a key line ends with ]", false;
  std::string inside = text.substr(1, text.size() - 2);
  if (!inside.empty() && inside[0] == '-')
    return *problem = "deleting keys is not supported", false;
  while (!inside.empty() && inside.back() == '\\') inside.pop_back();
  const size_t slash = inside.find('\\');
  const std::string root = inside.substr(0, slash);
  if (root == "HKEY_LOCAL_MACHINE") {
    key->root = kHkeyLocalMachine;
  } else if (root == "HKEY_CURRENT_USER") {
    key->root = kHkeyCurrentUser;
  } else {
    return *problem = "only HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER keys can be imported", false;
  }
  key->path = slash == std::string::npos ? "" : inside.substr(slash + 1);
  if (key->path.empty() || key->path.find("\\\\") != std::string::npos) {
    return *problem = "bad key path", false;
  }
  return true;
}

bool ParseValueLine(const std::string& text, RegValueDump* v, std::string* problem) {
  size_t at = 0;
  if (!text.empty() && text[0] == '@') {
    at = 1;
  } else if (!ReadQuoted(text, at, &v->name)) {
    return *problem = "a value line starts with \"name\" or @", false;
  }
  if (at >= text.size() || text[at] != '=') return *problem = "= expected after the name", false;
  return ParseData(Trim(std::string_view(text).substr(at + 1)), v, problem);
}

}  // namespace

bool ParseRegedit4(std::string_view text, std::vector<RegKeyDump>* keys, RegeditError* error) {
  std::vector<RegKeyDump> parsed;
  bool header = false;
  for (const Line& line : LogicalLines(text)) {
    if (line.text.empty() || line.text[0] == ';') continue;
    if (!header) {
      if (line.text != "REGEDIT4" && line.text != kRegedit5Header) {
        return Fail(error, line.number, "the file must start with REGEDIT4");
      }
      header = true;
      continue;
    }
    std::string problem;
    if (line.text[0] == '[') {
      RegKeyDump key{};
      if (!ParseKeyLine(line.text, &key, &problem)) return Fail(error, line.number, problem);
      key.line = line.number;
      parsed.push_back(std::move(key));
      continue;
    }
    if (parsed.empty()) return Fail(error, line.number, "a value before any [key] line");
    RegValueDump value{};
    if (!ParseValueLine(line.text, &value, &problem)) return Fail(error, line.number, problem);
    auto& values = parsed.back().values;
    std::erase_if(values, [&](const RegValueDump& v) { return v.name == value.name; });
    values.push_back(std::move(value));
  }
  if (!header) return Fail(error, 1, "the file must start with REGEDIT4");
  *keys = std::move(parsed);
  return true;
}

bool ParseRegeditFile(std::string_view bytes, std::vector<RegKeyDump>* keys, RegeditError* error) {
  if (bytes.substr(0, 2) == "\xFF\xFE") {
    std::string text;
    if (!FromUtf16(bytes.substr(2), &text, error)) return false;
    return ParseRegedit4(text, keys, error);
  }
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return ParseRegedit4(bytes, keys, error);
}

}  // namespace nv::cli
