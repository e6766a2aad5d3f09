// SetVisualStyle: registration of the drawn windows of the user-interface
// thread, the creation hook that catches windows made later, and the window
// procedure that routes each registered window's messages to the painter of
// its category. The registrations form one singly linked list; a window is
// registered at most once.
#include "runtime/styles/visual_style_commands.h"

#include <cmath>

#include "runtime/core/argument_access.h"
#include "runtime/styles/visual_style_win32.h"
#include "runtime/paint/button_control_win32.h"

namespace talv {
namespace visual_style {
namespace {

// Paper, Graphite, Jade (VisualStyle::First to Last); what each draws is
// told in the header.
constexpr VisualStyleColours kStyles[VisualStyle::Last - VisualStyle::First + 1] = {
    {RGB(246, 246, 243), RGB(229, 241, 251), RGB(150, 150, 150), RGB(0, 120, 215),
     RGB(32, 32, 32), RGB(255, 255, 255), RGB(160, 160, 160), 0, 1},
    {RGB(58, 58, 62), RGB(78, 78, 84), RGB(120, 126, 134), RGB(230, 126, 34),
     RGB(236, 236, 236), RGB(20, 20, 20), RGB(120, 120, 120), 0, 1},
    {RGB(226, 242, 232), RGB(206, 234, 216), RGB(86, 150, 110), RGB(20, 110, 60),
     RGB(16, 60, 34), RGB(255, 255, 255), RGB(150, 170, 158), 6, 2},
};
constexpr bool IsStyle(int32_t style) {
  return style >= VisualStyle::First && style <= VisualStyle::Last;
}

int32_t g_style = 0;
HHOOK g_hook = nullptr;
Registration* g_list = nullptr;

LRESULT CALLBACK StyledWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Any registration of the window, retired ones included.
Registration* FindAny(HWND window) {
  for (Registration* r = g_list; r; r = r->next)
    if (r->window == window) return r;
  return nullptr;
}

void Unlink(Registration* gone) {
  for (Registration** p = &g_list; *p; p = &(*p)->next) {
    if (*p == gone) {
      *p = gone->next;
      return;
    }
  }
}

// The drawn categories, by class name and style. Owner-drawn and user
// buttons, simple combo boxes with their lists and the fields of an
// IP-address control keep the system's drawing.
bool Classify(HWND window, Category* category) {
  char cls[64];
  if (GetClassNameA(window, cls, sizeof cls) <= 0) return false;
  LONG style = GetWindowLongA(window, GWL_STYLE);
  if (lstrcmpiA(cls, "Button") == 0) {
    bool pushLike = style & BS_PUSHLIKE;
    switch (paint::ButtonTypeOf(style)) {
      case paint::ButtonType::Push: *category = Category::PushButton; return true;
      case paint::ButtonType::CheckBox:
        *category = pushLike ? Category::PushButton : Category::CheckBox;
        return true;
      case paint::ButtonType::RadioButton:
        *category = pushLike ? Category::PushButton : Category::RadioButton;
        return true;
      case paint::ButtonType::GroupBox: *category = Category::GroupBox; return true;
      default: return false;
    }
  }
  if (lstrcmpiA(cls, "Edit") == 0) {
    if (paint::ClassIs(GetParent(window), "SysIPAddress32")) return false;
    *category = Category::Edit;
    return true;
  }
  if (lstrcmpiA(cls, "ComboBox") == 0) {
    if ((style & 3) == CBS_SIMPLE) return false;
    *category = Category::ComboBox;
    return true;
  }
  if (lstrcmpiA(cls, "ComboLBox") == 0) {
    // The list of a simple combo box is part of that box's system look.
    if ((style & WS_CHILD) && paint::ClassIs(GetParent(window), "ComboBox")) return false;
    *category = Category::ComboList;
    return true;
  }
  if (lstrcmpiA(cls, "msctls_updown32") == 0) {
    *category = Category::UpDown;
    return true;
  }
  return false;
}

void Redraw(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
}

void Register(HWND window) {
  if (Registration* known = FindAny(window)) {
    // Already in the chain: a retired registration is drawn again, a live
    // one stays as it is.
    if (known->retired) {
      known->retired = false;
      RefreshState(*known);
      Redraw(window);
    }
    return;
  }
  // Only windows of this thread: their procedures run where our list lives.
  if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return;
  Category category;
  if (!Classify(window, &category)) return;
  auto* r = new Registration{window, category, 0, nullptr, false, g_list};
  r->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StyledWindowProc)));
  if (!r->previous) {  // the window refused a new procedure
    delete r;
    return;
  }
  g_list = r;
  RefreshState(*r);
  Redraw(window);
}

// Gives the window its previous procedure back and drops the registration.
// When another procedure was installed above ours, taking ours out would cut
// that one off as well: ours then stays in the chain and only passes the
// messages through.
void Unregister(Registration* r) {
  HWND window = r->window;
  if (GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(StyledWindowProc)) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(r->previous));
    Unlink(r);
    delete r;
  } else {
    r->retired = true;
  }
  Redraw(window);
}

