// Helpers for the control window tests (see the header).
#include "tests/window/control_test_support_win32.h"

#include <objbase.h>
#include <ole2.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

namespace talv::test {

namespace {

template <typename T>
struct Com {
  T* p = nullptr;
  ~Com() {
    if (p) p->Release();
  }
  T* operator->() const { return p; }
};

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcA(window, message, wparam, lparam);
}

const char kHostClass[] = "TalviqueTestHost";

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT input;
  std::memset(&input, 0, sizeof input);
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

void MoveMouseToScreen(POINT pt) {
  SetCursorPos(pt.x, pt.y);
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (pt.x * 65535 + w / 2) / (w - 1),
            (pt.y * 65535 + h / 2) / (h - 1));
  PumpUntil([pt] {
    POINT now;
    GetCursorPos(&now);
    return now.x == pt.x && now.y == pt.y;
  });
  PumpPending();
}

}  // namespace

void InitialiseCom() {
  static bool done = [] {
    OleInitialize(nullptr);
    return true;
  }();
  (void)done;
}

HostWindow::HostWindow(int width, int height) {
  static HBRUSH brush = CreateSolidBrush(kHostColour);
  WNDCLASSA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = brush;
  wc.lpszClassName = kHostClass;
  RegisterClassA(&wc);  // fails harmlessly when already registered
  window_ = CreateWindowExA(0, kHostClass, "host", WS_POPUP | WS_VISIBLE, 100, 100, width, height,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(window_);
  PumpUntil([this] { return IsWindowVisible(window_) != 0; });
  PumpPending();
}

HostWindow::~HostWindow() {
  if (GetCapture()) ReleaseCapture();
  DestroyWindow(window_);
  PumpPending();
}

bool PumpUntil(const std::function<bool()>& done, int timeout_ms) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done()) return true;
    if (GetTickCount() - start > DWORD(timeout_ms)) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpPending() {
  // Painting is done when no window of this thread has an update region;
  // two rounds let messages posted by the first one through.
  for (int round = 0; round < 2; ++round) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

void MoveMouseTo(HWND window, int x, int y) {
  POINT pt = {x, y};
  ClientToScreen(window, &pt);
  MoveMouseToScreen(pt);
}

void MoveMouseAway() {
  POINT pt = {GetSystemMetrics(SM_CXSCREEN) - 5, GetSystemMetrics(SM_CYSCREEN) - 5};
  MoveMouseToScreen(pt);
}

void PressLeft() {
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  PumpPending();
}

void ReleaseLeft() {
  SendMouse(MOUSEEVENTF_LEFTUP);
  PumpPending();
}

int Capture::Count(const RECT& r, const std::function<bool(uint32_t)>& test) const {
  int n = 0;
  for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, height); ++y)
    for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, width); ++x)
      if (test(At(x, y))) ++n;
  return n;
}

int Capture::Count(const std::function<bool(uint32_t)>& test) const {
  return Count(RECT{0, 0, width, height}, test);
}

RECT Capture::Bounds(const std::function<bool(uint32_t)>& test) const {
  RECT r = {width, height, 0, 0};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (test(At(x, y))) {
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
  if (r.right <= r.left) r = RECT{0, 0, 0, 0};
  return r;
}

namespace {
Capture CaptureFrom(HDC source, int left, int top, int width, int height) {
  Capture c;
  if (width <= 0 || height <= 0) return c;
  BITMAPINFO info;
  std::memset(&info, 0, sizeof info);
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(source);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, width, height, source, left, top, SRCCOPY);
  GdiFlush();
  c.width = width;
  c.height = height;
  c.pixels.resize(size_t(width) * height);
  const auto* p = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < c.pixels.size(); ++i) c.pixels[i] = p[i] & 0x00FFFFFF;
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(dib);
  return c;
}
}  // namespace

Capture CaptureClient(HWND window) {
  UpdateWindow(window);
  PumpPending();
  RECT client;
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  Capture c = CaptureFrom(dc, 0, 0, client.right, client.bottom);
  ReleaseDC(window, dc);
  return c;
}

Capture CaptureScreen(const RECT& screen) {
  PumpPending();
  HDC dc = GetDC(nullptr);
  Capture c = CaptureFrom(dc, screen.left, screen.top, screen.right - screen.left,
                          screen.bottom - screen.top);
  ReleaseDC(nullptr, dc);
  return c;
}

bool Near(uint32_t pixel, COLORREF colour, int tolerance) {
  int r = int(pixel >> 16 & 0xFF), g = int(pixel >> 8 & 0xFF), b = int(pixel & 0xFF);
  return std::abs(r - GetRValue(colour)) <= tolerance && std::abs(g - GetGValue(colour)) <= tolerance &&
         std::abs(b - GetBValue(colour)) <= tolerance;
}

std::vector<uint8_t> MakeBmp(int width, int height, const PixelFn& pixel) {
  int row = (width * 3 + 3) & ~3;
  uint32_t image = uint32_t(row * height);
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put(out, 14 + 40 + image, 4);
  Put(out, 0, 4);
  Put(out, 14 + 40, 4);
  Put(out, 40, 4);
  Put(out, uint32_t(width), 4);
  Put(out, uint32_t(height), 4);  // bottom-up
  Put(out, 1, 2);
  Put(out, 24, 2);
  Put(out, 0, 4);
  Put(out, image, 4);
  Put(out, 2835, 4);
  Put(out, 2835, 4);
  Put(out, 0, 4);
  Put(out, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) Put(out, pixel(x, y) & 0xFFFFFF, 3);
    for (int pad = width * 3; pad < row; ++pad) out.push_back(0);
  }
  return out;
}

