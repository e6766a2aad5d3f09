// Flicker-free painting for the runtime's own control windows, and the small
// drawing helpers they share. Target only (Win32).
//
// A control paints its whole client area into a memory bitmap and copies the
// result to the screen in one BitBlt; its class has no background brush and
// WM_ERASEBKGND returns 1, so nothing is ever drawn twice.
#pragma once

#include <windows.h>

#include <cstdint>

namespace talv {

// The default colour of background-colour properties: it stands for the
// system button-face colour.
constexpr uint32_t kDefaultBackgroundColour = 0xFF000000u;

// A colour property value as a COLORREF: the default colour becomes the
// button-face colour; any other value keeps its low 24 bits.
COLORREF ResolveBackgroundColour(uint32_t colour);
// A plain colour property value (text and gradient colours, which have no
// default colour) as a COLORREF: its low 24 bits.
inline COLORREF ResolveColour(uint32_t colour) { return colour & 0x00FFFFFFu; }

// Paints `paint(hdc, client)` through a memory bitmap of the client size and
// copies it onto `target` at (0, 0).
template <typename PaintFn>
void PaintBuffered(HWND window, HDC target, PaintFn&& paint);

// Answers WM_PAINT (BeginPaint/EndPaint) and WM_PRINTCLIENT (the given DC)
// with buffered painting. Returns the message result.
template <typename PaintFn>
LRESULT AnswerPaintMessage(HWND window, UINT message, WPARAM wparam, PaintFn&& paint);

// Fills `rect` with a solid COLORREF.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

// A linear gradient through up to three colours (first → second → third),
// left to right when `horizontal`, else top to bottom (MSIMG32 GradientFill).
void FillGradient(HDC dc, const RECT& rect, const COLORREF colours[3], bool horizontal);

// ---- implementation of the templates ----
class MemoryCanvas {
 public:
  MemoryCanvas(HDC compatible_with, int width, int height);
  ~MemoryCanvas();
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;
  HDC dc() const { return dc_; }
  bool ok() const { return dc_ != nullptr && bitmap_ != nullptr; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
};

template <typename PaintFn>
void PaintBuffered(HWND window, HDC target, PaintFn&& paint) {
  RECT client;
  GetClientRect(window, &client);
  int width = client.right - client.left, height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;
  MemoryCanvas canvas(target, width, height);
  if (!canvas.ok()) {  // out of GDI memory: paint directly rather than not at all
    paint(target, client);
    return;
  }
  paint(canvas.dc(), client);
  BitBlt(target, 0, 0, width, height, canvas.dc(), 0, 0, SRCCOPY);
}

template <typename PaintFn>
LRESULT AnswerPaintMessage(HWND window, UINT message, WPARAM wparam, PaintFn&& paint) {
  if (message == WM_PRINTCLIENT) {
    PaintBuffered(window, reinterpret_cast<HDC>(wparam), paint);
    return 0;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc) PaintBuffered(window, dc, paint);
  EndPaint(window, &ps);
  return 0;
}

}  // namespace talv
