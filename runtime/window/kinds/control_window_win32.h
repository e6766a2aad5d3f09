// What the runtime's self-painted control windows (Label, HyperLinker,
// PicBtn) have in common: where they are created, how they report what the
// user did, and the border styles. Target only (Win32).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace talv {

// Raw bytes of a picture, font or cursor property (a file image or a
// LOGFONTA), as held in kind data.
using ByteBlock = std::vector<uint8_t>;

// Where and how a control window is created. `style` is added to
// WS_CHILD | WS_CLIPSIBLINGS (the caller gives WS_DISABLED, WS_TABSTOP and,
// when wanted, WS_VISIBLE; controls are otherwise created hidden).
struct ControlPlacement {
  HWND parent = nullptr;
  int id = 0;
  int x = 0, y = 0, width = 0, height = 0;
  DWORD style = 0;
};

// What a control tells its owner. The event dispatcher turns these into the
// kinds' events.
enum ControlNotification : int {
  // A left-button press on a HyperLinker that had a target. Argument: 1 when
  // the target was opened, 0 when opening failed.
  kHyperlinkActivated = 1,
  // A completed click (press and release inside) on a PicBtn. Argument: the
  // checked state after the click (always 0 for a push button).
  kPictureButtonClicked = 2,
};

// The owner's callback: `control` is the control window, `notification` one
// of ControlNotification, `argument` as described there.
using ControlEventSink = void (*)(void* context, HWND control, int notification, int argument);

struct ControlEventTarget {
  ControlEventSink sink = nullptr;
  void* context = nullptr;
  void Raise(HWND control, int notification, int argument) const {
    if (sink) sink(context, control, notification, argument);
  }
};

// Border values shared by EditBox, Label and HyperLinker: 0 none, 1 sunken
// (client edge), 2 raised (modal frame), 3 thin sunken (static edge),
// 4 sunken and raised, 5 single line (WS_BORDER). Any other value (the
// Label's gradient border, 6, among them) sets no frame style.
void StyleForBorder(int border, DWORD* style, DWORD* ex_style);

// ---- plumbing shared by the control window classes ----

// Registers a control class once per process: class style
// CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, no background brush, one pointer of
// window data for the control's state. False when registration fails.
bool RegisterControlClass(const char* class_name, WNDPROC procedure, HCURSOR cursor);

// Creates a control of a registered class as a child of placement.parent;
// `text` becomes the window text; `create_param` reaches WM_NCCREATE.
HWND CreateControlWindow(const char* class_name, const ControlPlacement& placement, DWORD ex_style,
                         const char* text, void* create_param);

// True when `window` is a live window of the class `class_name`.
bool IsWindowOfClass(HWND window, const char* class_name);

// The state pointer kept in a control's window data.
inline void* ControlState(HWND window) {
  return reinterpret_cast<void*>(GetWindowLongPtrA(window, 0));
}
inline void SetControlState(HWND window, void* state) {
  SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(state));
}

// Changes a live window's frame to `border` and recomputes its non-client area.
void ApplyBorder(HWND window, int border);

}  // namespace talv
