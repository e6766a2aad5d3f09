// Fonts of controls from kind data: a font property holds a LOGFONTA of
// exactly 60 bytes; any other length (an empty block among them) means the
// system's default GUI font. Target only (Win32).
#pragma once

#include <windows.h>

#include <cstddef>

namespace talv {

constexpr size_t kFontBlockSize = 60;
static_assert(sizeof(LOGFONTA) == kFontBlockSize, "a font block is one LOGFONTA");

// A control's font: either a font made from a font block (owned, deleted
// with the object) or the stock DEFAULT_GUI_FONT (never deleted).
class ControlFont {
 public:
  ControlFont() = default;
  ControlFont(const void* block, size_t size) { Assign(block, size); }
  ~ControlFont() { Release(); }
  ControlFont(const ControlFont&) = delete;
  ControlFont& operator=(const ControlFont&) = delete;

  // Replaces the font with one made from `block` (see FontFromBlock).
  void Assign(const void* block, size_t size);
  // The font to select: never null.
  HFONT handle() const;
  bool is_default() const { return owned_ == nullptr; }

 private:
  void Release();
  HFONT owned_ = nullptr;
};

// A new font from a 60-byte LOGFONTA (its face name is cut at 31 bytes, so
// an unterminated name cannot be over-read). Null for any other length or
// when GDI refuses it: the caller then uses DEFAULT_GUI_FONT.
HFONT FontFromBlock(const void* block, size_t size);

}  // namespace talv
