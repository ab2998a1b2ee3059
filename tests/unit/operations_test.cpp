#include <gtest/gtest.h>

#include <cstring>

#include "adapter/buffers.h"
#include "adapter/operations.h"
#include "adapter_fixture.h"
#include "platform/win32_codes.h"
#include "register_file.h"

namespace nv {
namespace {

using test::HexOf;

AdapterConfig SampleConfig(int32_t scope, int32_t wepStatus) {
  AdapterConfig c{};
  c.scope = scope;
  std::strcpy(c.ssid, "Lab");
  c.bssType = 1;
  c.powerMode = 2;
  c.txRate = 4;
  c.channel = 11;
  c.shortPreamble = 1;
  c.authMode = 1;
  c.wepStatus = wepStatus;
  c.defaultKeyId = 1;
  c.keys[1].length = 5;
  std::memcpy(c.keys[1].material, "\x11\x22\x33\x44\x55", 5);
  c.keys[3].length = 13;
  std::memset(c.keys[3].material, 0x77, 13);
  return c;
}

class OperationsTest : public ::testing::Test {
 protected:
  test::TestPorts t;
  std::vector<std::string> Sent() {
    std::vector<std::string> out;
    for (const auto& r : t.link.requests()) {
      char code[16];
      std::snprintf(code, sizeof code, "%06X:", r.code);
      out.push_back(code + HexOf(r.in));
    }
    return out;
  }
};

const std::string kLink[] = {
    "220234:03000000"
    "4c6162" +
        std::string(58, '0'),   // SSID "Lab"
    "22026C:01000000",          // BSS type
    "220248:02000000",          // power mode
    "22029C:b700000000000000",  // 5.5 PBCC
    "2202D8:0b000000",          // channel
    "2202E0:01000000",          // short preamble
};
const std::string kSecurityWepOn[] = {"2202B4:00000000", "2202C4:01000000"};
const std::string kSecurityWepOff[] = {"2202B4:01000000", "2202C4:01000000"};
const std::string kKeys[] = {
    "2202AC:2c000000"
    "00000000"
    "00000000" +
        std::string(64, '0'),
    "2202AC:2c000000"
    "01000080"
    "05000000"
    "1122334455" +
        std::string(54, '0'),
    "2202AC:2c000000"
    "02000000"
    "00000000" +
        std::string(64, '0'),
    "2202AC:2c000000"
    "03000000"
    "0d000000" +
        std::string(26, '7') + std::string(38, '0'),
};

TEST_F(OperationsTest, ApplyConfigSendsEachScopeInOrder) {
  std::vector<std::string> link(std::begin(kLink), std::end(kLink));
  std::vector<std::string> security(std::begin(kSecurityWepOff), std::end(kSecurityWepOff));
  std::vector<std::string> withKeys(std::begin(kSecurityWepOn), std::end(kSecurityWepOn));
  withKeys.insert(withKeys.end(), std::begin(kKeys), std::end(kKeys));
  auto join = [](std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  struct Case {
    int32_t scope;
    int32_t wepStatus;
    std::vector<std::string> expected;
  } cases[] = {
      {0, 0, join(link, withKeys)},
      {0, 1, join(link, security)},
      {1, 0, link},
      {2, 0, withKeys},
      {2, 1, security},
      {3, 0, {}},
      {-1, 0, {}},
  };
  for (const Case& c : cases) {
    t.link.ClearRequests();
    ApplyConfig(t.io, SampleConfig(c.scope, c.wepStatus));
    EXPECT_EQ(Sent(), c.expected) << "scope " << c.scope << " wep " << c.wepStatus;
    EXPECT_EQ(t.link.openHandles(), 0);
  }
}

TEST_F(OperationsTest, ApplyConfigGoesOnAfterFailedRequestsAndIsSilentWithoutADriver) {
  t.link.SetFailure(0x220234, win::kErrorGenFailure);
  ApplyConfig(t.io, SampleConfig(1, 1));
  EXPECT_EQ(t.link.requests().size(), 6u);
  t.link.ClearRequests();
  t.link.SetOpenFails(true);
  ApplyConfig(t.io, SampleConfig(0, 0));
  EXPECT_TRUE(t.link.requests().empty());
}

TEST_F(OperationsTest, AnAskedReportNamesTheRefusedSettingsWithoutChangingWhatIsSent) {
  t.link.SetFailure(0x22026C, win::kErrorGenFailure);
  t.link.SetFailure(0x2202AC, win::kErrorGenFailure);
  ApplyConfig(t.io, SampleConfig(0, 0));
  const std::vector<std::string> unasked = Sent();
  t.link.ClearRequests();
  ApplyReport report;
  ApplyConfig(t.io, SampleConfig(0, 0), &report);
  EXPECT_EQ(Sent(), unasked);
  EXPECT_TRUE(report.deviceOpened);
  EXPECT_EQ(report.accepted, 7);
  EXPECT_EQ(report.refused, (std::vector<std::string>{"BSS type", "WEP key 1", "WEP key 2",
                                                      "WEP key 3", "WEP key 4"}));
  t.link.SetOpenFails(true);
  report = {};
  ApplyConfig(t.io, SampleConfig(0, 0), &report);
  EXPECT_FALSE(report.deviceOpened);
  EXPECT_EQ(report.accepted, 0);
}

TEST_F(OperationsTest, ScanControl) {
  EXPECT_EQ(StartScan(t.io), kAccessOk);
  EXPECT_EQ(StopScan(t.io), kAccessOk);
  EXPECT_EQ(Sent(), std::vector<std::string>({"2203A0:01000000", "2203A0:00000000"}));
  t.link.SetFailure(0x2203A0, win::kErrorGenFailure);
  EXPECT_EQ(StartScan(t.io), kAccessFailed);
  t.link.SetOpenFails(true);
  EXPECT_EQ(StopScan(t.io), kAccessFailed);
}

TEST_F(OperationsTest, IsScanDoneNeedsExactlyFourNonzeroBytes) {
  struct Case {
    std::vector<uint8_t> reply;
    uint32_t returned;
    Access done;
  } cases[] = {{{1, 0, 0, 0}, 4, kAccessOk},
               {{0, 0, 0, 1}, 4, kAccessOk},
               {{0, 0, 0, 0}, 4, kAccessFailed},
               {{1, 0, 0, 0}, 3, kAccessFailed},
               {{1, 0, 0, 0}, 0, kAccessFailed}};
  for (const Case& c : cases) {
    t.link.SetReply(0x22039C, c.reply, c.returned);
    EXPECT_EQ(IsScanDone(t.io), c.done);
  }
  t.link.SetFailure(0x22039C, win::kErrorGenFailure);
  EXPECT_EQ(IsScanDone(t.io), kAccessFailed);
}

void ReplyStatus(test::TestPorts& t, const StatusBlockFields& f) {
  const auto block = EncodeStatusBlock(f);
  t.link.SetReply(0x2202A8, {block.begin(), block.end()}, kStatusBlockSize);
}

TEST_F(OperationsTest, ReadLinkStatus) {
  StatusBlockFields f{};
  f.state = 3;
  f.rateCode = 220;
  f.channel = 6;
  f.networkMode = 1;
  std::memcpy(f.ssid, "Wireless", 8);
  f.linkMetric = 12;
  f.signalMetric = 200;
  ReplyStatus(t, f);
  LinkStatus s{};
  ReadLinkStatus(t.io, s);
  EXPECT_EQ(s.state, 3);
  EXPECT_EQ(s.rateIndex, 7);
  EXPECT_STREQ(s.ssid, "Wireless");
  EXPECT_EQ(s.linkMetric, 12u);
  EXPECT_EQ(t.link.requests().back().outCapacity, kStatusBlockSize);
  f.state = 1000;
  ReplyStatus(t, f);
  ReadLinkStatus(t.io, s);
  EXPECT_EQ(s.state, -1);
  s.state = 3;
  t.link.SetFailure(0x2202A8, win::kErrorGenFailure);
  ReadLinkStatus(t.io, s);
  EXPECT_EQ(s.state, -1);
  s.state = 3;
  t.link.SetOpenFails(true);
  ReadLinkStatus(t.io, s);
  EXPECT_EQ(s.state, -1);
  EXPECT_EQ(t.link.openHandles(), 0);
}

TEST_F(OperationsTest, ReadStatisticsPicksTheCounterSet) {
  StatusBlockFields f{};
  f.rxBytesPrimary = 1;
  f.rxBytesSecondary = 2;
  f.txBytesPrimary = 3;
  f.txBytesSecondary = 4;
  ReplyStatus(t, f);
  struct Case {
    int32_t set;
    uint32_t rx;
    uint32_t tx;
  } cases[] = {{0, 1, 3}, {1, 2, 4}, {7, 2, 4}, {-1, 2, 4}};
  for (const Case& c : cases) {
    AdapterStatistics s{c.set, 0, 0};
    ReadStatistics(t.io, s);
    EXPECT_EQ(s.rxBytes, c.rx);
    EXPECT_EQ(s.txBytes, c.tx);
    EXPECT_EQ(s.counterSet, c.set);
  }
  t.link.SetOpenFails(true);
  AdapterStatistics s{0, 0, 0};
  ReadStatistics(t.io, s);
  EXPECT_EQ(s.counterSet, -1);
}

TEST_F(OperationsTest, ReadBssList) {
  std::vector<BssWireEntry> entries(64);
  for (int i = 0; i < 64; ++i) {
    entries[i].ssidLength = 2;
    entries[i].ssid[0] = 'n';
    entries[i].ssid[1] = static_cast<uint8_t>('0' + i % 10);
    entries[i].channel = static_cast<uint32_t>(1 + i % 11);
  }
  std::vector<uint8_t> buffer(kBssListBufferSize);
  EncodeBssList(entries, 65, buffer);
  t.link.SetReply(0x220260, buffer, kBssListBufferSize);
  BssList list{};
  ReadBssList(t.io, list);
  ASSERT_EQ(list.count, 64);
  EXPECT_STREQ(list.entries[63].ssid, "n3");
  EXPECT_EQ(list.entries[63].channel, 64 % 11);
  EXPECT_EQ(t.link.requests().back().outCapacity, kBssListBufferSize);

  t.link.SetReply(0x220260, buffer, 0);  // no bytes back is a failure
  ReadBssList(t.io, list);
  EXPECT_EQ(list.count, -1);
  t.link.SetFailure(0x220260, win::kErrorGenFailure);
  list.count = 5;
  ReadBssList(t.io, list);
  EXPECT_EQ(list.count, -1);
  t.link.SetOpenFails(true);
  list.count = 5;
  ReadBssList(t.io, list);
  EXPECT_EQ(list.count, -1);
}

TEST_F(OperationsTest, ReadVersions) {
  const auto buffer = EncodeVersions({{1, 0, 2, 3}, {4, 5, 6, 7}});
  t.link.SetReply(0x220210, {buffer.begin(), buffer.end()}, 20);
  DriverVersions v{};
  ReadVersions(t.io, v);
  EXPECT_EQ(v.result, 0);
  EXPECT_EQ(v.driverVersion[3], 3);
  EXPECT_EQ(v.firmwareVersion[0], 4);
  t.link.SetOpenFails(true);
  ReadVersions(t.io, v);
  EXPECT_EQ(v.result, -1);
}

TEST_F(OperationsTest, RegulatoryDomain) {
  test::RegisterFile regs(t.link, 2);
  regs.windowA[0x16F] = 0x41;
  EXPECT_EQ(ReadRegulatoryDomain(t.io), 0x41u);
  test::RegisterFile stuck(t.link, -1);  // never clears: answered as without a driver
  EXPECT_EQ(ReadRegulatoryDomain(t.io), 0x10u);
  t.link.SetOpenFails(true);
  EXPECT_EQ(ReadRegulatoryDomain(t.io), 0x10u);
}

TEST_F(OperationsTest, RadioSwitchAndState) {
  test::RegisterFile regs(t.link, 1);
  SetRadio(t.io, false);
  EXPECT_EQ(regs.windowB[0], 255u);
  EXPECT_EQ(ReadRadioState(t.io), 0);
  SetRadio(t.io, true);
  EXPECT_EQ(regs.windowB[0], 0u);
  EXPECT_EQ(ReadRadioState(t.io), 1);
  regs.windowB[0] = 7;
  EXPECT_EQ(ReadRadioState(t.io), 0);
  test::RegisterFile stuck(t.link, -1);
  EXPECT_EQ(ReadRadioState(t.io), -1);
  t.link.SetOpenFails(true);
  EXPECT_EQ(ReadRadioState(t.io), -1);
  EXPECT_EQ(t.link.openHandles(), 0);
}

}  // namespace
}  // namespace nv
