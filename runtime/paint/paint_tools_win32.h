// Drawing tools of the painters of standard controls: the skin library
// (skin/) and the visual styles (runtime/styles/visual_style_*). Built
// without exceptions, RTTI or any C++ runtime, so that SkinH_EL.dll can link
// it as it is.
#pragma once

#include <windows.h>

namespace talv::paint {

// Fills `rect` with one colour (ExtTextOut, no brush needed); the DC's
// background colour is left as it was.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

// A frame `width` pixels wide along the inside of `rect`.
void FrameSolid(HDC dc, const RECT& rect, COLORREF colour, int width);

// A frame along the inside of `rect` with rounded corners of diameter
// `corner` (RoundRect with an inside-frame pen; nothing filled), or square
// ones when `corner` is 0.
void DrawFrame(HDC dc, const RECT& rect, COLORREF colour, int width, int corner);

// The brush that the parent of `window` answers to `message` (one of the
// WM_CTLCOLOR* messages) for `dc`; null when there is no parent or it
// answers none.
HBRUSH ParentBrush(HWND window, HDC dc, UINT message);

// True when `window` is a window of the class `name` (ASCII case ignored).
bool ClassIs(HWND window, const char* name);

}  // namespace talv::paint
