// Cursor data: system-cursor table and cursor file image directories.
#include "runtime/window/definition/cursor_block_data.h"

namespace talv {

namespace {
uint32_t Word32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Word16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

uint32_t SystemCursorFor(uint32_t value) {
  if (value < 15) return kSystemCursorIds[value];
  for (uint32_t id : kSystemCursorIds)
    if (id != 0 && id == value) return id;
  return 0;
}
}  // namespace

CursorChoice ChooseCursor(const uint8_t* data, size_t size) {
  CursorChoice choice;
  if (data == nullptr || size == 0) return choice;
  uint32_t value = size >= 4 ? Word32(data) : data[0];
  if (value == 0xFFFFFFFFu) {
    if (size > 4) {
      choice.file_image_offset = 4;
      choice.file_image_size = size - 4;
    }
    return choice;
  }
  if (size > 10) {
    choice.file_image_offset = 0;
    choice.file_image_size = size;
  }
  choice.system_cursor = SystemCursorFor(value);
  return choice;
}

bool ReadCursorFileImage(const uint8_t* data, size_t size, CursorFileImage* image) {
  constexpr size_t kHeader = 6, kEntry = 16;
  if (data == nullptr || size < kHeader + kEntry) return false;
  uint16_t reserved = Word16(data), type = Word16(data + 2), count = Word16(data + 4);
  if (reserved != 0 || (type != 1 && type != 2) || count == 0) return false;
  if (size - kHeader < size_t(count) * kEntry) return false;
  const uint8_t* entry = data + kHeader;
  uint32_t length = Word32(entry + 8), offset = Word32(entry + 12);
  if (length == 0 || offset > size || length > size - offset) return false;
  if (offset < kHeader + size_t(count) * kEntry) return false;  // image inside the directory
  int width = entry[0] ? entry[0] : 256, height = entry[1] ? entry[1] : 256;
  if (type == 2) {
    image->hotspot_x = Word16(entry + 4);
    image->hotspot_y = Word16(entry + 6);
  } else {
    image->hotspot_x = uint16_t(width / 2);
    image->hotspot_y = uint16_t(height / 2);
  }
  image->image_offset = offset;
  image->image_size = length;
  return true;
}

}  // namespace talv
