// SkinH_EL.dll as the program uses it: loaded from a file, its one export
// called with six 32-bit arguments. Bad data is refused with a code and
// changes nothing on screen; good data colours windows that existed before
// the call and windows created after it, while buttons keep working.
//
// The skin is process-wide and cannot be taken back, so the tests of this
// file run in their written order: refusals first, then the attached skin.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/core/blocks.h"
#include "skin/skin_blobs.h"
#include "skin/skin_format.h"
#include "skin/skin_writer.h"

namespace talv::skin {
namespace {

using AttachFn = int(__stdcall*)(const unsigned char*, int, const char*, int, int, int);

// Distinct colours (COLORREF 0x00BBGGRR), so a sampled pixel can only come
// from the skin.
constexpr COLORREF kWindowBg = 0x00204060;
constexpr COLORREF kControlBg = 0x00306090;
constexpr COLORREF kEditBg = 0x00D0E0F0;
constexpr COLORREF kFocus = 0x000000F0;
constexpr COLORREF kNormalTop = 0x0080C040;
constexpr COLORREF kHotTop = 0x0040F0F0;
constexpr COLORREF kPressedTop = 0x00A01010;
constexpr COLORREF kDisabledTop = 0x00909090;
constexpr COLORREF kSecondWindowBg = 0x00112233;

Skin TestSkin() {
  Skin s;
  std::memset(&s, 0, sizeof s);
  std::strcpy(s.name, "Test");
  s.parts = kSkinAllParts;
  s.metrics = {0, 1, 4, 1, kFaceFlat};  // square, flat faces: exact colours to sample
  s.scheme_count = 2;
  for (int i = 0; i < 2; ++i) {
    SkinScheme& sc = s.schemes[i];
    std::strcpy(sc.name, i == 0 ? "Main" : "Second");
    sc.colours[kWindowBackground] = i == 0 ? kWindowBg : kSecondWindowBg;
    sc.colours[kWindowText] = 0x00FFFFFF;
    sc.colours[kControlBackground] = kControlBg;
    sc.colours[kControlText] = 0x00FFFFFF;
    sc.colours[kEditBackground] = kEditBg;
    sc.colours[kEditText] = 0x00000000;
    sc.colours[kDisabledText] = 0x00808080;
    sc.colours[kFocusFrame] = kFocus;
    const COLORREF tops[4] = {kNormalTop, kHotTop, kPressedTop, kDisabledTop};
    for (int f = 0; f < kFaceStateCount; ++f) sc.faces[f] = {tops[f], tops[f], 0x00000000, 0x00FFFFFF};
  }
  return s;
}

std::string ExeDirectory() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p(path, n);
  return p.substr(0, p.find_last_of("\\/") + 1);
}

HMODULE Library() {
  static HMODULE module = LoadLibraryA((ExeDirectory() + "SkinH_EL.dll").c_str());
  return module;
}

AttachFn Attach() {
  return reinterpret_cast<AttachFn>(reinterpret_cast<void*>(GetProcAddress(Library(), "SkinH_AttachRes")));
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Pumps messages until `done` holds or 10 s have passed.
template <typename F>
bool WaitFor(F done) {
  DWORD start = GetTickCount();
  for (;;) {
    Pump();
    if (done()) return true;
    if (GetTickCount() - start > 10000) return false;
    Sleep(10);
  }
}

COLORREF PixelAt(HWND hwnd, int x, int y) {
  HDC dc = GetDC(hwnd);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return c;
}

bool ShowsColour(HWND hwnd, int x, int y, COLORREF want) {
  return WaitFor([&] { return PixelAt(hwnd, x, y) == want; });
}

int g_clicks = 0;
HBRUSH g_own_brush = nullptr;
HWND g_own_edit = nullptr;

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) ++g_clicks;
  // A program that colours one edit field itself.
  if (msg == WM_CTLCOLOREDIT && reinterpret_cast<HWND>(lp) == g_own_edit && g_own_brush) {
    SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 0, 0));
    return reinterpret_cast<LRESULT>(g_own_brush);
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

struct TestWindow {
  HWND top = nullptr, button = nullptr, label = nullptr, edit = nullptr, own_edit = nullptr;
};

TestWindow MakeWindow(int x, int y) {
  static ATOM cls = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "TalvSkinTestWindow";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    return RegisterClassA(&wc);
  }();
  (void)cls;
  TestWindow w;
  w.top = CreateWindowExA(0, "TalvSkinTestWindow", "Skin test", WS_POPUP | WS_VISIBLE, x, y, 300, 200,
                          nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  w.button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 20, 20,
                             120, 40, w.top, reinterpret_cast<HMENU>(101), nullptr, nullptr);
  w.label = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 20, 80, 120, 20, w.top, nullptr,
                            nullptr, nullptr);
  w.edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 20, 110, 120, 24, w.top, nullptr,
                           nullptr, nullptr);
  w.own_edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 160, 110, 120, 24, w.top, nullptr,
                               nullptr, nullptr);
  g_own_edit = w.own_edit;
  if (!g_own_brush) g_own_brush = CreateSolidBrush(RGB(255, 0, 0));
  UpdateWindow(w.top);
  Pump();
  return w;
}

