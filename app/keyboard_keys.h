// The keyboard's keys and what they press, as one table. A key press does
// what a click on its button does: start-up makes each key a shortcut key
// of its button (SetShortcutKey), and the window runtime raises the
// button's click event for it, through the same dispatch as a click. The
// keys that no button stands for are bound to the window itself and reach
// PressWindowKey: Delete clears the Entry box (as Clear Entry does on other
// desktop calculators), while emptying the tape takes a deliberate chord,
// Ctrl+Delete, which presses 清除; F2 reads the Entry box aloud again, as
// it shows now, by the equals key's rules (without 等于).
#pragma once

#include <cstddef>
#include <cstdint>

namespace talv::app {

struct KeyboardKey {
  const char* typed;    // the character the key types ("+", "7"), whatever the layout; or null
  int32_t virtual_key;  // for a key named by its virtual-key code: that code
  bool control;         // a key named by its code that counts with Ctrl held
  int32_t target;       // the Control id of the button it presses, or kWindowUnit
};

// Virtual-key codes of the keys named by their code (the system's values).
namespace virtual_key {
constexpr int32_t kBackspace = 0x08, kEnter = 0x0D, kDelete = 0x2E,
                  kNumberPadDecimal = 0x6E, kF2 = 0x71, kF9 = 0x78;
}  // namespace virtual_key

extern const KeyboardKey kKeyboardKeys[];
extern const size_t kKeyboardKeyCount;

// Start-up: every key of the table becomes a shortcut key of its button or
// of the window.
void BindKeyboardKeys();

}  // namespace talv::app
