// Frames as the daemon receives them: prefix, version, type and the request bodies.
#include <cstddef>
#include <cstdint>
#include <string>

#include "link_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> buffer(data, size);
  for (int frames = 0; frames < 16; ++frames) {
    nv::wire::Frame frame;
    size_t used = 0;
    if (nv::wire::DecodeFrame(buffer, &frame, &used) != nv::wire::Decode::Ok) break;
    buffer = buffer.subspan(used);
    nv::wire::IoctlRequest request;
    nv::wire::IoctlReply reply;
    nv::wire::DecodeIoctlRequest(frame.body, &request);
    nv::wire::DecodeIoctlReply(frame.body, &reply);
    nv::wire::Reader reader(frame.body);
    std::string text;
    uint32_t status = 0;
    uint8_t flag = 0;
    reader.U32(&status) && reader.U8(&flag) && reader.Text(&text);
  }
  return 0;
}
