// The animated picture's GIF block walk on arbitrary bytes: it never reads past the end, and
// every frame it finds, cut out as a stand-alone GIF, walks again as exactly that one frame.
#include <cstddef>
#include <cstdint>

#include "controls/gif_walk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  const nv::GifWalk walk = nv::WalkGif(bytes);
  if (walk.clean == !walk.problem.empty()) __builtin_trap();
  for (const nv::GifFrame& frame : walk.frames) {
    const std::vector<uint8_t> one = nv::ExtractGifFrame(bytes, walk, frame);
    if (one.size() != walk.headerSize + frame.length + 1) __builtin_trap();
    const nv::GifWalk again = nv::WalkGif(one);
    if (!again.clean || again.frames.size() != 1) __builtin_trap();
    const nv::GifFrame& f = again.frames[0];
    if (f.left != frame.left || f.top != frame.top || f.width != frame.width ||
        f.height != frame.height || f.delay != frame.delay || f.disposal != frame.disposal) {
      __builtin_trap();
    }
  }
  return 0;
}
