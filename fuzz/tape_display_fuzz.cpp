// What the tape box is given for any file's text: the text itself with
// line breaks put in, no run longer than the limit without one, and no
// double-byte character split by them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/tape_display.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const size_t longest = 1 + data[0] % 16;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string shown = talv::app::BreakLongLines(text, longest);
  // Taking out the breaks that were put in gives the text back: walk both.
  size_t i = 0, run = 0;
  for (size_t j = 0; j < shown.size();) {
    const bool text_break = text.compare(i, 2, "\r\n") == 0;
    const bool shown_break = shown.compare(j, 2, "\r\n") == 0;
    if (text_break && shown_break) {
      i += 2, j += 2, run = 0;
    } else if (shown_break) {
      j += 2, run = 0;  // a break put in
    } else {
      if (i >= text.size()) __builtin_trap();
      const unsigned char c = static_cast<unsigned char>(text[i]);
      const size_t width = c >= 0x81 && c <= 0xFE && i + 1 < text.size() ? 2 : 1;
      if (shown.compare(j, width, text, i, width) != 0) __builtin_trap();
      i += width, j += width, run += width;
      if (run > longest && run > width) __builtin_trap();
    }
  }
  if (i != text.size()) __builtin_trap();
  return 0;
}
