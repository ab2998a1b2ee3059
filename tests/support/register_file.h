// Chip registers behind the recording link's register read and write codes, with window
// control registers that clear after a set number of polls.
#pragma once

#include <map>
#include <vector>

#include "adapter/adapter_io.h"
#include "adapter/buffers.h"
#include "recording_device_link.h"

namespace nv::test {

class RegisterFile {
 public:
  // pollsUntilClear < 0: the control registers never clear.
  RegisterFile(RecordingDeviceLink& link, int pollsUntilClear);

  std::map<uint32_t, uint32_t> regs;
  std::vector<std::pair<uint32_t, uint32_t>> writes;  // (offset, value) in order
  int controlReads = 0;
  uint32_t readBytesReturned = 12;
  // Window data answered by address, for each window.
  std::map<uint32_t, uint32_t> windowA;
  std::map<uint32_t, uint32_t> windowB;

 private:
  bool IsControl(uint32_t offset) const;
  void OnWrite(uint32_t offset, uint32_t value);
  uint32_t OnRead(uint32_t offset);
  int pollsUntilClear_;
  std::map<uint32_t, int> pending_;
};

}  // namespace nv::test
