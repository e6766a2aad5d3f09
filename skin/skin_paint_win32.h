// Drawing of push-button faces with the active skin.
#pragma once

#include <windows.h>

#include "skin/skin_apply_win32.h"

namespace talv::skin {

struct ButtonLook {
  SkinFaceState state;
  bool is_default;     // BS_DEFPUSHBUTTON: the border is one pixel wider
  bool focus_frame;    // has the focus and the focus cues are shown
  bool hide_prefix;    // keyboard cues hidden: "&" underlines not drawn
  HBRUSH surround;     // what shows outside the rounded corners
};

// Draws the whole client area of the push button `button` into `dc`,
// through an off-screen bitmap so that it never flickers.
void PaintButtonFace(HWND button, HDC dc, const ActiveSkin& skin, const ButtonLook& look);

}  // namespace talv::skin
