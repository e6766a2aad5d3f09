// What the painters read from the standard button control they draw over,
// and the plumbing both use around it: the control keeps its own behaviour
// (capture, keyboard, BN_CLICKED, check toggling) and a painter draws again
// after every message that lets it change the look.
#pragma once

#include <windows.h>

#include <cstdint>

namespace talv::paint {

// The kind of a "Button" window by its BS_TYPEMASK style; BS_PUSHLIKE and the
// picture styles are left to the painter.
enum class ButtonType : uint8_t {
  Push,         // BS_PUSHBUTTON, BS_DEFPUSHBUTTON
  CheckBox,     // two- and three-state check boxes
  RadioButton,
  GroupBox,
  Other,        // owner-drawn, user and split buttons, command links
};
ButtonType ButtonTypeOf(LONG style);

// A sender of messages to the control: SendMessage, or the control's own
// procedure for a painter that has replaced it.
using ButtonAsk = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct ButtonStatus {
  bool enabled;
  bool pushed;         // held down by the mouse or the space bar (BST_PUSHED)
  bool checked;        // BST_CHECKED
  bool indeterminate;  // BST_INDETERMINATE
  bool focus_state;    // the control says it has the focus (BST_FOCUS)
  bool has_focus;      // the control is the focus window
  bool is_default;     // BS_DEFPUSHBUTTON
  bool hide_focus;     // keyboard cues: the focus frame is hidden
  bool hide_prefix;    // keyboard cues: "&" underlines are hidden
};
ButtonStatus ReadButtonStatus(HWND button, ButtonAsk ask);

// Messages after which the control may have drawn its own look (straight
// away or through a pending paint) or changed what the painter shows.
bool ButtonLookMayChange(UINT message);

// WM_PAINT for a window that `paint(dc)` draws completely: into the DC that
// came with the message, or else between BeginPaint and EndPaint.
template <typename PaintFn>
LRESULT PaintOnWmPaint(HWND window, WPARAM wParam, PaintFn paint) {
  if (wParam) {
    paint(reinterpret_cast<HDC>(wParam));
    return 0;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc) paint(dc);
  EndPaint(window, &ps);
  return 0;
}

// Calls `visit` for every window of the calling thread: each top-level
// window (`top_level` true) followed by all its descendants; after a
// top-level window's descendants, `done` (when given) for that window.
void VisitThreadWindows(void (*visit)(HWND window, bool top_level), void (*done)(HWND top));

}  // namespace talv::paint
