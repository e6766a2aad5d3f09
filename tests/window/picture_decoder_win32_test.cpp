// Picture decoding: every file format the controls accept becomes a bitmap
// of the right size and colours, transparency takes the background colour,
// and anything undecodable gives no picture at all.
#include "runtime/window/kinds/picture_decoder_win32.h"

#include <gtest/gtest.h>
#include <wincodec.h>

#include <cstring>

#include "tests/window/control_test_support_win32.h"

namespace talv {
namespace {

using test::EncodeWithWic;
using test::MakeBmp;
using test::MakeIco;

constexpr COLORREF kBack = RGB(10, 200, 30);

// Four quadrants: red, green, blue, white (0xAARRGGBB).
uint32_t Quadrants(int x, int y, int w, int h) {
  bool right = x >= w / 2, bottom = y >= h / 2;
  if (!right && !bottom) return 0xFFFF0000;
  if (right && !bottom) return 0xFF00FF00;
  if (!right && bottom) return 0xFF0000FF;
  return 0xFFFFFFFF;
}

class PictureDecoding : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::InitialiseCom(); }

  static void ExpectQuadrants(const DecodedPicture& p, int w, int h, int tolerance) {
    ASSERT_FALSE(p.empty());
    EXPECT_EQ(p.width(), w);
    EXPECT_EQ(p.height(), h);
    auto close_to = [&](uint32_t got, uint32_t want) {
      for (int shift : {0, 8, 16}) {
        int a = int(got >> shift & 0xFF), b = int(want >> shift & 0xFF);
        if (std::abs(a - b) > tolerance) return false;
      }
      return true;
    };
    EXPECT_PRED2(close_to, p.PixelAt(2, 2), 0xFF0000u);
    EXPECT_PRED2(close_to, p.PixelAt(w - 3, 2), 0x00FF00u);
    EXPECT_PRED2(close_to, p.PixelAt(2, h - 3), 0x0000FFu);
    EXPECT_PRED2(close_to, p.PixelAt(w - 3, h - 3), 0xFFFFFFu);
  }

  static std::vector<uint8_t> QuadrantImage(const GUID& format, int w, int h) {
    return EncodeWithWic(format, w, h, [w, h](int x, int y) { return Quadrants(x, y, w, h); });
  }
};

TEST_F(PictureDecoding, BmpMadeByHandDecodesWithItsRowsTopDown) {
  std::vector<uint8_t> bmp = MakeBmp(13, 9, [](int x, int y) { return Quadrants(x, y, 13, 9); });
  ExpectQuadrants(DecodePicture(bmp.data(), bmp.size(), kBack), 13, 9, 0);
}

TEST_F(PictureDecoding, PngGifAndJpegDecode) {
  std::vector<uint8_t> png = QuadrantImage(GUID_ContainerFormatPng, 16, 12);
  ASSERT_FALSE(png.empty());
  ExpectQuadrants(DecodePicture(png.data(), png.size(), kBack), 16, 12, 0);

  std::vector<uint8_t> gif = QuadrantImage(GUID_ContainerFormatGif, 16, 12);
  ASSERT_FALSE(gif.empty());
  EXPECT_EQ(std::string(gif.begin(), gif.begin() + 3), "GIF");
  ExpectQuadrants(DecodePicture(gif.data(), gif.size(), kBack), 16, 12, 0);

  // JPEG is lossy: colours come back close, not exact.
  std::vector<uint8_t> jpeg = QuadrantImage(GUID_ContainerFormatJpeg, 32, 32);
  ASSERT_FALSE(jpeg.empty());
  ExpectQuadrants(DecodePicture(jpeg.data(), jpeg.size(), kBack), 32, 32, 40);
}

TEST_F(PictureDecoding, IconAndCursorImagesDecodeWithTheirMaskOverTheBackground) {
  auto ring = [](int x, int y) -> uint32_t {
    return (x < 4 || y < 4 || x >= 12 || y >= 12) ? 0x00000000u : 0xFF0000FFu;
  };
  std::vector<uint8_t> ico = MakeIco(16, 16, ring);
  DecodedPicture icon = DecodePicture(ico.data(), ico.size(), kBack);
  ASSERT_FALSE(icon.empty());
  EXPECT_EQ(icon.width(), 16);
  EXPECT_EQ(icon.PixelAt(8, 8), 0x0000FFu);
  EXPECT_EQ(icon.PixelAt(1, 1), test::Rgb(kBack));

  std::vector<uint8_t> cur = MakeIco(16, 16, ring, true, 3, 4);
  DecodedPicture cursor = DecodePicture(cur.data(), cur.size(), kBack);
  ASSERT_FALSE(cursor.empty());
  EXPECT_EQ(cursor.PixelAt(8, 8), 0x0000FFu);
  EXPECT_EQ(cursor.PixelAt(14, 14), test::Rgb(kBack));
}

