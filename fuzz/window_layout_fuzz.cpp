// The layout file as the tests and the end-to-end driver read it: any text
// is either refused with a reason or read into windows that each have a
// client area and units, and what is read writes back to a text that reads
// the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/window_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace talv::tools;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<WindowLayout> windows;
  std::string error;
  if (!ParseWindowLayouts(text, &windows, &error)) {
    if (error.empty() || !windows.empty()) __builtin_trap();
    return 0;
  }
  for (const WindowLayout& w : windows) {
    if (w.units.empty() || w.client_width < 0 || w.client_height < 0) __builtin_trap();
  }
  const std::string written = FormatWindowLayouts(windows);
  std::vector<WindowLayout> again;
  if (!ParseWindowLayouts(written, &again, &error)) __builtin_trap();
  if (FormatWindowLayouts(again) != written) __builtin_trap();
  return 0;
}
