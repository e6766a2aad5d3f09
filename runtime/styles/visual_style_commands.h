// Themed drawing of the standard controls of the user-interface thread: push
// buttons, check boxes, radio buttons, group boxes, edit fields, drop-down
// combo boxes with their lists, and up-down controls get a flat look of our
// own in one of three styles, while their keyboard and mouse behaviour stays
// the system's.
#pragma once

#include <cstdint>

#include "runtime/core/command_codes.h"
#include "runtime/core/typed_value.h"

namespace talv {

// SetVisualStyle(integer style: a VisualStyle) -> integer.
//   1, 2, 3: the drawing is turned off and on again in that style (every
//            window of the thread registered once, a creation hook catches
//            the windows created later); result 1.
//   other:   the drawing is turned off, every registered window gets its
//            window procedure back; result non-zero when a hook was
//            installed and removed, 0 when the drawing was off already.
// The three styles:
//   1 "Paper"    light grey faces, grey one-pixel frames, blue accent,
//                square corners.
//   2 "Graphite" dark grey faces with light text, steel frames, orange
//                accent, square corners.
//   3 "Jade"     pale green faces, green frames, deep green accent, rounded
//                corners and a two-pixel focus frame.
void SetVisualStyle(TypedValue* result, int32_t count, TypedValue* args);

// The style of the last SetVisualStyle call (0 before any).
int32_t CurrentVisualStyle();
// How many windows are registered, and how many registrations a window has
// (0 or 1); `window` is a window handle.
int32_t VisualStyleRegistrationCount();
int32_t VisualStyleRegistrationsOf(const void* window);

// The colours (COLORREF, 0x00BBGGRR) a style draws with, for callers that
// match their own drawing to it. False for a style other than 1-3.
struct VisualStyleColours {
  uint32_t face;         // button faces, up-down and combo arrow buttons
  uint32_t faceHot;      // face under the mouse
  uint32_t frame;        // one-pixel frames of every control
  uint32_t accent;       // focus frames, pressed and checked faces, captions
  uint32_t text;         // text on faces
  uint32_t textOnAccent; // text on pressed and checked faces
  uint32_t textDisabled; // text and glyphs of disabled controls
  int32_t corner;        // diameter of rounded corners, 0 for square ones
  int32_t focusWidth;    // width of the focus frame in pixels
};
bool GetVisualStyleColours(int32_t style, VisualStyleColours* out);

}  // namespace talv