// Inside the button, left of the caption, below the border and away from the
// focus frame.
constexpr int kFaceX = 8, kFaceY = 20;

// The window made before any skin exists, kept for the later tests.
TestWindow& EarlyWindow() {
  static TestWindow w = MakeWindow(10, 10);
  return w;
}

TEST(SkinLibraryExport, IsOneUndecoratedStdcallFunction) {
  ASSERT_NE(Library(), nullptr) << "SkinH_EL.dll next to the test program";
  EXPECT_NE(Attach(), nullptr);
  EXPECT_EQ(GetProcAddress(Library(), "SkinH_AttachRes@24"), nullptr);
  EXPECT_EQ(GetProcAddress(Library(), "_SkinH_AttachRes@24"), nullptr);

  static const unsigned char junk[4] = {'M', 'Z', 0, 0};
#if defined(__i386__)
  // Call it with six pushed arguments and compare the stack pointer before
  // and after: a standard-call function removes exactly its 24 bytes.
  uint32_t args[6] = {uint32_t(uintptr_t(junk)), 4, 0, 0, 0, 0};
  void* fn = reinterpret_cast<void*>(Attach());
  int result = -1, delta = -1;
  asm volatile(
      "movl %%esp, %%edi\n\t"
      "pushl 20(%%esi)\n\tpushl 16(%%esi)\n\tpushl 12(%%esi)\n\t"
      "pushl 8(%%esi)\n\tpushl 4(%%esi)\n\tpushl 0(%%esi)\n\t"
      "call *%%ebx\n\t"
      "movl %%esp, %%ecx\n\t"
      "subl %%edi, %%ecx\n\t"
      "movl %%edi, %%esp\n\t"
      : "=a"(result), "=c"(delta)
      : "b"(fn), "S"(args)
      : "edi", "edx", "memory", "cc");
  EXPECT_EQ(delta, 0);
#else
  // x64 has one calling convention and the caller keeps the stack.
  const int result = Attach()(junk, 4, nullptr, 0, 0, 0);
#endif
  EXPECT_EQ(result, int(SkinError::kBadMagic));
}

TEST(SkinLibraryRefusals, BadCallsReturnTheirCodeAndApplyNothing) {
  AttachFn attach = Attach();
  ASSERT_NE(attach, nullptr);
  TestWindow& w = EarlyWindow();
  ASSERT_NE(w.button, nullptr);
  std::vector<uint8_t> good = WriteSkin(TestSkin());
  const int n = int(good.size());

  EXPECT_EQ(attach(nullptr, 100, "", 0, 0, 0), int(SkinError::kNoData));
  EXPECT_EQ(attach(good.data(), 0, "", 0, 0, 0), int(SkinError::kNoData));
  EXPECT_EQ(attach(good.data(), -5, "", 0, 0, 0), int(SkinError::kNoData));
  EXPECT_EQ(attach(good.data(), n - 1, "", 0, 0, 0), int(SkinError::kTruncated));
  EXPECT_EQ(attach(good.data(), 0x7FFFFFFF, "", 0, 0, 0), int(SkinError::kBadLength));
  EXPECT_EQ(attach(good.data(), n, "Nope", 0, 0, 0), int(SkinError::kUnknownScheme));
  EXPECT_EQ(attach(good.data(), n, "", 0, 1, 0), int(SkinError::kBadArgument));
  EXPECT_EQ(attach(good.data(), n, "", 0, 0, -1), int(SkinError::kBadArgument));
  EXPECT_EQ(attach(good.data(), n, "", 0x100, 0, 0), int(SkinError::kBadArgument));
  // Pointers that cannot be read: a wild one, and data running into a page
  // that is not accessible.
  EXPECT_EQ(attach(reinterpret_cast<const unsigned char*>(16), 64, "", 0, 0, 0),
            int(SkinError::kBadArgument));
  EXPECT_EQ(attach(good.data(), n, reinterpret_cast<const char*>(16), 0, 0, 0),
            int(SkinError::kUnknownScheme));
  auto* pages = static_cast<uint8_t*>(VirtualAlloc(nullptr, 8192, MEM_COMMIT, PAGE_READWRITE));
  ASSERT_NE(pages, nullptr);
  DWORD old;
  ASSERT_TRUE(VirtualProtect(pages + 4096, 4096, PAGE_NOACCESS, &old));
  std::memcpy(pages + 4096 - 16, good.data(), 16);
  EXPECT_EQ(attach(pages + 4096 - 16, n, "", 0, 0, 0), int(SkinError::kBadArgument));
  std::memcpy(pages + 4096 - 6, "Second", 6);  // a name without its NUL
  EXPECT_EQ(attach(good.data(), n, reinterpret_cast<const char*>(pages + 4096 - 6), 0, 0, 0),
            int(SkinError::kUnknownScheme));
  VirtualFree(pages, 0, MEM_RELEASE);

  std::vector<uint8_t> bad = good;
  bad[20] = 1;  // reserved field
  SealSkin(&bad);
  EXPECT_EQ(attach(bad.data(), n, "", 0, 0, 0), int(SkinError::kBadValue));
  bad = good;
  bad[40] ^= 1;
  EXPECT_EQ(attach(bad.data(), n, "", 0, 0, 0), int(SkinError::kBadChecksum));

  // Nothing was applied: the window keeps its class background and the
  // button its classic face.
  InvalidateRect(w.top, nullptr, TRUE);
  UpdateWindow(w.top);
  Pump();
  EXPECT_EQ(PixelAt(w.top, 250, 170), GetSysColor(COLOR_BTNFACE));
  COLORREF face = PixelAt(w.button, kFaceX, kFaceY);
  for (COLORREF skin : {kNormalTop, kHotTop, kPressedTop, kDisabledTop}) EXPECT_NE(face, skin);
}

