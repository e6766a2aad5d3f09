// Picture decoding through the Windows Imaging Component: memory stream →
// decoder → first frame → 32-bit BGRA with straight alpha → composed over a
// background colour into a DIB section.
#include "runtime/window/kinds/picture_decoder_win32.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstring>
#include <vector>

namespace talv {

namespace {

// Releases a COM interface pointer at the end of a scope.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T** out() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

// A CUR file image differs from an ICO one in its type word (2 instead of 1)
// and in the meaning of two directory fields; the icon decoder reads it once
// the type says icon.
std::vector<uint8_t> CursorImageAsIcon(const uint8_t* bytes, size_t size) {
  if (size < 6 || bytes[0] != 0 || bytes[1] != 0 || bytes[2] != 2 || bytes[3] != 0) return {};
  std::vector<uint8_t> copy(bytes, bytes + size);
  copy[2] = 1;
  return copy;
}

// Straight-alpha BGRA over an opaque background, rounded.
uint32_t Compose(uint32_t bgra, uint32_t back_r, uint32_t back_g, uint32_t back_b) {
  uint32_t a = bgra >> 24;
  if (a == 255) return bgra;
  uint32_t b = bgra & 0xFF, g = (bgra >> 8) & 0xFF, r = (bgra >> 16) & 0xFF;
  uint32_t ia = 255 - a;
  b = (b * a + back_b * ia + 127) / 255;
  g = (g * a + back_g * ia + 127) / 255;
  r = (r * a + back_r * ia + 127) / 255;
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

DecodedPicture Fail() { return DecodedPicture(); }

}  // namespace

DecodedPicture& DecodedPicture::operator=(DecodedPicture&& other) noexcept {
  if (this != &other) {
    Reset();
    bitmap_ = other.bitmap_;
    pixels_ = other.pixels_;
    width_ = other.width_;
    height_ = other.height_;
    other.bitmap_ = nullptr;
    other.pixels_ = nullptr;
    other.width_ = other.height_ = 0;
  }
  return *this;
}

void DecodedPicture::Reset() {
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  pixels_ = nullptr;
  width_ = height_ = 0;
}

uint32_t DecodedPicture::PixelAt(int x, int y) const {
  if (!pixels_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  GdiFlush();
  return pixels_[size_t(y) * size_t(width_) + size_t(x)] & 0x00FFFFFFu;
}

DecodedPicture DecodePicture(const void* data, size_t size, COLORREF background) {
  if (data == nullptr || size == 0 || size > 0x7FFFFFFF) return Fail();
  const auto* bytes = static_cast<const uint8_t*>(data);
  std::vector<uint8_t> as_icon = CursorImageAsIcon(bytes, size);
  if (!as_icon.empty()) bytes = as_icon.data();

  ComRef<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(factory.out()))))
    return Fail();
  ComRef<IWICStream> stream;
  if (FAILED(factory->CreateStream(stream.out()))) return Fail();
  // The stream only reads the bytes.
  if (FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes), DWORD(size)))) return Fail();
  ComRef<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              decoder.out())))
    return Fail();
  ComRef<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.out()))) return Fail();
  ComRef<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(converter.out()))) return Fail();
  if (FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom)))
    return Fail();
  UINT width = 0, height = 0;
  if (FAILED(converter->GetSize(&width, &height))) return Fail();
  if (width == 0 || height == 0 || width > UINT(kMaxPictureSide) || height > UINT(kMaxPictureSide))
    return Fail();

  // Decode into our own buffer first: a frame whose data ends early fails
  // here, before any bitmap exists.
  std::vector<uint32_t> pixels;
  try {
    pixels.resize(size_t(width) * height);
  } catch (...) {
    return Fail();
  }
  UINT stride = width * 4;
  if (FAILED(converter->CopyPixels(nullptr, stride, stride * height,
                                   reinterpret_cast<BYTE*>(pixels.data()))))
    return Fail();

  uint32_t back_r = GetRValue(background), back_g = GetGValue(background),
           back_b = GetBValue(background);
  for (uint32_t& p : pixels) p = Compose(p, back_r, back_g, back_b);

  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = LONG(width);
  info.bmiHeader.biHeight = -LONG(height);  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) {
    if (bitmap) DeleteObject(bitmap);
    return Fail();
  }
  std::memcpy(bits, pixels.data(), pixels.size() * 4);
  GdiFlush();

  DecodedPicture picture;
  picture.bitmap_ = bitmap;
  picture.pixels_ = static_cast<uint32_t*>(bits);
  picture.width_ = int(width);
  picture.height_ = int(height);
  return picture;
}

namespace {
template <typename Blit>
void WithPictureDc(HDC dc, const DecodedPicture& picture, Blit&& blit) {
  if (picture.empty()) return;
  HDC source = CreateCompatibleDC(dc);
  if (!source) return;
  HGDIOBJ old = SelectObject(source, picture.bitmap());
  blit(source);
  SelectObject(source, old);
  DeleteDC(source);
}
}  // namespace

void DrawPicture(HDC dc, const DecodedPicture& picture, int x, int y) {
  WithPictureDc(dc, picture, [&](HDC source) {
    BitBlt(dc, x, y, picture.width(), picture.height(), source, 0, 0, SRCCOPY);
  });
}

void DrawPictureStretched(HDC dc, const DecodedPicture& picture, const RECT& rect) {
  WithPictureDc(dc, picture, [&](HDC source) {
    int old_mode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source, 0, 0,
               picture.width(), picture.height(), SRCCOPY);
    SetStretchBltMode(dc, old_mode);
  });
}

}  // namespace talv
