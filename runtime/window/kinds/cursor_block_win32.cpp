// Cursors from cursor data.
#include "runtime/window/kinds/cursor_block_win32.h"

#include <cstring>
#include <vector>

#include "runtime/window/definition/cursor_block_data.h"

namespace talv {

namespace {
constexpr int kHandCursorResource = 1032;
}  // namespace

HCURSOR ProgramHandCursor() {
  static HCURSOR hand = [] {
    HCURSOR own = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kHandCursorResource));
    return own ? own : LoadCursorA(nullptr, IDC_HAND);
  }();
  return hand;
}

HCURSOR CursorFromFileImage(const uint8_t* data, size_t size) {
  CursorFileImage image;
  if (!ReadCursorFileImage(data, size, &image)) return nullptr;
  // A cursor resource is the image's bytes after two words of hot spot.
  std::vector<uint8_t> resource(4 + image.image_size);
  std::memcpy(resource.data(), &image.hotspot_x, 2);
  std::memcpy(resource.data() + 2, &image.hotspot_y, 2);
  std::memcpy(resource.data() + 4, data + image.image_offset, image.image_size);
  return reinterpret_cast<HCURSOR>(CreateIconFromResourceEx(
      resource.data(), DWORD(resource.size()), FALSE, 0x00030000, 0, 0, LR_DEFAULTCOLOR));
}

HCURSOR CursorFromData(const void* data, size_t size, bool* owned) {
  *owned = false;
  const auto* bytes = static_cast<const uint8_t*>(data);
  CursorChoice choice = ChooseCursor(bytes, size);
  if (choice.file_image_size != 0) {
    HCURSOR made = CursorFromFileImage(bytes + choice.file_image_offset, choice.file_image_size);
    if (made) {
      *owned = true;
      return made;
    }
  }
  if (choice.system_cursor == 0) return nullptr;
  if (choice.system_cursor == kHandCursorId) return ProgramHandCursor();
  return LoadCursorA(nullptr, MAKEINTRESOURCEA(choice.system_cursor));
}

void ControlCursor::Assign(const void* data, size_t size) {
  bool owned = false;
  HCURSOR made = CursorFromData(data, size, &owned);
  Release();
  handle_ = made;
  owned_ = owned;
}

void ControlCursor::Release() {
  if (handle_ && owned_) DestroyCursor(handle_);
  handle_ = nullptr;
  owned_ = false;
}

}  // namespace talv
