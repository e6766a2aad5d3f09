// Push-button faces in the active skin, drawn by the painter that the skin
// library shares with the program (runtime/paint/button_face_win32.h).
#pragma once

#include <windows.h>

#include "skin/skin_apply_win32.h"

namespace talv::skin {

// Draws the whole client area of the push button `button` into `dc` in its
// current state; `hot` while the mouse is over it.
void PaintPushButton(HWND button, HDC dc, const ActiveSkin& skin, bool hot);

}  // namespace talv::skin
