// SetVisualStyle on a window of real standard controls under the test
// display: which windows it registers, that it gives every procedure back,
// what each style paints (pixels read back from the window DC), and that the
// controls still behave as the system's.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "runtime/styles/visual_style_commands.h"
#include "runtime/core/command_call.h"

using namespace talv;

namespace {

constexpr DWORD kPatience = 10000;  // ms for any awaited condition

int32_t CallSetVisualStyle(TypedValue arg) {
  TypedValue args[1] = {arg};
  return AsInt(InvokeCommand(SetVisualStyle, 1, args));
}
int32_t CallSetVisualStyle(int32_t style) { return CallSetVisualStyle(IntValue(style)); }

// Lets the thread's messages through until `condition` holds.
bool WaitFor(const std::function<bool()>& condition, DWORD timeout = kPatience) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    if (condition()) return true;
    if (GetTickCount() - start > timeout) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 15, QS_ALLINPUT);
  }
}

// The pixels a window shows, copied from its DC (client or whole window)
// into a 32-bit DIB.
class Snapshot {
 public:
  Snapshot(HWND window, bool wholeWindow) {
    RECT r;
    if (wholeWindow) {
      GetWindowRect(window, &r);
    } else {
      GetClientRect(window, &r);
    }
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
    HDC src = wholeWindow ? GetWindowDC(window) : GetDC(window);
    Capture(src, [&](HDC mem) { BitBlt(mem, 0, 0, width_, height_, src, 0, 0, SRCCOPY); });
    ReleaseDC(window, src);
  }
  // Through PrintWindow, which asks the window to draw itself into our DC.
  static Snapshot Printed(HWND window) {
    Snapshot s;
    RECT r;
    GetWindowRect(window, &r);
    s.width_ = r.right - r.left;
    s.height_ = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    s.Capture(screen, [&](HDC mem) { PrintWindow(window, mem, 0); });
    ReleaseDC(nullptr, screen);
    return s;
  }
  COLORREF At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    uint32_t p = pixels_[size_t(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  Snapshot() = default;
  void Capture(HDC reference, const std::function<void(HDC)>& draw) {
    if (width_ <= 0 || height_ <= 0) return;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -height_;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(reference, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib) return;
    HDC mem = CreateCompatibleDC(reference);
    HGDIOBJ old = SelectObject(mem, dib);
    draw(mem);
    GdiFlush();
    pixels_.assign(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + width_ * height_);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(dib);
  }
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
};

std::string Hex(COLORREF c) {
  char b[16];
  snprintf(b, sizeof b, "%06lX", static_cast<unsigned long>(c));
  return b;
}

VisualStyleColours ColoursOf(int32_t style) {
  VisualStyleColours c{};
  EXPECT_TRUE(GetVisualStyleColours(style, &c));
  return c;
}

// Waits until a pixel of the window shows `expected`.
::testing::AssertionResult ShowsColour(HWND window, bool wholeWindow, int x, int y,
                                       COLORREF expected) {
  COLORREF last = CLR_INVALID;
  bool ok = WaitFor([&] {
    last = Snapshot(window, wholeWindow).At(x, y);
    return last == expected;
  });
  if (ok) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << Hex(last)
                                       << ", expected " << Hex(expected);
}

enum ControlId {
  kPush = 101, kDefaultPush, kPushLike, kCheck, kRadio, kGroup, kEdit, kCombo, kDropCombo,
  kSimpleCombo, kBuddy, kUpDown, kOwnerDraw, kAddress, kLabel, kDoomed, kRestyle
};

std::map<int, int> g_clicks;  // BN_CLICKED notifications per control id

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        ++g_clicks[LOWORD(wParam)];
        if (LOWORD(wParam) == kDoomed) DestroyWindow(reinterpret_cast<HWND>(lParam));
        if (LOWORD(wParam) == kRestyle) CallSetVisualStyle(2);
      }
      return 0;
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_HIGHLIGHT));
      return TRUE;
    }
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

BOOL CALLBACK SetFontOf(HWND w, LPARAM font) {
  SendMessageA(w, WM_SETFONT, WPARAM(font), FALSE);
  return TRUE;
}
BOOL CALLBACK CollectWindow(HWND w, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
  return TRUE;
}
COMBOBOXINFO ComboInfo(HWND combo) {
  COMBOBOXINFO info;
  memset(&info, 0, sizeof info);
  info.cbSize = sizeof info;
  GetComboBoxInfo(combo, &info);
  return info;
}

