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
//                button's alignment styles and kept inside the face. Drawn
//                by the push-button painter of runtime/paint/.
//   check box    a 13-pixel square with a frame, an accent square inside
//                when checked (a frame-coloured one when indeterminate), and
//                the caption beside it on the parent's background.
//   radio button the same with a circle and an accent dot.
//   group box    a one-pixel frame (rounded in styles with corners) and the
//                caption in the accent colour on the parent's background.
#include <cstring>

#include "runtime/styles/visual_style_win32.h"
#include "runtime/paint/button_control_win32.h"
#include "runtime/paint/button_face_win32.h"

namespace talv {
namespace visual_style {

namespace {

paint::Face FaceOf(COLORREF face, COLORREF frame, int frameWidth) {
  return {face, face, false, frame, frameWidth, Colours().corner, paint::Rounding::Pen};
}

}  // namespace

void DrawFace(HDC dc, const RECT& rect, COLORREF face, COLORREF frame, int frameWidth,
              HBRUSH background) {
  paint::DrawFace(dc, rect, FaceOf(face, frame, frameWidth), {background, 0});
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
  HBRUSH brush = paint::ParentBrush(window, dc, colourMessage);
  if (!brush && parent)
    brush = reinterpret_cast<HBRUSH>(DefWindowProcA(parent, colourMessage,
                                                    reinterpret_cast<WPARAM>(dc),
                                                    reinterpret_cast<LPARAM>(window)));
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
struct Picture {
  HANDLE image;
  UINT kind;  // DST_BITMAP or DST_ICON
  int cx, cy;
};

// False when the button has no picture of a size to draw.
bool FindPicture(HWND window, Picture* out) {
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
  *out = {image, kind, cx, cy};
  return true;
}

void DrawPicture(HDC dc, const Picture& picture, LONG style, const RECT& box, bool disabled) {
  POINT at = Align(style, box, picture.cx, picture.cy);
  DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(picture.image), 0, at.x, at.y, picture.cx,
             picture.cy, picture.kind | (disabled ? DSS_DISABLED : DSS_NORMAL));
}

void PaintPushButton(const Registration& r, HDC dc, const RECT& client, const char* caption) {
  const VisualStyleColours& c = Colours();
  HBRUSH background = ParentBrush(r.window, dc, WM_CTLCOLORBTN);
  bool down = r.state & (State::Pressed | State::Checked);
  bool strong = r.state & (State::Focused | State::Default);
  bool disabled = r.state & State::Disabled;
  COLORREF face = down ? c.accent : (r.state & State::Hot) ? c.faceHot : c.face;
  RECT box = client;
  InflateRect(&box, -3, -2);
  LONG style = GetWindowLongA(r.window, GWL_STYLE);
  Picture picture;
  bool pictured = FindPicture(r.window, &picture);

  paint::ButtonPaint p = {};
  p.face = FaceOf(face, strong ? c.accent : c.frame, (r.state & State::Focused) ? c.focusWidth : 1);
  p.surround = {background, 0};
  p.caption = {pictured ? nullptr : caption, -1, box, style,
               disabled ? c.textDisabled : down ? c.textOnAccent : c.text, false, false};
  paint::PaintButton(dc, client.right, client.bottom, p);  // in the DC's font, unbuffered
  if (pictured) DrawPicture(dc, picture, style, box, disabled);
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
  paint::DrawFrame(dc, frame, c.frame, 1, c.corner);
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

}  // namespace

LRESULT ButtonMessage(Registration& r, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = r.window;
  switch (message) {
    case WM_PAINT:
      return paint::PaintOnWmPaint(window, wParam, [&r](HDC dc) { Paint(r, dc); });
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
      if (paint::ButtonLookMayChange(message)) PaintNow(window);
      return result;
    }
  }
}

}  // namespace visual_style
}  // namespace talv
