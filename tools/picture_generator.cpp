#include "tools/picture_generator.h"

#include <cmath>
#include <cstring>
#include <string>

namespace talv::tools {
namespace {

// 0x00RRGGBB colours.
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kSpeakerBody = 0x3C4450;
constexpr uint32_t kSpeakerCone = 0x56606E;
constexpr uint32_t kWave = 0x1E78C8;
constexpr uint32_t kHighlight = 0xD8E8FA;

class Writer {
 public:
  void U8(uint32_t v) { out.push_back(uint8_t(v)); }
  void U16(uint32_t v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(uint32_t v) {
    U16(v);
    U16(v >> 16);
  }
  void Raw(const void* p, size_t n) {
    const auto* b = static_cast<const uint8_t*>(p);
    out.insert(out.end(), b, b + n);
  }
  PictureBytes out;
};

using Canvas = std::vector<uint32_t>;  // RGB per pixel, rows top first

// The loudspeaker: a box and a cone opening to the right, and for sound on
// three arcs of waves.
Canvas DrawSpeaker(bool waves, uint32_t background) {
  const int w = kSpeakerWidth, h = kSpeakerHeight;
  Canvas c(size_t(w * h), background);
  auto put = [&](int x, int y, uint32_t rgb) {
    if (x >= 0 && x < w && y >= 0 && y < h) c[size_t(y * w + x)] = rgb;
  };
  for (int y = 7; y <= 11; ++y) {
    for (int x = 2; x <= 5; ++x) put(x, y, kSpeakerBody);
  }
  for (int x = 6; x <= 10; ++x) {
    int spread = x - 6;
    for (int y = 7 - spread; y <= 11 + spread; ++y) put(x, y, x == 10 ? kSpeakerBody : kSpeakerCone);
  }
  if (waves) {
    const double cx = 10.5, cy = 9.0;
    for (double r : {3.6, 6.0, 8.4}) {
      for (int y = 0; y < h; ++y) {
        for (int x = 12; x < w; ++x) {
          double dx = x - cx, dy = y - cy;
          double d = std::sqrt(dx * dx + dy * dy);
          if (std::fabs(d - r) < 0.55 && std::fabs(dy) <= dx * 1.1) put(x, y, kWave);
        }
      }
    }
  }
  return c;
}

PictureBytes EncodeBmp24(const Canvas& c, int w, int h) {
  const uint32_t row = uint32_t((w * 3 + 3) / 4 * 4);
  const uint32_t image = row * uint32_t(h);
  Writer out;
  out.U8('B');
  out.U8('M');
  out.U32(54 + image);
  out.U32(0);
  out.U32(54);
  out.U32(40);
  out.U32(uint32_t(w));
  out.U32(uint32_t(h));  // bottom-up rows
  out.U16(1);
  out.U16(24);
  out.U32(0);  // BI_RGB
  out.U32(image);
  out.U32(2835);
  out.U32(2835);
  out.U32(0);
  out.U32(0);
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) {
      uint32_t rgb = c[size_t(y * w + x)];
      out.U8(rgb);
      out.U8(rgb >> 8);
      out.U8(rgb >> 16);
    }
    for (uint32_t pad = uint32_t(w) * 3; pad < row; ++pad) out.U8(0);
  }
  return out.out;
}

// LSB-first bit packing of GIF codes.
class BitPacker {
 public:
  void Put(uint32_t code, int width) {
    acc_ |= uint64_t(code) << bits_;
    bits_ += width;
    while (bits_ >= 8) {
      bytes.push_back(uint8_t(acc_));
      acc_ >>= 8;
      bits_ -= 8;
    }
  }
  void Flush() {
    if (bits_ > 0) bytes.push_back(uint8_t(acc_));
    acc_ = 0;
    bits_ = 0;
  }
  std::vector<uint8_t> bytes;

 private:
  uint64_t acc_ = 0;
  int bits_ = 0;
};

void SubBlocks(Writer& out, const std::vector<uint8_t>& data) {
  for (size_t i = 0; i < data.size(); i += 255) {
    size_t n = data.size() - i < 255 ? data.size() - i : 255;
    out.U8(uint32_t(n));
    out.Raw(data.data() + i, n);
  }
  out.U8(0);
}

}  // namespace

