// Our pictures decode with the platform's own decoders: the Imaging
// Component for the BMP and GIF images, the icon and cursor functions for
// the icon and the hand cursor.
#include <windows.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <vector>

#include "tools/picture_generator.h"

namespace talv::tools {
namespace {

struct Decoded {
  UINT width = 0, height = 0;
  std::vector<uint8_t> bgra;
  uint32_t Rgb(UINT x, UINT y) const {
    const uint8_t* p = &bgra[(y * width + x) * 4];
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
  }
};

bool Decode(const PictureBytes& bytes, Decoded* out) {
  IWICImagingFactory* factory = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&factory)))) {
    return false;
  }
  bool ok = false;
  IWICStream* stream = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICBitmapSource* converted = nullptr;
  if (SUCCEEDED(factory->CreateStream(&stream)) &&
      SUCCEEDED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), DWORD(bytes.size()))) &&
      SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand,
                                                 &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) &&
      SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame, &converted)) &&
      SUCCEEDED(converted->GetSize(&out->width, &out->height))) {
    out->bgra.resize(size_t(out->width) * out->height * 4);
    ok = SUCCEEDED(converted->CopyPixels(nullptr, out->width * 4, UINT(out->bgra.size()),
                                         out->bgra.data()));
  }
  if (converted) converted->Release();
  if (frame) frame->Release();
  if (decoder) decoder->Release();
  if (stream) stream->Release();
  factory->Release();
  return ok;
}

class PlatformDecoding : public ::testing::Test {
 protected:
  void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override { CoUninitialize(); }
};

TEST_F(PlatformDecoding, SpeakerPicturesDecodeTo20By19) {
  Decoded on, off, over;
  ASSERT_TRUE(Decode(MakeSoundOnBmp(), &on));
  ASSERT_TRUE(Decode(MakeSoundOffBmp(), &off));
  ASSERT_TRUE(Decode(MakeMouseOverGif(), &over));
  for (const Decoded* d : {&on, &off, &over}) {
    EXPECT_EQ(d->width, 20u);
    EXPECT_EQ(d->height, 19u);
  }
  // Same loudspeaker in all three; waves only with the sound on; the GIF
  // on its highlight instead of white.
  EXPECT_EQ(on.Rgb(3, 9), off.Rgb(3, 9));
  EXPECT_EQ(on.Rgb(3, 9), over.Rgb(3, 9));
  EXPECT_EQ(on.Rgb(0, 0), 0xFFFFFFu);
  EXPECT_NE(over.Rgb(0, 0), 0xFFFFFFu);
  int waves_on = 0, waves_off = 0, differ = 0;
  for (UINT y = 0; y < 19; ++y) {
    for (UINT x = 12; x < 20; ++x) {
      waves_on += on.Rgb(x, y) != 0xFFFFFFu;
      waves_off += off.Rgb(x, y) != 0xFFFFFFu;
      differ += (on.Rgb(x, y) == 0xFFFFFFu) != (over.Rgb(x, y) == over.Rgb(0, 0));
    }
  }
  EXPECT_GT(waves_on, 10);
  EXPECT_EQ(waves_off, 0);
  EXPECT_EQ(differ, 0);
}

TEST_F(PlatformDecoding, IconAndCursorLoad) {
  PictureBytes ico = MakeProgramIcon();
  // The icon's 32 × 32 image, as the resource compiler stores it.
  const uint8_t* image = ico.data() + *reinterpret_cast<const uint32_t*>(&ico[6 + 12]);
  DWORD size = *reinterpret_cast<const uint32_t*>(&ico[6 + 8]);
  HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image), size, TRUE, 0x00030000, 32, 32, 0);
  ASSERT_NE(icon, nullptr);
  DestroyIcon(icon);

  PictureBytes cur = MakeHandCursor();
  // A cursor resource starts with its hot spot, then the image.
  std::vector<uint8_t> resource = {cur[10], cur[11], cur[12], cur[13]};
  resource.insert(resource.end(), cur.begin() + 22, cur.end());
  HICON cursor = CreateIconFromResourceEx(resource.data(), DWORD(resource.size()), FALSE,
                                          0x00030000, 32, 32, 0);
  ASSERT_NE(cursor, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  EXPECT_EQ(info.xHotspot, 11u);
  EXPECT_EQ(info.yHotspot, 4u);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DestroyCursor(cursor);
}

}  // namespace
}  // namespace talv::tools
