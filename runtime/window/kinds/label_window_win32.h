// The Label control: a window of the runtime's own class that paints its
// background (colour, gradient, picture), its caption with an optional
// effect, and its border, all double-buffered. Target only (Win32).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "runtime/window/kinds/control_window_win32.h"
#include "runtime/window/kinds/double_buffer_win32.h"

namespace talv {

// Everything a Label shows, in the order of its kind properties.
struct LabelProps {
  std::string caption;
  // 0 plain; 1 a white copy one pixel right and down, then the text; 2 a
  // white copy in the text's place, then the text one pixel right and down;
  // 3 a black copy two pixels right and down, then the text.
  int text_effect = 0;
  // 0–5 as ControlWindow's border values; 6 a gradient border of
  // `gradient_border_width` pixels, painted from the outside in through the
  // three gradient border colours.
  int border = 0;
  int gradient_border_width = 1;
  uint32_t gradient_border_colours[3] = {0x000000, 0x808080, 0xFFFFFF};
  ByteBlock font;  // a 60-byte LOGFONTA, otherwise the default GUI font
  uint32_t text_colour = 0x000000;
  uint32_t background = kDefaultBackgroundColour;
  ByteBlock background_picture;  // a file image; one that cannot be decoded is not shown
  // 0 at the top-left corner, 1 stretched over the client area, 2 tiled,
  // 3 centred; other values as 0.
  int background_picture_mode = 0;
  // 0 none; 1 left to right, 2 top to bottom, through the three gradient
  // background colours; other non-zero values as 1.
  int gradient_background_mode = 0;
  uint32_t gradient_background_colours[3] = {0xFFFFFF, 0xC0C0C0, 0x808080};
  int horizontal_alignment = 0;  // 0 left, 1 centre, 2 right
  bool word_wrap = false;
  int vertical_alignment = 0;  // without word wrap: 0 top, 1 centre, 2 bottom
};

extern const char kLabelClassName[];

// Creates a Label window (null on failure). COM must be initialised when
// the label has a background picture.
HWND CreateLabelWindow(const ControlPlacement& placement, const LabelProps& props);

// Replaces what the label shows and repaints it. The font and the picture
// are remade only when their bytes (or, for the picture, the background
// colour) changed. False when `window` is not a Label.
bool UpdateLabelWindow(HWND window, const LabelProps& props);

// The label's current properties; null when `window` is not a Label.
const LabelProps* LabelWindowProps(HWND window);

}  // namespace talv