PictureBytes EncodeGif(int width, int height, const std::vector<uint32_t>& palette_rgb,
                       const std::vector<uint8_t>& indices, size_t file_size) {
  // Palette of 2^bits entries. Sixteen entries at least: with 5-bit codes
  // thirteen literals fit between two clear codes.
  int bits = 4;
  while ((size_t(1) << bits) < palette_rgb.size()) ++bits;
  const size_t colours = size_t(1) << bits;

  Writer head;
  head.Raw("GIF89a", 6);
  head.U16(uint32_t(width));
  head.U16(uint32_t(height));
  head.U8(0x80 | uint32_t(bits - 1) << 4 | uint32_t(bits - 1));  // global table, its size
  head.U8(0);  // background colour index
  head.U8(0);  // no aspect ratio
  for (size_t i = 0; i < colours; ++i) {
    uint32_t rgb = i < palette_rgb.size() ? palette_rgb[i] : 0;
    head.U8(rgb >> 16);
    head.U8(rgb >> 8);
    head.U8(rgb);
  }

  Writer image;
  image.U8(0x2C);
  image.U16(0);
  image.U16(0);
  image.U16(uint32_t(width));
  image.U16(uint32_t(height));
  image.U8(0);  // no local table, not interlaced
  image.U8(uint32_t(bits));  // LZW minimum code size
  // Codes are bits + 1 wide. After a clear code the decoder adds one table
  // entry per code after the first; clearing again before the next free
  // code reaches 2^(bits+1) keeps every code at the same width.
  const uint32_t clear = 1u << bits, end = clear + 1;
  const int code_width = bits + 1;
  const size_t run = (size_t(1) << code_width) - (clear + 2) - 1;
  BitPacker packer;
  for (size_t i = 0; i < indices.size(); ++i) {
    if (i % run == 0) packer.Put(clear, code_width);
    packer.Put(indices[i], code_width);
  }
  packer.Put(end, code_width);
  packer.Flush();
  SubBlocks(image, packer.bytes);
  image.U8(0x3B);

  Writer out;
  out.Raw(head.out.data(), head.out.size());
  size_t base = head.out.size() + image.out.size();
  if (file_size > base) {
    // Comment extension: 0x21 0xFE, B sub-blocks holding P bytes, 0.
    size_t room = file_size - base;
    if (room >= 5) {
      size_t payload_and_lengths = room - 3;
      size_t blocks = (payload_and_lengths + 255) / 256;
      size_t payload = payload_and_lengths - blocks;
      std::string text = "Talvique: loudspeaker, mouse over. Drawn by the Talvique build.";
      while (text.size() < payload) text += ' ';
      text.resize(payload);
      out.U8(0x21);
      out.U8(0xFE);
      size_t at = 0;
      for (size_t b = 0; b < blocks; ++b) {
        size_t n = (payload - at) / (blocks - b);  // spread evenly, each 1..255
        out.U8(uint32_t(n));
        out.Raw(text.data() + at, n);
        at += n;
      }
      out.U8(0);
    }
  }
  out.Raw(image.out.data(), image.out.size());
  return out.out;
}

PictureBytes MakeSoundOnBmp() {
  return EncodeBmp24(DrawSpeaker(true, kWhite), kSpeakerWidth, kSpeakerHeight);
}

PictureBytes MakeSoundOffBmp() {
  return EncodeBmp24(DrawSpeaker(false, kWhite), kSpeakerWidth, kSpeakerHeight);
}

PictureBytes MakeMouseOverGif() {
  Canvas c = DrawSpeaker(true, kHighlight);
  std::vector<uint32_t> palette;
  std::vector<uint8_t> indices;
  for (uint32_t rgb : c) {
    size_t i = 0;
    while (i < palette.size() && palette[i] != rgb) ++i;
    if (i == palette.size()) palette.push_back(rgb);
    indices.push_back(uint8_t(i));
  }
  return EncodeGif(kSpeakerWidth, kSpeakerHeight, palette, indices, kMouseOverGifSize);
}

namespace {

// A calculator: dark body with rounded corners, a light display and a grid
// of keys, the equals key in orange. Drawn in a 32-unit square and sampled.
uint32_t IconPixel(double x, double y, bool* opaque) {
  *opaque = true;
  const double r = 4.0;
  double cx = x < 4 + r ? 4 + r : (x > 28 - r ? 28 - r : x);
  double cy = y < 1 + r ? 1 + r : (y > 31 - r ? 31 - r : y);
  if (x < 4 || x > 28 || y < 1 || y > 31 || (x - cx) * (x - cx) + (y - cy) * (y - cy) > r * r) {
    *opaque = false;
    return 0;
  }
  if (x >= 7 && x <= 25 && y >= 4 && y <= 10) return 0xC8F0C0;  // display
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 3; ++col) {
      double kx = 7 + col * 6.5, ky = 13 + row * 4.5;
      if (x >= kx && x <= kx + 5 && y >= ky && y <= ky + 3.2) {
        return (row == 3 && col == 2) ? 0xF08C28 : 0xE6E8EC;
      }
    }
  }
  return 0x2A3A5A;
}

