#include "app/tape_display.h"

namespace talv::app {

std::string BreakLongLines(std::string_view text, size_t longest) {
  std::string out;
  out.reserve(text.size());
  size_t run = 0;  // bytes since the last line break
  for (size_t i = 0; i < text.size();) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += "\r\n";
      i += 2;
      run = 0;
      continue;
    }
    // A lead byte and its trail byte stay together.
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const size_t width = c >= 0x81 && c <= 0xFE && i + 1 < text.size() ? 2 : 1;
    if (run + width > longest && run > 0) {
      out += "\r\n";
      run = 0;
    }
    out.append(text.substr(i, width));
    run += width;
    i += width;
  }
  return out;
}

}  // namespace talv::app