TEST(SkinLibraryApplied, ColoursWindowsThatExistedBeforeTheCall) {
  AttachFn attach = Attach();
  ASSERT_NE(attach, nullptr);
  TestWindow& w = EarlyWindow();
  std::vector<uint8_t> good = WriteSkin(TestSkin());
  ASSERT_EQ(attach(good.data(), int(good.size()), "", 0, 0, 0), 0);
  EXPECT_TRUE(ShowsColour(w.top, 250, 170, kWindowBg));
  EXPECT_TRUE(ShowsColour(w.button, kFaceX, kFaceY, kNormalTop));
  EXPECT_TRUE(ShowsColour(w.label, 60, 10, kControlBg));
  EXPECT_TRUE(ShowsColour(w.edit, 60, 12, kEditBg));
  // The program's own colour for an edit field wins over the skin.
  EXPECT_TRUE(ShowsColour(w.own_edit, 60, 12, RGB(255, 0, 0)));
}

TEST(SkinLibraryApplied, ColoursWindowsCreatedAfterTheCall) {
  TestWindow w = MakeWindow(330, 10);
  EXPECT_TRUE(ShowsColour(w.top, 250, 170, kWindowBg));
  EXPECT_TRUE(ShowsColour(w.button, kFaceX, kFaceY, kNormalTop));
  EXPECT_TRUE(ShowsColour(w.label, 60, 10, kControlBg));
  EXPECT_TRUE(ShowsColour(w.edit, 60, 12, kEditBg));
  // Destroying skinned windows removes the subclasses without trouble.
  DestroyWindow(w.top);
  EXPECT_FALSE(IsWindow(w.button));
}