// A procedure installed above ours, as another part of a program would
// install one after the drawing was turned on.
WNDPROC g_below = nullptr;
int g_seenClicks = 0;
LRESULT CALLBACK CountingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == BM_CLICK) ++g_seenClicks;
  return CallWindowProcA(g_below, w, m, wp, lp);
}

class StyledWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_UPDOWN_CLASS | ICC_INTERNET_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "TalviqueStyleHost";
    RegisterClassA(&wc);
    SetCursorPos(1000, 740);  // away from the test window: no hover unless a test wants it
    // One host for the whole suite: a top-level window takes Wine a while to
    // unmap, its children do not.
    host_ = CreateWindowExA(0, "TalviqueStyleHost", "样式测试", WS_POPUP | WS_VISIBLE, 0, 0, 460,
                            340, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  static void TearDownTestSuite() {
    DestroyWindow(host_);
    host_ = nullptr;
  }

  void SetUp() override {
    g_clicks.clear();
    ASSERT_NE(host_, nullptr);
    // Created as the window runtime creates its Button kind.
    push_ = Child("Button", "确定", WS_CLIPSIBLINGS | BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER |
                  BS_VCENTER, 10, 10, 120, 32, kPush);
    defaultPush_ = Child("Button", "默认", BS_DEFPUSHBUTTON, 140, 10, 100, 32, kDefaultPush);
    pushLike_ = Child("Button", "开关", BS_AUTOCHECKBOX | BS_PUSHLIKE, 250, 10, 90, 32, kPushLike);
    check_ = Child("Button", "选中", BS_AUTOCHECKBOX, 10, 50, 100, 20, kCheck);
    radio_ = Child("Button", "单选", BS_AUTORADIOBUTTON, 120, 50, 100, 20, kRadio);
    group_ = Child("Button", "分组", BS_GROUPBOX, 230, 50, 200, 100, kGroup);
    edit_ = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                            10, 80, 160, 24, host_, Id(kEdit), nullptr, nullptr);
    combo_ = Child("ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL, 10, 115, 160, 120, kCombo);
    dropCombo_ = Child("ComboBox", "", CBS_DROPDOWN, 10, 150, 160, 120, kDropCombo);
    simpleCombo_ = Child("ComboBox", "", CBS_SIMPLE, 240, 160, 120, 80, kSimpleCombo);
    buddy_ = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "5", WS_CHILD | WS_VISIBLE, 10, 190, 60,
                             24, host_, Id(kBuddy), nullptr, nullptr);
    updown_ = Child(UPDOWN_CLASSA, "", 0, 80, 185, 24, 40, kUpDown);
    SendMessageA(updown_, UDM_SETRANGE32, 0, 10);
    SendMessageA(updown_, UDM_SETPOS32, 0, 5);
    ownerDraw_ = Child("Button", "自绘", BS_OWNERDRAW, 120, 190, 80, 30, kOwnerDraw);
    address_ = Child(WC_IPADDRESSA, "", 0, 10, 240, 180, 24, kAddress);
    label_ = Child("Static", "标签", SS_LEFT, 210, 250, 80, 20, kLabel);
    SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("一"));
    SendMessageA(combo_, CB_SETCURSEL, 0, 0);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    EnumChildWindows(host_, SetFontOf, reinterpret_cast<LPARAM>(font));
    UpdateWindow(host_);
    WaitFor([] { return false; }, 50);  // let the first paints through
  }

  void TearDown() override {
    CallSetVisualStyle(0);
    std::vector<HWND> children;
    for (HWND c = GetWindow(host_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      children.push_back(c);
    for (HWND c : children) DestroyWindow(c);
    WaitFor([] { return false; }, 20);
  }

  static HMENU Id(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }
  HWND Child(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id) {
    HWND c = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, host_,
                             Id(id), nullptr, nullptr);
    EXPECT_NE(c, nullptr) << cls;
    return c;
  }

  std::vector<HWND> DrawnWindows() const {
    COMBOBOXINFO combo = ComboInfo(combo_), drop = ComboInfo(dropCombo_);
    return {push_,  defaultPush_, pushLike_, check_,      radio_,          group_,
            edit_,  combo_,       combo.hwndList, dropCombo_, drop.hwndItem, drop.hwndList,
            buddy_, updown_};
  }
  std::vector<HWND> UndrawnWindows() const {
    std::vector<HWND> all = {host_, simpleCombo_, ComboInfo(simpleCombo_).hwndList, ownerDraw_,
                             address_, label_};
    EnumChildWindows(address_, CollectWindow, reinterpret_cast<LPARAM>(&all));
    return all;
  }

  static LONG_PTR Procedure(HWND w) { return GetWindowLongPtrA(w, GWLP_WNDPROC); }

  static HWND host_;
  HWND push_ = nullptr, defaultPush_ = nullptr, pushLike_ = nullptr,
       check_ = nullptr, radio_ = nullptr, group_ = nullptr, edit_ = nullptr, combo_ = nullptr,
       dropCombo_ = nullptr, simpleCombo_ = nullptr, buddy_ = nullptr, updown_ = nullptr,
       ownerDraw_ = nullptr, address_ = nullptr, label_ = nullptr;
};
HWND StyledWindow::host_ = nullptr;

