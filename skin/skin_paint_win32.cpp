// Push-button faces. What is drawn, in this order, into an off-screen bitmap
// of the button's client size:
//   1. the surround (the parent's button brush) over the whole rectangle, so
//      the rounded corners blend with what is behind the button;
//   2. the face: a rounded rectangle (corner radius of the skin) filled with
//      the state's top colour, or a vertical gradient from the top to the
//      bottom colour (GradientFill);
//   3. the border: the state's border colour, border width pixels wide (one
//      more for the default push button), following the rounded outline;
//   4. the caption in the state's text colour and the button's font,
//      aligned as the button's BS_LEFT/BS_RIGHT/BS_TOP/BS_BOTTOM styles say,
//      moved right and down by the pressed offset while pressed;
//   5. the focus frame: a one-pixel rectangle in the focus colour, the focus
//      inset away from the edge, while the button has the focus and focus
//      cues are shown.
// Then the bitmap is copied to the target DC in one BitBlt.
#include "skin/skin_paint_win32.h"

namespace talv::skin {
namespace {

void FillSolid(HDC dc, const RECT& r, COLORREF c) {
  SetBkColor(dc, c);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, "", 0, nullptr);
}

void DrawFace(HDC dc, int w, int h, const ActiveSkin& skin, const ButtonLook& look) {
  const SkinMetrics& m = skin.metrics;
  const SkinFace& face = skin.scheme.faces[look.state];
  int r = m.corner_radius;
  if (2 * r > w) r = w / 2;
  if (2 * r > h) r = h / 2;
  HRGN outline = r > 0 ? CreateRoundRectRgn(0, 0, w + 1, h + 1, 2 * r, 2 * r)
                       : CreateRectRgn(0, 0, w, h);
  if (outline) SelectClipRgn(dc, outline);
  RECT all = {0, 0, w, h};
  if (m.face_style == kFaceGradient && face.top != face.bottom) {
    TRIVERTEX ends[2] = {
        {0, 0, COLOR16(GetRValue(face.top) << 8), COLOR16(GetGValue(face.top) << 8),
         COLOR16(GetBValue(face.top) << 8), 0},
        {w, h, COLOR16(GetRValue(face.bottom) << 8), COLOR16(GetGValue(face.bottom) << 8),
         COLOR16(GetBValue(face.bottom) << 8), 0}};
    GRADIENT_RECT span = {0, 1};
    if (!GradientFill(dc, ends, 2, &span, 1, GRADIENT_FILL_RECT_V)) FillSolid(dc, all, face.top);
  } else {
    FillSolid(dc, all, face.top);
  }
  SelectClipRgn(dc, nullptr);
  int border = m.border_width + (look.is_default ? 1 : 0);
  HBRUSH border_brush = CreateSolidBrush(face.border);
  if (outline && border_brush) FrameRgn(dc, outline, border_brush, border, border);
  if (border_brush) DeleteObject(border_brush);
  if (outline) DeleteObject(outline);
}

void DrawCaption(HWND button, HDC dc, int w, int h, const ActiveSkin& skin, const ButtonLook& look) {
  char text[1024];
  int length = GetWindowTextA(button, text, int(sizeof text));
  if (length <= 0) return;
  LONG style = GetWindowLongA(button, GWL_STYLE);
  // Without a font of its own a button writes in the system font, as the
  // DC does by default.
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0));
  HGDIOBJ old_font = font ? SelectObject(dc, font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, skin.scheme.faces[look.state].text);

  int pad = skin.metrics.border_width + 2;
  RECT box = {pad, pad, w - pad, h - pad};
  if (look.state == kFacePressed) OffsetRect(&box, skin.metrics.pressed_offset, skin.metrics.pressed_offset);
  UINT format = DT_NOCLIP | (look.hide_prefix ? DT_HIDEPREFIX : 0);
  switch (style & (BS_LEFT | BS_RIGHT)) {
    case BS_LEFT: format |= DT_LEFT; break;
    case BS_RIGHT: format |= DT_RIGHT; break;
    default: format |= DT_CENTER; break;
  }
  if (style & BS_MULTILINE) {
    // Measure the wrapped text, then place the block vertically.
    RECT measure = box;
    DrawTextA(dc, text, length, &measure, format | DT_WORDBREAK | DT_CALCRECT);
    int text_h = measure.bottom - measure.top, room = box.bottom - box.top;
    int top = box.top;
    if ((style & (BS_TOP | BS_BOTTOM)) == BS_BOTTOM) top = box.bottom - text_h;
    else if ((style & (BS_TOP | BS_BOTTOM)) != BS_TOP) top = box.top + (room - text_h) / 2;
    box.top = top;
    box.bottom = top + text_h;
    DrawTextA(dc, text, length, &box, format | DT_WORDBREAK);
  } else {
    switch (style & (BS_TOP | BS_BOTTOM)) {
      case BS_TOP: format |= DT_TOP; break;
      case BS_BOTTOM: format |= DT_BOTTOM; break;
      default: format |= DT_VCENTER; break;
    }
    DrawTextA(dc, text, length, &box, format | DT_SINGLELINE);
  }
  if (old_font) SelectObject(dc, old_font);
}

void DrawFocusFrame(HDC dc, int w, int h, const ActiveSkin& skin) {
  int inset = skin.metrics.focus_inset;
  RECT frame = {inset, inset, w - inset, h - inset};
  if (frame.right - frame.left < 2 || frame.bottom - frame.top < 2) return;
  HBRUSH brush = CreateSolidBrush(skin.scheme.colours[kFocusFrame]);
  if (!brush) return;
  FrameRect(dc, &frame, brush);
  DeleteObject(brush);
}

}  // namespace

void PaintButtonFace(HWND button, HDC dc, const ActiveSkin& skin, const ButtonLook& look) {
  RECT client;
  if (!GetClientRect(button, &client)) return;
  int w = client.right, h = client.bottom;
  if (w <= 0 || h <= 0) return;

  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bitmap = mem ? CreateCompatibleBitmap(dc, w, h) : nullptr;
  if (!bitmap) {
    // No memory for the off-screen copy: draw straight into the target.
    if (mem) DeleteDC(mem);
    mem = nullptr;
  }
  HDC target = mem ? mem : dc;
  HGDIOBJ old_bitmap = mem ? SelectObject(mem, bitmap) : nullptr;
  int saved = SaveDC(target);

  if (look.surround) FillRect(target, &client, look.surround);
  else FillSolid(target, client, skin.scheme.colours[kControlBackground]);
  DrawFace(target, w, h, skin, look);
  DrawCaption(button, target, w, h, skin, look);
  if (look.focus_frame) DrawFocusFrame(target, w, h, skin);

  RestoreDC(target, saved);
  if (mem) {
    BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old_bitmap);
    DeleteObject(bitmap);
    DeleteDC(mem);
  }
}

}  // namespace talv::skin