TEST(SkinLibraryApplied, ButtonFacesFollowTheirState) {
  TestWindow& w = EarlyWindow();
  HWND b = w.button;
  // Hot: the mouse moves over the button; sampled before the leave that the
  // real (far away) pointer position causes is handled.
  SendMessageA(b, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(PixelAt(b, kFaceX, kFaceY), kHotTop);
  SendMessageA(b, WM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(ShowsColour(b, kFaceX, kFaceY, kNormalTop));

  SendMessageA(b, BM_SETSTATE, TRUE, 0);
  EXPECT_TRUE(ShowsColour(b, kFaceX, kFaceY, kPressedTop));
  SendMessageA(b, BM_SETSTATE, FALSE, 0);
  EXPECT_TRUE(ShowsColour(b, kFaceX, kFaceY, kNormalTop));

  EnableWindow(b, FALSE);
  EXPECT_TRUE(ShowsColour(b, kFaceX, kFaceY, kDisabledTop));
  EnableWindow(b, TRUE);
  EXPECT_TRUE(ShowsColour(b, kFaceX, kFaceY, kNormalTop));
}

TEST(SkinLibraryApplied, ButtonsKeepTheirFocusAndClicks) {
  TestWindow& w = EarlyWindow();
  HWND b = w.button;
  SetForegroundWindow(w.top);
  SetFocus(b);
  ASSERT_TRUE(WaitFor([&] { return GetFocus() == b; }));
  SendMessageA(b, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  // The focus frame: one pixel, the focus inset (4) inside the edge.
  EXPECT_TRUE(ShowsColour(b, 4, 20, kFocus));

  g_clicks = 0;
  SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 20));
  EXPECT_EQ(PixelAt(b, kFaceX, kFaceY), kPressedTop);
  SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(30, 20));
  EXPECT_TRUE(WaitFor([] { return g_clicks == 1; }));

  SendMessageA(b, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageA(b, WM_KEYUP, VK_SPACE, 0xC0000001);
  EXPECT_TRUE(WaitFor([] { return g_clicks == 2; }));
  SendMessageA(b, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([] { return g_clicks == 3; }));
  EXPECT_TRUE(ShowsColour(b, kFaceX, kFaceY, kNormalTop));
}

TEST(SkinLibraryApplied, LaterCallsChangeTheSchemeAndTheParts) {
  AttachFn attach = Attach();
  TestWindow& w = EarlyWindow();
  std::vector<uint8_t> good = WriteSkin(TestSkin());
  ASSERT_EQ(attach(good.data(), int(good.size()), "second", 0, 0, 0), 0);
  EXPECT_TRUE(ShowsColour(w.top, 250, 170, kSecondWindowBg));
  // A refused call keeps the skin that is attached.
  EXPECT_EQ(attach(good.data(), int(good.size()), "missing", 0, 0, 0), int(SkinError::kUnknownScheme));
  InvalidateRect(w.top, nullptr, TRUE);
  EXPECT_TRUE(ShowsColour(w.top, 250, 170, kSecondWindowBg));
  // Options switch parts off: push buttons get their classic face back.
  ASSERT_EQ(attach(good.data(), int(good.size()), "Main", int(kSkinPartPushButtons), 0, 0), 0);
  EXPECT_TRUE(ShowsColour(w.top, 250, 170, kWindowBg));
  InvalidateRect(w.button, nullptr, TRUE);
  EXPECT_TRUE(WaitFor([&] { return PixelAt(w.button, kFaceX, kFaceY) != kNormalTop; }));
  ASSERT_EQ(attach(good.data(), int(good.size()), "", 0, 0, 0), 0);
  EXPECT_TRUE(ShowsColour(w.button, kFaceX, kFaceY, kNormalTop));
}

TEST(SkinLibraryApplied, MutatedDataNeverHarmsTheProcess) {
  // Random byte changes, half of them resealed so they get past the
  // checksum: every call returns 0 or a defined code, and the windows stay.
  AttachFn attach = Attach();
  TestWindow& w = EarlyWindow();
  const std::vector<uint8_t> good = WriteSkin(TestSkin());
  uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
  int applied = 0;
  for (int i = 0; i < 400; ++i) {
    std::vector<uint8_t> d = good;
    for (int k = 0, changes = 1 + int(next() % 3); k < changes; ++k) d[next() % d.size()] = uint8_t(next());
    if (i % 2) SealSkin(&d);
    int length = int(d.size()) - int(next() % 2);
    int r = attach(d.data(), length, "", 0, 0, 0);
    ASSERT_GE(r, 0);
    ASSERT_LE(r, int(SkinError::kSystemFailure));
    if (r == 0) ++applied;
    Pump();
  }
  EXPECT_GT(applied, 0);
  EXPECT_TRUE(IsWindow(w.top));
  ASSERT_EQ(attach(good.data(), int(good.size()), "", 0, 0, 0), 0);
  EXPECT_TRUE(ShowsColour(w.button, kFaceX, kFaceY, kNormalTop));
}

TEST(SkinLibraryApplied, TheProgramsOwnSkinAttachesAsTheProgramCallsIt) {
  // As the start-up handler calls it: payload, ByteArrayLength, the empty
  // text (null) and three zeros.
  AttachFn attach = Attach();
  TestWindow& w = EarlyWindow();
  ASSERT_EQ(attach(ByteArrayData(kSkinData), int(ByteArrayLength(kSkinData)), nullptr, 0, 0, 0), 0);
  EXPECT_TRUE(ShowsColour(w.top, 250, 170, RGB(0xE4, 0xEE, 0xEA)));  // Jade's window background
  EXPECT_TRUE(ShowsColour(w.edit, 60, 12, RGB(0xFB, 0xFD, 0xFC)));
  // Its faces are gradients: near the top the normal top colour #F7FBFA,
  // near the bottom the normal bottom colour #D3E4DE.
  auto close_to = [](COLORREF c, COLORREF want) {
    for (int shift : {0, 8, 16})
      if (std::abs(int((c >> shift) & 0xFF) - int((want >> shift) & 0xFF)) > 10) return false;
    return true;
  };
  EXPECT_TRUE(WaitFor([&] { return close_to(PixelAt(w.button, kFaceX, 2), RGB(0xF7, 0xFB, 0xFA)); }))
      << std::hex << PixelAt(w.button, kFaceX, 2);
  EXPECT_TRUE(close_to(PixelAt(w.button, kFaceX, 37), RGB(0xD3, 0xE4, 0xDE)))
      << std::hex << PixelAt(w.button, kFaceX, 37);
}

}  // namespace
}  // namespace talv::skin
