// The browser's open command read from the registry is outside text: the
// fallback command line is built from any bytes without running off them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "runtime/window/kinds/hyperlink_window_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  size_t split = text.find('\n');
  std::string command = text.substr(0, split);
  std::string target = split == std::string::npos ? std::string("http://t/") : text.substr(split + 1);
  std::string line = talv::FallbackOpenCommandLine(command, target);
  if (command.empty() != line.empty()) std::abort();
  if (!line.empty() && line.compare(line.size() - target.size(), target.size(), target) != 0) std::abort();
  talv::HyperlinkTarget(int(size % 3), command, target);
  return 0;
}
