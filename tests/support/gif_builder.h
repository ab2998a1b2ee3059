// Builds GIF files block by block for tests: header and screen colour table, extensions, images
// (LZW-coded without compression, so any decoder reads them) and the trailer.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace nv::test {

class GifBuilder {
 public:
  // `palette`: 0xRRGGBB colours (padded to a power of two, at least 2); empty: no screen table.
  GifBuilder(int width, int height, std::vector<uint32_t> palette, const char* version = "89a") {
    Append(std::string("GIF") + version);
    Word(width);
    Word(height);
    Table(palette, 0x70);
    if (palette.empty()) bytes_.push_back(0);
    bytes_.push_back(0);  // background colour index
    bytes_.push_back(0);  // aspect ratio
    Colours(palette);
  }

  GifBuilder& Application() {  // the looping extension
    bytes_.insert(bytes_.end(), {0x21, 0xFF, 0x0B});
    Append("NETSCAPE2.0");
    bytes_.insert(bytes_.end(), {0x03, 0x01, 0x00, 0x00, 0x00});
    return *this;
  }
  GifBuilder& Comment(const std::string& text) {
    bytes_.insert(bytes_.end(), {0x21, 0xFE});
    SubBlocks({text.begin(), text.end()});
    return *this;
  }
  // `transparent`: a colour index, or -1 for none.
  GifBuilder& Control(int delay, int disposal, int transparent = -1) {
    bytes_.insert(bytes_.end(), {0x21, 0xF9, 0x04});
    bytes_.push_back(static_cast<uint8_t>((disposal << 2) | (transparent >= 0 ? 1 : 0)));
    Word(delay);
    bytes_.push_back(static_cast<uint8_t>(transparent >= 0 ? transparent : 0));
    bytes_.push_back(0);
    return *this;
  }
  GifBuilder& PlainText(int left, int top, int width, int height, const std::string& text) {
    bytes_.insert(bytes_.end(), {0x21, 0x01, 0x0C});
    for (int v : {left, top, width, height}) Word(v);
    bytes_.insert(bytes_.end(), {8, 8, 1, 0});
    SubBlocks({text.begin(), text.end()});
    return *this;
  }
  // A solid image of colour `index`; `local`: its own colour table when not empty.
  GifBuilder& Image(int left, int top, int width, int height, uint8_t index,
                    const std::vector<uint32_t>& local = {}) {
    return Pixels(left, top, width, height,
                  std::vector<uint8_t>(static_cast<size_t>(width * height), index), local);
  }
  GifBuilder& Pixels(int left, int top, int width, int height, const std::vector<uint8_t>& pixels,
                     const std::vector<uint32_t>& local = {}) {
    bytes_.push_back(0x2C);
    for (int v : {left, top, width, height}) Word(v);
    Table(local, 0);
    if (local.empty()) bytes_.push_back(0);
    Colours(local);
    Lzw(pixels);
    return *this;
  }
  std::vector<uint8_t> Done() {
    bytes_.push_back(0x3B);
    return bytes_;
  }
  std::vector<uint8_t>& bytes() { return bytes_; }

 private:
  static int Bits(size_t colours) {
    int n = 0;
    while ((2u << n) < colours && n < 7) ++n;
    return n;
  }
  void Append(const std::string& text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }
  void Word(int v) {
    bytes_.push_back(static_cast<uint8_t>(v & 0xFF));
    bytes_.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
  }
  // The packed byte's table flag and size; `extra`: the screen's colour resolution bits.
  void Table(const std::vector<uint32_t>& palette, int extra) {
    if (palette.empty()) return;
    bytes_.push_back(static_cast<uint8_t>(0x80 | extra | Bits(palette.size())));
  }
  void Colours(const std::vector<uint32_t>& palette) {
    if (palette.empty()) return;
    const size_t entries = 2u << Bits(palette.size());
    for (size_t i = 0; i < entries; ++i) {
      const uint32_t c = i < palette.size() ? palette[i] : 0;
      bytes_.insert(bytes_.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                                   static_cast<uint8_t>(c)});
    }
  }
  void SubBlocks(const std::vector<uint8_t>& data) {
    for (size_t at = 0; at < data.size(); at += 255) {
      const size_t n = std::min<size_t>(255, data.size() - at);
      bytes_.push_back(static_cast<uint8_t>(n));
      bytes_.insert(bytes_.end(), data.begin() + static_cast<long>(at),
                    data.begin() + static_cast<long>(at + n));
    }
    bytes_.push_back(0);
  }
  // Minimum code size 8; a clear code before every 253 literals keeps the codes 9 bits wide.
  void Lzw(const std::vector<uint8_t>& pixels) {
    constexpr int kMin = 8, kClear = 256, kEnd = 257, kGroup = 253;
    std::vector<uint8_t> out;
    uint32_t acc = 0;
    int bits = 0;
    auto put = [&](int code) {
      acc |= static_cast<uint32_t>(code) << bits;
      for (bits += kMin + 1; bits >= 8; bits -= 8, acc >>= 8) out.push_back(acc & 0xFF);
    };
    for (size_t i = 0; i < pixels.size(); ++i) {
      if (i % kGroup == 0) put(kClear);
      put(pixels[i]);
    }
    put(kEnd);
    if (bits > 0) out.push_back(acc & 0xFF);
    bytes_.push_back(kMin);
    SubBlocks(out);
  }

  std::vector<uint8_t> bytes_;
};

}  // namespace nv::test
