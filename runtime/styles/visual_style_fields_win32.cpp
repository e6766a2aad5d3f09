// Painting of the field family and the up-down control.
//
//   edit field   the system draws the text, selection and caret; we replace
//                its border with a flat frame: one pixel in the frame colour
//                (accent when focused, disabled colour when disabled) and,
//                for a client edge, a second pixel in the field's own
//                background, or in the accent when the style has a
//                two-pixel focus frame.
//   combo box    the system draws the field; we draw the same flat frame
//                over its sunken edge and a flat arrow button (accent-filled
//                while pressed) with a down arrow.
//   drop list    a one-pixel accent frame around the dropped-down list.
//   up-down      drawn entirely by us: two flat halves with arrows, the held
//                half accent-filled.
#include "runtime/styles/visual_style_win32.h"

#include <commctrl.h>

#include "runtime/paint/button_control_win32.h"

namespace talv {
namespace visual_style {
namespace {

COLORREF FrameColour(const Registration& r) {
  const VisualStyleColours& c = Colours();
  if (r.state & State::Disabled) return c.textDisabled;
  return (r.state & State::Focused) ? c.accent : c.frame;
}

COLORREF FieldBackground(const Registration& r) {
  bool grey = r.state & (State::Disabled | State::ReadOnly);
  return GetSysColor(grey ? COLOR_3DFACE : COLOR_WINDOW);
}

// Width of the border that the system gives the window.
int BorderWidth(HWND window) {
  LONG style = GetWindowLongA(window, GWL_STYLE);
  LONG ex = GetWindowLongA(window, GWL_EXSTYLE);
  if (ex & WS_EX_CLIENTEDGE) return 2;
  if ((ex & WS_EX_STATICEDGE) || (style & WS_BORDER)) return 1;
  return 0;
}

// The flat two-ring frame on `rect`: the outer ring in the frame colour,
// the inner one (when `rings` is 2) in the field's background, or in the
// accent when a focused style wants a two-pixel focus frame.
void DrawRings(const Registration& r, HDC dc, const RECT& rect, int rings) {
  if (rings <= 0) return;
  const VisualStyleColours& c = Colours();
  FrameSolid(dc, rect, FrameColour(r), 1);
  if (rings < 2) return;
  RECT inner = rect;
  InflateRect(&inner, -1, -1);
  bool thick = (r.state & State::Focused) && c.focusWidth >= 2 && !(r.state & State::Disabled);
  FrameSolid(dc, inner, thick ? c.accent : FieldBackground(r), 1);
}

// Edit field and drop list: the frame lies in the non-client area.
void DrawOuterFrame(Registration& r, HDC given) {
  RefreshState(r);
  int rings = BorderWidth(r.window);
  if (rings == 0) return;
  RECT rect;
  GetWindowRect(r.window, &rect);
  OffsetRect(&rect, -rect.left, -rect.top);
  HDC dc = given ? given : GetWindowDC(r.window);
  if (!dc) return;
  if (r.category == Category::ComboList) FrameSolid(dc, rect, Colours().accent, rings);
  else DrawRings(r, dc, rect, rings);
  if (!given) ReleaseDC(r.window, dc);
}

// Combo box: the system draws a two-pixel sunken edge inside the client
// area and the arrow button; both are drawn over.
void DrawComboOverlay(Registration& r, HDC given) {
  RefreshState(r);
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(r.window, &info)) return;
  HDC dc = given ? given : GetDC(r.window);
  if (!dc) return;
  const VisualStyleColours& c = Colours();
  RECT client;
  GetClientRect(r.window, &client);
  DrawRings(r, dc, client, 2);
  RECT button = info.rcButton;
  if (button.right > button.left && button.bottom > button.top &&
      !(info.stateButton & STATE_SYSTEM_INVISIBLE)) {
    bool pressed = info.stateButton & STATE_SYSTEM_PRESSED;
    FillSolid(dc, button, pressed ? c.accent : c.face);
    RECT divider = {button.left, button.top, button.left + 1, button.bottom};
    FillSolid(dc, divider, c.frame);
    COLORREF glyph = (r.state & State::Disabled) ? c.textDisabled
                     : pressed                   ? c.textOnAccent
                                                 : c.text;
    DrawArrow(dc, button, Arrow::Down, glyph);
  }
  if (!given) ReleaseDC(r.window, dc);
}

void Overdraw(HWND window, HDC given) {
  Registration* r = Find(window);
  if (!r || (!given && !IsWindowVisible(window))) return;
  if (r->category == Category::ComboBox) DrawComboOverlay(*r, given);
  else DrawOuterFrame(*r, given);
}

// Messages after which the system procedure may have drawn its own border
// or button again.
bool ChangesFrame(HWND window, Category category, UINT message) {
  switch (message) {
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_ENABLE: case WM_STYLECHANGED:
    case WM_SIZE: case WM_SYSCOLORCHANGE: case EM_SETREADONLY: return true;
    default: break;
  }
  if (category != Category::ComboBox) return false;
  switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: case WM_CAPTURECHANGED:
    case WM_KEYDOWN: case WM_KEYUP: case WM_CHAR: case WM_SETTEXT: case WM_SETFONT:
    case WM_COMMAND: case CB_SETCURSEL: case CB_SHOWDROPDOWN: case CB_SELECTSTRING:
      return true;
    case WM_MOUSEMOVE: return GetCapture() == window;  // the button follows a held mouse
    default: return false;
  }
}

}  // namespace

