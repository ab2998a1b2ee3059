// Byte layouts of the driver buffers, both directions: the utility encodes what it sends and
// decodes what it reads; the virtual adapter does the opposite with the same code.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "adapter/records.h"

namespace nv {

inline constexpr uint32_t kSsidBufferSize = 36;
inline constexpr uint32_t kValueBufferSize = 4;
inline constexpr uint32_t kRatesBufferSize = 8;
inline constexpr uint32_t kWepKeyBufferSize = 44;
inline constexpr uint32_t kWepKeyMaxBytes = 32;
inline constexpr uint32_t kRegisterBufferSize = 12;
inline constexpr uint32_t kVersionsBufferSize = 20;
inline constexpr uint32_t kBssEntrySize = 104;
inline constexpr uint32_t kBssListBufferSize = 4 + kMaxBssEntries * kBssEntrySize;  // 6660
inline constexpr uint32_t kStatusBlockSize = 384;
inline constexpr uint32_t kStatusStateUnavailable = 1000;
inline constexpr uint32_t kTransmitKeyBit = 0x80000000u;

// --- what the utility sends -------------------------------------------------------------

// Length = text length of ssid (at most 32), then the record's first 32 ssid bytes as they are.
std::array<uint8_t, kSsidBufferSize> EncodeSsidBuffer(const AdapterConfig& config);
std::array<uint8_t, kValueBufferSize> EncodeValueBuffer(uint32_t value);
std::array<uint8_t, kRatesBufferSize> EncodeRatesBuffer(uint8_t rateCode);
// Slot `slot` of `config`; a length outside 0..32 is sent as its nearest bound.
std::array<uint8_t, kWepKeyBufferSize> EncodeWepKeyBuffer(const AdapterConfig& config, int slot);
std::array<uint8_t, kRegisterBufferSize> EncodeRegisterBuffer(uint32_t offset, uint32_t value);

// --- what the driver sends back (and the virtual adapter builds) ------------------------

struct StatusBlockFields {
  uint32_t rateCode;
  uint8_t channel;
  uint8_t networkMode;
  uint32_t state;
  uint8_t bssid[6];
  uint8_t ssid[32];
  uint32_t rxBytesPrimary;
  uint32_t rxBytesSecondary;
  uint32_t txBytesPrimary;
  uint32_t txBytesSecondary;
  uint32_t linkMetric;
  uint32_t signalMetric;
};

struct BssWireEntry {
  uint8_t bssid[6];
  uint32_t ssidLength;
  uint8_t ssid[32];
  uint32_t privacy;
  int32_t rssiWord;  // the signal level travels in bits 16..23
  uint32_t channel;  // DS configuration
  uint32_t infrastructureMode;
};

struct VersionsFields {
  uint8_t driverVersion[4];
  uint8_t firmwareVersion[4];
};

// Decoders accept any byte count: missing bytes read as zero, as in the zero-filled buffer the
// request offered; extra bytes are ignored.
StatusBlockFields DecodeStatusBlock(std::span<const uint8_t> bytes);
VersionsFields DecodeVersions(std::span<const uint8_t> bytes);
uint32_t DecodeRegisterValue(std::span<const uint8_t> bytes);
// Entry count as stored (signed, unclamped) and entry i of the list.
int32_t DecodeBssCount(std::span<const uint8_t> bytes);
BssWireEntry DecodeBssWireEntry(std::span<const uint8_t> bytes, int index);

std::array<uint8_t, kStatusBlockSize> EncodeStatusBlock(const StatusBlockFields& fields);
std::array<uint8_t, kVersionsBufferSize> EncodeVersions(const VersionsFields& fields);
// Writes the count and the entries that fit into `out` (at most 64); returns the bytes used.
uint32_t EncodeBssList(std::span<const BssWireEntry> entries, int32_t count,
                       std::span<uint8_t> out);

// What the driver side reads from the utility's set buffers.
struct SsidFields {
  uint32_t length;
  uint8_t ssid[32];
};
struct WepKeyFields {
  uint32_t totalLength;
  uint32_t keyIndex;  // bit 31 marks the transmit key
  uint32_t keyLength;
  uint8_t material[32];
};
struct RegisterFields {
  uint32_t width;
  uint32_t offset;
  uint32_t value;
};
SsidFields DecodeSsidBuffer(std::span<const uint8_t> bytes);
WepKeyFields DecodeWepKeyBuffer(std::span<const uint8_t> bytes);
RegisterFields DecodeRegisterBuffer(std::span<const uint8_t> bytes);

// --- conversion into the utility's records ----------------------------------------------

// LinkStatus from a status block: state 1000 becomes -1; an unknown rate code leaves rateIndex.
void FillLinkStatus(const StatusBlockFields& block, LinkStatus& status);
// Converts up to 64 entries of a BSS list buffer; count above 63 becomes 64, below 0 becomes 0.
void FillBssList(std::span<const uint8_t> bytes, BssList& list);
void FillBssEntry(const BssWireEntry& wire, BssEntry& entry);

}  // namespace nv