TEST_F(PictureDecoding, TransparencyIsComposedOverTheBackgroundColour) {
  std::vector<uint8_t> png = EncodeWithWic(GUID_ContainerFormatPng, 4, 1, [](int x, int) -> uint32_t {
    switch (x) {
      case 0: return 0x00FF0000;  // fully transparent red
      case 1: return 0x80FFFFFF;  // half-transparent white
      case 2: return 0xFF000000;  // opaque black
      default: return 0xFFFF00FF;
    }
  });
  DecodedPicture p = DecodePicture(png.data(), png.size(), RGB(0, 0, 200));
  ASSERT_FALSE(p.empty());
  EXPECT_EQ(p.PixelAt(0, 0), 0x0000C8u);
  uint32_t half = p.PixelAt(1, 0);
  EXPECT_NEAR(int(half >> 16 & 0xFF), 128, 2);
  EXPECT_NEAR(int(half & 0xFF), 228, 2);
  EXPECT_EQ(p.PixelAt(2, 0), 0x000000u);
  EXPECT_EQ(p.PixelAt(3, 0), 0xFF00FFu);
}

TEST_F(PictureDecoding, NothingDecodableGivesNoPicture) {
  EXPECT_TRUE(DecodePicture(nullptr, 0, kBack).empty());
  const char text[] = "this is not a picture at all, only some text";
  EXPECT_TRUE(DecodePicture(text, sizeof text, kBack).empty());
  std::vector<uint8_t> zeros(400, 0);
  EXPECT_TRUE(DecodePicture(zeros.data(), zeros.size(), kBack).empty());
  // A header alone, with its magic bytes right.
  const uint8_t png_magic[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  EXPECT_TRUE(DecodePicture(png_magic, sizeof png_magic, kBack).empty());
}

TEST_F(PictureDecoding, TruncatedFileImagesAreRefused) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> bmp = MakeBmp(40, 40, [](int x, int y) { return Quadrants(x, y, 40, 40); });
  std::vector<uint8_t> png = QuadrantImage(GUID_ContainerFormatPng, 40, 40);
  std::vector<uint8_t> gif = QuadrantImage(GUID_ContainerFormatGif, 40, 40);
  std::vector<uint8_t> ico = MakeIco(16, 16, [](int, int) { return 0xFF00FF00u; });
  for (Case c : {Case{"bmp", bmp}, Case{"png", png}, Case{"gif", gif}, Case{"ico", ico}}) {
    ASSERT_GT(c.bytes.size(), 40u) << c.name;
    // (A PNG cut just before its end chunk still holds the whole image, so
    // the cuts reach into the data.)
    for (size_t keep : {c.bytes.size() / 2, c.bytes.size() - 16, size_t(20)}) {
      DecodedPicture p = DecodePicture(c.bytes.data(), keep, kBack);
      EXPECT_TRUE(p.empty()) << c.name << " cut to " << keep << " bytes";
    }
  }
}

TEST_F(PictureDecoding, AHeaderClaimingAHugePictureIsRefused) {
  std::vector<uint8_t> bmp = MakeBmp(2, 2, [](int, int) { return 0xFFFFFFFFu; });
  uint32_t huge = 200000;
  std::memcpy(&bmp[18], &huge, 4);  // width
  std::memcpy(&bmp[22], &huge, 4);  // height
  EXPECT_TRUE(DecodePicture(bmp.data(), bmp.size(), kBack).empty());
}

TEST_F(PictureDecoding, PicturesMoveWithoutLeakingOrDoubleFreeing) {
  std::vector<uint8_t> bmp = MakeBmp(3, 3, [](int, int) { return 0xFF123456u; });
  DecodedPicture a = DecodePicture(bmp.data(), bmp.size(), kBack);
  HBITMAP handle = a.bitmap();
  DecodedPicture b = std::move(a);
  EXPECT_TRUE(a.empty());
  EXPECT_EQ(b.bitmap(), handle);
  EXPECT_EQ(b.PixelAt(1, 1), 0x123456u);
  b = DecodedPicture();
  EXPECT_EQ(GetObjectType(handle), 0u);  // deleted exactly once
}

}  // namespace
}  // namespace talv
