// A window's shortcut keys: keys of the keyboard that press a button of the
// window as a click does. A key is named either by its virtual-key code (a
// key that types nothing, or one that must not depend on the keyboard
// layout: Enter, Backspace, Delete, F9, the number pad's decimal key) or by
// the character it types, whatever the layout puts it on ("+", "7", "=").
// The two are kept apart by a flag bit, since virtual-key codes and
// character codes overlap ('A' is both).
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
inline uint32_t VirtualKeyShortcut(uint32_t virtual_key) { return virtual_key; }
inline uint32_t TypedCharacterShortcut(uint8_t character) { return kTypedCharacterKey | character; }

// The key that a command's key argument names: an integer (byte, short or
// integer) virtual-key code from 1 to 254, or a text of exactly one
// printable ASCII character (0x20 to 0x7E). Anything else names no key.
std::optional<uint32_t> ShortcutKeyArgument(const TypedValue& argument);

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
  void BeginPress(uint32_t unit);
  void EndPress(uint32_t unit);  // an unknown unit is ignored
  bool Pressing(uint32_t unit) const;

 private:
  std::vector<std::pair<uint32_t, uint32_t>> keys_;  // key, unit
  std::vector<uint32_t> pressing_;                   // one entry per press under way
};

}  // namespace talv
