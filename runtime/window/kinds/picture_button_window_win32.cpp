// The PicBtn control: mouse-driven states, check mode and painting of the
// decoded pictures.
#include "runtime/window/kinds/picture_button_window_win32.h"

#include "runtime/window/kinds/picture_decoder_win32.h"

namespace talv {

const char kPictureButtonClassName[] = "TalviquePicBtn";

namespace {

enum Slot { kNormal, kHover, kPressed, kDisabled, kSlots };

struct ButtonData {
  PictureButtonProps props;
  ControlEventTarget events;
  DecodedPicture pictures[kSlots];
  int state = kButtonNormal;  // mouse-driven: normal, over, pressed
  bool held = false;          // a left press began on the button and is not released
};

struct CreateParams {
  const PictureButtonProps* props;
  ControlEventTarget events;
};

ButtonData* StateOf(HWND window) {
  return IsWindowOfClass(window, kPictureButtonClassName)
             ? static_cast<ButtonData*>(ControlState(window))
             : nullptr;
}

const ByteBlock& BytesOf(const PictureButtonProps& p, int slot) {
  switch (slot) {
    case kHover: return p.hover_picture;
    case kPressed: return p.pressed_picture;
    case kDisabled: return p.disabled_picture;
    default: return p.normal_picture;
  }
}

void Apply(HWND window, ButtonData& s, const PictureButtonProps& props, bool first) {
  bool backdrop_changed = first || props.picture_backdrop != s.props.picture_backdrop;
  bool changed[kSlots];
  for (int i = 0; i < kSlots; ++i)
    changed[i] = backdrop_changed || BytesOf(props, i) != BytesOf(s.props, i);
  s.props = props;
  COLORREF backdrop = ResolveBackgroundColour(props.picture_backdrop);
  for (int i = 0; i < kSlots; ++i) {
    if (!changed[i]) continue;
    const ByteBlock& bytes = BytesOf(props, i);
    s.pictures[i] = DecodePicture(bytes.data(), bytes.size(), backdrop);
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

void Paint(HWND window, const ButtonData& s, HDC dc, const RECT& client) {
  FillSolid(dc, client, ResolveBackgroundColour(s.props.background));
  DrawPicture(dc, ChosenPicture(window, s), 0, 0);
}

void SetState(HWND window, ButtonData& s, int state) {
  if (s.state == state) return;
  s.state = state;
  InvalidateRect(window, nullptr, FALSE);
}

bool UnderMouse(HWND window, LPARAM lparam) {
  RECT client;
  GetClientRect(window, &client);
  POINT pt = {short(LOWORD(lparam)), short(HIWORD(lparam))};
  if (!PtInRect(&client, pt)) return false;
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
    if (!s.held && GetCapture() == window) ReleaseCapture();
    SetState(window, s, kButtonNormal);
  }
}

void OnButtonUp(HWND window, ButtonData& s, LPARAM lparam) {
  bool was_held = s.held;
  s.held = false;
  bool inside = UnderMouse(window, lparam);
  if (!inside && GetCapture() == window) ReleaseCapture();
  SetState(window, s, inside ? kButtonHover : kButtonNormal);
  if (!was_held || !inside) return;
  if (s.props.mode == 1) {
    s.props.checked = !s.props.checked;
    InvalidateRect(window, nullptr, FALSE);
  }
  s.events.Raise(window, kPictureButtonClicked, s.props.mode == 1 && s.props.checked ? 1 : 0);
}

LRESULT CALLBACK PictureButtonProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* s = static_cast<ButtonData*>(ControlState(window));
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
      auto* params = static_cast<const CreateParams*>(create->lpCreateParams);
      auto* state = new ButtonData;
      state->events = params->events;
      SetControlState(window, state);
      Apply(window, *state, *params->props, true);
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
      return AnswerPaintMessage(window, message, wparam, [window, s](HDC dc, const RECT& client) {
        Paint(window, *s, dc, client);
      });
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a quick second press is a press too
      if (s) OnButtonDown(window, *s, lparam);
      return 0;
    case WM_MOUSEMOVE:
      if (s) OnMouseMove(window, *s, lparam);
      return 0;
    case WM_LBUTTONUP:
      if (s) OnButtonUp(window, *s, lparam);
      return 0;
    case WM_CAPTURECHANGED:
      if (s && reinterpret_cast<HWND>(lparam) != window) {
        s->held = false;
        SetState(window, *s, kButtonNormal);
      }
      return 0;
    case WM_ENABLE:
      if (s) {
        if (!wparam) {
          s->held = false;
          if (GetCapture() == window) ReleaseCapture();
          SetState(window, *s, kButtonNormal);
        }
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    default: break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

HWND CreatePictureButtonWindow(const ControlPlacement& placement, const PictureButtonProps& props,
                               ControlEventTarget events) {
  if (!RegisterControlClass(kPictureButtonClassName, PictureButtonProc,
                            LoadCursorA(nullptr, IDC_ARROW)))
    return nullptr;
  CreateParams params = {&props, events};
  return CreateControlWindow(kPictureButtonClassName, placement, 0, "", &params);
}

bool UpdatePictureButtonWindow(HWND window, const PictureButtonProps& props) {
  ButtonData* s = StateOf(window);
  if (!s) return false;
  Apply(window, *s, props, false);
  return true;
}

const PictureButtonProps* PictureButtonWindowProps(HWND window) {
  ButtonData* s = StateOf(window);
  return s ? &s->props : nullptr;
}

int PictureButtonShownState(HWND window) {
  ButtonData* s = StateOf(window);
  return s ? ShownState(*s) : -1;
}

}  // namespace talv
