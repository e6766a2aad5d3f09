// The Main window's readable description and the files it names, compiled
// in (target talv_main_window_description) so that tests on every platform
// can parse the description themselves and compare it with the built segment.
#pragma once

#include <cstddef>
#include <cstdint>

namespace talv {

struct DescriptionFile {
  const char* name;  // as the description names it, e.g. "pictures/sound_on.bmp"
  const uint8_t* data;
  size_t size;
};

const char* MainWindowDescriptionText();  // UTF-8, as in resources/main_window.txt
size_t MainWindowDescriptionSize();
const DescriptionFile* MainWindowDescriptionFiles();
size_t MainWindowDescriptionFileCount();

}  // namespace talv
