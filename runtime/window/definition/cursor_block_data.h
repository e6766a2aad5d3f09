// Reading cursor data (the mouse-cursor property of controls and the
// cursor-typed properties): which cursor a block of bytes asks for, and the
// layout of a cursor file image. Portable: no window functions.
#pragma once

#include <cstddef>
#include <cstdint>

namespace talv {

// The system cursor numbers that cursor data may name (IDC_ARROW …
// IDC_HAND), indexed by the small cursor values 1 to 14; 0 is the default.
constexpr uint32_t kSystemCursorIds[15] = {0,     32512, 32515, 32513, 32514, 32651, 32650, 32648,
                                           32646, 32643, 32645, 32642, 32644, 32516, 32649};
constexpr uint32_t kHandCursorId = 32649;

// What a block of cursor data asks for. Try the steps in order: when
// `file_image_size` is not 0, the bytes at `file_image_offset` are a cursor
// file image to load; when that fails (or there is none), `system_cursor`
// names a system cursor (0: the default cursor).
struct CursorChoice {
  size_t file_image_offset = 0;
  size_t file_image_size = 0;
  uint32_t system_cursor = 0;
};

// Empty data: the default. The value is the first 32-bit little-endian word
// (the first byte when there are fewer than 4 bytes). −1: the bytes after
// the first word are a cursor file image. Data longer than 10 bytes with any
// other value: the whole data is tried as a file image first. A value 0–14
// indexes kSystemCursorIds; a larger value must itself be one of those
// numbers; anything else is the default.
CursorChoice ChooseCursor(const uint8_t* data, size_t size);

// One image of a cursor (or icon) file image, as the directory describes it.
struct CursorFileImage {
  uint16_t hotspot_x = 0, hotspot_y = 0;
  size_t image_offset = 0;  // of the image's bytes within the file image
  size_t image_size = 0;
};

// Reads the directory of a CUR (type 2) or ICO (type 1) file image and gives
// its first image; false when the header, the count or the image's extent
// does not fit in `size` bytes. An icon's hot spot is its centre.
bool ReadCursorFileImage(const uint8_t* data, size_t size, CursorFileImage* image);

}  // namespace talv
