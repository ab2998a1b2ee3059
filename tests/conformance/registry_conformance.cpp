#include "registry_conformance.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win32_codes.h"

namespace nv::test {
namespace {

constexpr const char* kBase = "Software\\NvConformance";

int32_t Create(Registry& r, const std::string& path, RegKey* key = nullptr) {
  RegKey k = 0;
  const int32_t rc = r.CreateKey(kHkeyCurrentUser, path, &k);
  if (rc == 0 && key)
    *key = k;
  else if (rc == 0)
    r.CloseKey(k);
  return rc;
}

int32_t SetText(Registry& r, RegKey key, const std::string& name, const std::string& text) {
  return r.SetValue(key, name, kRegSz, reinterpret_cast<const uint8_t*>(text.data()),
                    static_cast<uint32_t>(text.size()));
}

std::vector<std::string> SubkeyNames(Registry& r, RegKey key) {
  std::vector<std::string> names;
  for (uint32_t i = 0;; ++i) {
    char name[256];
    uint32_t length = sizeof name;
    const int32_t rc = r.EnumKey(key, i, name, &length);
    if (rc == win::kErrorNoMoreItems) break;
    EXPECT_EQ(rc, 0);
    if (rc != 0) break;
    names.emplace_back(name, length);
  }
  return names;
}

std::vector<std::string> ValueNames(Registry& r, RegKey key) {
  std::vector<std::string> names;
  for (uint32_t i = 0;; ++i) {
    char name[256];
    uint32_t length = sizeof name;
    const int32_t rc = r.EnumValue(key, i, name, &length, nullptr, nullptr, nullptr);
    if (rc == win::kErrorNoMoreItems) break;
    EXPECT_EQ(rc, 0);
    if (rc != 0) break;
    names.emplace_back(name, length);
  }
  return names;
}

TEST_P(RegistryConformance, OpenMissingKeyIsFileNotFound) {
  RegKey key = 0;
  EXPECT_EQ(registry->OpenKey(kHkeyCurrentUser, "Software\\NvNoSuchKey", kKeyRead, &key),
            win::kErrorFileNotFound);
  EXPECT_EQ(registry->OpenKey(kHkeyLocalMachine, "Software\\NvNoSuchKey\\Deeper", kKeyRead, &key),
            win::kErrorFileNotFound);
}

TEST_P(RegistryConformance, CreateMakesIntermediateKeysAndOpensWhateverTheCase) {
  ASSERT_EQ(Create(*registry, std::string(kBase) + "\\One\\Two\\Three"), 0);
  for (const char* path :
       {"Software\\NvConformance\\One\\Two\\Three", "SOFTWARE\\nvconformance\\one\\TWO\\three",
        "Software\\NvConformance\\One\\Two\\Three\\", "Software\\NvConformance\\One\\"}) {
    RegKey key = 0;
    EXPECT_EQ(registry->OpenKey(kHkeyCurrentUser, path, kKeyAllAccess, &key), 0) << path;
    registry->CloseKey(key);
  }
  // Creating in another case opens the existing key, whose name keeps its first case.
  ASSERT_EQ(Create(*registry, std::string(kBase) + "\\ONE\\two\\"), 0);
  RegKey base = 0;
  ASSERT_EQ(registry->OpenKey(kHkeyCurrentUser, kBase, kKeyAllAccess, &base), 0);
  EXPECT_EQ(SubkeyNames(*registry, base), std::vector<std::string>({"One"}));
  registry->CloseKey(base);
}

TEST_P(RegistryConformance, SubkeysEnumerateInCaseInsensitiveOrder) {
  RegKey base = 0;
  ASSERT_EQ(Create(*registry, kBase, &base), 0);
  for (const char* name : {"beta", "Zeta", "_under", "Alpha", "gamma", "0007", "0010"}) {
    ASSERT_EQ(Create(*registry, std::string(kBase) + "\\" + name), 0);
  }
  // Case-insensitive order as Wine's registry keeps it (letters compared in lower case).
  EXPECT_EQ(SubkeyNames(*registry, base),
            std::vector<std::string>({"0007", "0010", "_under", "Alpha", "beta", "gamma", "Zeta"}));
  registry->CloseKey(base);
}

// Callers walk forward, repeat an index after ERROR_MORE_DATA, go back, skip, and walk two
// handles of one key at once: every index names the same key whichever way it was reached.
TEST_P(RegistryConformance, EnumKeyByIndexInAnyOrder) {
  RegKey base = 0;
  RegKey second = 0;
  ASSERT_EQ(Create(*registry, kBase, &base), 0);
  ASSERT_EQ(Create(*registry, kBase, &second), 0);
  const std::vector<std::string> sorted = {"a0", "B1", "c2", "D3", "e4", "F5"};
  for (auto it = sorted.rbegin(); it != sorted.rend(); ++it) {
    ASSERT_EQ(Create(*registry, std::string(kBase) + "\\" + *it), 0);
  }
  const auto at = [&](RegKey key, uint32_t index) {
    char name[16];
    uint32_t length = sizeof name;
    const int32_t rc = registry->EnumKey(key, index, name, &length);
    return rc == 0 ? std::string(name, length) : "error " + std::to_string(rc);
  };
  for (const uint32_t index : {0u, 1u, 1u, 2u, 5u, 3u, 4u, 0u, 2u, 3u}) {
    EXPECT_EQ(at(base, index), sorted[index]) << index;
    EXPECT_EQ(at(second, 5 - index), sorted[5 - index]) << index;
  }
  char tiny[2];
  uint32_t length = sizeof tiny;
  EXPECT_EQ(registry->EnumKey(base, 4, tiny, &length), win::kErrorMoreData);
  EXPECT_EQ(at(base, 5), sorted[5]);
  EXPECT_EQ(at(base, 6), "error " + std::to_string(win::kErrorNoMoreItems));
  EXPECT_EQ(at(base, 0), sorted[0]);
  registry->CloseKey(second);
  registry->CloseKey(base);
}

// A committed batch lands on every backend (on Windows' registry as plain calls).
TEST_P(RegistryConformance, CommittedBatchLands) {
  RegKey key = 0;
  ASSERT_EQ(registry->BeginBatch(), 0);
  ASSERT_EQ(Create(*registry, std::string(kBase) + "\\Batch", &key), 0);
  EXPECT_EQ(SetText(*registry, key, "one", "1"), 0);
  EXPECT_EQ(SetText(*registry, key, "two", "2"), 0);
  registry->CloseKey(key);
  EXPECT_EQ(registry->EndBatch(true), 0);
  ASSERT_EQ(registry->OpenKey(kHkeyCurrentUser, std::string(kBase) + "\\Batch", kKeyRead, &key), 0);
  EXPECT_EQ(ValueNames(*registry, key), std::vector<std::string>({"one", "two"}));
  registry->CloseKey(key);
}

TEST_P(RegistryConformance, EnumKeyBufferTooSmall) {
  RegKey base = 0;
  ASSERT_EQ(Create(*registry, kBase, &base), 0);
  ASSERT_EQ(Create(*registry, std::string(kBase) + "\\Seven77"), 0);
  char name[16];
  uint32_t length = 7;  // seven characters need eight with the terminator
  EXPECT_EQ(registry->EnumKey(base, 0, name, &length), win::kErrorMoreData);
  length = 8;
  EXPECT_EQ(registry->EnumKey(base, 0, name, &length), 0);
  EXPECT_EQ(length, 7u);
  EXPECT_STREQ(name, "Seven77");
  length = sizeof name;
  EXPECT_EQ(registry->EnumKey(base, 1, name, &length), win::kErrorNoMoreItems);
  registry->CloseKey(base);
}

TEST_P(RegistryConformance, ValuesRoundTripWithTheirTypes) {
  RegKey key = 0;
  ASSERT_EQ(Create(*registry, kBase, &key), 0);
  ASSERT_EQ(SetText(*registry, key, "Text", "hello"), 0);
  const uint8_t dword[4] = {6, 0, 0, 0};
  ASSERT_EQ(registry->SetValue(key, "Number", kRegDword, dword, 4), 0);
  const uint8_t blob[3] = {0, 0xFF, 7};
  ASSERT_EQ(registry->SetValue(key, "Blob", kRegBinary, blob, 3), 0);

  uint8_t data[16] = {};
  uint32_t size = sizeof data;
  uint32_t type = 0;
  ASSERT_EQ(registry->QueryValue(key, "TEXT", &type, data, &size), 0);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(
      std::string(reinterpret_cast<char*>(data), strnlen(reinterpret_cast<char*>(data), size)),
      "hello");
  size = sizeof data;
  ASSERT_EQ(registry->QueryValue(key, "number", &type, data, &size), 0);
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(data[0], 6);
  size = sizeof data;
  ASSERT_EQ(registry->QueryValue(key, "Blob", &type, data, &size), 0);
  EXPECT_EQ(type, kRegBinary);
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(std::memcmp(data, blob, 3), 0);
  registry->CloseKey(key);
}

TEST_P(RegistryConformance, QuerySizesAndMissingValues) {
  RegKey key = 0;
  ASSERT_EQ(Create(*registry, kBase, &key), 0);
  const uint8_t bytes[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  ASSERT_EQ(registry->SetValue(key, "Ten", kRegBinary, bytes, 10), 0);
  uint8_t data[16] = {};
  uint32_t size = 4;
  EXPECT_EQ(registry->QueryValue(key, "Ten", nullptr, data, &size), win::kErrorMoreData);
  EXPECT_EQ(size, 10u);  // the size needed
  size = 0;
  EXPECT_EQ(registry->QueryValue(key, "Ten", nullptr, nullptr, &size), 0);
  EXPECT_EQ(size, 10u);
  size = sizeof data;
  EXPECT_EQ(registry->QueryValue(key, "Eleven", nullptr, data, &size), win::kErrorFileNotFound);
  EXPECT_EQ(registry->DeleteValue(key, "Eleven"), win::kErrorFileNotFound);
  EXPECT_EQ(registry->DeleteValue(key, "TEN"), 0);
  size = sizeof data;
  EXPECT_EQ(registry->QueryValue(key, "Ten", nullptr, data, &size), win::kErrorFileNotFound);
  registry->CloseKey(key);
}

TEST_P(RegistryConformance, ValuesEnumerateOnceEachWhateverTheCaseOfTheirWriters) {
  RegKey key = 0;
  ASSERT_EQ(Create(*registry, kBase, &key), 0);
  for (const char* name : {"zulu", "Alpha", "mike", "alpha", "ZULU"}) {
    ASSERT_EQ(SetText(*registry, key, name, name), 0);
  }
  std::vector<std::string> names = ValueNames(*registry, key);
  std::sort(names.begin(), names.end());  // the order is the backend's own
  EXPECT_EQ(names, std::vector<std::string>({"Alpha", "mike", "zulu"}));
  char data[8] = {};
  uint32_t size = sizeof data;
  ASSERT_EQ(registry->QueryValue(key, "zulu", nullptr, reinterpret_cast<uint8_t*>(data), &size), 0);
  EXPECT_STREQ(data, "ZULU");  // the last writer's data under the first writer's name
  char name[8];
  uint32_t nameLength = 4;
  EXPECT_EQ(registry->EnumValue(key, 0, name, &nameLength, nullptr, nullptr, nullptr),
            win::kErrorMoreData);
  nameLength = sizeof name;
  EXPECT_EQ(registry->EnumValue(key, 3, name, &nameLength, nullptr, nullptr, nullptr),
            win::kErrorNoMoreItems);
  registry->CloseKey(key);
}

TEST_P(RegistryConformance, PathsIgnoreEmptyNamesButNotALeadingBackslash) {
  ASSERT_EQ(Create(*registry, std::string(kBase) + "\\Double\\\\Slash"), 0);
  RegKey key = 0;
  EXPECT_EQ(
      registry->OpenKey(kHkeyCurrentUser, "Software\\NvConformance\\Double\\Slash", kKeyRead, &key),
      0);
  registry->CloseKey(key);
  EXPECT_EQ(registry->OpenKey(kHkeyCurrentUser, "\\Software", kKeyRead, &key),
            win::kErrorBadPathname);
}

TEST_P(RegistryConformance, DeleteKeyRefusesAKeyWithSubkeys) {
  ASSERT_EQ(Create(*registry, std::string(kBase) + "\\Parent\\Child"), 0);
  RegKey base = 0;
  ASSERT_EQ(registry->OpenKey(kHkeyCurrentUser, kBase, kKeyAllAccess, &base), 0);
  EXPECT_EQ(registry->DeleteKey(base, "Parent"), win::kErrorAccessDenied);
  EXPECT_EQ(registry->DeleteKey(base, "Missing"), win::kErrorFileNotFound);
  EXPECT_EQ(registry->DeleteKey(base, "PARENT\\child"), 0);
  EXPECT_EQ(registry->DeleteKey(base, "Parent"), 0);
  EXPECT_TRUE(SubkeyNames(*registry, base).empty());
  registry->CloseKey(base);
}

TEST_P(RegistryConformance, DeletedKeyTakesItsValuesAlong) {
  RegKey key = 0;
  ASSERT_EQ(Create(*registry, std::string(kBase) + "\\Gone", &key), 0);
  ASSERT_EQ(SetText(*registry, key, "v", "1"), 0);
  registry->CloseKey(key);
  RegKey base = 0;
  ASSERT_EQ(registry->OpenKey(kHkeyCurrentUser, kBase, kKeyAllAccess, &base), 0);
  ASSERT_EQ(registry->DeleteKey(base, "Gone"), 0);
  ASSERT_EQ(Create(*registry, std::string(kBase) + "\\Gone", &key), 0);
  EXPECT_TRUE(ValueNames(*registry, key).empty());
  registry->CloseKey(key);
  registry->CloseKey(base);
}

TEST_P(RegistryConformance, DefaultValueHasTheEmptyName) {
  RegKey key = 0;
  ASSERT_EQ(Create(*registry, kBase, &key), 0);
  ASSERT_EQ(SetText(*registry, key, "", "default"), 0);
  char data[16] = {};
  uint32_t size = sizeof data;
  ASSERT_EQ(registry->QueryValue(key, "", nullptr, reinterpret_cast<uint8_t*>(data), &size), 0);
  EXPECT_STREQ(data, "default");
  registry->CloseKey(key);
}

TEST_P(RegistryConformance, ClosedHandleIsInvalid) {
  RegKey key = 0;
  ASSERT_EQ(Create(*registry, kBase, &key), 0);
  ASSERT_EQ(registry->CloseKey(key), 0);
  uint32_t size = 0;
  EXPECT_EQ(registry->QueryValue(key, "x", nullptr, nullptr, &size), win::kErrorInvalidHandle);
}

}  // namespace
}  // namespace nv::test
