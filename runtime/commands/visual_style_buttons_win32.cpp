// Painting of the button family: push buttons, check boxes, radio buttons
// and group boxes are drawn entirely by us; the system's button procedure
// keeps the behaviour (capture, keyboard, BN_CLICKED, check toggling) and we
// draw again after each message that lets it change the look.
//
// What each category draws, in the colours of the current style:
//   push button  a flat face (hot under the mouse, accent-filled while
//                pressed or checked) with a one-pixel frame, accent-coloured
//                when focused or default and focus-width thick when focused;
//                the picture (BM_SETIMAGE) or else the caption, placed by the
//                button's alignment styles.
//   check box    a 13-pixel square with a frame, an accent square inside
//                when checked (a frame-coloured one when indeterminate), and
//                the caption beside it on the parent's background.
//   radio button the same with a circle and an accent dot.
//   group box    a one-pixel frame (rounded in styles with corners) and the
//                caption in the accent colour on the parent's background.
#include <cstring>

#include "runtime/commands/visual_style_win32.h"

namespace talv {
namespace visual_style {

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  COLORREF old = SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF colour, int width) {
  for (int i = 0; i < width; ++i) {
    RECT r = rect;
    InflateRect(&r, -i, -i);
    if (r.right - r.left <= 0 || r.bottom - r.top <= 0) return;
    RECT edges[4] = {{r.left, r.top, r.right, r.top + 1},
                     {r.left, r.bottom - 1, r.right, r.bottom},
                     {r.left, r.top, r.left + 1, r.bottom},
                     {r.right - 1, r.top, r.right, r.bottom}};
    for (const RECT& e : edges) FillSolid(dc, e, colour);
  }
}

void DrawFace(HDC dc, const RECT& rect, COLORREF face, COLORREF frame, int frameWidth,
              HBRUSH background) {
  int corner = Colours().corner;
  if (corner <= 0) {
    FillSolid(dc, rect, face);
    FrameSolid(dc, rect, frame, frameWidth);
    return;
  }
  FillRect(dc, &rect, background);
  HPEN pen = CreatePen(PS_INSIDEFRAME, frameWidth, frame);
  HBRUSH brush = CreateSolidBrush(face);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, corner, corner);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void DrawArrow(HDC dc, const RECT& box, Arrow direction, COLORREF colour) {
  int w = box.right - box.left, h = box.bottom - box.top;
  int size = (w < h ? w : h) / 3;
  if (size < 2) size = 2;
  int cx = box.left + w / 2, cy = box.top + h / 2;
  POINT p[3];
  switch (direction) {
    case Arrow::Up: p[0] = {cx - size, cy + size / 2}; p[1] = {cx + size, cy + size / 2};
                    p[2] = {cx, cy - size / 2 - 1}; break;
    case Arrow::Down: p[0] = {cx - size, cy - size / 2}; p[1] = {cx + size, cy - size / 2};
                      p[2] = {cx, cy + size / 2 + 1}; break;
    case Arrow::Left: p[0] = {cx + size / 2, cy - size}; p[1] = {cx + size / 2, cy + size};
                      p[2] = {cx - size / 2 - 1, cy}; break;
    case Arrow::Right: p[0] = {cx - size / 2, cy - size}; p[1] = {cx - size / 2, cy + size};
                       p[2] = {cx + size / 2 + 1, cy}; break;
  }
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HBRUSH brush = CreateSolidBrush(colour);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  Polygon(dc, p, 3);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

HBRUSH ParentBrush(HWND window, HDC dc, UINT colourMessage) {
  HWND parent = GetParent(window);
  HBRUSH brush = nullptr;
  if (parent) {
    brush = reinterpret_cast<HBRUSH>(SendMessageA(parent, colourMessage,
                                                  reinterpret_cast<WPARAM>(dc),
                                                  reinterpret_cast<LPARAM>(window)));
    if (!brush)
      brush = reinterpret_cast<HBRUSH>(DefWindowProcA(parent, colourMessage,
                                                      reinterpret_cast<WPARAM>(dc),
                                                      reinterpret_cast<LPARAM>(window)));
  }
  return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

namespace {

constexpr int kBoxSize = 13;

// Where content of the given size goes inside `box`, following the
// button's alignment styles (centred when none is given).
POINT Align(LONG style, const RECT& box, int cx, int cy) {
  POINT at;
  switch (style & BS_CENTER) {
    case BS_LEFT: at.x = box.left; break;
    case BS_RIGHT: at.x = box.right - cx; break;
    default: at.x = box.left + ((box.right - box.left) - cx) / 2; break;
  }
  switch (style & BS_VCENTER) {
    case BS_TOP: at.y = box.top; break;
    case BS_BOTTOM: at.y = box.bottom - cy; break;
    default: at.y = box.top + ((box.bottom - box.top) - cy) / 2; break;
  }
  return at;
}

// The button's picture (BM_SETIMAGE), drawn in place of the caption.
bool DrawPicture(HWND window, HDC dc, LONG style, const RECT& box, bool disabled) {
  HANDLE image = reinterpret_cast<HANDLE>(CallPrevious(window, BM_GETIMAGE, IMAGE_BITMAP, 0));
  UINT kind = DST_BITMAP;
  int cx = 0, cy = 0;
  BITMAP bm;
  if (image && GetObjectType(image) == OBJ_BITMAP && GetObjectA(image, sizeof bm, &bm)) {
    cx = bm.bmWidth;
    cy = bm.bmHeight;
  } else {
    image = reinterpret_cast<HANDLE>(CallPrevious(window, BM_GETIMAGE, IMAGE_ICON, 0));
    ICONINFO info;
    if (!image || !GetIconInfo(static_cast<HICON>(image), &info)) return false;
    if (info.hbmColor && GetObjectA(info.hbmColor, sizeof bm, &bm)) {
      cx = bm.bmWidth;
      cy = bm.bmHeight;
    } else if (info.hbmMask && GetObjectA(info.hbmMask, sizeof bm, &bm)) {
      cx = bm.bmWidth;
      cy = bm.bmHeight / 2;  // a monochrome icon's mask holds both halves
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    kind = DST_ICON;
  }
  if (cx <= 0 || cy <= 0) return false;
  POINT at = Align(style, box, cx, cy);
  DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(image), 0, at.x, at.y, cx, cy,
             kind | (disabled ? DSS_DISABLED : DSS_NORMAL));
  return true;
}

void PaintPushButton(const Registration& r, HDC dc, const RECT& client, const char* caption) {
  const VisualStyleColours& c = Colours();
  HBRUSH background = ParentBrush(r.window, dc, WM_CTLCOLORBTN);
  bool down = r.state & (State::Pressed | State::Checked);
  bool strong = r.state & (State::Focused | State::Default);
  bool disabled = r.state & State::Disabled;
  COLORREF face = down ? c.accent : (r.state & State::Hot) ? c.faceHot : c.face;
  DrawFace(dc, client, face, strong ? c.accent : c.frame,
           (r.state & State::Focused) ? c.focusWidth : 1, background);
  RECT box = client;
  InflateRect(&box, -3, -2);
  LONG style = GetWindowLongA(r.window, GWL_STYLE);
  if (DrawPicture(r.window, dc, style, box, disabled) || !caption[0]) return;
  SetTextColor(dc, disabled ? c.textDisabled : down ? c.textOnAccent : c.text);
  UINT wrap = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
  UINT across = (style & BS_CENTER) == BS_LEFT    ? DT_LEFT
                : (style & BS_CENTER) == BS_RIGHT ? DT_RIGHT
                                                  : DT_CENTER;
  RECT measure = box;
  DrawTextA(dc, caption, -1, &measure, wrap | across | DT_CALCRECT);
  int height = measure.bottom - measure.top;
  if (height > box.bottom - box.top) height = box.bottom - box.top;
  RECT text = box;
  text.top = Align(style, box, 0, height).y;
  text.bottom = text.top + height;
  DrawTextA(dc, caption, -1, &text, wrap | across);
}

void PaintChoice(const Registration& r, HDC dc, const RECT& client, const char* caption) {
  const VisualStyleColours& c = Colours();
  HBRUSH background = ParentBrush(r.window, dc, WM_CTLCOLORSTATIC);
  COLORREF labelColour = GetTextColor(dc);  // what the parent chose for the caption
  FillRect(dc, &client, background);
  LONG style = GetWindowLongA(r.window, GWL_STYLE);
  bool boxRight = style & BS_LEFTTEXT;
  RECT box;
  box.left = boxRight ? client.right - kBoxSize : client.left;
  box.top = client.top + ((client.bottom - client.top) - kBoxSize) / 2;
  box.right = box.left + kBoxSize;
  box.bottom = box.top + kBoxSize;
  bool disabled = r.state & State::Disabled;
  COLORREF frame = disabled ? c.textDisabled : (r.state & State::Focused) ? c.accent : c.frame;
  COLORREF face = (r.state & State::Pressed) ? c.faceHot : c.face;
  COLORREF mark = disabled ? c.textDisabled : c.accent;
  RECT inner = box;
  InflateRect(&inner, -3, -3);
  if (r.category == Category::RadioButton) {
    HPEN pen = CreatePen(PS_SOLID, 1, frame);
    HBRUSH brush = CreateSolidBrush(face);
    HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, brush);
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
    if (r.state & State::Checked) {
      brush = CreateSolidBrush(mark);
      SelectObject(dc, brush);
      SelectObject(dc, GetStockObject(NULL_PEN));
      Ellipse(dc, inner.left, inner.top, inner.right + 1, inner.bottom + 1);
      SelectObject(dc, oldBrush);
      DeleteObject(brush);
    }
    SelectObject(dc, oldPen);
    DeleteObject(pen);
  } else {
    FillSolid(dc, box, face);
    FrameSolid(dc, box, frame, 1);
    if (r.state & State::Checked) FillSolid(dc, inner, mark);
    if (r.state & State::Indeterminate) FillSolid(dc, inner, c.frame);
  }
  RECT text = client;
  if (boxRight) text.right = box.left - 4;
  else text.left = box.right + 4;
  SetTextColor(dc, disabled ? c.textDisabled : labelColour);
  RECT used = text;
  DrawTextA(dc, caption, -1, &used, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_CALCRECT);
  DrawTextA(dc, caption, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if ((r.state & State::Focused) && caption[0]) {
    int h = used.bottom - used.top;
    RECT focus = {text.left - 1, text.top + ((text.bottom - text.top) - h) / 2 - 1,
                  text.left + (used.right - used.left) + 1, 0};
    focus.bottom = focus.top + h + 2;
    FrameSolid(dc, focus, c.accent, 1);
  }
}

void PaintGroupBox(const Registration& r, HDC dc, const RECT& client, const char* caption) {
  const VisualStyleColours& c = Colours();
  HBRUSH background = ParentBrush(r.window, dc, WM_CTLCOLORSTATIC);
  TEXTMETRICA tm;
  GetTextMetricsA(dc, &tm);
  RECT frame = client;
  frame.top += tm.tmHeight / 2;
  if (c.corner > 0) {
    HPEN pen = CreatePen(PS_INSIDEFRAME, 1, c.frame);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, frame.left, frame.top, frame.right, frame.bottom, c.corner, c.corner);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
  } else {
    FrameSolid(dc, frame, c.frame, 1);
  }
  if (!caption[0]) return;
  SIZE extent;
  GetTextExtentPoint32A(dc, caption, int(strlen(caption)), &extent);
  RECT band = {client.left + 6, client.top, client.left + 6 + extent.cx + 6,
               client.top + tm.tmHeight};
  if (band.right > client.right - 2) band.right = client.right - 2;
  FillRect(dc, &band, background);
  SetTextColor(dc, (r.state & State::Disabled) ? c.textDisabled : c.accent);
  RECT text = band;
  text.left += 3;
  DrawTextA(dc, caption, -1, &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void Paint(Registration& r, HDC dc) {
  RefreshState(r);
  RECT client;
  GetClientRect(r.window, &client);
  char caption[512];
  if (GetWindowTextA(r.window, caption, sizeof caption) <= 0) caption[0] = '\0';
  HFONT font = reinterpret_cast<HFONT>(CallPrevious(r.window, WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  int oldMode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldText = GetTextColor(dc);
  switch (r.category) {
    case Category::PushButton: PaintPushButton(r, dc, client, caption); break;
    case Category::CheckBox:
    case Category::RadioButton: PaintChoice(r, dc, client, caption); break;
    case Category::GroupBox: PaintGroupBox(r, dc, client, caption); break;
    default: break;
  }
  SetTextColor(dc, oldText);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
}

// Draws the window now, over whatever the system procedure drew.
void PaintNow(HWND window) {
  Registration* r = Find(window);
  if (!r || !IsWindowVisible(window)) return;
  HDC dc = GetDC(window);
  if (!dc) return;
  Paint(*r, dc);
  ReleaseDC(window, dc);
}

// Messages after which the system procedure may have drawn the button in
// its own look (directly or through a pending paint).
bool ChangesLook(UINT message) {
  switch (message) {
    case BM_SETSTATE: case BM_SETCHECK: case BM_SETSTYLE: case BM_CLICK:
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_ENABLE: case WM_SETTEXT: case WM_SETFONT:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: case WM_KEYDOWN:
    case WM_KEYUP: case WM_CHAR: case WM_CAPTURECHANGED: case WM_UPDATEUISTATE:
    case WM_STYLECHANGED: case WM_SYSCOLORCHANGE: return true;
    default: return false;
  }
}

}  // namespace

LRESULT ButtonMessage(Registration& r, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = r.window;
  switch (message) {
    case WM_PAINT: {
      if (wParam) {
        Paint(r, reinterpret_cast<HDC>(wParam));
        return 0;
      }
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      if (dc) Paint(r, dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(r, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the painters cover the whole client area
    case WM_MOUSEMOVE: {
      bool entered = !(r.state & State::Hot);
      if (entered) {
        r.state |= State::Hot | State::Tracking;
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
      }
      LRESULT result = CallPrevious(window, message, wParam, lParam);
      if (entered || GetCapture() == window) PaintNow(window);
      return result;
    }
    case WM_MOUSELEAVE: {
      r.state &= ~(State::Hot | State::Tracking);
      LRESULT result = CallPrevious(window, message, wParam, lParam);
      PaintNow(window);
      return result;
    }
    default: {
      LRESULT result = CallPrevious(window, message, wParam, lParam);
      if (ChangesLook(message)) PaintNow(window);
      return result;
    }
  }
}

}  // namespace visual_style
}  // namespace talv