// ---- Registration -----------------------------------------------------

TEST_F(StyledWindow, TheDrawnCategoriesAreRegisteredOnceEvenWhenTurnedOnTwice) {
  ASSERT_EQ(VisualStyleRegistrationCount(), 0);
  EXPECT_EQ(CallSetVisualStyle(3), 1);
  EXPECT_EQ(CurrentVisualStyle(), 3);
  for (HWND w : DrawnWindows()) EXPECT_EQ(VisualStyleRegistrationsOf(w), 1) << w;
  for (HWND w : UndrawnWindows()) EXPECT_EQ(VisualStyleRegistrationsOf(w), 0) << w;
  int32_t total = VisualStyleRegistrationCount();
  EXPECT_GE(total, int32_t(DrawnWindows().size()));

  EXPECT_EQ(CallSetVisualStyle(3), 1);
  for (HWND w : DrawnWindows()) EXPECT_EQ(VisualStyleRegistrationsOf(w), 1) << w;
  EXPECT_EQ(VisualStyleRegistrationCount(), total);
}

TEST_F(StyledWindow, StyleZeroRestoresEveryWindowProcedure) {
  std::map<HWND, LONG_PTR> before;
  std::map<HWND, BOOL> unicode;
  for (HWND w : DrawnWindows()) {
    before[w] = Procedure(w);
    unicode[w] = IsWindowUnicode(w);
  }
  for (HWND w : UndrawnWindows()) before[w] = Procedure(w);

  ASSERT_EQ(CallSetVisualStyle(3), 1);
  ASSERT_EQ(CallSetVisualStyle(3), 1);
  for (HWND w : DrawnWindows()) EXPECT_NE(Procedure(w), before[w]) << w;
  for (HWND w : UndrawnWindows()) EXPECT_EQ(Procedure(w), before[w]) << w;

  EXPECT_NE(CallSetVisualStyle(0), 0);  // the hook was installed and removed
  EXPECT_EQ(VisualStyleRegistrationCount(), 0);
  for (auto& [w, proc] : before) EXPECT_EQ(Procedure(w), proc) << w;
  for (auto& [w, u] : unicode) EXPECT_EQ(IsWindowUnicode(w), u) << w;
  EXPECT_EQ(CallSetVisualStyle(0), 0);  // nothing left to remove
}

TEST_F(StyledWindow, OtherStyleValuesTurnTheDrawingOff) {
  for (TypedValue off : {IntValue(4), IntValue(-1), Omitted(), TextValue("3")}) {
    ASSERT_EQ(CallSetVisualStyle(1), 1);
    EXPECT_NE(CallSetVisualStyle(off), 0);
    EXPECT_EQ(VisualStyleRegistrationCount(), 0);
  }
  EXPECT_EQ(CallSetVisualStyle(DoubleValue(2.9)), 1);  // truncated to style 2
  EXPECT_EQ(CurrentVisualStyle(), 2);
}

