// Two instances' tapes joined at a save: arbitrary bytes for the file as
// loaded, the tape as shown then, the tape now and the file now (split at
// the first three 0x00 bytes). Whatever they hold, every byte of the other's
// file and of this tape survives in the result, in one of the three shapes
// MergeTape names.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/tape_merge.h"

namespace {

bool StartsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

// `first`, an optional "\r\n", then `second`, exactly.
bool Joined(const std::string& out, std::string_view first, std::string_view second) {
  if (!StartsWith(out, first)) return false;
  std::string_view rest = std::string_view(out).substr(first.size());
  if (rest == second) return true;
  return StartsWith(rest, "\r\n") && rest.substr(2) == second;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string parts[4];
  int field = 0;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0 && field < 3) ++field;
    else parts[field] += char(data[i]);
  }
  const std::string& base = parts[0];
  const std::string& shown = parts[1];
  const std::string& tape = parts[2];
  const std::string& disk = parts[3];
  const std::string out = talv::app::MergeTape(base, shown, tape, disk);
  bool ok;
  if (StartsWith(tape, shown))
    ok = Joined(out, disk, std::string_view(tape).substr(shown.size()));
  else if (StartsWith(disk, base))
    ok = Joined(out, tape, std::string_view(disk).substr(base.size()));
  else
    ok = Joined(out, disk, tape);
  if (!ok) __builtin_trap();
  return 0;
}