LRESULT FieldMessage(Registration& r, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = r.window;
  Category category = r.category;
  // A procedure that draws into a DC it was given may leave its clipping
  // and origin behind; the overdraw needs the DC as the sender gave it.
  bool givenDc = (message == WM_PRINT || message == WM_PRINTCLIENT ||
                  (message == WM_PAINT && wParam)) && wParam;
  int saved = givenDc ? SaveDC(reinterpret_cast<HDC>(wParam)) : 0;
  LRESULT result = CallPrevious(window, message, wParam, lParam);
  if (saved) RestoreDC(reinterpret_cast<HDC>(wParam), saved);
  switch (message) {
    case WM_NCPAINT:
      if (category != Category::ComboBox) Overdraw(window, nullptr);
      break;
    case WM_PAINT:
      if (category == Category::ComboBox) Overdraw(window, reinterpret_cast<HDC>(wParam));
      break;
    case WM_PRINTCLIENT:
      if (category == Category::ComboBox) Overdraw(window, reinterpret_cast<HDC>(wParam));
      break;
    case WM_PRINT:
      if (category != Category::ComboBox && (lParam & PRF_NONCLIENT))
        Overdraw(window, reinterpret_cast<HDC>(wParam));
      break;
    default:
      if (ChangesFrame(window, category, message)) Overdraw(window, nullptr);
      break;
  }
  return result;
}

namespace {

void PaintUpDown(Registration& r, HDC dc) {
  RefreshState(r);
  const VisualStyleColours& c = Colours();
  RECT client;
  GetClientRect(r.window, &client);
  bool horizontal = GetWindowLongA(r.window, GWL_STYLE) & UDS_HORZ;
  RECT first = client, second = client;  // up / left, then down / right
  if (horizontal) {
    first.right = client.left + (client.right - client.left) / 2;
    second.left = first.right;
  } else {
    first.bottom = client.top + (client.bottom - client.top) / 2;
    second.top = first.bottom;
  }
  HBRUSH background = GetSysColorBrush(COLOR_BTNFACE);
  bool disabled = r.state & State::Disabled;
  struct Half {
    RECT rect;
    bool pressed;
    Arrow arrow;
  } halves[2] = {
      {first, (r.state & State::PressedUp) != 0, horizontal ? Arrow::Left : Arrow::Up},
      {second, (r.state & State::PressedDown) != 0, horizontal ? Arrow::Right : Arrow::Down}};
  for (const Half& h : halves) {
    DrawFace(dc, h.rect, h.pressed ? c.accent : c.face, c.frame, 1, background);
    DrawArrow(dc, h.rect, h.arrow,
              disabled ? c.textDisabled : h.pressed ? c.textOnAccent : c.text);
  }
}

void PaintUpDownNow(HWND window) {
  Registration* r = Find(window);
  if (!r || !IsWindowVisible(window)) return;
  HDC dc = GetDC(window);
  if (!dc) return;
  PaintUpDown(*r, dc);
  ReleaseDC(window, dc);
}

// The half of the control under a client point: PressedUp for the upper or
// left half, PressedDown for the other.
uint32_t HalfAt(HWND window, LPARAM point) {
  RECT client;
  GetClientRect(window, &client);
  int x = short(LOWORD(point)), y = short(HIWORD(point));
  bool horizontal = GetWindowLongA(window, GWL_STYLE) & UDS_HORZ;
  bool firstHalf = horizontal ? x < (client.right - client.left) / 2
                              : y < (client.bottom - client.top) / 2;
  return firstHalf ? State::PressedUp : State::PressedDown;
}

}  // namespace

LRESULT UpDownMessage(Registration& r, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = r.window;
  constexpr uint32_t kHeld = State::PressedUp | State::PressedDown;
  switch (message) {
    case WM_PAINT:
      return paint::PaintOnWmPaint(window, wParam, [&r](HDC dc) { PaintUpDown(r, dc); });
    case WM_PRINTCLIENT:
      PaintUpDown(r, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (IsWindowEnabled(window)) r.state = (r.state & ~kHeld) | HalfAt(window, lParam);
      break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
    case WM_KILLFOCUS:
      r.state &= ~kHeld;
      break;
    default: break;
  }
  LRESULT result = CallPrevious(window, message, wParam, lParam);
  switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_LBUTTONUP: case WM_CAPTURECHANGED:
    case WM_KILLFOCUS: case WM_ENABLE: case WM_STYLECHANGED: case WM_TIMER:
      PaintUpDownNow(window);
      break;
    default: break;
  }
  return result;
}

}  // namespace visual_style
}  // namespace talv
