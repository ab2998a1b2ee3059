#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "adapter_fixture.h"
#include "forwarding_registry.h"
#include "logic/profile_actions.h"
#include "platform/win32_codes.h"
#include "store/adapter_params.h"
#include "store/profile_store.h"
#include "test_registry.h"

namespace nv {
namespace {

class ProfileStoreTest : public ::testing::Test {
 protected:
  std::unique_ptr<test::TestRegistry> registry = test::MakeTestRegistry();
  std::unique_ptr<ProfileTable> table = std::make_unique<ProfileTable>();

  void Enumerate() {
    *table = ProfileTable{};
    EnumerateProfiles(*registry, *table);
  }
  // Makes the root exist, as the first enumeration on a fresh account does.
  void CreateRoot() { Enumerate(); }
  int32_t Write(std::string_view name, AdapterConfig c) {
    WriteProfile(*registry, name, c);
    return c.scope;
  }
  AdapterConfig Read(std::string_view name) {
    AdapterConfig c{};
    ReadProfile(*registry, name, c);
    return c;
  }
  bool KeyExists(const std::string& path) {
    RegKey key = 0;
    if (registry->OpenKey(kHkeyCurrentUser, path, kKeyRead, &key) != 0) return false;
    registry->CloseKey(key);
    return true;
  }
};

AdapterConfig Sample(int32_t scope, const char* ssid) {
  AdapterConfig c{};
  c.scope = scope;
  std::strcpy(c.ssid, ssid);
  std::strcpy(c.bssidText, "00:11:22:33:44:55");
  c.bssType = 1;
  c.channel = 6;
  c.powerMode = 2;
  c.shortPreamble = 1;
  c.txRate = 3;
  c.txRate11M = 6;
  c.authMode = 0;
  c.wepStatus = 0;
  c.defaultKeyId = 1;
  c.keys[0].length = 5;
  std::memset(c.keys[0].material, 0x11, 5);
  c.keys[1].length = 40;  // over-long: stored as 32 bytes
  for (int i = 0; i < 40; ++i) c.keys[1].material[i] = static_cast<uint8_t>(i);
  return c;
}

TEST_F(ProfileStoreTest, FirstEnumerationCreatesTheRootAndFails) {
  Enumerate();
  EXPECT_EQ(table->count, -1);
  EXPECT_TRUE(KeyExists("Software\\NVXPROFILE"));
  Enumerate();
  EXPECT_EQ(table->count, 0);
  registry->DeleteKey(kHkeyCurrentUser, "Software\\NVXPROFILE");
  EXPECT_EQ(ReadProfileTable(*registry)->count, 0);  // the actions' read: empty, not failed
}

TEST_F(ProfileStoreTest, ReadAndWriteFailWhileTheRootIsMissing) {
  EXPECT_EQ(Read("Home").scope, -1);
  EXPECT_TRUE(KeyExists("Software\\NVXPROFILE"));
  registry->DeleteKey(kHkeyCurrentUser, "Software\\NVXPROFILE");
  // WriteProfile creates the profile key (and so the root) first, then finds it.
  EXPECT_EQ(Write("Home", Sample(0, "Home")), 0);
}

TEST_F(ProfileStoreTest, RoundTripOfEveryStoredField) {
  CreateRoot();
  ASSERT_EQ(Write("Home", Sample(0, "HomeNet")), 0);
  AdapterConfig expected = Sample(0, "HomeNet");
  expected.keys[1].length = 32;
  std::memset(expected.keys[1].material + 32, 0, 8);
  const AdapterConfig read = Read("Home");
  EXPECT_EQ(std::memcmp(&read, &expected, sizeof read), 0);
}

TEST_F(ProfileStoreTest, ScopeTwoChangesOnlySecurityValues) {
  CreateRoot();
  ASSERT_EQ(Write("Home", Sample(0, "HomeNet")), 0);
  AdapterConfig security{};
  security.scope = 2;
  std::strcpy(security.ssid, "Ignored");
  security.authMode = 1;
  security.wepStatus = 1;
  ASSERT_EQ(Write("Home", security), 0);
  const AdapterConfig read = Read("Home");
  EXPECT_STREQ(read.ssid, "HomeNet");
  EXPECT_EQ(read.channel, 6);
  EXPECT_EQ(read.authMode, 1);
  EXPECT_EQ(read.wepStatus, 1);
  EXPECT_EQ(read.keys[0].length, 0);
}

TEST_F(ProfileStoreTest, NamesAreExactAndCut) {
  CreateRoot();
  ASSERT_EQ(Write("Home", Sample(0, "h")), 0);
  EXPECT_EQ(Read("home").scope, -1);
  EXPECT_EQ(Read("Home").scope, 0);
  EXPECT_EQ(StoredProfileName(*registry, "hOME"), "Home");  // the stored spelling
  EXPECT_EQ(StoredProfileName(*registry, "Hom"), std::nullopt);
  // Another case finds the existing key through the registry but not through the name search.
  EXPECT_EQ(Write("HOME", Sample(0, "x")), -1);
  EXPECT_STREQ(Read("Home").ssid, "h");
  const std::string longName(40, 'L');
  // A longer name is looked up under its first 32 characters, which name no key.
  EXPECT_EQ(Write(longName, Sample(0, "l")), -1);
  EXPECT_EQ(Read(longName.substr(0, 32)).scope, -1);
  EXPECT_TRUE(KeyExists("Software\\NVXPROFILE\\" + longName));
}

TEST_F(ProfileStoreTest, EmptyKeyReadsAsDefaults) {
  CreateRoot();
  RegKey key = 0;
  ASSERT_EQ(registry->CreateKey(kHkeyCurrentUser, "Software\\NVXPROFILE\\Bare", &key), 0);
  registry->CloseKey(key);
  const AdapterConfig c = Read("Bare");
  EXPECT_EQ(c.scope, 0);
  EXPECT_STREQ(c.ssid, "Wireless");
  EXPECT_EQ(c.bssType, 2);
  EXPECT_EQ(c.wepStatus, 1);
}

TEST_F(ProfileStoreTest, EnumerationOrderAndContents) {
  CreateRoot();
  for (const char* name : {"cafe", "Beach", "airport"}) ASSERT_EQ(Write(name, Sample(0, name)), 0);
  Enumerate();
  ASSERT_EQ(table->count, 3);
  EXPECT_STREQ(table->names[0], "airport");
  EXPECT_STREQ(table->names[1], "Beach");
  EXPECT_STREQ(table->names[2], "cafe");
  EXPECT_STREQ(table->configs[1].ssid, "Beach");
  EXPECT_EQ(table->configs[2].keys[1].length, 32);
}

TEST_F(ProfileStoreTest, MoreThanSixtyFourProfilesFillTheTableOnly) {
  CreateRoot();
  for (int i = 0; i < 70; ++i) {
    char name[8];
    std::snprintf(name, sizeof name, "p%02d", i);
    ASSERT_EQ(Write(name, Sample(1, name)), 0);
  }
  Enumerate();
  EXPECT_EQ(table->count, 64);
  EXPECT_STREQ(table->names[63], "p63");
  EXPECT_STREQ(table->configs[63].ssid, "p63");
}

TEST_F(ProfileStoreTest, OverlongSubkeyNamesAreSkipped) {
  CreateRoot();
  ASSERT_EQ(Write("a", Sample(1, "a")), 0);
  const std::string huge(150, 'b');
  RegKey key = 0;
  ASSERT_EQ(registry->CreateKey(kHkeyCurrentUser, "Software\\NVXPROFILE\\" + huge, &key), 0);
  registry->CloseKey(key);
  ASSERT_EQ(Write("c", Sample(1, "c")), 0);
  Enumerate();
  ASSERT_EQ(table->count, 2);
  EXPECT_STREQ(table->names[0], "a");
  EXPECT_STREQ(table->names[1], "c");
  EXPECT_EQ(Read(huge.substr(0, 32)).scope, -1);
}

TEST_F(ProfileStoreTest, DeleteRemovesNestedKeysAndIgnoresMissingOrInvalidNames) {
  CreateRoot();
  ASSERT_EQ(Write("Keep", Sample(0, "k")), 0);
  ASSERT_EQ(Write("Gone", Sample(0, "g")), 0);
  RegKey key = 0;
  ASSERT_EQ(registry->CreateKey(kHkeyCurrentUser, "Software\\NVXPROFILE\\Gone\\Sub\\Deeper", &key),
            0);
  const uint8_t v[1] = {1};
  registry->SetValue(key, "x", kRegBinary, v, 1);
  registry->CloseKey(key);
  DeleteProfile(*registry, "Gone");
  EXPECT_FALSE(KeyExists("Software\\NVXPROFILE\\Gone"));
  DeleteProfile(*registry, "Missing");
  DeleteProfile(*registry, "");
  DeleteProfile(*registry, "Keep\\..");
  Enumerate();
  ASSERT_EQ(table->count, 1);
  EXPECT_STREQ(table->names[0], "Keep");
  EXPECT_EQ(registry->openHandleCount(), 0u);
}

TEST_F(ProfileStoreTest, WriteRefusesEmptyAndBackslashNames) {
  CreateRoot();
  EXPECT_EQ(Write("", Sample(0, "e")), -1);
  EXPECT_EQ(Write("a\\b", Sample(0, "e")), -1);
  EXPECT_FALSE(KeyExists("Software\\NVXPROFILE\\a"));
  Enumerate();
  EXPECT_EQ(table->count, 0);
}

// One refused value write, or a batch that does not open or does not land, fails the whole
// profile action.
class FailingWrites : public test::ForwardingRegistry {
 public:
  using ForwardingRegistry::ForwardingRegistry;
  int32_t SetValue(RegKey k, std::string_view n, uint32_t t, const uint8_t* d,
                   uint32_t ds) override {
    return n == failValue ? win::kErrorAccessDenied : ForwardingRegistry::SetValue(k, n, t, d, ds);
  }
  int32_t BeginBatch() override {
    if (failBegin) return win::kErrorGenFailure;
    const int32_t rc = ForwardingRegistry::BeginBatch();
    depth += rc == 0 ? 1 : 0;
    return rc;
  }
  // Only the outermost commit fails: the one where a batch lands, after the nested ones did.
  int32_t EndBatch(bool commit) override {
    const bool outermost = depth-- == 1;
    const bool fail = commit && failCommit && outermost;
    const int32_t rc = ForwardingRegistry::EndBatch(commit && !fail);
    return fail ? win::kErrorGenFailure : rc;
  }
  std::string failValue;
  bool failCommit = false;
  bool failBegin = false;
  int depth = 0;
};

TEST_F(ProfileStoreTest, AFailedWriteFailsTheProfileActionAndStoresNothing) {
  CreateRoot();
  struct Row {
    const char* value;  // the value refused
    bool failCommit, failBegin;
  } rows[] = {{"dot11DesiredBSSType", false, false},
              {"dot11DesiredBSSID", false, false},
              {"dot11WEPDefaultKey4", false, false},
              {"", true, false},
              {"", false, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.value) + (row.failCommit ? " commit" : "") +
                 (row.failBegin ? " begin" : ""));
    ASSERT_TRUE(StoreProfile(*registry, "Home", Sample(0, "old")));
    DeleteProfile(*registry, "Away");
    FailingWrites failing(*registry);
    failing.failValue = row.value;
    failing.failCommit = row.failCommit;
    failing.failBegin = row.failBegin;
    EXPECT_FALSE(StoreProfile(failing, "Home", Sample(0, "new")));
    EXPECT_FALSE(StoreProfile(failing, "Away", Sample(0, "new")));
#ifndef _WIN32  // Windows' registry has no batches: there the values written stay
    EXPECT_STREQ(Read("Home").ssid, "old");
    EXPECT_EQ(Read("Away").scope, -1);
    if (row.failBegin || row.failCommit) {
      EXPECT_NE(DeleteProfile(failing, "Home"), 0);
      EXPECT_STREQ(Read("Home").ssid, "old");
      EXPECT_TRUE(KeyExists("Software\\NVXPROFILE\\Home"));
      AdapterConfig values =
          Sample(0, "new");  // the value set alone, as the adapter's key takes it
      WriteConfigValues(failing, kHkeyCurrentUser, "Software\\NVXPROFILE\\Home", values);
      EXPECT_EQ(values.scope, -1);
      EXPECT_STREQ(Read("Home").ssid, "old");
    }
    // A batch that did not open writes nothing and says so; a commit that failed says why.
    const bool deleteFails = failing.failCommit || failing.failBegin;
    EXPECT_EQ(DeleteProfile(failing, "Home"), failing.failBegin    ? RegistryBatch::kBatchNotOpen
                                              : failing.failCommit ? win::kErrorGenFailure
                                                                   : 0);
    EXPECT_EQ(Read("Home").scope, deleteFails ? 0 : -1);  // a failed delete keeps it
#endif
  }
}

TEST_F(ProfileStoreTest, DeleteKeyTreeReportsMissingKeys) {
  EXPECT_EQ(DeleteKeyTree(*registry, kHkeyCurrentUser, "Software\\Nothing"),
            win::kErrorFileNotFound);
}

}  // namespace
}  // namespace nv