void RegisterExisting(HWND window, bool) { Register(window); }
void UnregisterExisting(HWND window, bool) {
  Registration* r = FindAny(window);
  if (r && !r->retired) Unregister(r);
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == WM_CREATE) Register(call->hwnd);
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

void TurnOn() {
  paint::VisitThreadWindows(RegisterExisting, nullptr);
  g_hook = SetWindowsHookExA(WH_CALLWNDPROC, CreationHook, nullptr, GetCurrentThreadId());
}

// Returns the result of removing the hook: non-zero when one was installed
// and removed. The drawing loads no library, so there is none to release.
int32_t TurnOff() {
  paint::VisitThreadWindows(UnregisterExisting, nullptr);
  // Windows the enumeration does not reach (message-only windows, windows
  // reparented away) are given back their procedures as well.
  for (Registration* r = g_list; r;) {
    Registration* next = r->next;
    if (!r->retired) Unregister(r);
    r = next;
  }
  if (!g_hook) return 0;
  BOOL removed = UnhookWindowsHookEx(g_hook);
  g_hook = nullptr;
  return removed ? 1 : 0;
}

LRESULT CALLBACK StyledWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Registration* r = FindAny(window);
  if (!r) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window ends: its registration goes with it, so that a later
    // window with the same handle is not mistaken for it.
    WNDPROC previous = r->previous;
    if (GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(StyledWindowProc))
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    Unlink(r);
    delete r;
    return CallWindowProcA(previous, window, message, wParam, lParam);
  }
  if (r->retired) return CallWindowProcA(r->previous, window, message, wParam, lParam);
  switch (r->category) {
    case Category::PushButton:
    case Category::CheckBox:
    case Category::RadioButton:
    case Category::GroupBox: return ButtonMessage(*r, message, wParam, lParam);
    case Category::Edit:
    case Category::ComboBox:
    case Category::ComboList: return FieldMessage(*r, message, wParam, lParam);
    case Category::UpDown: return UpDownMessage(*r, message, wParam, lParam);
  }
  return CallWindowProcA(r->previous, window, message, wParam, lParam);
}

// The first argument as an integer; out of range or not a number is 0.
int32_t StyleArgument(int32_t count, const TypedValue* args) {
  return talv::args::IntegerOrZero(talv::args::At(count, args, 0));
}

}  // namespace

Registration* Find(HWND window) {
  Registration* r = FindAny(window);
  return (r && !r->retired) ? r : nullptr;
}

const VisualStyleColours& Colours() {
  return kStyles[IsStyle(g_style) ? g_style - VisualStyle::First : 0];
}

LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Registration* r = FindAny(window);
  if (!r) return DefWindowProcA(window, message, wParam, lParam);
  return CallWindowProcA(r->previous, window, message, wParam, lParam);
}

void RefreshState(Registration& r) {
  HWND w = r.window;
  constexpr uint32_t kTracked =
      State::Hot | State::Tracking | State::PressedUp | State::PressedDown;
  uint32_t s = r.state & kTracked;
  LONG style = GetWindowLongA(w, GWL_STYLE);
  if (!IsWindowEnabled(w)) s |= State::Disabled;
  HWND focus = GetFocus();
  if (focus == w) s |= State::Focused;
  switch (r.category) {
    case Category::PushButton:
    case Category::CheckBox:
    case Category::RadioButton:
    case Category::GroupBox: {
      paint::ButtonStatus b = paint::ReadButtonStatus(w, CallPrevious);
      if (b.pushed) s |= State::Pressed;
      if (b.checked) s |= State::Checked;
      if (b.indeterminate) s |= State::Indeterminate;
      if (b.focus_state) s |= State::Focused;
      if (b.is_default) s |= State::Default;
      break;
    }
    case Category::Edit:
      if (style & ES_READONLY) s |= State::ReadOnly;
      break;
    case Category::ComboBox:
      if (focus && GetParent(focus) == w) s |= State::Focused;  // its edit field has it
      break;
    default: break;
  }
  r.state = s;
}

}  // namespace visual_style

int32_t CurrentVisualStyle() { return visual_style::g_style; }

int32_t VisualStyleRegistrationCount() {
  int32_t n = 0;
  for (auto* r = visual_style::g_list; r; r = r->next) n += r->retired ? 0 : 1;
  return n;
}

int32_t VisualStyleRegistrationsOf(const void* window) {
  int32_t n = 0;
  for (auto* r = visual_style::g_list; r; r = r->next)
    n += (!r->retired && r->window == static_cast<HWND>(const_cast<void*>(window))) ? 1 : 0;
  return n;
}

bool GetVisualStyleColours(int32_t style, VisualStyleColours* out) {
  if (!visual_style::IsStyle(style) || !out) return false;
  *out = visual_style::kStyles[style - VisualStyle::First];
  return true;
}

void SetVisualStyle(TypedValue* result, int32_t count, TypedValue* args) {
  int32_t style = visual_style::StyleArgument(count, args);
  visual_style::g_style = style;
  if (visual_style::IsStyle(style)) {
    visual_style::TurnOff();
    visual_style::TurnOn();
    SetInt(*result, 1);
  } else {
    SetInt(*result, visual_style::TurnOff());
  }
}

}  // namespace talv
