#include "link_protocol.h"

#include "platform/le_bytes.h"

namespace nv::wire {

std::vector<uint8_t> EncodeFrame(uint8_t type, std::span<const uint8_t> body) {
  const size_t payload = 2 + body.size();
  if (kPrefixBytes + payload > kMaxFrameBytes) return {};
  std::vector<uint8_t> out(kPrefixBytes);
  le::Put32(out, 0, static_cast<uint32_t>(payload));
  out.push_back(kVersion);
  out.push_back(type);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Decode DecodeFrame(std::span<const uint8_t> buffer, Frame* frame, size_t* consumed) {
  if (buffer.size() < kPrefixBytes) return Decode::NeedMore;
  const uint32_t payload = le::Get32(buffer, 0);
  if (payload < 2 || payload > kMaxFrameBytes - kPrefixBytes) return Decode::Malformed;
  if (buffer.size() < kPrefixBytes + payload) return Decode::NeedMore;
  if (buffer[kPrefixBytes] != kVersion) return Decode::Malformed;
  frame->type = buffer[kPrefixBytes + 1];
  const auto body = buffer.subspan(kPrefixBytes + 2, payload - 2);
  frame->body.assign(body.begin(), body.end());
  *consumed = kPrefixBytes + payload;
  return Decode::Ok;
}

Writer& Writer::U8(uint8_t v) {
  out_.push_back(v);
  return *this;
}

Writer& Writer::U32(uint32_t v) {
  for (int i = 0; i < 4; ++i) out_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  return *this;
}

Writer& Writer::Bytes(std::span<const uint8_t> bytes) {
  U32(static_cast<uint32_t>(bytes.size()));
  out_.insert(out_.end(), bytes.begin(), bytes.end());
  return *this;
}

Writer& Writer::Text(std::string_view text) {
  return Bytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

bool Reader::Take(size_t n, std::span<const uint8_t>* out) {
  if (!ok_ || in_.size() - at_ < n) return ok_ = false;
  *out = in_.subspan(at_, n);
  at_ += n;
  return true;
}

bool Reader::U8(uint8_t* v) {
  std::span<const uint8_t> b;
  if (!Take(1, &b)) return false;
  *v = b[0];
  return true;
}

bool Reader::U32(uint32_t* v) {
  std::span<const uint8_t> b;
  if (!Take(4, &b)) return false;
  *v = le::Get32(b, 0);
  return true;
}

bool Reader::Bytes(std::span<const uint8_t>* bytes) {
  uint32_t n = 0;
  return U32(&n) && Take(n, bytes);
}

bool Reader::Text(std::string* text) {
  std::span<const uint8_t> b;
  if (!Bytes(&b)) return false;
  text->assign(b.begin(), b.end());
  return true;
}

namespace {
constexpr uint8_t kPresentFlag = 0x01;
constexpr uint8_t kOpenFailsFlag = 0x02;
}  // namespace

std::vector<uint8_t> EncodePresence(const Presence& p) {
  const uint8_t flags = (p.present ? kPresentFlag : 0) | (p.openFails ? kOpenFailsFlag : 0);
  return Writer().U8(kVersion).U8(flags).Text(p.instance).Text(p.deviceName).bytes();
}

bool DecodePresence(std::span<const uint8_t> bytes, Presence* p) {
  Reader reader(bytes);
  uint8_t version = 0;
  uint8_t flags = 0;
  if (bytes.size() > kMaxPresenceBytes || !reader.U8(&version) || version != kVersion ||
      !reader.U8(&flags) || (flags & ~(kPresentFlag | kOpenFailsFlag)) != 0 ||
      !reader.Text(&p->instance) || !reader.Text(&p->deviceName) || !reader.AtEnd()) {
    return false;
  }
  p->present = (flags & kPresentFlag) != 0;
  p->openFails = (flags & kOpenFailsFlag) != 0;
  return true;
}

std::vector<uint8_t> EncodeIoctlRequest(const IoctlRequest& r) {
  return Writer().U32(r.code).U32(r.outCapacity).Bytes(r.in).bytes();
}

bool DecodeIoctlRequest(std::span<const uint8_t> body, IoctlRequest* r) {
  Reader reader(body);
  std::span<const uint8_t> in;
  if (!reader.U32(&r->code) || !reader.U32(&r->outCapacity) || !reader.Bytes(&in) ||
      !reader.AtEnd() || r->outCapacity > kMaxIoctlOutput) {
    return false;
  }
  r->in.assign(in.begin(), in.end());
  return true;
}

std::vector<uint8_t> EncodeIoctlReply(const IoctlReply& r) {
  return Writer()
      .U8(r.ok ? 1 : 0)
      .U32(static_cast<uint32_t>(r.lastError))
      .U32(r.bytesReturned)
      .Bytes(r.out)
      .bytes();
}

bool DecodeIoctlReply(std::span<const uint8_t> body, IoctlReply* r) {
  Reader reader(body);
  uint8_t ok = 0;
  uint32_t error = 0;
  std::span<const uint8_t> out;
  if (!reader.U8(&ok) || !reader.U32(&error) || !reader.U32(&r->bytesReturned) ||
      !reader.Bytes(&out) || !reader.AtEnd() || ok > 1) {
    return false;
  }
  r->ok = ok == 1;
  r->lastError = static_cast<int32_t>(error);
  r->out.assign(out.begin(), out.end());
  return true;
}

}  // namespace nv::wire
