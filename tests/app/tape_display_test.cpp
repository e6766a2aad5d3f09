// What the tape box is given: long runs broken into lines the box lays out
// quickly, never inside a double-byte character; ordinary tapes unchanged.
#include <gtest/gtest.h>

#include <string>

#include "app/tape_display.h"

namespace talv::app {
namespace {

TEST(TapeDisplay, OrdinaryTapesAreShownAsTheyAre) {
  EXPECT_EQ(BreakLongLines(""), "");
  EXPECT_EQ(BreakLongLines("5+3=8\r\n2×4=8\r\n"), "5+3=8\r\n2×4=8\r\n");
  const std::string longest(kLongestShownLine, '7');
  EXPECT_EQ(BreakLongLines(longest + "\r\n" + longest), longest + "\r\n" + longest);
}

TEST(TapeDisplay, ALongRunIsBrokenEveryLongestLine) {
  const std::string run(2 * kLongestShownLine + 5, 'z');
  const std::string shown = BreakLongLines(run + "\n\r\n");
  const std::string line(kLongestShownLine, 'z');
  // A lone line feed is no line break for the box: it stays in the run.
  EXPECT_EQ(shown, line + "\r\n" + line + "\r\n" + "zzzzz\n\r\n");
  // 64 KiB in one line become lines of the limit.
  const std::string big = BreakLongLines(std::string(65536, 'z'));
  EXPECT_EQ(big.size(), 65536 + 2 * (65536 / kLongestShownLine - 1));
}

TEST(TapeDisplay, ADoubleByteCharacterIsNeverSplit) {
  // "一" is b'\xd2\xbb' in GBK; one byte of 'a' first puts every character
  // across the limit's boundary.
  std::string run = "a";
  for (int i = 0; i < 300; ++i) run += "\xd2\xbb";
  const std::string shown = BreakLongLines(run, 8);
  size_t start = 0;
  for (size_t at = shown.find("\r\n"); at != std::string::npos; at = shown.find("\r\n", start)) {
    const std::string line = shown.substr(start, at - start);
    EXPECT_LE(line.size(), 8u);
    for (size_t i = line[0] == 'a' ? 1 : 0; i < line.size(); i += 2)
      EXPECT_EQ(line.substr(i, 2), "\xd2\xbb");
    start = at + 2;
  }
  std::string joined;
  for (char c : shown)
    if (c != '\r' && c != '\n') joined += c;
  EXPECT_EQ(joined, run);
}

}  // namespace
}  // namespace talv::app
