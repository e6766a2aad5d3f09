// The Label control: painting of background, caption, effects and borders.
#include "runtime/window/kinds/label_window_win32.h"

#include "runtime/window/kinds/font_block_win32.h"
#include "runtime/window/kinds/picture_decoder_win32.h"

#include <algorithm>

namespace talv {

const char kLabelClassName[] = "TalviqueLabel";

namespace {

struct LabelState : PaintedControlState<LabelProps> {
  ControlFont font;
  DecodedPicture picture;

  void Apply(HWND window, const LabelProps& next, bool first);
  void Paint(HWND window, HDC dc, const RECT& client) const;
  bool OnMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
};

using LabelClass = PaintedControlClass<LabelState, kLabelClassName>;

void RemakePicture(LabelState& s) {
  const ByteBlock& bytes = s.props.background_picture;
  s.picture = DecodePicture(bytes.data(), bytes.size(), ResolveBackgroundColour(s.props.background));
}

void LabelState::Apply(HWND window, const LabelProps& next, bool first) {
  bool font_changed = first || next.font != props.font;
  bool picture_changed = first || next.background_picture != props.background_picture ||
                         next.background != props.background;
  bool border_changed = !first && next.border != props.border;
  props = next;
  if (font_changed) font.Assign(next.font.data(), next.font.size());
  if (picture_changed) RemakePicture(*this);
  if (border_changed) ApplyBorder(window, next.border);
  // The window text follows the caption, so WM_GETTEXT reads what is shown.
  if (!first) SetWindowTextA(window, next.caption.c_str());
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

void LabelState::Paint(HWND, HDC dc, const RECT& client) const {
  const LabelProps& p = props;
  FillSolid(dc, client, ResolveBackgroundColour(p.background));
  if (p.gradient_background_mode != 0) {
    COLORREF colours[3] = {ResolveColour(p.gradient_background_colours[0]),
                           ResolveColour(p.gradient_background_colours[1]),
                           ResolveColour(p.gradient_background_colours[2])};
    FillGradient(dc, client, colours, p.gradient_background_mode != 2);
  }
  PaintPicture(dc, *this, client);
  int border = GradientBorderWidth(p, client);
  RECT text_area = client;
  InflateRect(&text_area, -border, -border);
  DrawCaption(dc, *this, text_area);
  if (border > 0) DrawGradientBorder(dc, p, client, border);
}

bool LabelState::OnMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
  if (message != WM_GETFONT) return false;
  *result = reinterpret_cast<LRESULT>(font.handle());
  return true;
}

}  // namespace

HWND CreateLabelWindow(const ControlPlacement& placement, const LabelProps& props) {
  return LabelClass::Create(WithBorder(placement, props.border), props.caption.c_str(),
                            LoadCursorA(nullptr, IDC_ARROW), props);
}

bool UpdateLabelWindow(HWND window, const LabelProps& props) { return LabelClass::Update(window, props); }

const LabelProps* LabelWindowProps(HWND window) { return LabelClass::PropsOf(window); }

}  // namespace talv
