// Two instances' tapes joined at a save, and two copies of the tape joined
// at a start, on tapes made of lines as the calculator writes them. The
// input gives the lines of the file both instances loaded, the lines each
// side added since, and which of the loaded lines each side deleted (split
// at 0x00 bytes: base lines, our new lines, their new lines, one byte per
// base line: bit 0 we deleted it, bit 1 they did).
//
// The property, which the merge's code does not restate: every line that
// either side added is in the result, each side's in its order, and so is
// every loaded line that neither side deleted. The same holds for joining
// two copies (MergeCopies): every line of each copy is in the result, in
// that copy's order.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/tape_merge.h"

namespace {

using Lines = std::vector<std::string>;

// The input's part as lines: split at '\n', with '\r' dropped, each line at
// most 40 bytes, beginning with `mark`, so that a line one side added is
// never one it deleted (which no merge could tell apart).
Lines LinesOf(std::string_view part, char mark) {
  Lines lines;
  std::string line(1, mark);
  for (char c : part) {
    if (c == '\n') {
      lines.push_back(line);
      line.assign(1, mark);
    } else if (c != '\r' && line.size() < 40) {
      line += c;
    }
  }
  if (line.size() > 1) lines.push_back(line);
  return lines;
}

std::string Text(const Lines& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

// The lines of a merge's result (every part of it ends its lines with \r\n).
Lines ResultLines(const std::string& out) {
  Lines lines;
  size_t start = 0;
  for (size_t at = out.find("\r\n"); at != std::string::npos; at = out.find("\r\n", start)) {
    lines.push_back(out.substr(start, at - start));
    start = at + 2;
  }
  if (start != out.size()) __builtin_trap();  // every line ends whole
  return lines;
}

// Whether `wanted` stands in `lines` in its order (not necessarily next to
// each other).
bool InOrder(const Lines& wanted, const Lines& lines) {
  size_t i = 0;
  for (const std::string& l : lines)
    if (i < wanted.size() && l == wanted[i]) ++i;
  return i == wanted.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string parts[4];
  int field = 0;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0 && field < 3) ++field;
    else parts[field] += char(data[i]);
  }
  const Lines base = LinesOf(parts[0], 'b');
  const Lines ours_added = LinesOf(parts[1], 'o');
  const Lines theirs_added = LinesOf(parts[2], 't');
  const std::string& deleted = parts[3];

  Lines ours, theirs, kept_by_both;
  for (size_t i = 0; i < base.size(); ++i) {
    const uint8_t d = i < deleted.size() ? uint8_t(deleted[i]) : 0;
    if (!(d & 1)) ours.push_back(base[i]);
    if (!(d & 2)) theirs.push_back(base[i]);
    if (!(d & 3)) kept_by_both.push_back(base[i]);
  }
  ours.insert(ours.end(), ours_added.begin(), ours_added.end());
  theirs.insert(theirs.end(), theirs_added.begin(), theirs_added.end());

  // We loaded `base` (the box showed it whole); now our tape is `ours` and
  // the file, as the other instance saved it, is `theirs`.
  const std::string file = Text(base);
  const Lines out = ResultLines(talv::app::MergeTape(file, file, Text(ours), Text(theirs)));
  if (!InOrder(ours_added, out) || !InOrder(theirs_added, out) || !InOrder(kept_by_both, out))
    __builtin_trap();

  // Two copies of one tape that went apart.
  const Lines joined = ResultLines(talv::app::MergeCopies(Text(ours), Text(theirs)));
  if (!InOrder(ours, joined) || !InOrder(theirs, joined)) __builtin_trap();
  return 0;
}
