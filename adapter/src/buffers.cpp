#include "adapter/buffers.h"

#include <algorithm>
#include <cstring>

#include "platform/le_bytes.h"

namespace nv {

namespace {

// The bytes a request offered: a zero-filled buffer of N bytes with what came back on top.
template <size_t N>
std::array<uint8_t, N> ZeroFilled(std::span<const uint8_t> bytes) {
  std::array<uint8_t, N> out{};
  std::copy_n(bytes.begin(), std::min(bytes.size(), N), out.begin());
  return out;
}

uint32_t BoundedTextLength(const char* text, size_t capacity) {
  return static_cast<uint32_t>(strnlen(text, capacity));
}

constexpr size_t kBssOffsetBssid = 4;
constexpr size_t kBssOffsetSsidLength = 12;
constexpr size_t kBssOffsetSsid = 16;
constexpr size_t kBssOffsetPrivacy = 48;
constexpr size_t kBssOffsetRssi = 52;
constexpr size_t kBssOffsetChannel = 72;
constexpr size_t kBssOffsetMode = 92;

constexpr size_t kStatusRate = 0;
constexpr size_t kStatusChannel = 4;
constexpr size_t kStatusNetworkMode = 52;
constexpr size_t kStatusState = 96;
constexpr size_t kStatusBssid = 104;
constexpr size_t kStatusSsid = 116;
constexpr size_t kStatusRxPrimary = 312;
constexpr size_t kStatusRxSecondary = 316;
constexpr size_t kStatusTxPrimary = 352;
constexpr size_t kStatusTxSecondary = 356;
constexpr size_t kStatusLinkMetric = 376;
constexpr size_t kStatusSignalMetric = 380;

}  // namespace

std::array<uint8_t, kSsidBufferSize> EncodeSsidBuffer(const AdapterConfig& config) {
  std::array<uint8_t, kSsidBufferSize> out{};
  // An SSID never exceeds 32 bytes, whatever a malformed record holds after them.
  le::Put32(out, 0, std::min<uint32_t>(BoundedTextLength(config.ssid, sizeof config.ssid), 32));
  std::memcpy(out.data() + 4, config.ssid, 32);
  return out;
}

std::array<uint8_t, kValueBufferSize> EncodeValueBuffer(uint32_t value) {
  std::array<uint8_t, kValueBufferSize> out{};
  le::Put32(out, 0, value);
  return out;
}

std::array<uint8_t, kRatesBufferSize> EncodeRatesBuffer(uint8_t rateCode) {
  std::array<uint8_t, kRatesBufferSize> out{};
  out[0] = rateCode;
  return out;
}

std::array<uint8_t, kWepKeyBufferSize> EncodeWepKeyBuffer(const AdapterConfig& config, int slot) {
  std::array<uint8_t, kWepKeyBufferSize> out{};
  const WepKeySlot& key = config.keys[slot];
  const auto length = static_cast<uint32_t>(std::clamp<int32_t>(key.length, 0, kWepKeyMaxBytes));
  uint32_t index = static_cast<uint32_t>(slot);
  if (config.defaultKeyId == slot) index |= kTransmitKeyBit;
  le::Put32(out, 0, kWepKeyBufferSize);
  le::Put32(out, 4, index);
  le::Put32(out, 8, length);
  std::memcpy(out.data() + 12, key.material, length);
  return out;
}

std::array<uint8_t, kRegisterBufferSize> EncodeRegisterBuffer(uint32_t offset, uint32_t value) {
  std::array<uint8_t, kRegisterBufferSize> out{};
  le::Put32(out, 0, 4);
  le::Put32(out, 4, offset);
  le::Put32(out, 8, value);
  return out;
}

StatusBlockFields DecodeStatusBlock(std::span<const uint8_t> bytes) {
  const auto b = ZeroFilled<kStatusBlockSize>(bytes);
  StatusBlockFields f{};
  f.rateCode = le::Get32(b, kStatusRate);
  f.channel = b[kStatusChannel];
  f.networkMode = b[kStatusNetworkMode];
  f.state = le::Get32(b, kStatusState);
  std::memcpy(f.bssid, b.data() + kStatusBssid, 6);
  std::memcpy(f.ssid, b.data() + kStatusSsid, 32);
  f.rxBytesPrimary = le::Get32(b, kStatusRxPrimary);
  f.rxBytesSecondary = le::Get32(b, kStatusRxSecondary);
  f.txBytesPrimary = le::Get32(b, kStatusTxPrimary);
  f.txBytesSecondary = le::Get32(b, kStatusTxSecondary);
  f.linkMetric = le::Get32(b, kStatusLinkMetric);
  f.signalMetric = le::Get32(b, kStatusSignalMetric);
  return f;
}

std::array<uint8_t, kStatusBlockSize> EncodeStatusBlock(const StatusBlockFields& f) {
  std::array<uint8_t, kStatusBlockSize> b{};
  le::Put32(b, kStatusRate, f.rateCode);
  b[kStatusChannel] = f.channel;
  b[kStatusNetworkMode] = f.networkMode;
  le::Put32(b, kStatusState, f.state);
  std::memcpy(b.data() + kStatusBssid, f.bssid, 6);
  std::memcpy(b.data() + kStatusSsid, f.ssid, 32);
  le::Put32(b, kStatusRxPrimary, f.rxBytesPrimary);
  le::Put32(b, kStatusRxSecondary, f.rxBytesSecondary);
  le::Put32(b, kStatusTxPrimary, f.txBytesPrimary);
  le::Put32(b, kStatusTxSecondary, f.txBytesSecondary);
  le::Put32(b, kStatusLinkMetric, f.linkMetric);
  le::Put32(b, kStatusSignalMetric, f.signalMetric);
  return b;
}

VersionsFields DecodeVersions(std::span<const uint8_t> bytes) {
  const auto b = ZeroFilled<kVersionsBufferSize>(bytes);
  VersionsFields f{};
  std::memcpy(f.driverVersion, b.data() + 4, 4);
  std::memcpy(f.firmwareVersion, b.data() + 8, 4);
  return f;
}

std::array<uint8_t, kVersionsBufferSize> EncodeVersions(const VersionsFields& f) {
  std::array<uint8_t, kVersionsBufferSize> b{};
  std::memcpy(b.data() + 4, f.driverVersion, 4);
  std::memcpy(b.data() + 8, f.firmwareVersion, 4);
  return b;
}

uint32_t DecodeRegisterValue(std::span<const uint8_t> bytes) {
  return DecodeRegisterBuffer(bytes).value;
}

RegisterFields DecodeRegisterBuffer(std::span<const uint8_t> bytes) {
  const auto b = ZeroFilled<kRegisterBufferSize>(bytes);
  return {le::Get32(b, 0), le::Get32(b, 4), le::Get32(b, 8)};
}

SsidFields DecodeSsidBuffer(std::span<const uint8_t> bytes) {
  const auto b = ZeroFilled<kSsidBufferSize>(bytes);
  SsidFields f{};
  f.length = le::Get32(b, 0);
  std::memcpy(f.ssid, b.data() + 4, 32);
  return f;
}

WepKeyFields DecodeWepKeyBuffer(std::span<const uint8_t> bytes) {
  const auto b = ZeroFilled<kWepKeyBufferSize>(bytes);
  WepKeyFields f{};
  f.totalLength = le::Get32(b, 0);
  f.keyIndex = le::Get32(b, 4);
  f.keyLength = le::Get32(b, 8);
  std::memcpy(f.material, b.data() + 12, 32);
  return f;
}

int32_t DecodeBssCount(std::span<const uint8_t> bytes) {
  return le::GetS32(ZeroFilled<4>(bytes), 0);
}

BssWireEntry DecodeBssWireEntry(std::span<const uint8_t> bytes, int index) {
  const size_t start = 4 + static_cast<size_t>(index) * kBssEntrySize;
  const auto e = ZeroFilled<kBssEntrySize>(start < bytes.size() ? bytes.subspan(start)
                                                                : std::span<const uint8_t>{});
  BssWireEntry w{};
  std::memcpy(w.bssid, e.data() + kBssOffsetBssid, 6);
  w.ssidLength = le::Get32(e, kBssOffsetSsidLength);
  std::memcpy(w.ssid, e.data() + kBssOffsetSsid, 32);
  w.privacy = le::Get32(e, kBssOffsetPrivacy);
  w.rssiWord = le::GetS32(e, kBssOffsetRssi);
  w.channel = le::Get32(e, kBssOffsetChannel);
  w.infrastructureMode = le::Get32(e, kBssOffsetMode);
  return w;
}

uint32_t EncodeBssList(std::span<const BssWireEntry> entries, int32_t count,
                       std::span<uint8_t> out) {
  if (out.size() < 4) return 0;
  le::Put32(out, 0, static_cast<uint32_t>(count));
  size_t used = 4;
  for (size_t i = 0; i < entries.size() && i < kMaxBssEntries; ++i) {
    if (used + kBssEntrySize > out.size()) break;
    const BssWireEntry& w = entries[i];
    auto e = out.subspan(used, kBssEntrySize);
    std::fill(e.begin(), e.end(), uint8_t{0});
    std::memcpy(e.data() + kBssOffsetBssid, w.bssid, 6);
    le::Put32(e, kBssOffsetSsidLength, w.ssidLength);
    std::memcpy(e.data() + kBssOffsetSsid, w.ssid, 32);
    le::Put32(e, kBssOffsetPrivacy, w.privacy);
    le::Put32(e, kBssOffsetRssi, static_cast<uint32_t>(w.rssiWord));
    le::Put32(e, kBssOffsetChannel, w.channel);
    le::Put32(e, kBssOffsetMode, w.infrastructureMode);
    used += kBssEntrySize;
  }
  return static_cast<uint32_t>(used);
}

void FillLinkStatus(const StatusBlockFields& block, LinkStatus& status) {
  status.state =
      block.state == kStatusStateUnavailable ? kStateNoDriver : static_cast<int32_t>(block.state);
  std::memset(status.ssid, 0, sizeof status.ssid);
  std::memcpy(status.ssid, block.ssid, 32);  // the 36-byte field keeps its terminator
  std::memcpy(status.bssid, block.bssid, 6);
  status.channel = block.channel;
  status.networkMode = block.networkMode;
  DecodeRateCode(block.rateCode, &status.rateIndex);
  status.linkMetric = block.linkMetric;
  status.signalMetric = block.signalMetric;
}

void FillBssEntry(const BssWireEntry& wire, BssEntry& entry) {
  std::memcpy(entry.bssid, wire.bssid, 6);
  const auto length = std::clamp<int32_t>(static_cast<int32_t>(wire.ssidLength), 0, 32);
  std::memset(entry.ssid, 0, sizeof entry.ssid);
  std::memcpy(entry.ssid, wire.ssid, static_cast<size_t>(length));
  entry.privacy = static_cast<uint8_t>(wire.privacy);
  entry.rssi = static_cast<uint8_t>(static_cast<uint32_t>(wire.rssiWord) >> 16);
  entry.channel = static_cast<uint8_t>(wire.channel);
  if (wire.infrastructureMode <= 1)
    entry.networkMode = static_cast<uint8_t>(wire.infrastructureMode);
}

void FillBssList(std::span<const uint8_t> bytes, BssList& list) {
  const int32_t stored = DecodeBssCount(bytes);
  list.count = stored > 63 ? kMaxBssEntries : std::max(stored, 0);
  for (int i = 0; i < list.count; ++i) FillBssEntry(DecodeBssWireEntry(bytes, i), list.entries[i]);
}

}  // namespace nv