std::vector<uint8_t> MakeIco(int width, int height, const PixelFn& pixel, bool as_cursor,
                             int hotspot_x, int hotspot_y) {
  int mask_row = ((width + 31) / 32) * 4;
  uint32_t image = 40 + uint32_t(width * height * 4 + mask_row * height);
  std::vector<uint8_t> out;
  Put(out, 0, 2);
  Put(out, as_cursor ? 2 : 1, 2);
  Put(out, 1, 2);
  out.push_back(uint8_t(width));
  out.push_back(uint8_t(height));
  out.push_back(0);
  out.push_back(0);
  Put(out, as_cursor ? uint32_t(hotspot_x) : 1, 2);
  Put(out, as_cursor ? uint32_t(hotspot_y) : 32, 2);
  Put(out, image, 4);
  Put(out, 22, 4);
  Put(out, 40, 4);
  Put(out, uint32_t(width), 4);
  Put(out, uint32_t(height * 2), 4);
  Put(out, 1, 2);
  Put(out, 32, 2);
  for (int i = 0; i < 6; ++i) Put(out, 0, 4);
  for (int y = height - 1; y >= 0; --y)
    for (int x = 0; x < width; ++x) Put(out, pixel(x, y), 4);
  for (int y = height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(size_t(mask_row), 0);
    for (int x = 0; x < width; ++x)
      if ((pixel(x, y) >> 24) == 0) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

std::vector<uint8_t> EncodeWithWic(const GUID& container, int width, int height, const PixelFn& pixel) {
  InitialiseCom();
  std::vector<uint8_t> result;
  Com<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(&factory.p))))
    return result;
  Com<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream.p))) return result;
  Com<IWICBitmapEncoder> encoder;
  if (FAILED(factory->CreateEncoder(container, nullptr, &encoder.p))) return result;
  if (FAILED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache))) return result;
  Com<IWICBitmapFrameEncode> frame;
  if (FAILED(encoder->CreateNewFrame(&frame.p, nullptr))) return result;
  if (FAILED(frame->Initialize(nullptr))) return result;
  frame->SetSize(UINT(width), UINT(height));

  bool indexed = IsEqualGUID(container, GUID_ContainerFormatGif);
  bool opaque = IsEqualGUID(container, GUID_ContainerFormatJpeg);
  WICPixelFormatGUID format = indexed  ? GUID_WICPixelFormat8bppIndexed
                              : opaque ? GUID_WICPixelFormat24bppBGR
                                       : GUID_WICPixelFormat32bppBGRA;
  if (FAILED(frame->SetPixelFormat(&format))) return result;
  std::vector<uint8_t> bytes;
  UINT stride = 0;
  if (indexed || IsEqualGUID(format, GUID_WICPixelFormat8bppIndexed)) {
    std::map<uint32_t, uint8_t> index;
    std::vector<WICColor> colours;
    stride = UINT(width);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        uint32_t c = pixel(x, y) | 0xFF000000u;
        auto it = index.find(c);
        if (it == index.end()) {
          it = index.emplace(c, uint8_t(colours.size())).first;
          colours.push_back(c);
        }
        bytes.push_back(it->second);
      }
    while (colours.size() < 2) colours.push_back(0xFF000000u);
    Com<IWICPalette> palette;
    if (FAILED(factory->CreatePalette(&palette.p))) return result;
    palette->InitializeCustom(colours.data(), UINT(colours.size()));
    if (FAILED(frame->SetPalette(palette.p))) return result;
  } else if (IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
    stride = UINT((width * 3 + 3) & ~3);
    bytes.resize(size_t(stride) * height);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        uint32_t c = pixel(x, y);
        uint8_t* p = &bytes[size_t(y) * stride + size_t(x) * 3];
        p[0] = uint8_t(c);
        p[1] = uint8_t(c >> 8);
        p[2] = uint8_t(c >> 16);
      }
  } else if (IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA) ||
             IsEqualGUID(format, GUID_WICPixelFormat32bppBGR)) {
    stride = UINT(width * 4);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) Put(bytes, pixel(x, y), 4);
  } else {
    return result;  // the encoder wants a format these tests do not write
  }
  if (FAILED(frame->WritePixels(UINT(height), stride, UINT(bytes.size()), bytes.data()))) return result;
  if (FAILED(frame->Commit()) || FAILED(encoder->Commit())) return result;
  HGLOBAL memory = nullptr;
  if (FAILED(GetHGlobalFromStream(stream.p, &memory))) return result;
  STATSTG stat;
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return result;
  const auto* data = static_cast<const uint8_t*>(GlobalLock(memory));
  result.assign(data, data + stat.cbSize.LowPart);
  GlobalUnlock(memory);
  return result;
}

bool WritePng(const std::string& path, const Capture& capture) {
  std::vector<uint8_t> png = EncodeWithWic(GUID_ContainerFormatPng, capture.width, capture.height,
                                           [&](int x, int y) { return capture.At(x, y) | 0xFF000000u; });
  if (png.empty()) return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace talv::test
