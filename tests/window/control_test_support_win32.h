// Helpers for tests of the runtime's control windows under Wine and a
// virtual display: a host window, message pumping until a condition, real
// mouse input, pixel capture and test pictures made in memory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace talv::test {

// The host window's own background colour (COLORREF), unlike any control's.
constexpr COLORREF kHostColour = RGB(0x20, 0x60, 0x40);

// Initialises OLE/COM for the thread (once) — the imaging component needs it.
void InitialiseCom();

// A visible top-level window at a fixed screen position that holds the
// controls under test; destroyed with the object. (Destroying a top-level
// window costs about 2 s under Wine without a window manager, so test
// suites share one.)
class HostWindow {
 public:
  HostWindow(int width = 420, int height = 300);
  ~HostWindow();
  HWND handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

// Dispatches messages until `done()` holds or `timeout_ms` passes; returns
// whether it held.
bool PumpUntil(const std::function<bool()>& done, int timeout_ms = 10000);
// Dispatches what is waiting and lets painting finish (all windows validated).
void PumpPending();

// Real mouse input, as a person would give it: the cursor is put on the
// point of `window`'s client area and the move or button goes through
// SendInput.
void MoveMouseTo(HWND window, int x, int y);
void MoveMouseAway();  // to a corner of the screen where no test window is
void PressLeft();
void ReleaseLeft();

// What `window` shows in its client area, read back from the screen.
struct Capture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top-down
  uint32_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
  // How many pixels in the rectangle satisfy `test`.
  int Count(const RECT& r, const std::function<bool(uint32_t)>& test) const;
  int Count(const std::function<bool(uint32_t)>& test) const;
  // The smallest rectangle of pixels that satisfy `test` (empty if none).
  RECT Bounds(const std::function<bool(uint32_t)>& test) const;
};
Capture CaptureClient(HWND window);
// The screen rectangle `screen` (for a whole window with its children).
Capture CaptureScreen(const RECT& screen);

// A COLORREF as a captured pixel value (0x00RRGGBB).
inline uint32_t Rgb(COLORREF c) { return uint32_t(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c); }
// Each channel within `tolerance`.
bool Near(uint32_t pixel, COLORREF colour, int tolerance = 8);

// Test pictures made in memory. `pixel(x, y)` gives 0xAARRGGBB.
using PixelFn = std::function<uint32_t(int x, int y)>;
std::vector<uint8_t> MakeBmp(int width, int height, const PixelFn& pixel);  // 24-bit, by hand
std::vector<uint8_t> MakeIco(int width, int height, const PixelFn& pixel, bool as_cursor = false,
                             int hotspot_x = 0, int hotspot_y = 0);  // 32-bit image with mask
// Through the imaging component's encoders: GUID_ContainerFormatPng, Gif, Jpeg, Bmp.
std::vector<uint8_t> EncodeWithWic(const GUID& container, int width, int height, const PixelFn& pixel);
// Writes `capture` as a PNG file; false on failure.
bool WritePng(const std::string& path, const Capture& capture);
inline PixelFn Solid(uint32_t argb) {
  return [argb](int, int) { return argb; };
}

}  // namespace talv::test
