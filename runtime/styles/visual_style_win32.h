// Internals of the themed drawing shared by the command (registration, hook
// and window procedure) and the painters of each control category.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/styles/visual_style_commands.h"
#include "runtime/paint/paint_tools_win32.h"

namespace talv {
namespace visual_style {

enum class Category : uint8_t {
  PushButton,  // push buttons and push-like check boxes and radio buttons
  CheckBox,    // check boxes, three-state ones included
  RadioButton,
  GroupBox,
  Edit,
  ComboBox,    // drop-down and drop-down list combo boxes
  ComboList,   // the list that a combo box drops down
  UpDown,
};

// State bits of a registered window. Those taken from the window's style,
// focus and check state are refreshed whenever the window is drawn; the
// mouse bits are tracked by the window procedure.
namespace State {
constexpr uint32_t Disabled = 1u << 0;
constexpr uint32_t Focused = 1u << 1;
constexpr uint32_t Checked = 1u << 2;
constexpr uint32_t Indeterminate = 1u << 3;
constexpr uint32_t Pressed = 1u << 4;
constexpr uint32_t Default = 1u << 5;
constexpr uint32_t ReadOnly = 1u << 6;
constexpr uint32_t Hot = 1u << 7;        // the mouse is over the window
constexpr uint32_t Tracking = 1u << 8;   // a leave notification is requested
constexpr uint32_t PressedUp = 1u << 9;  // up-down: which half is held down
constexpr uint32_t PressedDown = 1u << 10;
}  // namespace State

struct Registration {
  HWND window;
  Category category;
  uint32_t state;
  WNDPROC previous;
  // Turned off while another procedure had been installed above ours: ours
  // stays in the chain and passes every message through until the window
  // is destroyed or registered again.
  bool retired;
  Registration* next;
};

// The registration of a window that is drawn now (not retired), or null.
Registration* Find(HWND window);

// The colours of the current style (style 1 when the drawing is off).
const VisualStyleColours& Colours();

// Calls the window's previous procedure. The registration may be gone when
// it returns (the window destroyed or the drawing turned off inside), so
// callers look the window up again afterwards.
LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Refreshes the style, focus and check bits from the live window.
void RefreshState(Registration& r);

// Per-category message handlers; each passes what it does not draw itself
// to the previous procedure.
LRESULT ButtonMessage(Registration& r, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT FieldMessage(Registration& r, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT UpDownMessage(Registration& r, UINT message, WPARAM wParam, LPARAM lParam);

// Drawing helpers shared by the painters; the push-button painter and the
// basic tools are those of runtime/paint/, which the skin library uses too.
using paint::FillSolid;
using paint::FrameSolid;
// A filled face with a frame, rounded when the style has corners; the
// corners outside the rounding keep `background`.
void DrawFace(HDC dc, const RECT& rect, COLORREF face, COLORREF frame, int frameWidth,
              HBRUSH background);
enum class Arrow { Up, Down, Left, Right };
void DrawArrow(HDC dc, const RECT& box, Arrow direction, COLORREF colour);
// The brush the parent gives for the window's background (WM_CTLCOLORxxx),
// else its default one, else the button face colour's.
HBRUSH ParentBrush(HWND window, HDC dc, UINT colourMessage);

}  // namespace visual_style
}  // namespace talv
