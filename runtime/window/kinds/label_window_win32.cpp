// The Label control: painting of background, caption, effects and borders.
#include "runtime/window/kinds/label_window_win32.h"

#include "runtime/window/kinds/font_block_win32.h"
#include "runtime/window/kinds/picture_decoder_win32.h"

#include <algorithm>

namespace talv {

const char kLabelClassName[] = "TalviqueLabel";

namespace {

struct LabelState {
  LabelProps props;
  ControlFont font;
  DecodedPicture picture;
};

LabelState* StateOf(HWND window) {
  return IsWindowOfClass(window, kLabelClassName) ? static_cast<LabelState*>(ControlState(window))
                                                  : nullptr;
}

void RemakePicture(LabelState& s) {
  const ByteBlock& bytes = s.props.background_picture;
  s.picture = DecodePicture(bytes.data(), bytes.size(), ResolveBackgroundColour(s.props.background));
}

void Apply(HWND window, LabelState& s, const LabelProps& props, bool first) {
  bool font_changed = first || props.font != s.props.font;
  bool picture_changed = first || props.background_picture != s.props.background_picture ||
                         props.background != s.props.background;
  bool border_changed = !first && props.border != s.props.border;
  s.props = props;
  if (font_changed) s.font.Assign(props.font.data(), props.font.size());
  if (picture_changed) RemakePicture(s);
  if (border_changed) ApplyBorder(window, props.border);
  // The window text follows the caption, so WM_GETTEXT reads what is shown.
  if (!first) SetWindowTextA(window, props.caption.c_str());
  InvalidateRect(window, nullptr, FALSE);
}

COLORREF Blend(COLORREF a, COLORREF b, int num, int den) {
  auto mix = [&](int x, int y) { return x + (y - x) * num / den; };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

// Colour of ring `i` of `count` rings, from the first colour (outside)
// through the second to the third (inside).
COLORREF RingColour(const uint32_t colours[3], int i, int count) {
  COLORREF c[3] = {ResolveColour(colours[0]), ResolveColour(colours[1]), ResolveColour(colours[2])};
  if (count <= 1) return c[0];
  int span = count - 1;  // i in 0..span
  if (2 * i <= span) return Blend(c[0], c[1], 2 * i, span);
  return Blend(c[1], c[2], 2 * i - span, span);
}

int GradientBorderWidth(const LabelProps& p, const RECT& client) {
  if (p.border != 6 || p.gradient_border_width <= 0) return 0;
  int limit = std::min(client.right, client.bottom) / 2;
  return std::min(p.gradient_border_width, limit);
}

void PaintPicture(HDC dc, const LabelState& s, const RECT& client) {
  const DecodedPicture& pic = s.picture;
  if (pic.empty()) return;
  switch (s.props.background_picture_mode) {
    case 1: DrawPictureStretched(dc, pic, client); break;
    case 2:
      for (int y = 0; y < client.bottom; y += pic.height())
        for (int x = 0; x < client.right; x += pic.width()) DrawPicture(dc, pic, x, y);
      break;
    case 3:
      DrawPicture(dc, pic, (client.right - pic.width()) / 2, (client.bottom - pic.height()) / 2);
      break;
    default: DrawPicture(dc, pic, 0, 0); break;
  }
}

UINT TextFormat(const LabelProps& p) {
  UINT format = DT_NOPREFIX;
  if (p.horizontal_alignment == 1) format |= DT_CENTER;
  else if (p.horizontal_alignment == 2) format |= DT_RIGHT;
  else format |= DT_LEFT;
  if (p.word_wrap) return format | DT_WORDBREAK;
  format |= DT_SINGLELINE;
  if (p.vertical_alignment == 1) format |= DT_VCENTER;
  else if (p.vertical_alignment == 2) format |= DT_BOTTOM;
  else format |= DT_TOP;
  return format;
}

void DrawCaption(HDC dc, const LabelState& s, RECT area) {
  const LabelProps& p = s.props;
  if (p.caption.empty()) return;
  HGDIOBJ old_font = SelectObject(dc, s.font.handle());
  SetBkMode(dc, TRANSPARENT);
  UINT format = TextFormat(p);
  auto draw = [&](int dx, int dy, COLORREF colour) {
    RECT r = area;
    OffsetRect(&r, dx, dy);
    SetTextColor(dc, colour);
    DrawTextA(dc, p.caption.c_str(), int(p.caption.size()), &r, format);
  };
  COLORREF text = ResolveColour(p.text_colour);
  switch (p.text_effect) {
    case 1: draw(1, 1, RGB(255, 255, 255)); draw(0, 0, text); break;
    case 2: draw(0, 0, RGB(255, 255, 255)); draw(1, 1, text); break;
    case 3: draw(2, 2, RGB(0, 0, 0)); draw(0, 0, text); break;
    default: draw(0, 0, text); break;
  }
  SelectObject(dc, old_font);
}

void DrawGradientBorder(HDC dc, const LabelProps& p, const RECT& client, int width) {
  for (int i = 0; i < width; ++i) {
    RECT ring = client;
    InflateRect(&ring, -i, -i);
    HBRUSH brush = CreateSolidBrush(RingColour(p.gradient_border_colours, i, width));
    FrameRect(dc, &ring, brush);
    DeleteObject(brush);
  }
}

void Paint(const LabelState& s, HDC dc, const RECT& client) {
  const LabelProps& p = s.props;
  FillSolid(dc, client, ResolveBackgroundColour(p.background));
  if (p.gradient_background_mode != 0) {
    COLORREF colours[3] = {ResolveColour(p.gradient_background_colours[0]),
                           ResolveColour(p.gradient_background_colours[1]),
                           ResolveColour(p.gradient_background_colours[2])};
    FillGradient(dc, client, colours, p.gradient_background_mode != 2);
  }
  PaintPicture(dc, s, client);
  int border = GradientBorderWidth(p, client);
  RECT text_area = client;
  InflateRect(&text_area, -border, -border);
  DrawCaption(dc, s, text_area);
  if (border > 0) DrawGradientBorder(dc, p, client, border);
}

LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* s = static_cast<LabelState*>(ControlState(window));
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
      auto* state = new LabelState;
      SetControlState(window, state);
      Apply(window, *state, *static_cast<const LabelProps*>(create->lpCreateParams), true);
      break;
    }
    case WM_NCDESTROY:
      SetControlState(window, nullptr);
      delete s;
      return DefWindowProcA(window, message, wparam, lparam);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (!s) break;
      return AnswerPaintMessage(window, message, wparam,
                                [s](HDC dc, const RECT& client) { Paint(*s, dc, client); });
    case WM_GETFONT: return s ? reinterpret_cast<LRESULT>(s->font.handle()) : 0;
    default: break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

HWND CreateLabelWindow(const ControlPlacement& placement, const LabelProps& props) {
  if (!RegisterControlClass(kLabelClassName, LabelProc, LoadCursorA(nullptr, IDC_ARROW)))
    return nullptr;
  ControlPlacement styled = placement;
  DWORD ex_style = 0;
  StyleForBorder(props.border, &styled.style, &ex_style);
  return CreateControlWindow(kLabelClassName, styled, ex_style, props.caption.c_str(),
                             const_cast<LabelProps*>(&props));
}

bool UpdateLabelWindow(HWND window, const LabelProps& props) {
  LabelState* s = StateOf(window);
  if (!s) return false;
  Apply(window, *s, props, false);
  return true;
}

const LabelProps* LabelWindowProps(HWND window) {
  LabelState* s = StateOf(window);
  return s ? &s->props : nullptr;
}

}  // namespace talv
