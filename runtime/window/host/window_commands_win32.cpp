#include <windows.h>

#include <optional>
#include <cstring>

#include "runtime/core/argument_access.h"
#include "runtime/window/host/window_commands.h"
#include "runtime/core/runtime_error.h"
#include "runtime/window/model/event_dispatch.h"
#include "runtime/window/model/key_shortcuts.h"
#include "runtime/window/kinds/kind_object_win32.h"
#include "runtime/window/host/window_runtime_win32.h"

namespace talv {
namespace {

// A window or control kind: a library type (category 00), not an array.
bool IsComponentType(uint32_t type) {
  return type != 0 && (type & TypeCode::CategoryMask) == 0 && !TypeCode::IsArray(type);
}

HWND Resolve(int32_t count, TypedValue* args) {
  TypedValue c = args::At(count, args, 0);
  return RequireLiveObject(int32_t(c.lo), int32_t(c.hi))->hwnd();
}

}  // namespace

void GetEventComponent(TypedValue* result, int32_t, TypedValue*) {
  EventSource source = CurrentEventSource();
  WindowObject* w = source.window ? FindWindowObject(uint32_t(source.window)) : nullptr;
  int32_t unit = w ? w->FindUnit(uint32_t(source.control)) : -1;
  if (unit < 0)
    RaiseRuntimeError(0, "“取事件组件”命令只能在事件处理子程序中使用", 0, 0);
  result->lo = uint32_t(source.window);
  result->hi = uint32_t(source.control);
  result->type = w->units[size_t(unit)].kind_word;
}

void SetEventForwarding(TypedValue* result, int32_t count, TypedValue* args) {
  *result = BoolValue(false);
  TypedValue from = args::At(count, args, 0);
  if (!IsComponentType(from.type)) return;
  WindowObject* w = FindWindowObject(from.lo);
  if (!w || !w->IsLive()) return;
  int32_t unit = w->FindUnit(from.hi);
  if (unit == 0) {
    ClearForwarding(*w);
    *result = BoolValue(true);
    return;
  }
  if (unit < 0) return;
  TypedValue to = args::At(count, args, 1);
  if (IsOmitted(to)) {
    *result = BoolValue(SetForwarding(*w, uint32_t(unit), 0));
    return;
  }
  if (!IsComponentType(to.type) || to.lo != from.lo || to.hi == 0) return;
  *result = BoolValue(SetForwarding(*w, uint32_t(unit), to.hi));
}

void SetShortcutKey(TypedValue* result, int32_t count, TypedValue* args) {
  *result = BoolValue(false);
  const TypedValue button = args::At(count, args, 0);
  if (!IsComponentType(button.type)) return;
  WindowObject* w = FindWindowObject(button.lo);
  if (!w || !w->IsLive()) return;
  // A Button, or the window unit (unit 0): a key of the window's own.
  const int32_t unit = w->FindUnit(button.hi);
  if (unit < 0 ||
      (unit > 0 && w->units[size_t(unit)].kind_word != definition::ButtonKind::kKindWord))
    return;
  const std::optional<uint32_t> key =
      ShortcutKeyArgument(args::At(count, args, 1), args::At(count, args, 2));
  if (!key) return;
  w->shortcuts.Set(*key, uint32_t(unit));
  *result = BoolValue(true);
}

void ProcessEvents(TypedValue*, int32_t, TypedValue*) { PumpWaitingMessages(); }

void SetInputFocus(TypedValue*, int32_t count, TypedValue* args) { SetFocus(Resolve(count, args)); }

void RepaintNow(TypedValue*, int32_t count, TypedValue* args) { UpdateWindow(Resolve(count, args)); }

void MoveComponent(TypedValue*, int32_t count, TypedValue* args) {
  HWND window = Resolve(count, args);
  RECT old;
  GetWindowRect(window, &old);
  HWND parent = GetParent(window);
  if (parent && !(GetWindowLongA(window, GWL_STYLE) & WS_POPUP))
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&old), 2);
  RECT r = old;
  const int32_t width = old.right - old.left, height = old.bottom - old.top;
  if (args::Present(count, args, 1)) {
    r.left = args::Integer(args[1]);
    r.right = r.left + width;
  }
  if (args::Present(count, args, 2)) {
    r.top = args::Integer(args[2]);
    r.bottom = r.top + height;
  }
  if (args::Present(count, args, 3) && args::Integer(args[3]) != -1)
    r.right = r.left + args::Integer(args[3]);
  if (args::Present(count, args, 4) && args::Integer(args[4]) != -1)
    r.bottom = r.top + args::Integer(args[4]);
  if (EqualRect(&r, &old)) return;
  MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void AppendText(TypedValue*, int32_t count, TypedValue* args) {
  HWND box = Resolve(count, args);
  for (int32_t i = 1; i < count; ++i) {
    const char* text = args::Text(args[i]);
    if (!text) text = "";
    const WPARAM end = WPARAM(GetWindowTextLengthA(box));
    SendMessageA(box, EM_SETSEL, end, LPARAM(end));
    SendMessageA(box, EM_SCROLLCARET, 0, 0);
    // The box's typing limit binds what the user types, not what a handler
    // appends: the limit makes room for the text and is then put back
    // (a text already longer than the limit stays as it is).
    const WPARAM limit = WPARAM(SendMessageA(box, EM_GETLIMITTEXT, 0, 0));
    const WPARAM needed = end + WPARAM(strlen(text));
    const bool widen = needed > limit;
    if (widen) SendMessageA(box, EM_LIMITTEXT, needed, 0);
    SendMessageA(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
    if (widen) SendMessageA(box, EM_LIMITTEXT, limit, 0);
  }
}

void GetWindowHandle(TypedValue* result, int32_t count, TypedValue* args) {
  *result = IntValue(int32_t(reinterpret_cast<intptr_t>(Resolve(count, args))));
}

}  // namespace talv
