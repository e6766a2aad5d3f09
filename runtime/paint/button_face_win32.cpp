#include "runtime/paint/button_face_win32.h"

#include "runtime/paint/paint_tools_win32.h"

namespace talv::paint {
namespace {

TRIVERTEX Vertex(LONG x, LONG y, COLORREF c) {
  return {x, y, COLOR16(GetRValue(c) << 8), COLOR16(GetGValue(c) << 8), COLOR16(GetBValue(c) << 8), 0};
}

// The face's fill over `rect`: its gradient, or its top colour when it has
// none or the system cannot draw one.
void Fill(HDC dc, const RECT& rect, const Face& face) {
  if (face.gradient && face.top != face.bottom) {
    TRIVERTEX ends[2] = {Vertex(rect.left, rect.top, face.top),
                         Vertex(rect.right, rect.bottom, face.bottom)};
    GRADIENT_RECT span = {0, 1};
    if (GradientFill(dc, ends, 2, &span, 1, GRADIENT_FILL_RECT_V)) return;
  }
  FillSolid(dc, rect, face.top);
}

void FillSurround(HDC dc, const RECT& rect, const Surround& surround) {
  if (surround.brush) FillRect(dc, &rect, surround.brush);
  else FillSolid(dc, rect, surround.colour);
}

void DrawRegionFace(HDC dc, const RECT& rect, const Face& face, int corner) {
  HRGN outline = CreateRoundRectRgn(rect.left, rect.top, rect.right + 1, rect.bottom + 1, corner, corner);
  if (outline) SelectClipRgn(dc, outline);
  Fill(dc, rect, face);
  SelectClipRgn(dc, nullptr);
  HBRUSH border = CreateSolidBrush(face.border);
  if (outline && border) FrameRgn(dc, outline, border, face.border_width, face.border_width);
  if (border) DeleteObject(border);
  if (outline) DeleteObject(outline);
}

void DrawPenFace(HDC dc, const RECT& rect, const Face& face) {
  HPEN pen = CreatePen(PS_INSIDEFRAME, face.border_width, face.border);
  HBRUSH brush = CreateSolidBrush(face.top);
  HGDIOBJ old_pen = SelectObject(dc, pen);
  HGDIOBJ old_brush = SelectObject(dc, brush);
  RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, face.corner, face.corner);
  SelectObject(dc, old_pen);
  SelectObject(dc, old_brush);
  DeleteObject(pen);
  DeleteObject(brush);
}

}  // namespace

void DrawFace(HDC dc, const RECT& rect, const Face& face, const Surround& surround) {
  int corner = face.corner;
  if (face.rounding == Rounding::Region) {
    // The region's corners are twice a radius that fits the face.
    int radius = corner / 2;
    if (2 * radius > rect.right - rect.left) radius = (rect.right - rect.left) / 2;
    if (2 * radius > rect.bottom - rect.top) radius = (rect.bottom - rect.top) / 2;
    corner = 2 * radius;
  }
  if (corner <= 0) {
    Fill(dc, rect, face);
    FrameSolid(dc, rect, face.border, face.border_width);
    return;
  }
  FillSurround(dc, rect, surround);
  if (face.rounding == Rounding::Region) DrawRegionFace(dc, rect, face, corner);
  else DrawPenFace(dc, rect, face);
}

void DrawCaption(HDC dc, const Caption& caption) {
  const char* text = caption.text;
  int length = caption.length;
  if (!text || length == 0 || (length < 0 && !text[0])) return;
  LONG style = caption.style;
  int old_mode = SetBkMode(dc, TRANSPARENT);
  COLORREF old_colour = SetTextColor(dc, caption.colour);

  RECT box = caption.box;
  UINT format = (caption.hide_prefix ? DT_HIDEPREFIX : 0) | (caption.overflow ? DT_NOCLIP : 0);
  switch (style & BS_CENTER) {
    case BS_LEFT: format |= DT_LEFT; break;
    case BS_RIGHT: format |= DT_RIGHT; break;
    default: format |= DT_CENTER; break;
  }
  if (caption.overflow && !(style & BS_MULTILINE)) {
    switch (style & BS_VCENTER) {
      case BS_TOP: format |= DT_TOP; break;
      case BS_BOTTOM: format |= DT_BOTTOM; break;
      default: format |= DT_VCENTER; break;
    }
    DrawTextA(dc, text, length, &box, format | DT_SINGLELINE);
  } else {
    // Measure the text, then place its block vertically.
    UINT wrap = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    RECT measure = box;
    DrawTextA(dc, text, length, &measure, format | wrap | DT_CALCRECT);
    int height = measure.bottom - measure.top, room = box.bottom - box.top;
    if (!caption.overflow && height > room) height = room;
    switch (style & BS_VCENTER) {
      case BS_TOP: break;
      case BS_BOTTOM: box.top = box.bottom - height; break;
      default: box.top += (room - height) / 2; break;
    }
    box.bottom = box.top + height;
    DrawTextA(dc, text, length, &box, format | wrap);
  }
  SetTextColor(dc, old_colour);
  SetBkMode(dc, old_mode);
}

void DrawFocusFrame(HDC dc, const RECT& rect, int inset, COLORREF colour) {
  RECT frame = rect;
  InflateRect(&frame, -inset, -inset);
  if (frame.right - frame.left < 2 || frame.bottom - frame.top < 2) return;
  FrameSolid(dc, frame, colour, 1);
}

void PaintButton(HDC dc, int width, int height, const ButtonPaint& paint) {
  if (width <= 0 || height <= 0) return;
  HDC mem = paint.buffered ? CreateCompatibleDC(dc) : nullptr;
  HBITMAP bitmap = mem ? CreateCompatibleBitmap(dc, width, height) : nullptr;
  if (mem && !bitmap) {
    // No memory for the off-screen copy: draw straight into the target.
    DeleteDC(mem);
    mem = nullptr;
  }
  HDC target = mem ? mem : dc;
  HGDIOBJ old_bitmap = mem ? SelectObject(mem, bitmap) : nullptr;
  int saved = SaveDC(target);

  RECT client = {0, 0, width, height};
  DrawFace(target, client, paint.face, paint.surround);
  if (paint.font) SelectObject(target, paint.font);
  DrawCaption(target, paint.caption);
  if (paint.focus_frame) DrawFocusFrame(target, client, paint.focus_inset, paint.focus_colour);

  RestoreDC(target, saved);
  if (mem) {
    BitBlt(dc, 0, 0, width, height, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old_bitmap);
    DeleteObject(bitmap);
    DeleteDC(mem);
  }
}

}  // namespace talv::paint
