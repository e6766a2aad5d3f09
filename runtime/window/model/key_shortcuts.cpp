#include "runtime/window/model/key_shortcuts.h"

#include <algorithm>

namespace talv {

std::optional<uint32_t> ShortcutKeyArgument(const TypedValue& argument, const TypedValue& control) {
  bool with_control = false;
  if (control.type == TypeCode::Bool) with_control = AsBool(control);
  else if (!IsOmitted(control)) return std::nullopt;
  switch (argument.type) {
    case TypeCode::Byte:
    case TypeCode::Short:
    case TypeCode::Int: {
      const int32_t code = argument.type == TypeCode::Byte    ? int32_t(argument.lo & 0xFF)
                           : argument.type == TypeCode::Short ? int32_t(int16_t(argument.lo))
                                                              : AsInt(argument);
      if (code < 1 || code > 254) return std::nullopt;
      return VirtualKeyShortcut(uint32_t(code), with_control);
    }
    case TypeCode::Text: {
      const char* text = AsText(argument);
      if (!text || !text[0] || text[1]) return std::nullopt;
      const uint8_t c = uint8_t(text[0]);
      if (c < 0x20 || c > 0x7E || with_control) return std::nullopt;
      return TypedCharacterShortcut(c);
    }
    default: return std::nullopt;
  }
}

void KeyShortcuts::Set(uint32_t key, uint32_t unit) {
  for (auto& entry : keys_) {
    if (entry.first == key) {
      entry.second = unit;
      return;
    }
  }
  keys_.emplace_back(key, unit);
}

int32_t KeyShortcuts::Find(uint32_t key) const {
  for (const auto& entry : keys_)
    if (entry.first == key) return int32_t(entry.second);
  return -1;
}

void KeyShortcuts::Clear() {
  keys_.clear();
  pressing_.clear();
}

void KeyShortcuts::BeginPress(uint32_t unit) { pressing_.push_back(unit); }

void KeyShortcuts::EndPress(uint32_t unit) {
  auto it = std::find(pressing_.begin(), pressing_.end(), unit);
  if (it != pressing_.end()) pressing_.erase(it);
}

bool KeyShortcuts::Pressing(uint32_t unit) const {
  return std::find(pressing_.begin(), pressing_.end(), unit) != pressing_.end();
}

}  // namespace talv
