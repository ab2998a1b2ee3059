#include <gtest/gtest.h>

#include "adapter/buffers.h"
#include "adapter_fixture.h"
#include "platform/win32_codes.h"
#include "register_file.h"

namespace nv {
namespace {

using test::Bytes;

class AdapterIoTest : public ::testing::Test {
 protected:
  test::TestPorts t;
  DeviceHandle Open() {
    DeviceHandle h = kInvalidDeviceHandle;
    EXPECT_EQ(t.io.OpenDevice(&h), kIoOk);
    return h;
  }
};

TEST_F(AdapterIoTest, OpenDeviceResults) {
  DeviceHandle h = kInvalidDeviceHandle;
  EXPECT_EQ(t.io.OpenDevice(nullptr), kIoOpenFailed);
  EXPECT_EQ(t.io.OpenDevice(&h), kIoOk);
  EXPECT_EQ(t.link.lastLinkName(), "\\\\.\\NVWLNPCI");
  EXPECT_TRUE(t.io.CloseDevice(h));
  t.link.SetOpenFails(true);
  h = 7;
  EXPECT_EQ(t.io.OpenDevice(&h), kIoOpenFailed);
  EXPECT_EQ(h, 7);
}

TEST_F(AdapterIoTest, ExchangeModesPassOnlyTheirBuffers) {
  const DeviceHandle h = Open();
  t.link.SetReply(0x111, Bytes({9, 8, 7}), 3);
  uint8_t in[4] = {1, 2, 3, 4};
  uint8_t out[6] = {};
  struct Case {
    int mode;
    size_t inBytes;
    uint32_t outCapacity;
    uint32_t reported;
  } cases[] = {{kModeInput, 4, 0, 55}, {kModeOutput, 0, 6, 3}, {kModeInputOutput, 4, 6, 3}};
  for (const Case& c : cases) {
    t.link.ClearRequests();
    uint32_t count = 55;
    EXPECT_EQ(t.io.Exchange(h, c.mode, 0x111, 4, in, 6, out, &count), kIoOk);
    ASSERT_EQ(t.link.requests().size(), 1u);
    EXPECT_EQ(t.link.requests()[0].in.size(), c.inBytes) << c.mode;
    EXPECT_EQ(t.link.requests()[0].outCapacity, c.outCapacity) << c.mode;
    EXPECT_EQ(count, c.reported) << c.mode;  // mode 0 never reports a count
  }
}

TEST_F(AdapterIoTest, ExchangeFailures) {
  const DeviceHandle h = Open();
  uint8_t buffer[4] = {};
  uint32_t count = 0;
  EXPECT_EQ(t.io.Exchange(h, 3, 0x111, 4, buffer, 4, buffer, &count), kIoExchangeFailed);
  EXPECT_EQ(t.io.Exchange(h, -1, 0x111, 4, buffer, 4, buffer, &count), kIoExchangeFailed);
  EXPECT_TRUE(t.link.requests().empty());
  t.link.SetFailure(0x111, win::kErrorGenFailure);
  EXPECT_EQ(t.io.Exchange(h, kModeOutput, 0x111, 0, nullptr, 4, buffer, &count), kIoExchangeFailed);
  // A pending exchange completes through the overlapped result.
  t.link.SetFailure(0x111, win::kErrorIoPending);
  t.link.SetPendingCount(4);
  EXPECT_EQ(t.io.Exchange(h, kModeOutput, 0x111, 0, nullptr, 4, buffer, &count), kIoOk);
  EXPECT_EQ(count, 4u);
}

TEST_F(AdapterIoTest, TypedRequestRefusesShortBuffersBeforeAnyDeviceCall) {
  const DeviceHandle h = Open();
  uint8_t buffer[kBssListBufferSize] = {};
  struct Case {
    const ControlPair& pair;
    uint32_t offered;
    int direction;
    IoResult result;
  } cases[] = {
      {codes::kSsid, 35, kDirectionSet, kIoRefused},
      {codes::kSsid, 36, kDirectionSet, kIoOk},
      {codes::kWepKey, 43, kDirectionSet, kIoRefused},
      {codes::kRates, 7, kDirectionSet, kIoRefused},
      {codes::kStatus, 103, kDirectionQuery, kIoRefused},
      {codes::kStatus, 104, kDirectionQuery, kIoOk},
      {codes::kBssList, 107, kDirectionQuery, kIoRefused},
      {codes::kVersions, 19, kDirectionQuery, kIoRefused},
      {codes::kRegisterRead, 11, kDirectionQuery, kIoRefused},
      {codes::kScan, 3, kDirectionQuery, kIoRefused},
      {codes::kScan, 4, kDirectionSet, kIoOk},
  };
  for (const Case& c : cases) {
    t.link.ClearRequests();
    uint32_t length = c.offered;
    EXPECT_EQ(t.io.Request(h, c.pair, buffer, &length, c.direction), c.result) << c.pair.name;
    EXPECT_EQ(t.link.requests().size(), c.result == kIoOk ? 1u : 0u) << c.pair.name;
    if (c.result == kIoRefused) {
      EXPECT_EQ(length, c.offered) << "length left untouched";
    }
  }
  uint32_t length = 4;
  EXPECT_EQ(t.io.Request(h, codes::kScan, nullptr, &length, kDirectionSet), kIoRefused);
  EXPECT_EQ(t.io.Request(h, codes::kScan, buffer, nullptr, kDirectionSet), kIoRefused);
}

TEST_F(AdapterIoTest, TypedRequestDirections) {
  const DeviceHandle h = Open();
  t.link.SetReply(codes::kScan.queryCode, Bytes({1, 0, 0, 0}), 4);
  t.link.SetReply(codes::kScan.setCode, {}, 4);  // a driver that reports a count on a set
  uint8_t buffer[44] = {};
  struct Case {
    const ControlPair& pair;
    int direction;
    IoResult result;
    uint32_t lengthAfter;
    uint32_t code;  // 0: no device call
  } cases[] = {
      {codes::kScan, kDirectionQuery, kIoOk, 4, 0x22039C},
      {codes::kScan, kDirectionSet, kIoOk, 0, 0x2203A0},
      {codes::kWepKey, kDirectionQuery, kIoRefused, 0, 0},  // the key has no query
      {codes::kVersions, kDirectionSet, kIoRefused, 0, 0},
      {codes::kScan, 2, kIoRefused, 0, 0},
  };
  for (const Case& c : cases) {
    t.link.ClearRequests();
    uint32_t length = 44;
    EXPECT_EQ(t.io.Request(h, c.pair, buffer, &length, c.direction), c.result) << c.pair.name;
    EXPECT_EQ(length, c.lengthAfter) << c.pair.name;
    if (c.code == 0) {
      EXPECT_TRUE(t.link.requests().empty());
    } else {
      ASSERT_EQ(t.link.requests().size(), 1u);
      EXPECT_EQ(t.link.requests()[0].code, c.code);
    }
  }
}

TEST_F(AdapterIoTest, RegisterReadNeedsFourBytesBack) {
  test::RegisterFile regs(t.link, 0);
  regs.regs[0x258] = 0xCAFE;
  const DeviceHandle h = Open();
  for (uint32_t returned : {0u, 3u, 4u, 12u}) {
    regs.readBytesReturned = returned;
    uint32_t value = 0;
    EXPECT_EQ(t.io.ReadRegister(h, 0x258, &value), returned >= 4 ? kAccessOk : kAccessFailed)
        << returned;
    EXPECT_EQ(value, returned >= 4 ? 0xCAFEu : 0u);
  }
  // The read goes out as one in-and-out exchange of the register buffer.
  const RecordedRequest& last = t.link.requests().back();
  EXPECT_EQ(last.code, 0x220390u);
  EXPECT_EQ(test::HexOf(last.in),
            "0400000058020000"
            "00000000");
  EXPECT_EQ(last.outCapacity, 12u);
}

TEST_F(AdapterIoTest, RegisterWriteIsOneSetOfTheBuffer) {
  test::RegisterFile regs(t.link, 0);
  const DeviceHandle h = Open();
  EXPECT_EQ(t.io.WriteRegister(h, 0x26C, 255), kAccessOk);
  ASSERT_EQ(t.link.requests().size(), 1u);
  EXPECT_EQ(t.link.requests()[0].code, 0x220394u);
  EXPECT_EQ(test::HexOf(t.link.requests()[0].in), "040000006c020000ff000000");
  t.link.SetFailure(0x220394, win::kErrorGenFailure);
  EXPECT_EQ(t.io.WriteRegister(h, 0x26C, 255), kAccessFailed);
}

TEST_F(AdapterIoTest, WindowReadPollsUntilTheControlRegisterClears) {
  test::RegisterFile regs(t.link, 3);
  regs.windowA[0x16F] = 0x30;
  const DeviceHandle h = Open();
  uint32_t value = 0;
  EXPECT_EQ(t.io.ReadWindowA(h, 0x16F, &value), kAccessOk);
  EXPECT_EQ(value, 0x30u);
  EXPECT_EQ(regs.controlReads, 4);
  EXPECT_EQ(t.system.sleeps, std::vector<uint32_t>({5, 5, 5}));
  const std::vector<std::pair<uint32_t, uint32_t>> expected = {{0x254, 0x16F}, {0x250, 2}};
  EXPECT_EQ(regs.writes, expected);
}

TEST_F(AdapterIoTest, WindowReadGivesUpAfter201Polls) {
  test::RegisterFile regs(t.link, -1);
  const DeviceHandle h = Open();
  uint32_t value = 0;
  EXPECT_EQ(t.io.ReadWindowB(h, 0, &value), kAccessFailed);
  EXPECT_EQ(regs.controlReads, 201);
  EXPECT_EQ(value, 2u);  // the last control value stays in place
  EXPECT_EQ(t.system.sleeps.size(), 201u);
}

TEST_F(AdapterIoTest, WindowWriteSequence) {
  test::RegisterFile regs(t.link, 1);
  const DeviceHandle h = Open();
  EXPECT_EQ(t.io.WriteWindowB(h, 0, 255), kAccessOk);
  const std::vector<std::pair<uint32_t, uint32_t>> expected = {
      {0x268, 0}, {0x26C, 255}, {0x270, 1}};
  EXPECT_EQ(regs.writes, expected);
  EXPECT_EQ(regs.windowB[0], 255u);
  EXPECT_EQ(regs.controlReads, 2);
}

TEST_F(AdapterIoTest, WindowAccessFailsWhenARegisterAccessFails) {
  test::RegisterFile regs(t.link, 0);
  t.link.SetFailure(0x220394, win::kErrorGenFailure);
  const DeviceHandle h = Open();
  uint32_t value = 0;
  EXPECT_EQ(t.io.ReadWindowA(h, 0x16F, &value), kAccessFailed);
  EXPECT_EQ(t.io.WriteWindowB(h, 0, 0), kAccessFailed);
  EXPECT_EQ(regs.controlReads, 0);
}

TEST_F(AdapterIoTest, PresenceCheckOnTheNineXFamilyPassesTheBareName) {
  t.system.platformId = win::kPlatformWin32Windows;
  t.probe.present.insert("0003");
  EXPECT_EQ(t.io.IsAdapterPresent("0003"), kAccessOk);
  EXPECT_EQ(t.io.IsAdapterPresent("0004"), kAccessFailed);
  EXPECT_EQ(t.probe.asked, std::vector<std::string>({"0003", "0004"}));
}

TEST_F(AdapterIoTest, PresenceCheckOnTheNtFamilyPassesTheDeviceName) {
  t.AddInstance("0007", "pci\\ven_1a2b&dev_3c4d&subsys_00011a2b", true);
  EXPECT_EQ(t.io.IsAdapterPresent("0007"), kAccessOk);
  ASSERT_EQ(t.probe.asked.size(), 1u);
  EXPECT_EQ(t.probe.asked[0], "\\Device\\{00000000-0000-0000-0000-000000000007}");
  EXPECT_EQ(t.registry->openHandleCount(), 0u);
}

TEST_F(AdapterIoTest, PresenceCheckAbsentCases) {
  const std::string root(kNtNetClassRoot);
  test::SetText(*t.registry, kHkeyLocalMachine, root + "0001", "Other", "x");
  test::SetText(*t.registry, kHkeyLocalMachine, root + "0002", "NetCfgInstanceId",
                std::string(120, 'g'));  // "\Device\" makes it 128 characters
  test::SetText(*t.registry, kHkeyLocalMachine, root + "0003", "NetCfgInstanceId",
                std::string(119, 'g'));
  t.probe.present.insert("\\Device\\" + std::string(119, 'g'));
  EXPECT_EQ(t.io.IsAdapterPresent("0000"), kAccessFailed);  // no key
  EXPECT_EQ(t.io.IsAdapterPresent("0001"), kAccessFailed);  // no NetCfgInstanceId
  EXPECT_EQ(t.io.IsAdapterPresent("0002"), kAccessFailed);  // device name too long
  EXPECT_EQ(t.io.IsAdapterPresent("0003"), kAccessOk);      // 127 characters still fit
  t.system.versionOk = false;
  EXPECT_EQ(t.io.IsAdapterPresent("0003"), kAccessFailed);
}

}  // namespace
}  // namespace nv
