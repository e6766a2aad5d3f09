// The PicBtn control: mouse-driven states, check mode and painting of the
// decoded pictures.
#include "runtime/window/kinds/picture_button_window_win32.h"

#include "runtime/window/kinds/picture_decoder_win32.h"

namespace talv {

const char kPictureButtonClassName[] = "TalviquePicBtn";

namespace {

enum Slot { kNormal, kHover, kPressed, kDisabled, kSlots };

struct ButtonData : PaintedControlState<PictureButtonProps> {
  DecodedPicture pictures[kSlots];
  int state = kButtonNormal;  // mouse-driven: normal, over, pressed
  bool held = false;          // a left press began on the button and is not released

  void Apply(HWND window, const PictureButtonProps& next, bool first);
  void Paint(HWND window, HDC dc, const RECT& client) const;
  bool OnMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
};

using PictureButtonClass = PaintedControlClass<ButtonData, kPictureButtonClassName>;

const ByteBlock& BytesOf(const PictureButtonProps& p, int slot) {
  switch (slot) {
    case kHover: return p.hover_picture;
    case kPressed: return p.pressed_picture;
    case kDisabled: return p.disabled_picture;
    default: return p.normal_picture;
  }
}

void ButtonData::Apply(HWND window, const PictureButtonProps& next, bool first) {
  bool backdrop_changed = first || next.picture_backdrop != props.picture_backdrop;
  bool changed[kSlots];
  for (int i = 0; i < kSlots; ++i)
    changed[i] = backdrop_changed || BytesOf(next, i) != BytesOf(props, i);
  props = next;
  COLORREF backdrop = ResolveBackgroundColour(next.picture_backdrop);
  for (int i = 0; i < kSlots; ++i) {
    if (!changed[i]) continue;
    const ByteBlock& bytes = BytesOf(next, i);
    pictures[i] = DecodePicture(bytes.data(), bytes.size(), backdrop);
  }
  InvalidateRect(window, nullptr, FALSE);
}

int ShownState(const ButtonData& s) {
  if (s.props.mode == 1) return s.props.checked ? kButtonPressed : kButtonNormal;
  return s.state;
}

const DecodedPicture& ChosenPicture(HWND window, const ButtonData& s) {
  const DecodedPicture* chosen = nullptr;
  if (!IsWindowEnabled(window) && !s.pictures[kDisabled].empty()) chosen = &s.pictures[kDisabled];
  else if (ShownState(s) == kButtonHover) chosen = &s.pictures[kHover];
  else if (ShownState(s) == kButtonPressed) chosen = &s.pictures[kPressed];
  if (!chosen || chosen->empty()) chosen = &s.pictures[kNormal];
  return *chosen;
}

void ButtonData::Paint(HWND window, HDC dc, const RECT& client) const {
  FillSolid(dc, client, ResolveBackgroundColour(props.background));
  DrawPicture(dc, ChosenPicture(window, *this), 0, 0);
}

void SetState(HWND window, ButtonData& s, int state) {
  if (s.state == state) return;
  s.state = state;
  InvalidateRect(window, nullptr, FALSE);
}

bool UnderMouse(HWND window, LPARAM lparam) {
  POINT pt = MousePosition(lparam);
  if (!InClientArea(window, pt)) return false;
  // Another window over this point (a sibling on top) hides the button.
  POINT screen = pt;
  ClientToScreen(window, &screen);
  return WindowFromPoint(screen) == window;
}

void OnButtonDown(HWND window, ButtonData& s, LPARAM lparam) {
  if (!IsWindowEnabled(window) || !UnderMouse(window, lparam)) return;
  s.held = true;
  SetCapture(window);
  SetState(window, s, kButtonPressed);
}

void OnMouseMove(HWND window, ButtonData& s, LPARAM lparam) {
  if (UnderMouse(window, lparam)) {
    // Capture while over the button, so that leaving it is seen.
    if (GetCapture() != window) SetCapture(window);
    SetState(window, s, s.held ? kButtonPressed : kButtonHover);
  } else {
    if (!s.held) ReleaseCaptureOf(window);
    SetState(window, s, kButtonNormal);
  }
}

void OnButtonUp(HWND window, ButtonData& s, LPARAM lparam) {
  bool was_held = s.held;
  s.held = false;
  bool inside = UnderMouse(window, lparam);
  if (!inside) ReleaseCaptureOf(window);
  SetState(window, s, inside ? kButtonHover : kButtonNormal);
  if (!was_held || !inside) return;
  if (s.props.mode == 1) {
    s.props.checked = !s.props.checked;
    InvalidateRect(window, nullptr, FALSE);
  }
  s.events.Raise(window, kPictureButtonClicked, s.props.mode == 1 && s.props.checked ? 1 : 0);
}

bool ButtonData::OnMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a quick second press is a press too
      OnButtonDown(window, *this, lparam);
      return true;
    case WM_MOUSEMOVE: OnMouseMove(window, *this, lparam); return true;
    case WM_LBUTTONUP: OnButtonUp(window, *this, lparam); return true;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lparam) != window) {
        held = false;
        SetState(window, *this, kButtonNormal);
      }
      return true;
    case WM_ENABLE:
      if (!wparam) {
        held = false;
        ReleaseCaptureOf(window);
        SetState(window, *this, kButtonNormal);
      }
      InvalidateRect(window, nullptr, FALSE);
      return true;
    default: return false;
  }
}

}  // namespace

HWND CreatePictureButtonWindow(const ControlPlacement& placement, const PictureButtonProps& props,
                               ControlEventTarget events) {
  return PictureButtonClass::Create({placement}, "", LoadCursorA(nullptr, IDC_ARROW), props, events);
}

bool UpdatePictureButtonWindow(HWND window, const PictureButtonProps& props) {
  return PictureButtonClass::Update(window, props);
}

const PictureButtonProps* PictureButtonWindowProps(HWND window) {
  return PictureButtonClass::PropsOf(window);
}

int PictureButtonShownState(HWND window) {
  ButtonData* s = PictureButtonClass::Of(window);
  return s ? ShownState(*s) : -1;
}

}  // namespace talv
