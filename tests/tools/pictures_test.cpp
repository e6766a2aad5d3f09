// Our pictures: the file formats the program and the skin-free window
// runtime rely on (sizes, headers, the GIF's structure).
#include "tools/picture_generator.h"

#include <gtest/gtest.h>

#include "runtime/window/definition/definition_bytes.h"

namespace talv::tools {
namespace {

using definition::LoadDword;
uint32_t Word16(const uint8_t* p) { return uint32_t(p[0] | p[1] << 8); }

TEST(Pictures, SpeakerBitmapsAre20By19At24BitsIn1194Bytes) {
  for (const PictureBytes& bmp : {MakeSoundOnBmp(), MakeSoundOffBmp()}) {
    ASSERT_EQ(bmp.size(), 1194u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(LoadDword(&bmp[2]), 1194u);
    EXPECT_EQ(LoadDword(&bmp[10]), 54u);
    EXPECT_EQ(LoadDword(&bmp[14]), 40u);
    EXPECT_EQ(LoadDword(&bmp[18]), 20u);
    EXPECT_EQ(LoadDword(&bmp[22]), 19u);
    EXPECT_EQ(Word16(&bmp[28]), 24u);
    EXPECT_EQ(LoadDword(&bmp[30]), 0u);  // uncompressed
    EXPECT_EQ(LoadDword(&bmp[34]), 19u * 60);
  }
  EXPECT_NE(MakeSoundOnBmp(), MakeSoundOffBmp());
}

// Walks the GIF's blocks as a decoder would and collects the LZW data.
TEST(Pictures, MouseOverGifIsAWellFormed931ByteGif89a) {
  PictureBytes gif = MakeMouseOverGif();
  ASSERT_EQ(gif.size(), 931u);
  ASSERT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF89a");
  EXPECT_EQ(Word16(&gif[6]), 20u);
  EXPECT_EQ(Word16(&gif[8]), 19u);
  ASSERT_TRUE(gif[10] & 0x80);
  size_t pos = 13 + 3 * (size_t(2) << (gif[10] & 7));
  bool image = false;
  while (pos < gif.size() && gif[pos] != 0x3B) {
    if (gif[pos] == 0x21) {
      pos += 2;
    } else {
      ASSERT_EQ(gif[pos], 0x2C);
      EXPECT_EQ(Word16(&gif[pos + 5]), 20u);
      EXPECT_EQ(Word16(&gif[pos + 7]), 19u);
      pos += 10;
      EXPECT_EQ(gif[pos], 4);  // LZW minimum code size
      ++pos;
      image = true;
    }
    while (pos < gif.size() && gif[pos] != 0) pos += 1 + gif[pos];
    ++pos;
  }
  EXPECT_TRUE(image);
  EXPECT_EQ(pos, gif.size() - 1);  // the trailer ends the file
}

TEST(Pictures, GifPaddingReachesAnyRequestedSize) {
  std::vector<uint8_t> indices(20 * 19, 1);
  for (size_t size : {400u, 700u, 931u, 2000u}) {
    EXPECT_EQ(EncodeGif(20, 19, {0xFFFFFF, 0}, indices, size).size(), size) << size;
  }
}

TEST(Pictures, IconHoldsTwoSizesAndCursorItsHotSpot) {
  PictureBytes ico = MakeProgramIcon();
  EXPECT_EQ(Word16(&ico[2]), 1u);
  ASSERT_EQ(Word16(&ico[4]), 2u);
  EXPECT_EQ(ico[6], 32);
  EXPECT_EQ(ico[22], 16);
  uint32_t second_offset = LoadDword(&ico[6 + 16 + 12]);
  EXPECT_EQ(second_offset + LoadDword(&ico[6 + 16 + 8]), ico.size());

  PictureBytes cur = MakeHandCursor();
  EXPECT_EQ(Word16(&cur[2]), 2u);
  EXPECT_EQ(Word16(&cur[4]), 1u);
  EXPECT_EQ(cur[6], 32);
  EXPECT_EQ(Word16(&cur[10]), 11u);  // hot spot at the fingertip
  EXPECT_EQ(Word16(&cur[12]), 4u);
  EXPECT_EQ(LoadDword(&cur[14]) + 22, cur.size());
}

}  // namespace
}  // namespace talv::tools