TEST_F(StyledWindow, WindowsCreatedWhileOnAreRegisteredAtCreationAndDroppedAtDestruction) {
  ASSERT_EQ(CallSetVisualStyle(1), 1);
  int32_t total = VisualStyleRegistrationCount();
  HWND late = Child("Button", "后来", BS_PUSHBUTTON, 300, 290, 80, 30, 200);
  HWND lateEdit = Child("Edit", "", WS_BORDER, 200, 290, 80, 24, 201);
  EXPECT_EQ(VisualStyleRegistrationsOf(late), 1);
  EXPECT_EQ(VisualStyleRegistrationsOf(lateEdit), 1);
  EXPECT_EQ(VisualStyleRegistrationCount(), total + 2);
  DestroyWindow(late);
  DestroyWindow(lateEdit);
  EXPECT_EQ(VisualStyleRegistrationCount(), total);

  ASSERT_NE(CallSetVisualStyle(0), 0);
  HWND after = Child("Button", "之后", BS_PUSHBUTTON, 300, 290, 80, 30, 202);
  EXPECT_EQ(VisualStyleRegistrationsOf(after), 0);
  DestroyWindow(after);
}

TEST_F(StyledWindow, AProcedureInstalledAboveOursKeepsWorkingAfterTurningOff) {
  ASSERT_EQ(CallSetVisualStyle(2), 1);
  g_seenClicks = 0;
  WNDPROC ours = reinterpret_cast<WNDPROC>(Procedure(push_));
  g_below = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(push_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
  ASSERT_EQ(g_below, ours);
  LONG_PTR above = Procedure(push_);

  EXPECT_NE(CallSetVisualStyle(0), 0);
  EXPECT_EQ(Procedure(push_), above);  // not cut out of the chain
  EXPECT_EQ(VisualStyleRegistrationsOf(push_), 0);
  SendMessageA(push_, BM_CLICK, 0, 0);
  EXPECT_EQ(g_seenClicks, 1);
  EXPECT_TRUE(WaitFor([] { return g_clicks[kPush] == 1; }));

  // Turned on again, the window is drawn again through the same place in
  // the chain, still once.
  ASSERT_EQ(CallSetVisualStyle(1), 1);
  EXPECT_EQ(VisualStyleRegistrationsOf(push_), 1);
  EXPECT_TRUE(ShowsColour(push_, false, 6, 6, ColoursOf(1).face));
}

// ---- Painting ---------------------------------------------------------

TEST_F(StyledWindow, EachStylePaintsButtonsFieldsGroupBoxesAndUpDowns) {
  COLORREF systemFace = GetSysColor(COLOR_BTNFACE);
  for (int32_t style = 1; style <= 3; ++style) {
    SCOPED_TRACE(style);
    VisualStyleColours c = ColoursOf(style);
    ASSERT_NE(c.face, systemFace);
    ASSERT_EQ(CallSetVisualStyle(style), 1);
    // Push button: the face inside, the frame on the left edge; the default
    // button's frame in the accent.
    EXPECT_TRUE(ShowsColour(push_, false, 6, 6, c.face));
    EXPECT_TRUE(ShowsColour(push_, false, 0, 16, c.frame));
    EXPECT_TRUE(ShowsColour(defaultPush_, false, 0, 16, c.accent));
    // Edit field: the flat frame replaces the sunken edge.
    EXPECT_TRUE(ShowsColour(edit_, true, 0, 12, c.frame));
    EXPECT_TRUE(ShowsColour(edit_, true, 1, 12, GetSysColor(COLOR_WINDOW)));
    // Group box: its frame line on the left and bottom.
    EXPECT_TRUE(ShowsColour(group_, false, 0, 60, c.frame));
    EXPECT_TRUE(ShowsColour(group_, false, 100, 99, c.frame));
    // Up-down: both halves flat faces with frames.
    EXPECT_TRUE(ShowsColour(updown_, false, 3, 4, c.face));
    EXPECT_TRUE(ShowsColour(updown_, false, 3, 36, c.face));
    EXPECT_TRUE(ShowsColour(updown_, false, 0, 10, c.frame));
    // Combo box: flat frame and arrow button.
    COMBOBOXINFO info = ComboInfo(combo_);
    ASSERT_NE(info.hwndCombo, nullptr);
    EXPECT_TRUE(ShowsColour(combo_, false, 0, 10, c.frame));
    EXPECT_TRUE(ShowsColour(combo_, false, info.rcButton.left + 2, info.rcButton.top + 2, c.face));
    // Check box: its square's frame.
    EXPECT_TRUE(ShowsColour(check_, false, 0, 10, c.frame));
  }
  // Turned off, the system's own look comes back.
  ASSERT_NE(CallSetVisualStyle(0), 0);
  EXPECT_TRUE(ShowsColour(push_, false, 6, 6, systemFace));
}

TEST_F(StyledWindow, APictureButtonShowsItsPictureOnTheStyledFace) {
  // A 16 x 16 red bitmap, as the window runtime gives a Button its picture.
  HDC screen = GetDC(nullptr);
  HBITMAP red = CreateCompatibleBitmap(screen, 16, 16);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, red);
  RECT all = {0, 0, 16, 16};
  HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(mem, &all, brush);
  DeleteObject(brush);
  SelectObject(mem, old);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  HWND picture = Child("Button", "图", BS_PUSHBUTTON | BS_BITMAP, 300, 290, 40, 30, 210);
  SendMessageA(picture, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(red));

  VisualStyleColours c = ColoursOf(1);
  ASSERT_EQ(CallSetVisualStyle(1), 1);
  EXPECT_EQ(VisualStyleRegistrationsOf(picture), 1);
  EXPECT_TRUE(ShowsColour(picture, false, 20, 15, RGB(255, 0, 0)));
  EXPECT_TRUE(ShowsColour(picture, false, 4, 4, c.face));
  DestroyWindow(picture);
  DeleteObject(red);
}

