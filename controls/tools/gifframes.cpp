// gifframes FILE: the frames of a GIF as the animated picture's block walk sees them, one line
// each: index, left, top, width, height, delay (hundredths of a second, -1 without a graphic
// control extension), disposal. A developer's tool and the walk's test handle; not installed.
// Exit status 0 done, 1 refused or unreadable, 2 usage.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "controls/gif_walk.h"

int main(int argc, char** argv) {
  if (argc != 2 || std::strcmp(argv[1], "--help") == 0) {
    std::fputs(
        "usage: gifframes FILE\n"
        "prints one line per frame: index left top width height delay disposal\n",
        argc == 2 ? stdout : stderr);
    return argc == 2 ? 0 : 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "gifframes: %s: cannot be read\n", argv[1]);
    return 1;
  }
  const std::vector<uint8_t> data{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
  const nv::GifWalk walk = nv::WalkGif(data);
  for (size_t i = 0; i < walk.frames.size(); ++i) {
    const nv::GifFrame& f = walk.frames[i];
    std::printf("%d %d %d %d %d %d %d\n", static_cast<int>(i), f.left, f.top, f.width, f.height,
                f.delay, f.disposal);
  }
  if (!walk.clean) {
    std::fprintf(stderr, "gifframes: %s: refused: %s\n", argv[1], walk.problem.c_str());
    return 1;
  }
  if (walk.frames.empty()) {
    std::fprintf(stderr, "gifframes: %s: refused: no frames\n", argv[1]);
    return 1;
  }
  return 0;
}
