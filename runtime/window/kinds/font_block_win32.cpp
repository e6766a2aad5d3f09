// Fonts of controls from 60-byte LOGFONTA blocks.
#include "runtime/window/kinds/font_block_win32.h"

#include <cstring>

namespace talv {

HFONT FontFromBlock(const void* block, size_t size) {
  if (block == nullptr || size != kFontBlockSize) return nullptr;
  LOGFONTA font;
  std::memcpy(&font, block, sizeof font);
  font.lfFaceName[LF_FACESIZE - 1] = '\0';
  return CreateFontIndirectA(&font);
}

void ControlFont::Assign(const void* block, size_t size) {
  HFONT made = FontFromBlock(block, size);
  Release();
  owned_ = made;
}

HFONT ControlFont::handle() const {
  return owned_ ? owned_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void ControlFont::Release() {
  if (owned_) DeleteObject(owned_);
  owned_ = nullptr;
}

}  // namespace talv