TEST_F(StyledWindow, PrintWindowDrawsTheStyleToo) {
  VisualStyleColours c = ColoursOf(2);
  ASSERT_EQ(CallSetVisualStyle(2), 1);
  ASSERT_TRUE(ShowsColour(push_, false, 6, 6, c.face));
  COLORREF pixel = CLR_INVALID;
  EXPECT_TRUE(WaitFor([&] { return (pixel = Snapshot::Printed(push_).At(6, 6)) == c.face; }))
      << Hex(pixel);
  EXPECT_TRUE(WaitFor([&] { return (pixel = Snapshot::Printed(edit_).At(0, 12)) == c.frame; }))
      << Hex(pixel);
}

// ---- Behaviour kept ---------------------------------------------------

TEST_F(StyledWindow, APressedPushButtonTurnsAccentAndItsClickReachesTheParent) {
  VisualStyleColours c = ColoursOf(1);
  ASSERT_EQ(CallSetVisualStyle(1), 1);
  ASSERT_TRUE(ShowsColour(push_, false, 6, 6, c.face));
  PostMessageA(push_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 16));
  EXPECT_TRUE(ShowsColour(push_, false, 6, 6, c.accent));
  EXPECT_EQ(g_clicks[kPush], 0);
  PostMessageA(push_, WM_LBUTTONUP, 0, MAKELPARAM(60, 16));
  EXPECT_TRUE(WaitFor([] { return g_clicks[kPush] == 1; }));
  EXPECT_TRUE(ShowsColour(push_, false, 6, 6, c.face));
  EXPECT_EQ(GetFocus(), push_);
  EXPECT_TRUE(ShowsColour(push_, false, 0, 16, c.accent));  // focus frame
}

TEST_F(StyledWindow, ARealMouseClickOnAStyledButtonIsAClick) {
  ASSERT_EQ(CallSetVisualStyle(3), 1);
  POINT centre = {60, 16};
  ClientToScreen(push_, &centre);
  int sw = GetSystemMetrics(SM_CXSCREEN) - 1, sh = GetSystemMetrics(SM_CYSCREEN) - 1;
  INPUT in[3] = {};
  for (INPUT& i : in) {
    i.type = INPUT_MOUSE;
    i.mi.dx = centre.x * 65535 / sw;
    i.mi.dy = centre.y * 65535 / sh;
  }
  in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  ASSERT_EQ(SendInput(3, in, sizeof(INPUT)), 3u);
  EXPECT_TRUE(WaitFor([] { return g_clicks[kPush] == 1; }));
  // The mouse stays over the button: the hot face shows, until it leaves.
  EXPECT_TRUE(ShowsColour(push_, false, 6, 6, ColoursOf(3).faceHot));
  SetCursorPos(1000, 740);
  EXPECT_TRUE(ShowsColour(push_, false, 6, 6, ColoursOf(3).face));
}

