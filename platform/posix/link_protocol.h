// The wire protocol between the POSIX device link and the virtual adapter: length-prefixed,
// versioned, bounded frames. Documented in sim/README.md.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace nv::wire {

inline constexpr uint8_t kVersion = 1;
inline constexpr size_t kMaxFrameBytes = 64 * 1024;  // prefix included
inline constexpr size_t kPrefixBytes = 4;

enum FrameType : uint8_t {
  kOpen = 0x01,
  kIoctl = 0x02,
  kProbe = 0x03,
  kControl = 0x04,
  kOpenReply = 0x81,
  kIoctlReply = 0x82,
  kProbeReply = 0x83,
  kControlReply = 0x84,
};

struct Frame {
  uint8_t type = 0;
  std::vector<uint8_t> body;
};

// Prefix (u32 LE: bytes after the prefix), version, type, body. Empty when over the bound.
std::vector<uint8_t> EncodeFrame(uint8_t type, std::span<const uint8_t> body);

enum class Decode { NeedMore, Ok, Malformed };
// Takes one frame from the front of `buffer`; `consumed` tells how many bytes it used.
Decode DecodeFrame(std::span<const uint8_t> buffer, Frame* frame, size_t* consumed);

class Writer {
 public:
  Writer& U8(uint8_t v);
  Writer& U32(uint32_t v);
  Writer& Bytes(std::span<const uint8_t> bytes);  // u32 length, then the bytes
  Writer& Text(std::string_view text);
  const std::vector<uint8_t>& bytes() const { return out_; }

 private:
  std::vector<uint8_t> out_;
};

// Bounds-checked reading; every call fails once anything was short.
class Reader {
 public:
  explicit Reader(std::span<const uint8_t> in) : in_(in) {}
  bool U8(uint8_t* v);
  bool U32(uint32_t* v);
  bool Bytes(std::span<const uint8_t>* bytes);
  bool Text(std::string* text);
  bool AtEnd() const { return ok_ && at_ == in_.size(); }

 private:
  bool Take(size_t n, std::span<const uint8_t>* out);
  std::span<const uint8_t> in_;
  size_t at_ = 0;
  bool ok_ = true;
};

// Request and reply bodies.
struct IoctlRequest {
  uint32_t code = 0;
  uint32_t outCapacity = 0;
  std::vector<uint8_t> in;
};
struct IoctlReply {
  bool ok = false;
  int32_t lastError = 0;
  uint32_t bytesReturned = 0;
  std::vector<uint8_t> out;
};
// The largest output a request may ask for so that its reply still fits one frame.
inline constexpr uint32_t kMaxIoctlOutput = kMaxFrameBytes - 64;

// What the daemon publishes beside its socket for clients to read without asking it: whether
// the adapter is there, whether opening it fails, and the names a probe finds it by.
struct Presence {
  bool present = false;
  bool openFails = false;
  std::string instance;    // the 9x probe name
  std::string deviceName;  // the NT probe name: \Device\ + NetCfgInstanceId
  bool Opens() const { return present && !openFails; }
  bool Probe(std::string_view name) const {
    return present && (name == instance || name == deviceName);
  }
};
inline constexpr size_t kMaxPresenceBytes = 4096;

std::vector<uint8_t> EncodePresence(const Presence& p);  // version, flags, the two names
bool DecodePresence(std::span<const uint8_t> bytes, Presence* p);

std::vector<uint8_t> EncodeIoctlRequest(const IoctlRequest& r);
bool DecodeIoctlRequest(std::span<const uint8_t> body, IoctlRequest* r);
std::vector<uint8_t> EncodeIoctlReply(const IoctlReply& r);
bool DecodeIoctlReply(std::span<const uint8_t> body, IoctlReply* r);

}  // namespace nv::wire
