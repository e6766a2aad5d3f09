// A window's shortcut keys: keys of the keyboard that press a button of the
// window as a click does. A key is named either by its virtual-key code (a
// key that types nothing, or one that must not depend on the keyboard
// layout: Enter, Backspace, Delete, F9, the number pad's decimal key) or by
// the character it types, whatever the layout puts it on ("+", "7", "=").
// The two are kept apart by a flag bit, since virtual-key codes and
// character codes overlap ('A' is both). A key named by its code may be
// bound with Ctrl held (Ctrl+Delete), another flag bit; without it, a key
// held with Ctrl or Alt is another key.
//
// A key presses a button of the window, or, bound to the window unit
// itself (unit 0), raises the window's ShortcutKey event: a key that no
// button stands for (Delete clears the entry, F2 reads it again).
//
// The table also knows which buttons are being pressed right now, so that a
// held key's auto-repeat does not press a button again inside its own
// handler (see Pressing). Portable: the message pre-filter of the target
// consults it.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "runtime/core/typed_value.h"

namespace talv {

constexpr uint32_t kTypedCharacterKey = 0x10000;
constexpr uint32_t kControlHeldKey = 0x20000;
inline uint32_t VirtualKeyShortcut(uint32_t virtual_key, bool control = false) {
  return virtual_key | (control ? kControlHeldKey : 0);
}
inline uint32_t TypedCharacterShortcut(uint8_t character) { return kTypedCharacterKey | character; }
// The code that a key's handler is given: the virtual-key code, or the
// typed character.
inline int32_t ShortcutKeyCode(uint32_t key) { return int32_t(key & 0xFFFF); }

// The key that a command's key argument names: an integer (byte, short or
// integer) virtual-key code from 1 to 254, or a text of exactly one
// printable ASCII character (0x20 to 0x7E). `control`, a logical (or
// omitted: false), binds a key named by its code with Ctrl held; a typed
// character cannot be. Anything else names no key.
std::optional<uint32_t> ShortcutKeyArgument(const TypedValue& argument,
                                            const TypedValue& control = TypedValue{});

class KeyShortcuts {
 public:
  // `key` presses `unit` from now on (an earlier binding of the key is
  // replaced; several keys may press one unit).
  void Set(uint32_t key, uint32_t unit);
  // The unit that `key` presses, or -1.
  int32_t Find(uint32_t key) const;
  // Forgets every binding and every press under way (a window load).
  void Clear();

  // Presses under way: from the start of a unit's press until its handler
  // returned. Presses may nest (a handler that waits lets further keys in).
  // A key bound to the window unit counts as a press of its own,
  // WindowKeyPress(key), so that one window key does not hold back another.
  static uint32_t WindowKeyPress(uint32_t key) { return 0x80000000u | key; }
  void BeginPress(uint32_t unit);
  void EndPress(uint32_t unit);  // an unknown unit is ignored
  bool Pressing(uint32_t unit) const;

 private:
  std::vector<std::pair<uint32_t, uint32_t>> keys_;  // key, unit
  std::vector<uint32_t> pressing_;                   // one entry per press under way
};

}  // namespace talv
