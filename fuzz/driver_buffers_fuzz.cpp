// What a driver may send back: status blocks and BSS lists of any size and content.
#include <cstddef>
#include <cstdint>

#include "adapter/buffers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> bytes(data, size);
  nv::LinkStatus status{};
  nv::FillLinkStatus(nv::DecodeStatusBlock(bytes), status);
  static nv::BssList list;
  list = nv::BssList{};
  nv::FillBssList(bytes, list);
  if (list.count < 0 || list.count > nv::kMaxBssEntries) __builtin_trap();
  for (int i = 0; i < list.count; ++i) {
    if (list.entries[i].ssid[32] != '\0') __builtin_trap();
  }
  nv::DecodeVersions(bytes);
  nv::DecodeWepKeyBuffer(bytes);
  nv::DecodeSsidBuffer(bytes);
  return 0;
}
