// Window and edit-box commands: the component whose event is being
// handled, event forwarding, shortcut keys, letting waiting messages through, focus,
// immediate repaint, moving and sizing, appending to an edit box and the
// window handle. A component is a reference: Window id in the low word,
// Control id (0 or the window unit's id: the window itself) in the high
// word, the kind's code as the Type code. Target only (defined in
// window_commands_win32.cpp).
#pragma once

#include "runtime/core/typed_value.h"

namespace talv {

// () -> reference to the unit that raised the event being handled (before
// any forwarding). Outside a handler: runtime error
// "“取事件组件”命令只能在事件处理子程序中使用".
void GetEventComponent(TypedValue* result, int32_t count, TypedValue* args);
// (component, optional target component) -> logical. Without a target the
// component's forwarding is cleared; with the window itself as component
// every forwarding of the window is cleared. A target of another window or
// kind, a missing unit, or a chain that would lead back into itself gives
// false and changes nothing.
void SetEventForwarding(TypedValue* result, int32_t count, TypedValue* args);
// (Button or window, key, [with Ctrl]) -> logical: from now on the key
// presses the Button while its window has the keyboard and the focus is on
// no control that takes typing, exactly as a click does (the same click
// event, forwarding included). Given the window itself (its window unit),
// the key raises the window's ShortcutKey event instead, with the key's
// code and 1 when Ctrl was held. The key is an integer virtual-key code
// (1 to 254) or a text of one printable ASCII character, the character that
// a key types ("+", "7"). A key named by its code counts without Ctrl and
// Alt, or, with the third argument true, with Ctrl held and without Alt. A
// key set again presses the newer target. False, and nothing changed, for
// a component that is neither a Button nor the window unit of a loaded
// window, or a key that names none. The keys last until the window is
// loaded again.
void SetShortcutKey(TypedValue* result, int32_t count, TypedValue* args);
// () : dispatches the messages waiting in the queue (not WM_QUIT).
void ProcessEvents(TypedValue* result, int32_t count, TypedValue* args);
// (component) : keyboard focus.
void SetInputFocus(TypedValue* result, int32_t count, TypedValue* args);
// (component) : paints the pending invalid area now.
void RepaintNow(TypedValue* result, int32_t count, TypedValue* args);
// (component, optional integers left, top, width, height): an omitted value
// (or a width or height of -1) keeps the current one; nothing happens when
// the geometry would not change.
void MoveComponent(TypedValue* result, int32_t count, TypedValue* args);
// (edit box, text...) : each text at the end of the content, the caret
// scrolled to it, whatever was selected.
void AppendText(TypedValue* result, int32_t count, TypedValue* args);
// (component) -> integer: the component's window handle.
void GetWindowHandle(TypedValue* result, int32_t count, TypedValue* args);

}  // namespace talv
