#include <gtest/gtest.h>

#include <cstring>

#include "adapter/buffers.h"
#include "adapter_fixture.h"

namespace nv {
namespace {

using test::HexOf;

AdapterConfig ConfigWithSsid(const char* ssid) {
  AdapterConfig c{};
  std::strncpy(c.ssid, ssid, sizeof c.ssid - 1);
  return c;
}

TEST(Buffers, SsidBufferCarriesLengthAndThirtyTwoBytes) {
  const auto b = EncodeSsidBuffer(ConfigWithSsid("Wireless"));
  EXPECT_EQ(HexOf(b),
            "08000000"
            "576972656c657373" +
                std::string(48, '0'));
}

TEST(Buffers, SsidBufferOfThirtyTwoCharacters) {
  const std::string ssid(32, 'A');
  const auto b = EncodeSsidBuffer(ConfigWithSsid(ssid.c_str()));
  std::string expected = "20000000";
  for (int i = 0; i < 32; ++i) expected += "41";
  EXPECT_EQ(HexOf(b), expected);
}

TEST(Buffers, SsidBufferNeverClaimsMoreThanThirtyTwoBytes) {
  AdapterConfig c{};
  std::memset(c.ssid, 'x', sizeof c.ssid);  // no terminator at all
  const auto b = EncodeSsidBuffer(c);
  EXPECT_EQ(b[0], 32);
  EXPECT_EQ(b[1] | b[2] | b[3], 0);
}

TEST(Buffers, ValueRatesAndRegisterBuffers) {
  EXPECT_EQ(HexOf(EncodeValueBuffer(0x01020304)), "04030201");
  EXPECT_EQ(HexOf(EncodeRatesBuffer(183)), "b700000000000000");
  EXPECT_EQ(HexOf(EncodeRegisterBuffer(0x16F, 0xA1B2C3D4)), "040000006f010000d4c3b2a1");
  const RegisterFields r = DecodeRegisterBuffer(EncodeRegisterBuffer(0x270, 2));
  EXPECT_EQ(r.width, 4u);
  EXPECT_EQ(r.offset, 0x270u);
  EXPECT_EQ(r.value, 2u);
}

TEST(Buffers, WepKeyBufferLayout) {
  AdapterConfig c{};
  c.defaultKeyId = 2;
  c.keys[2].length = 5;
  std::memcpy(c.keys[2].material, "\x01\x02\x03\x04\x05", 5);
  const std::string expectedMaterial = "0102030405" + std::string(54, '0');
  EXPECT_EQ(HexOf(EncodeWepKeyBuffer(c, 2)),
            "2c000000"
            "02000080"
            "05000000" +
                expectedMaterial);
  c.defaultKeyId = 0;
  EXPECT_EQ(HexOf(EncodeWepKeyBuffer(c, 2)),
            "2c000000"
            "02000000"
            "05000000" +
                expectedMaterial);
}

TEST(Buffers, WepKeyLengthOutsideTheKeyAreaIsBounded) {
  AdapterConfig c{};
  c.defaultKeyId = 3;
  std::memset(c.keys[1].material, 0xAB, sizeof c.keys[1].material);
  struct Case {
    int32_t length;
    uint32_t sent;
  } cases[] = {{0, 0}, {32, 32}, {33, 32}, {128, 32}, {100000, 32}, {-7, 0}};
  for (const Case& k : cases) {
    c.keys[1].length = k.length;
    const WepKeyFields f = DecodeWepKeyBuffer(EncodeWepKeyBuffer(c, 1));
    EXPECT_EQ(f.keyLength, k.sent) << k.length;
    EXPECT_EQ(f.keyIndex, 1u);
    for (uint32_t i = 0; i < 32; ++i) EXPECT_EQ(f.material[i], i < k.sent ? 0xAB : 0) << i;
  }
}

TEST(Buffers, StatusBlockRoundTripAtTheDocumentedOffsets) {
  StatusBlockFields f{};
  f.rateCode = 110;
  f.channel = 6;
  f.networkMode = 1;
  f.state = 3;
  std::memcpy(f.bssid, "\x00\x11\x22\x33\x44\x55", 6);
  std::memcpy(f.ssid, "Wireless", 8);
  f.rxBytesPrimary = 0x11111111;
  f.rxBytesSecondary = 0x22222222;
  f.txBytesPrimary = 0x33333333;
  f.txBytesSecondary = 0x44444444;
  f.linkMetric = 7;
  f.signalMetric = 0x55;
  const auto b = EncodeStatusBlock(f);
  EXPECT_EQ(b[0], 110);
  EXPECT_EQ(b[4], 6);
  EXPECT_EQ(b[52], 1);
  EXPECT_EQ(b[96], 3);
  EXPECT_EQ(b[105], 0x11);
  EXPECT_EQ(b[116], 'W');
  EXPECT_EQ(b[312], 0x11);
  EXPECT_EQ(b[316], 0x22);
  EXPECT_EQ(b[352], 0x33);
  EXPECT_EQ(b[356], 0x44);
  EXPECT_EQ(b[376], 7);
  EXPECT_EQ(b[380], 0x55);
  const StatusBlockFields back = DecodeStatusBlock(b);
  EXPECT_EQ(std::memcmp(&back.bssid, &f.bssid, 6), 0);
  EXPECT_EQ(back.txBytesSecondary, 0x44444444u);
  EXPECT_EQ(back.signalMetric, 0x55u);
}

TEST(Buffers, DecodersTreatMissingBytesAsZero) {
  const std::vector<uint8_t> shortBlock(100, 0xFF);
  const StatusBlockFields f = DecodeStatusBlock(shortBlock);
  EXPECT_EQ(f.rateCode, 0xFFFFFFFFu);
  EXPECT_EQ(f.state, 0xFFFFFFFFu);  // bytes 96..99 came back
  EXPECT_EQ(f.bssid[0], 0);         // byte 104 did not
  EXPECT_EQ(f.signalMetric, 0u);
}

LinkStatus Decode(const StatusBlockFields& f, uint8_t previousRate = 0) {
  LinkStatus s{};
  s.rateIndex = previousRate;
  FillLinkStatus(DecodeStatusBlock(EncodeStatusBlock(f)), s);
  return s;
}

TEST(Buffers, LinkStatusFromStatusBlock) {
  StatusBlockFields f{};
  f.state = 1000;
  EXPECT_EQ(Decode(f).state, -1);
  f.state = 4;
  EXPECT_EQ(Decode(f).state, 4);
  f.rateCode = 221;
  EXPECT_EQ(Decode(f).rateIndex, 0);
  EXPECT_EQ(Decode(f, 3).rateIndex, 3);  // unknown code leaves the field
  f.rateCode = 238;
  EXPECT_EQ(Decode(f, 3).rateIndex, 6);
  std::memset(f.ssid, 'z', 32);  // a full 32-byte SSID stays terminated
  EXPECT_EQ(std::strlen(Decode(f).ssid), 32u);
}

std::vector<uint8_t> BssBuffer(int32_t count, std::vector<BssWireEntry> entries) {
  std::vector<uint8_t> buffer(kBssListBufferSize, 0);
  EncodeBssList(entries, count, buffer);
  return buffer;
}

TEST(Buffers, BssEntryLayoutAndConversion) {
  BssWireEntry w{};
  std::memcpy(w.bssid, "\xAA\xBB\xCC\xDD\xEE\xFF", 6);
  w.ssidLength = 4;
  std::memcpy(w.ssid, "Cafe-and-more", 13);
  w.privacy = 0x101;
  w.rssiWord = 0x12C8FFFF;  // bits 16..23 = 0xC8
  w.channel = 0x10B;
  w.infrastructureMode = 1;
  const auto buffer = BssBuffer(1, {w});
  EXPECT_EQ(HexOf(std::span(buffer).subspan(0, 4)), "01000000");
  const auto e = std::span(buffer).subspan(4, kBssEntrySize);
  EXPECT_EQ(HexOf(e.subspan(4, 6)), "aabbccddeeff");
  EXPECT_EQ(e[12], 4);
  EXPECT_EQ(e[16], 'C');
  EXPECT_EQ(HexOf(e.subspan(48, 4)), "01010000");
  EXPECT_EQ(HexOf(e.subspan(52, 4)), "ffffc812");
  EXPECT_EQ(HexOf(e.subspan(72, 4)), "0b010000");
  EXPECT_EQ(HexOf(e.subspan(92, 4)), "01000000");

  BssList list{};
  FillBssList(buffer, list);
  ASSERT_EQ(list.count, 1);
  EXPECT_STREQ(list.entries[0].ssid, "Cafe");
  EXPECT_EQ(list.entries[0].rssi, 0xC8);
  EXPECT_EQ(list.entries[0].privacy, 1);
  EXPECT_EQ(list.entries[0].channel, 11);
  EXPECT_EQ(list.entries[0].networkMode, 1);
}

TEST(Buffers, BssListClamps) {
  struct Case {
    int32_t stored;
    int32_t count;
  } cases[] = {{0, 0},    {1, 1},  {63, 63},       {64, 64},       {65, 64},
               {100, 64}, {-5, 0}, {INT32_MIN, 0}, {INT32_MAX, 64}};
  for (const Case& c : cases) {
    BssList list{};
    FillBssList(BssBuffer(c.stored, std::vector<BssWireEntry>(64)), list);
    EXPECT_EQ(list.count, c.count) << c.stored;
  }
}

TEST(Buffers, BssSsidLengthClamps) {
  struct Case {
    uint32_t length;
    size_t chars;
  } cases[] = {{40, 32},        {32, 32}, {31, 31}, {0, 0}, {static_cast<uint32_t>(-1), 0},
               {0x80000000u, 0}};
  for (const Case& c : cases) {
    BssWireEntry w{};
    std::memset(w.ssid, 'n', 32);
    w.ssidLength = c.length;
    BssEntry e{};
    FillBssEntry(w, e);
    EXPECT_EQ(std::strlen(e.ssid), c.chars) << c.length;
  }
}

TEST(Buffers, NetworkModeOutsideZeroOneKeepsThePreviousValue) {
  struct Case {
    uint32_t wire;
    uint8_t previous;
    uint8_t result;
  } cases[] = {{0, 1, 0}, {1, 0, 1}, {2, 1, 1}, {2, 0, 0}, {0xFFFFFFFF, 1, 1}, {0x100, 0, 0}};
  for (const Case& c : cases) {
    BssWireEntry w{};
    w.infrastructureMode = c.wire;
    BssEntry e{};
    e.networkMode = c.previous;
    FillBssEntry(w, e);
    EXPECT_EQ(e.networkMode, c.result) << c.wire;
  }
}

TEST(Buffers, VersionsLayout) {
  VersionsFields v{{1, 2, 3, 4}, {5, 6, 7, 8}};
  const auto b = EncodeVersions(v);
  EXPECT_EQ(HexOf(b),
            "00000000"
            "01020304"
            "05060708"
            "0000000000000000");
  const VersionsFields back = DecodeVersions(b);
  EXPECT_EQ(back.firmwareVersion[3], 8);
}

}  // namespace
}  // namespace nv
