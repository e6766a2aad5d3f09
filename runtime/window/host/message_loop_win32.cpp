// The message loop and the window's message pre-filter: the common mouse
// and key events of the unit a message is aimed at (a false answer
// swallows the message; the character event may replace the character),
// the window keys Tab, Shift+Tab, Esc, Enter and F1, and the window's
// shortcut keys, which press its buttons.
#include <vector>

#include "runtime/window/model/event_dispatch.h"
#include "runtime/window/kinds/kind_object_win32.h"
#include "runtime/window/host/window_runtime_win32.h"

namespace talv {

namespace {

struct Idle {
  HWND window;
  IdleHandler handler;
  void* argument;
};
std::vector<Idle>& IdleList() {
  static std::vector<Idle> list;
  return list;
}
bool g_loop_running = false;

int32_t KeyState() {
  int32_t keys = 0;
  if (GetKeyState(VK_CONTROL) < 0) keys |= 1;
  if (GetKeyState(VK_SHIFT) < 0) keys |= 2;
  if (GetKeyState(VK_MENU) < 0) keys |= 4;
  return keys;
}

// The idle handlers whose window still exists, the last registered first.
void RunIdleHandlers() {
  auto& list = IdleList();
  for (size_t i = list.size(); i-- > 0;) {
    if (i >= list.size()) continue;
    if (!IsWindow(list[i].window)) {
      list.erase(list.begin() + std::ptrdiff_t(i));
      continue;
    }
    Idle idle = list[i];
    idle.handler(idle.argument);
  }
}

// The focus moves to the next (previous) entry of the window's tab list.
void MoveFocus(WindowObject& w, bool forward) {
  std::vector<TabCandidate> candidates;
  for (uint32_t i = 1; i < w.units.size(); ++i) {
    auto* o = static_cast<KindObject*>(w.ObjectOf(i));
    definition::UnitRecordView v;
    if (!o || !w.Walk(i, &v)) continue;
    const kinds::KindDescriptor* kind = kinds::FindKind(v.kind_word);
    if (!kind || (kind->state & kinds::KindState::NotInTabList)) continue;
    if (!(v.flags & definition::kFlagTabStop)) continue;
    if (!IsWindowVisible(o->hwnd()) || !IsWindowEnabled(o->hwnd())) continue;
    candidates.push_back({i, v.tab_order});
  }
  std::vector<uint32_t> list = SortTabList(std::move(candidates));
  KindObject* focused = KindObject::FromWindowOrAncestor(GetFocus());
  int32_t current = focused && focused->window() == &w ? int32_t(focused->unit()) : -1;
  int32_t next = NextInTabList(list, current, forward);
  if (next > 0) SetFocus(static_cast<KindObject*>(w.ObjectOf(uint32_t(next)))->hwnd());
}

// Window keys; true when the key had its window meaning.
bool WindowKey(KindObject* target, UINT vk) {
  WindowObject* w = target->window();
  if (!w || !w->IsLive()) return false;
  auto* top = static_cast<KindObject*>(w->live);
  const auto* k = std::get_if<definition::WindowKind>(&top->data());
  if (!k) return false;
  KindObject* focused = KindObject::FromWindowOrAncestor(GetFocus());
  if (focused && focused->ClaimsKey(vk)) return false;
  switch (vk) {
    case VK_TAB:
      MoveFocus(*w, GetKeyState(VK_SHIFT) >= 0);
      return true;
    case VK_ESCAPE:
      if (!k->escape_closes) return false;
      SendMessageA(top->hwnd(), WM_CLOSE, 0, 0);
      return true;
    case VK_RETURN:
      if (!k->enter_moves_focus) return false;
      MoveFocus(*w, true);
      return true;
    case VK_F1:
      if (!k->f1_opens_help) return false;
      OpenWindowHelp(top);
      return true;
    default: return false;
  }
}

// A shortcut key of the window presses its button as a click of the mouse
// does: the button's click event through the same dispatch, forwarding
// included. Not while the control with the focus takes typing (the key is
// its own there). A disabled or hidden button is not pressed and the key
// does nothing. An auto-repeat of a held key is dropped while the button's
// previous press is still being handled (its handler waits and lets
// messages in), so holding a key never stacks presses inside one another.
// True when the key belongs to the window's shortcuts.
bool ShortcutKey(KindObject* target, uint32_t key, LPARAM lparam) {
  WindowObject* w = target->window();
  if (!w || !w->IsLive() || !w->loaded) return false;
  KindObject* focused = KindObject::FromWindowOrAncestor(GetFocus());
  if (focused && focused->TakesTyping()) return false;
  const int32_t unit = w->shortcuts.Find(key);
  if (unit < 0) return false;
  const bool auto_repeat = (lparam & (LPARAM(1) << 30)) != 0;
  if (unit == 0) {
    // A key of the window's own: its ShortcutKey event.
    auto* top = static_cast<KindObject*>(w->live);
    const uint32_t press = KeyShortcuts::WindowKeyPress(key);
    if (!top || (auto_repeat && w->shortcuts.Pressing(press))) return true;
    w->shortcuts.BeginPress(press);
    top->Raise(definition::WindowEvent::ShortcutKey, 2, ShortcutKeyCode(key),
               (key & kControlHeldKey) ? 1 : 0);
    w->shortcuts.EndPress(press);
    return true;
  }
  auto* button = static_cast<KindObject*>(w->ObjectOf(uint32_t(unit)));
  if (!button || !IsWindowVisible(button->hwnd()) || !IsWindowEnabled(button->hwnd())) return true;
  if (auto_repeat && w->shortcuts.Pressing(uint32_t(unit))) return true;
  w->shortcuts.BeginPress(uint32_t(unit));
  button->Click();
  w->shortcuts.EndPress(uint32_t(unit));  // the window object outlives its windows
  return true;
}

}  // namespace

void RegisterIdleHandler(HWND window, IdleHandler handler, void* argument) {
  if (handler) IdleList().push_back({window, handler, argument});
}
void ForgetIdleHandlers() { IdleList().clear(); }
bool MessageLoopRunning() { return g_loop_running; }

bool PreFilterMessage(MSG* m) {
  using Event = definition::CommonEvent;
  if (m->message < WM_KEYFIRST || (m->message > WM_KEYLAST && m->message < WM_MOUSEFIRST) ||
      m->message > WM_MOUSELAST)
    return false;
  KindObject* target = KindObject::FromWindowOrAncestor(m->hwnd);
  if (!target || !target->window() || RuntimeShuttingDown()) return false;
  const bool keyboard = m->message >= 0x100 && m->message <= 0x108;
  if (keyboard && !IsWindowEnabled(m->hwnd)) return false;
  const int32_t x = int32_t(LOWORD(m->lParam)), y = int32_t(HIWORD(m->lParam));
  switch (m->message) {
    case WM_LBUTTONDOWN: return target->Raise(Event::LeftButtonDown, 3, x, y, KeyState()).refused;
    case WM_LBUTTONUP: return target->Raise(Event::LeftButtonUp, 3, x, y, KeyState()).refused;
    case WM_LBUTTONDBLCLK: return target->Raise(Event::DoubleClick, 3, x, y, KeyState()).refused;
    case WM_RBUTTONDOWN:
      return target->Raise(Event::RightButtonDown, 3, x, y, KeyState()).refused;
    case WM_RBUTTONUP: return target->Raise(Event::RightButtonUp, 3, x, y, KeyState()).refused;
    case WM_MOUSEMOVE: return target->Raise(Event::MouseMove, 3, x, y, KeyState()).refused;
    case WM_MOUSEWHEEL:
      return target
          ->Raise(Event::MouseWheel, 2, int32_t(GET_WHEEL_DELTA_WPARAM(m->wParam)) / WHEEL_DELTA,
                  KeyState())
          .refused;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      const UINT vk = UINT(m->wParam);
      if (target->Raise(Event::KeyDown, 2, int32_t(vk), KeyState()).refused) return true;
      // The handler may have closed the window.
      target = KindObject::FromWindowOrAncestor(m->hwnd);
      if (m->message != WM_KEYDOWN || !target) return false;
      if (WindowKey(target, vk)) return true;
      // Keys named by their virtual-key code press their buttons here (the
      // message is consumed, so no character follows); with Alt held they
      // are other keys, and with Ctrl held only those bound with Ctrl.
      const int32_t keys = KeyState();
      return (keys & 4) == 0 &&
             ShortcutKey(target, VirtualKeyShortcut(vk, (keys & 1) != 0), m->lParam);
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return target->Raise(Event::KeyUp, 2, int32_t(m->wParam), KeyState()).refused;
    case WM_CHAR: {
      EventRecord r =
          RaiseSimpleEvent(int32_t(target->window()->id()), int32_t(target->control_id()),
                           Event::Character, 1, int32_t(m->wParam));
      if (r.result_flag) {
        if (r.result == 0) return true;
        m->wParam = WPARAM(uint32_t(r.result));
      }
      // A typed character presses its button (the handler may have closed
      // the window).
      target = KindObject::FromWindowOrAncestor(m->hwnd);
      return m->wParam >= 0x20 && m->wParam <= 0x7E && target &&
             ShortcutKey(target, TypedCharacterShortcut(uint8_t(m->wParam)), m->lParam);
    }
    default: return false;
  }
}

void DispatchFetchedMessage(MSG* m) {
  if (PreFilterMessage(m)) return;
  TranslateMessage(m);
  DispatchMessageA(m);
}

void PumpWaitingMessages() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) {
    if (m.message == WM_QUIT) return;
    if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) return;
    if (m.message == WM_QUIT) {  // arrived in between: leave it for the loop
      PostQuitMessage(int(m.wParam));
      return;
    }
    DispatchFetchedMessage(&m);
  }
}

void RunWindowMessageLoop() {
  if (!AnyWindowLive()) return;
  g_loop_running = true;
  MSG m;
  for (;;) {
    // Idle work only while nothing waits; then a blocking fetch.
    if (!PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) RunIdleHandlers();
    BOOL got = GetMessageA(&m, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    DispatchFetchedMessage(&m);
  }
  g_loop_running = false;
}

}  // namespace talv
