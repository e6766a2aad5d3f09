// What the tape box is given to show for the tape's file. A run of more
// than kLongestShownLine bytes without a line break is shown broken into
// lines of that length (at a character boundary of the GBK text): the
// system's edit box lays out one long line in time that grows with the
// square of its length (a 64 KiB line took minutes), while no line that the
// calculator writes comes near the limit. Portable.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace talv::app {

constexpr size_t kLongestShownLine = 256;

// `text` with "\r\n" put into every run of more than `longest` bytes that
// holds no "\r\n"; a double-byte character is never split.
std::string BreakLongLines(std::string_view text, size_t longest = kLongestShownLine);

}  // namespace talv::app
