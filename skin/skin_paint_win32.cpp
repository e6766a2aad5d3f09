// Push-button faces in the skin's colours. The state is the first that
// holds of disabled, pressed, hot (the mouse over it) and normal; the skin
// gives each state a face (top and bottom colour, border, text colour) and
// its metrics give the shape:
//   - the face: a rounded rectangle (the skin's corner radius, drawn as a
//     region) filled with the state's top colour, or a vertical gradient from
//     the top to the bottom colour; outside the corners the parent's button
//     brush (WM_CTLCOLORBTN), or the control background without one;
//   - the border: border width pixels wide, one more for the default push
//     button;
//   - the caption: in the button's font, border width + 2 pixels inside the
//     edge, moved right and down by the pressed offset while pressed, placed
//     as the button's alignment styles say and free to run over the edges;
//     "&" underlines follow the keyboard cues;
//   - the focus frame: one pixel in the focus colour, the focus inset inside
//     the edge, while the button has the focus and focus cues are shown.
// Drawn off-screen and copied in one BitBlt, so that it never flickers.
#include "skin/skin_paint_win32.h"

#include "runtime/paint/button_control_win32.h"
#include "runtime/paint/button_face_win32.h"
#include "runtime/paint/paint_tools_win32.h"

namespace talv::skin {
namespace {

LRESULT Send(HWND window, UINT message, WPARAM wp, LPARAM lp) {
  return SendMessageA(window, message, wp, lp);
}

SkinFaceState StateOf(const paint::ButtonStatus& status, bool hot) {
  if (!status.enabled) return kFaceDisabled;
  if (status.pushed) return kFacePressed;
  return hot ? kFaceHot : kFaceNormal;
}

}  // namespace

void PaintPushButton(HWND button, HDC dc, const ActiveSkin& skin, bool hot) {
  paint::ButtonStatus status = paint::ReadButtonStatus(button, Send);
  SkinFaceState state = StateOf(status, hot);
  const SkinMetrics& m = skin.metrics;
  const SkinFace& face = skin.scheme.faces[state];
  RECT client;
  if (!GetClientRect(button, &client)) return;
  char text[1024];
  int length = GetWindowTextA(button, text, int(sizeof text));
  int pad = m.border_width + 2;
  RECT box = {pad, pad, client.right - pad, client.bottom - pad};
  if (state == kFacePressed) OffsetRect(&box, m.pressed_offset, m.pressed_offset);

  paint::ButtonPaint p = {};
  p.face = {face.top, face.bottom, m.face_style == kFaceGradient, face.border,
            m.border_width + (status.is_default ? 1 : 0), 2 * m.corner_radius, paint::Rounding::Region};
  p.surround = {paint::ParentBrush(button, dc, WM_CTLCOLORBTN), skin.scheme.colours[kControlBackground]};
  p.caption = {text, length > 0 ? length : 0, box, GetWindowLongA(button, GWL_STYLE), face.text,
               status.hide_prefix, true};
  // Without a font of its own a button writes in the system font, as the
  // off-screen DC does by default.
  p.font = reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0));
  p.focus_frame = status.has_focus && !status.hide_focus;
  p.focus_inset = m.focus_inset;
  p.focus_colour = skin.scheme.colours[kFocusFrame];
  p.buffered = true;
  paint::PaintButton(dc, client.right, client.bottom, p);
}

}  // namespace talv::skin
