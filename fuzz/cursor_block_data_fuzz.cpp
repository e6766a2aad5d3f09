// Cursor data from kind data and property writes: the choice of cursor and
// the directory of a cursor file image must stay inside the given bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "runtime/window/definition/cursor_block_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  talv::CursorChoice choice = talv::ChooseCursor(data, size);
  if (choice.file_image_size != 0) {
    if (choice.file_image_offset > size || choice.file_image_size > size - choice.file_image_offset)
      std::abort();
    talv::CursorFileImage image;
    const uint8_t* file = data + choice.file_image_offset;
    if (talv::ReadCursorFileImage(file, choice.file_image_size, &image)) {
      if (image.image_offset > choice.file_image_size ||
          image.image_size > choice.file_image_size - image.image_offset || image.image_size == 0)
        std::abort();
      volatile uint8_t last = file[image.image_offset + image.image_size - 1];
      (void)last;
    }
  }
  return 0;
}
