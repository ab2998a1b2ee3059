#include "regedit.h"

#include <cstdio>

#include "platform/win32_codes.h"

namespace nv::cli {

namespace {

constexpr size_t kHexLineWidth = 76;  // regedit wraps long hex data with a backslash

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

bool IsPlainText(const std::vector<uint8_t>& data) {
  for (uint8_t b : data) {
    if (b < 0x20 || b >= 0x7F) return false;
  }
  return true;
}

std::string HexData(const std::string& prefix, const std::vector<uint8_t>& data) {
  std::string out = prefix;
  size_t lineStart = 0;
  char pair[4];
  for (size_t i = 0; i < data.size(); ++i) {
    std::snprintf(pair, sizeof pair, "%02x", data[i]);
    out += pair;
    if (i + 1 < data.size()) {
      out += ',';
      if (out.size() - lineStart > kHexLineWidth) {
        out += "\\\n  ";
        lineStart = out.size() - 2;
      }
    }
  }
  return out;
}

std::string ValueLine(const RegValueDump& v) {
  std::string line = v.name.empty() ? "@=" : Quoted(v.name) + "=";
  if (v.type == kRegSz && IsPlainText(v.data)) {
    return line + Quoted({reinterpret_cast<const char*>(v.data.data()), v.data.size()});
  }
  if (v.type == kRegDword && v.data.size() == 4) {
    char dword[16];
    std::snprintf(dword, sizeof dword, "dword:%08x",
                  v.data[0] | v.data[1] << 8 | v.data[2] << 16 | unsigned(v.data[3]) << 24);
    return line + dword;
  }
  if (v.type == kRegBinary) return HexData(line + "hex:", v.data);
  char prefix[24];
  std::snprintf(prefix, sizeof prefix, "hex(%x):", v.type);
  return HexData(line + prefix, v.data);
}

}  // namespace

std::string WriteRegedit4(const std::vector<RegKeyDump>& keys) {
  std::string out = "REGEDIT4\n";
  for (const RegKeyDump& key : keys) {
    out.append("\n[").append(RootName(key.root)).append("\\").append(key.path).append("]\n");
    for (const RegValueDump& v : key.values) out += ValueLine(v) + "\n";
  }
  return out;
}

}  // namespace nv::cli
