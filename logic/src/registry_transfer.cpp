#include "logic/registry_transfer.h"

#include <utility>

#include "platform/win32_codes.h"
#include "store/adapter_params.h"
#include "store/key_walk.h"

namespace nv {

const char* RootName(RegKey root) {
  return root == kHkeyLocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

std::optional<std::string> AdapterInstanceKey(AdapterIo& io) {
  std::string instance;
  if (!LocateAdapterKey(io, &instance)) return std::nullopt;
  if (!instance.empty() && instance.back() == '\\') instance.pop_back();
  return instance;
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

}  // namespace nv