void IconImage(Writer& out, int size) {
  const uint32_t mask_row = uint32_t((size + 31) / 32 * 4);
  out.U32(40);
  out.U32(uint32_t(size));
  out.U32(uint32_t(size * 2));  // colour and mask halves
  out.U16(1);
  out.U16(32);
  out.U32(0);
  out.U32(uint32_t(size * size * 4) + mask_row * uint32_t(size));
  out.U32(0);
  out.U32(0);
  out.U32(0);
  out.U32(0);
  std::vector<uint8_t> mask(mask_row * size_t(size), 0);
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      double scale = 32.0 / size;
      bool opaque;
      uint32_t rgb = IconPixel((x + 0.5) * scale, (y + 0.5) * scale, &opaque);
      out.U8(rgb);
      out.U8(rgb >> 8);
      out.U8(rgb >> 16);
      out.U8(opaque ? 0xFF : 0);
      if (!opaque) {
        size_t row = size_t(size - 1 - y);
        mask[row * mask_row + size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
      }
    }
  }
  out.Raw(mask.data(), mask.size());
}

const char* const kHandArt[] = {
    "     XX         ",
    "    X..X        ",
    "    X..X        ",
    "    X..X        ",
    "    X..XXX      ",
    "    X..X..XXX   ",
    "    X..X..X..XX ",
    " XX X..X..X..X.X",
    "X..XX..........X",
    "X...X..........X",
    " X.............X",
    "  X............X",
    "  X...........X ",
    "   X..........X ",
    "   X.........X  ",
    "    X........X  ",
    "    X........X  ",
    "    XXXXXXXXXX  ",
};
constexpr int kHandHotX = 5, kHandHotY = 0;
constexpr int kHandLeft = 6, kHandTop = 4;  // where the art sits in the 32 × 32 cursor

}  // namespace

PictureBytes MakeProgramIcon() {
  Writer big, small;
  IconImage(big, 32);
  IconImage(small, 16);
  Writer out;
  out.U16(0);
  out.U16(1);  // icon
  out.U16(2);
  uint32_t offset = 6 + 2 * 16;
  for (auto [image, size] : {std::pair<Writer*, int>{&big, 32}, {&small, 16}}) {
    out.U8(uint32_t(size));
    out.U8(uint32_t(size));
    out.U8(0);
    out.U8(0);
    out.U16(1);
    out.U16(32);
    out.U32(uint32_t(image->out.size()));
    out.U32(offset);
    offset += uint32_t(image->out.size());
  }
  out.Raw(big.out.data(), big.out.size());
  out.Raw(small.out.data(), small.out.size());
  return out.out;
}

PictureBytes MakeHandCursor() {
  const int size = 32;
  // Monochrome masks, rows bottom first: XOR 1 = white, AND 1 = transparent.
  uint8_t xor_mask[32][4] = {}, and_mask[32][4];
  std::memset(and_mask, 0xFF, sizeof and_mask);
  int rows = int(sizeof kHandArt / sizeof kHandArt[0]);
  for (int r = 0; r < rows; ++r) {
    for (int col = 0; kHandArt[r][col]; ++col) {
      char ch = kHandArt[r][col];
      if (ch == ' ') continue;
      int x = kHandLeft + col, y = kHandTop + r;
      int row = size - 1 - y;
      uint8_t bit = uint8_t(0x80 >> (x % 8));
      and_mask[row][x / 8] &= uint8_t(~bit);
      if (ch == '.') xor_mask[row][x / 8] |= bit;
    }
  }
  Writer image;
  image.U32(40);
  image.U32(size);
  image.U32(size * 2);
  image.U16(1);
  image.U16(1);
  image.U32(0);
  image.U32(sizeof xor_mask + sizeof and_mask);
  image.U32(0);
  image.U32(0);
  image.U32(2);
  image.U32(0);
  image.U32(0x000000);  // palette: black, white
  image.U32(0xFFFFFF);
  image.Raw(xor_mask, sizeof xor_mask);
  image.Raw(and_mask, sizeof and_mask);

  Writer out;
  out.U16(0);
  out.U16(2);  // cursor
  out.U16(1);
  out.U8(size);
  out.U8(size);
  out.U8(2);  // colours
  out.U8(0);
  out.U16(kHandLeft + kHandHotX);  // hot spot
  out.U16(kHandTop + kHandHotY);
  out.U32(uint32_t(image.out.size()));
  out.U32(6 + 16);
  out.Raw(image.out.data(), image.out.size());
  return out.out;
}

}  // namespace talv::tools
