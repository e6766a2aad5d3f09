// What the runtime's self-painted control windows (Label, HyperLinker,
// PicBtn) have in common: where they are created, how they report what the
// user did, the border styles, and the one window procedure they share.
// Target only (Win32).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "runtime/window/kinds/double_buffer_win32.h"

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

// A placement with the extended window styles it is created with.
struct FramedPlacement {
  ControlPlacement placement;
  DWORD ex_style = 0;
};

// `placement` with the frame styles of `border` (see StyleForBorder).
FramedPlacement WithBorder(const ControlPlacement& placement, int border);

// The cursor position of a mouse message, in client coordinates.
inline POINT MousePosition(LPARAM lparam) { return {short(LOWORD(lparam)), short(HIWORD(lparam))}; }

// True when `point` (client coordinates) lies inside the client area.
bool InClientArea(HWND window, POINT point);

// Releases the mouse capture when `window` holds it.
inline void ReleaseCaptureOf(HWND window) {
  if (GetCapture() == window) ReleaseCapture();
}

// ---- the window procedure shared by the self-painted controls ----

// What every painted control keeps per window; a control's own state
// derives from it and adds what it makes from the properties.
template <typename PropsType>
struct PaintedControlState {
  using Props = PropsType;
  Props props;                // as last applied
  ControlEventTarget events;  // where the control reports what the user did
};

// One self-painted control class, named `ClassName`. `State` derives from
// PaintedControlState<Props>, can be made by `new State`, and provides
//   void Apply(HWND window, const Props& props, bool first);
//     takes new properties; `first` at creation, before the window has its
//     text and before it has been shown;
//   void Paint(HWND window, HDC dc, const RECT& client) const;
//     paints the whole client area;
//   bool OnMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
//                  LRESULT* result);
//     answers a message of the control's own into *result, or returns false
//     to leave it to DefWindowProcA.
// The window owns its state: it is made and given the properties at
// WM_NCCREATE and deleted at WM_NCDESTROY. WM_ERASEBKGND erases nothing,
// since Paint covers the client area, and WM_PAINT and WM_PRINTCLIENT paint
// through a memory bitmap.
template <typename State, const char* ClassName>
class PaintedControlClass {
 public:
  using Props = typename State::Props;

  // Registers the class (once per process, with `cursor`) and creates a
  // window of it whose window text is `text`. Null on failure.
  static HWND Create(const FramedPlacement& where, const char* text, HCURSOR cursor,
                     const Props& props, ControlEventTarget events = {}) {
    if (!RegisterControlClass(ClassName, Procedure, cursor)) return nullptr;
    Creation creation = {&props, events};
    return CreateControlWindow(ClassName, where.placement, where.ex_style, text, &creation);
  }

  // The state of `window`; null when it is not a window of this class.
  static State* Of(HWND window) {
    return IsWindowOfClass(window, ClassName) ? static_cast<State*>(ControlState(window)) : nullptr;
  }

  // Applies new properties to a window of this class; false when `window`
  // is not one.
  static bool Update(HWND window, const Props& props) {
    State* s = Of(window);
    if (!s) return false;
    s->Apply(window, props, false);
    return true;
  }

  // The current properties of a window of this class, else null.
  static const Props* PropsOf(HWND window) {
    State* s = Of(window);
    return s ? &s->props : nullptr;
  }

 private:
  struct Creation {
    const Props* props;
    ControlEventTarget events;
  };

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* s = static_cast<State*>(ControlState(window));
    switch (message) {
      case WM_NCCREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
        auto* creation = static_cast<const Creation*>(create->lpCreateParams);
        auto* state = new State;
        state->events = creation->events;
        SetControlState(window, state);
        state->Apply(window, *creation->props, true);
        break;
      }
      case WM_NCDESTROY:
        SetControlState(window, nullptr);
        delete s;
        break;
      case WM_ERASEBKGND: return 1;
      case WM_PAINT:
      case WM_PRINTCLIENT:
        if (!s) break;
        return AnswerPaintMessage(window, message, wparam, [window, s](HDC dc, const RECT& client) {
          s->Paint(window, dc, client);
        });
      default: {
        LRESULT result = 0;
        if (s && s->OnMessage(window, message, wparam, lparam, &result)) return result;
        break;
      }
    }
    return DefWindowProcA(window, message, wparam, lparam);
  }
};

}  // namespace talv
