// The PicBtn control: a window of the runtime's own class that shows one of
// four pictures by its state (normal, mouse over, pressed, disabled), as a
// push button or as a check button that stays pressed while checked.
// Target only (Win32).
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/window/kinds/control_window_win32.h"
#include "runtime/window/kinds/double_buffer_win32.h"

namespace talv {

// Everything a PicBtn shows, in the order of its kind properties, plus the
// colour its pictures are composed over.
struct PictureButtonProps {
  int mode = 0;  // 0 push button, 1 check button
  bool checked = false;
  ByteBlock normal_picture;    // file images; one that cannot be decoded
  ByteBlock hover_picture;     // counts as empty, and an empty picture
  ByteBlock pressed_picture;   // shows the normal one in its place
  ByteBlock disabled_picture;
  uint32_t background = kDefaultBackgroundColour;  // fills what the picture leaves
  // The background colour of the window that holds the button: transparent
  // parts of the pictures take this colour (not a property of the button).
  uint32_t picture_backdrop = kDefaultBackgroundColour;
};

// Button states.
enum PictureButtonState : int { kButtonNormal = 0, kButtonHover = 1, kButtonPressed = 2 };

extern const char kPictureButtonClassName[];

// Creates a PicBtn window (null on failure); each picture is decoded here,
// once. `events` receives kPictureButtonClicked after each completed click.
// COM must be initialised.
HWND CreatePictureButtonWindow(const ControlPlacement& placement, const PictureButtonProps& props,
                               ControlEventTarget events = {});

// Replaces the button's properties and repaints it; only pictures whose
// bytes changed are decoded again (all of them when the backdrop changed).
// False when `window` is not a PicBtn.
bool UpdatePictureButtonWindow(HWND window, const PictureButtonProps& props);

// The button's current properties (`checked` follows clicks in check mode);
// null when `window` is not a PicBtn.
const PictureButtonProps* PictureButtonWindowProps(HWND window);

// The state the button shows: in check mode 2 while checked, else 0;
// otherwise the mouse-driven state. −1 when `window` is not a PicBtn.
int PictureButtonShownState(HWND window);

}  // namespace talv
