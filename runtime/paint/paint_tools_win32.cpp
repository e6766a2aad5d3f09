#include "runtime/paint/paint_tools_win32.h"

namespace talv::paint {

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

void DrawFrame(HDC dc, const RECT& rect, COLORREF colour, int width, int corner) {
  if (corner <= 0) {
    FrameSolid(dc, rect, colour, width);
    return;
  }
  HPEN pen = CreatePen(PS_INSIDEFRAME, width, colour);
  HGDIOBJ old_pen = SelectObject(dc, pen);
  HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, corner, corner);
  SelectObject(dc, old_pen);
  SelectObject(dc, old_brush);
  DeleteObject(pen);
}

HBRUSH ParentBrush(HWND window, HDC dc, UINT message) {
  HWND parent = GetParent(window);
  if (!parent) return nullptr;
  return reinterpret_cast<HBRUSH>(SendMessageA(parent, message, reinterpret_cast<WPARAM>(dc),
                                               reinterpret_cast<LPARAM>(window)));
}

bool ClassIs(HWND window, const char* name) {
  char cls[64];
  if (!window || GetClassNameA(window, cls, int(sizeof cls)) <= 0) return false;
  return lstrcmpiA(cls, name) == 0;
}

}  // namespace talv::paint
