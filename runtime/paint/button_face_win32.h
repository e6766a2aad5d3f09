// The push-button painter that the skin library and the visual styles share.
// A painter describes the button it wants (colours, outline, caption, focus
// frame) and PaintButton draws the whole client area from that description,
// in this order:
//   1. the face over the whole client rectangle (DrawFace): where the corners
//      are rounded, the surround shows outside them;
//   2. the caption in the button's font, placed as the button's alignment
//      styles say (DrawCaption);
//   3. the focus frame, when asked for (DrawFocusFrame).
// Buffered painting draws into an off-screen bitmap of the client size and
// copies it to the target in one BitBlt, so that the button never flickers.
#pragma once

#include <windows.h>

#include <cstdint>

namespace talv::paint {

// How a rounded outline is drawn. The two give slightly different curves;
// each painter keeps the one its looks were designed with.
enum class Rounding : uint8_t {
  // A round-rectangle region: the fill is clipped to it and the border
  // follows it inward (FrameRgn). The corner is clamped to the face's size.
  Region,
  // RoundRect with an inside-frame pen of the border width.
  Pen,
};

struct Face {
  COLORREF top;     // the fill; with `gradient`, a vertical gradient from
  COLORREF bottom;  // top to bottom where the two differ
  bool gradient;
  COLORREF border;
  int border_width;
  int corner;  // diameter of the rounded corners; 0 for square ones
  Rounding rounding;
};

// What shows outside rounded corners: the brush, or the colour when there is
// no brush.
struct Surround {
  HBRUSH brush;
  COLORREF colour;
};

// Draws `face` on `rect`, the border inside the rectangle.
void DrawFace(HDC dc, const RECT& rect, const Face& face, const Surround& surround);

struct Caption {
  const char* text;  // null or empty: no caption
  int length;        // in bytes; -1: up to the NUL
  RECT box;          // the room the caption is placed in
  LONG style;        // the button's BS_LEFT/BS_RIGHT/BS_TOP/BS_BOTTOM/BS_MULTILINE
  COLORREF colour;
  bool hide_prefix;  // "&" marks are not underlined (keyboard cues hidden)
  // True: centred on the box, a caption too large runs over its edges (a
  // single line is placed by DrawText itself). False: the caption's block is
  // measured, kept inside the box and clipped to it.
  bool overflow;
};

// Draws the caption with a transparent background in the DC's font.
void DrawCaption(HDC dc, const Caption& caption);

// A one-pixel frame `inset` pixels inside `rect`; none when it would be
// narrower or lower than two pixels.
void DrawFocusFrame(HDC dc, const RECT& rect, int inset, COLORREF colour);

struct ButtonPaint {
  Face face;
  Surround surround;
  Caption caption;
  HFONT font;  // null: the DC's own (an off-screen DC's is the system font)
  bool focus_frame;
  int focus_inset;
  COLORREF focus_colour;
  bool buffered;  // drawn off-screen first (see above)
};

// Paints the client area of a push button, `width` × `height` pixels from
// the DC's origin, as `paint` describes it. The DC's state is restored.
void PaintButton(HDC dc, int width, int height, const ButtonPaint& paint);

}  // namespace talv::paint