TEST_F(StyledWindow, AClickHandlerThatChangesTheStyleLeavesTheButtonRegisteredOnce) {
  ASSERT_EQ(CallSetVisualStyle(1), 1);
  HWND restyle = Child("Button", "换样式", BS_PUSHBUTTON, 300, 290, 80, 30, kRestyle);
  PostMessageA(restyle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageA(restyle, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_TRUE(WaitFor([] { return g_clicks[kRestyle] == 1; }));
  EXPECT_EQ(CurrentVisualStyle(), 2);
  EXPECT_EQ(VisualStyleRegistrationsOf(restyle), 1);
  EXPECT_TRUE(ShowsColour(restyle, false, 4, 4, ColoursOf(2).face));
  DestroyWindow(restyle);
}

TEST_F(StyledWindow, ADroppedDownListHasTheAccentFrame) {
  VisualStyleColours c = ColoursOf(3);
  ASSERT_EQ(CallSetVisualStyle(3), 1);
  HWND list = ComboInfo(combo_).hwndList;
  ASSERT_NE(list, nullptr);
  SendMessageA(combo_, CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(list) != FALSE; }));
  EXPECT_TRUE(ShowsColour(list, true, 0, 3, c.accent));
  SendMessageA(combo_, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(list); }));
}

TEST_F(StyledWindow, AButtonDestroyedByItsOwnClickLeavesNoRegistration) {
  ASSERT_EQ(CallSetVisualStyle(1), 1);
  HWND doomed = Child("Button", "关闭", BS_PUSHBUTTON, 300, 290, 80, 30, kDoomed);
  int32_t total = VisualStyleRegistrationCount();
  PostMessageA(doomed, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageA(doomed, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_TRUE(WaitFor([] { return g_clicks[kDoomed] == 1; }));
  EXPECT_FALSE(IsWindow(doomed));
  EXPECT_EQ(VisualStyleRegistrationCount(), total - 1);
}

TEST_F(StyledWindow, TypingIntoAStyledEditChangesItsTextAndFocusShowsTheAccent) {
  VisualStyleColours c = ColoursOf(1);
  ASSERT_EQ(CallSetVisualStyle(1), 1);
  SetFocus(edit_);
  EXPECT_TRUE(ShowsColour(edit_, true, 0, 12, c.accent));
  for (char ch : std::string("12+3")) PostMessageA(edit_, WM_CHAR, WPARAM(BYTE(ch)), 1);
  char text[32] = "";
  EXPECT_TRUE(WaitFor([&] {
    GetWindowTextA(edit_, text, sizeof text);
    return std::string(text) == "12+3";
  })) << text;
  PostMessageA(edit_, WM_CHAR, VK_BACK, 1);
  EXPECT_TRUE(WaitFor([&] {
    GetWindowTextA(edit_, text, sizeof text);
    return std::string(text) == "12+";
  })) << text;
  SetFocus(push_);
  EXPECT_TRUE(ShowsColour(edit_, true, 0, 12, c.frame));
}

TEST_F(StyledWindow, AStyledCheckBoxTogglesAndShowsItsMark) {
  VisualStyleColours c = ColoursOf(2);
  ASSERT_EQ(CallSetVisualStyle(2), 1);
  PostMessageA(check_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 10));
  PostMessageA(check_, WM_LBUTTONUP, 0, MAKELPARAM(5, 10));
  EXPECT_TRUE(WaitFor([&] { return SendMessageA(check_, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
  EXPECT_EQ(g_clicks[kCheck], 1);
  // The mark fills the middle of the 13-pixel square.
  EXPECT_TRUE(ShowsColour(check_, false, 6, 10, c.accent));
}

TEST_F(StyledWindow, AStyledUpDownStillStepsAndShowsTheHeldHalf) {
  VisualStyleColours c = ColoursOf(3);
  ASSERT_EQ(CallSetVisualStyle(3), 1);
  ASSERT_TRUE(ShowsColour(updown_, false, 3, 4, c.face));
  PostMessageA(updown_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 5));
  EXPECT_TRUE(ShowsColour(updown_, false, 3, 4, c.accent));
  PostMessageA(updown_, WM_LBUTTONUP, 0, MAKELPARAM(12, 5));
  // At least one step up (a slow run may let the auto-repeat add more).
  EXPECT_TRUE(WaitFor([&] { return SendMessageA(updown_, UDM_GETPOS32, 0, 0) > 5; }));
  EXPECT_TRUE(ShowsColour(updown_, false, 3, 4, c.face));
}

}  // namespace
