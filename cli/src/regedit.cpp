#include "regedit.h"

#include <cstdio>

#include "platform/win32_codes.h"
#include "store/key_walk.h"

namespace nv::cli {

namespace {

constexpr size_t kHexLineWidth = 76;  // regedit wraps long hex data with a backslash

const char* RootName(RegKey root) {
  return root == kHkeyLocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

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

bool DumpKeyTree(Registry& registry, RegKey root, const std::string& path,
                 std::vector<RegKeyDump>* out, std::vector<std::string>* skipped) {
  RegKey key = 0;
  if (registry.OpenKey(root, path, kKeyRead, &key) != win::kErrorSuccess) return false;
  const std::string where = std::string(RootName(root)) + "\\" + path;
  const auto skip = [&](const std::string& what) {
    if (skipped) skipped->push_back(what);
  };
  RegKeyDump dump{root, path, {}};
  for (uint32_t i = 0;; ++i) {
    std::string name(16384, '\0');
    auto nameLength = static_cast<uint32_t>(name.size());
    uint32_t type = 0;
    uint32_t size = 0;
    const int32_t rc = registry.EnumValue(key, i, name.data(), &nameLength, &type, nullptr, &size);
    if (rc == win::kErrorNoMoreItems) break;
    if (rc != win::kErrorSuccess) {
      skip(where + ": value " + std::to_string(i) + " (error " + std::to_string(rc) + ")");
      if (i > 65536) break;  // a registry that fails every index must not keep us here
      continue;
    }
    name.resize(nameLength);
    std::vector<uint8_t> data(size);
    if (registry.QueryValue(key, name, &type, data.data(), &size) != win::kErrorSuccess) {
      skip(std::string(where).append(": value \"").append(name).append("\""));
      continue;
    }
    data.resize(size);
    dump.values.push_back({name, type, std::move(data)});
  }
  std::vector<std::string> children;
  WalkSubkeys(registry, key, kMaxKeyNameBuffer,
              [&](uint32_t i, int32_t rc, const char* name, uint32_t length) {
                if (rc == win::kErrorSuccess) {
                  children.emplace_back(name, length);
                  return true;
                }
                skip(where + ": subkey " + std::to_string(i) +
                     (rc == win::kErrorMoreData ? " (a name longer than 255 characters)"
                                                : " (error " + std::to_string(rc) + ")"));
                return i <= 65536;  // a registry that fails every index must not keep us here
              });
  registry.CloseKey(key);
  out->push_back(std::move(dump));
  for (const std::string& child : children) {
    std::string childPath = path;
    childPath.append("\\").append(child);
    if (!DumpKeyTree(registry, root, childPath, out, skipped)) {
      skip(std::string(where).append("\\").append(child));
    }
  }
  return true;
}

int32_t WriteKeys(Registry& registry, const std::vector<RegKeyDump>& keys) {
  for (const RegKeyDump& dump : keys) {
    RegKey key = 0;
    if (const int32_t rc = registry.CreateKey(dump.root, dump.path, &key)) return rc;
    for (const RegValueDump& v : dump.values) {
      if (const int32_t rc = registry.SetValue(key, v.name, v.type, v.data.data(),
                                               static_cast<uint32_t>(v.data.size()))) {
        registry.CloseKey(key);
        return rc;
      }
    }
    registry.CloseKey(key);
  }
  return win::kErrorSuccess;
}

}  // namespace nv::cli
