#include "app/tape_merge.h"

namespace talv::app {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// `first` then `second`, with "\r\n" between them when `first` does not end
// a line and both have something.
std::string Join(std::string_view first, std::string_view second) {
  std::string out(first);
  if (!first.empty() && !second.empty() && first.back() != '\n') out += "\r\n";
  out += second;
  return out;
}

}  // namespace

std::string MergeTape(std::string_view base, std::string_view shown, std::string_view tape,
                      std::string_view disk) {
  if (StartsWith(tape, shown)) return Join(disk, tape.substr(shown.size()));
  if (StartsWith(disk, base)) return Join(tape, disk.substr(base.size()));
  return Join(disk, tape);
}

std::string MergeCopies(std::string_view older, std::string_view newer) {
  if (StartsWith(newer, older)) return std::string(newer);
  if (StartsWith(older, newer)) return std::string(older);
  // The shared start, up to the end of its last whole line.
  size_t common = 0;
  const size_t shorter = older.size() < newer.size() ? older.size() : newer.size();
  for (size_t i = 0; i < shorter && older[i] == newer[i]; ++i)
    if (older[i] == '\n') common = i + 1;
  return Join(older, newer.substr(common));
}

}  // namespace talv::app
