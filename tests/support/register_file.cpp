#include "register_file.h"

namespace nv::test {

RegisterFile::RegisterFile(RecordingDeviceLink& link, int pollsUntilClear)
    : pollsUntilClear_(pollsUntilClear) {
  link.SetHandler(codes::kRegisterWrite.setCode, [this](auto in, auto) {
    const RegisterFields f = DecodeRegisterBuffer(in);
    OnWrite(f.offset, f.value);
    return IoOutcome{true, 0, 0};
  });
  link.SetHandler(codes::kRegisterRead.queryCode, [this](auto in, auto out) {
    const RegisterFields f = DecodeRegisterBuffer(in);
    const auto reply = EncodeRegisterBuffer(f.offset, OnRead(f.offset));
    std::copy(reply.begin(), reply.end(), out.begin());
    return IoOutcome{true, readBytesReturned, 0};
  });
}

bool RegisterFile::IsControl(uint32_t offset) const {
  return offset == kWindowA.control || offset == kWindowB.control;
}

void RegisterFile::OnWrite(uint32_t offset, uint32_t value) {
  writes.emplace_back(offset, value);
  regs[offset] = value;
  if (!IsControl(offset)) return;
  pending_[offset] = pollsUntilClear_;
  const bool a = offset == kWindowA.control;
  const RegisterWindow& w = a ? kWindowA : kWindowB;
  auto& window = a ? windowA : windowB;
  if (value == 2) regs[w.data] = window[regs[w.address]];
  if (value == 1) window[regs[w.address]] = regs[w.data];
}

uint32_t RegisterFile::OnRead(uint32_t offset) {
  if (IsControl(offset)) {
    ++controlReads;
    int& left = pending_[offset];
    if (left == 0) regs[offset] = 0;
    if (left > 0) --left;
  }
  return regs[offset];
}

}  // namespace nv::test
