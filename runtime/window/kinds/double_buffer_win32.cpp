// Memory canvases and fills for the runtime's self-painted controls.
#include "runtime/window/kinds/double_buffer_win32.h"

namespace talv {

COLORREF ResolveBackgroundColour(uint32_t colour) {
  if (colour == kDefaultBackgroundColour) return GetSysColor(COLOR_BTNFACE);
  return colour & 0x00FFFFFFu;
}

MemoryCanvas::MemoryCanvas(HDC compatible_with, int width, int height) {
  dc_ = CreateCompatibleDC(compatible_with);
  if (!dc_) return;
  bitmap_ = CreateCompatibleBitmap(compatible_with, width, height);
  if (bitmap_) old_bitmap_ = SelectObject(dc_, bitmap_);
}

MemoryCanvas::~MemoryCanvas() {
  if (dc_ && old_bitmap_) SelectObject(dc_, old_bitmap_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  COLORREF old = SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

namespace {
TRIVERTEX Vertex(LONG x, LONG y, COLORREF c) {
  TRIVERTEX v;
  v.x = x;
  v.y = y;
  v.Red = COLOR16(GetRValue(c) << 8);
  v.Green = COLOR16(GetGValue(c) << 8);
  v.Blue = COLOR16(GetBValue(c) << 8);
  v.Alpha = 0;
  return v;
}
}  // namespace

void FillGradient(HDC dc, const RECT& rect, const COLORREF colours[3], bool horizontal) {
  // Two segments: first → second over the first half, second → third over the rest.
  LONG mid = horizontal ? (rect.left + rect.right) / 2 : (rect.top + rect.bottom) / 2;
  TRIVERTEX v[4];
  if (horizontal) {
    v[0] = Vertex(rect.left, rect.top, colours[0]);
    v[1] = Vertex(mid, rect.bottom, colours[1]);
    v[2] = Vertex(mid, rect.top, colours[1]);
    v[3] = Vertex(rect.right, rect.bottom, colours[2]);
  } else {
    v[0] = Vertex(rect.left, rect.top, colours[0]);
    v[1] = Vertex(rect.right, mid, colours[1]);
    v[2] = Vertex(rect.left, mid, colours[1]);
    v[3] = Vertex(rect.right, rect.bottom, colours[2]);
  }
  GRADIENT_RECT segments[2] = {{0, 1}, {2, 3}};
  GradientFill(dc, v, 4, segments, 2, horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

}  // namespace talv
