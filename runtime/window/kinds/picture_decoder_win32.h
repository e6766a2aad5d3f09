// Pictures of windows and controls: a BMP, GIF, JPEG, PNG or ICO file image
// held in memory, decoded once through the Windows Imaging Component into a
// bitmap composed over a background colour. Target only (Win32).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace talv {

// A decoded picture: a top-down 32-bit DIB section of opaque pixels
// (B, G, R, 255). Owns its bitmap; movable, not copyable.
class DecodedPicture {
 public:
  DecodedPicture() = default;
  ~DecodedPicture() { Reset(); }
  DecodedPicture(DecodedPicture&& other) noexcept { *this = static_cast<DecodedPicture&&>(other); }
  DecodedPicture& operator=(DecodedPicture&& other) noexcept;
  DecodedPicture(const DecodedPicture&) = delete;
  DecodedPicture& operator=(const DecodedPicture&) = delete;

  bool empty() const { return bitmap_ == nullptr; }
  HBITMAP bitmap() const { return bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Pixel (x, y) as 0x00RRGGBB; 0 outside the picture.
  uint32_t PixelAt(int x, int y) const;
  void Reset();

 private:
  friend DecodedPicture DecodePicture(const void*, size_t, COLORREF);
  HBITMAP bitmap_ = nullptr;
  uint32_t* pixels_ = nullptr;  // the DIB section's bits
  int width_ = 0, height_ = 0;
};

// Largest picture side accepted; bigger claims in a header are refused
// rather than allocated.
constexpr int kMaxPictureSide = 8192;

// Decodes the first frame of `data` (whatever the imaging component
// recognises: BMP, GIF, JPEG, PNG, ICO; a CUR file image is read as the icon
// it contains) and composes it over `background` (a COLORREF; transparent
// and half-transparent pixels take that colour). Anything that cannot be
// decoded — empty, truncated, unknown or oversized data — gives an empty
// picture. COM must be initialised on the calling thread.
DecodedPicture DecodePicture(const void* data, size_t size, COLORREF background);

// Draws `picture` with its top-left corner at (x, y).
void DrawPicture(HDC dc, const DecodedPicture& picture, int x, int y);

// Draws `picture` scaled to `rect`.
void DrawPictureStretched(HDC dc, const DecodedPicture& picture, const RECT& rect);

}  // namespace talv
