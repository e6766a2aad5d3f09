// Joining two instances' tapes when the other saved first, and two copies
// of the tape found in two places.
#include <gtest/gtest.h>

#include <string>

#include "app/tape_merge.h"

namespace talv::app {
namespace {

TEST(TapeMerge, BothOnlyCalculatedTheirTapeThenOurNewLinesEachOnce) {
  const std::string old = "1+1=2\r\n";
  // A loaded `old` and added 2+2; B loaded `old` too and added 3+3.
  const std::string a = old + "2+2=4\r\n";
  EXPECT_EQ(MergeTape(old, old, old + "3+3=6\r\n", a), a + "3+3=6\r\n");
  // Neither had a file at its start.
  EXPECT_EQ(MergeTape("", "", "3+3=6\r\n", "2+2=4\r\n"), "2+2=4\r\n3+3=6\r\n");
  // Nothing added here: the file stays as the other left it.
  EXPECT_EQ(MergeTape(old, old, old, a), a);
  EXPECT_EQ(MergeTape("", "", "", a), a);
}

TEST(TapeMerge, TheOthersBytesSurviveAsTheyAre) {
  // Bytes the tape box could not show: the base showed only up to the zero.
  const std::string base("5+3=8\r\n\0x\xff", 10);
  const std::string shown = "5+3=8\r\n";
  const std::string disk = base + "\r\n7-1=6\r\n";
  EXPECT_EQ(MergeTape(base, shown, shown + "9×9=81\r\n", disk), disk + "9×9=81\r\n");
}

TEST(TapeMerge, ALineBreakKeepsTheTwoPartsApart) {
  EXPECT_EQ(MergeTape("", "", "2+2=4\r\n", "1+1=2"), "1+1=2\r\n2+2=4\r\n");
  EXPECT_EQ(MergeTape("", "", "2+2=4\r\n", "1+1=2\n"), "1+1=2\n2+2=4\r\n");
}

TEST(TapeMerge, OurUsersEditOfOlderLinesStandsTheOthersNewLinesFollow) {
  const std::string old = "1+1=2\r\n2+2=4\r\n";
  const std::string disk = old + "5×5=25\r\n";
  // The second line deleted here, then 3+3 added.
  EXPECT_EQ(MergeTape(old, old, "1+1=2\r\n3+3=6\r\n", disk), "1+1=2\r\n3+3=6\r\n5×5=25\r\n");
  // Cleared here, then 7+1 added: the clear stands, the other's line stays.
  EXPECT_EQ(MergeTape(old, old, "7+1=8\r\n", disk), "7+1=8\r\n5×5=25\r\n");
  EXPECT_EQ(MergeTape(old, old, "", disk), "5×5=25\r\n");
}

TEST(TapeMerge, BothEditedKeepsBothWholeTheirsFirst) {
  const std::string old = "1+1=2\r\n2+2=4\r\n";
  EXPECT_EQ(MergeTape(old, old, "2+2=4\r\n8-1=7\r\n", "9÷3=3\r\n"),
            "9÷3=3\r\n2+2=4\r\n8-1=7\r\n");
}

TEST(TapeMerge, TwoCopiesWhereOneHoldsTheOtherAreTheLongerOne) {
  EXPECT_EQ(MergeCopies("1+1=2\r\n", "1+1=2\r\n2+2=4\r\n"), "1+1=2\r\n2+2=4\r\n");
  EXPECT_EQ(MergeCopies("1+1=2\r\n2+2=4\r\n", "1+1=2\r\n"), "1+1=2\r\n2+2=4\r\n");
  EXPECT_EQ(MergeCopies("", "3+3=6\r\n"), "3+3=6\r\n");
  EXPECT_EQ(MergeCopies("3+3=6\r\n", "3+3=6\r\n"), "3+3=6\r\n");
}

TEST(TapeMerge, TwoCopiesThatWentApartKeepTheSharedStartOnceAndEveryOtherLine) {
  // Apart from the first line on: the older whole, then the newer whole.
  EXPECT_EQ(MergeCopies("2+2=4\r\n", "1+1=2\r\n"), "2+2=4\r\n1+1=2\r\n");
  // A shared start stands once; a line both added stays twice.
  EXPECT_EQ(MergeCopies("1+1=2\r\n3+3=6\r\n", "1+1=2\r\n4+4=8\r\n"),
            "1+1=2\r\n3+3=6\r\n4+4=8\r\n");
  EXPECT_EQ(MergeCopies("1+1=2\r\n3+3=6\r\n", "1+1=2\r\n3+3=6\r\n"), "1+1=2\r\n3+3=6\r\n");
  // The shared start ends at a whole line: 12+1 and 13+1 share "1", not a line.
  EXPECT_EQ(MergeCopies("12+1=13\r\n", "13+1=14\r\n"), "12+1=13\r\n13+1=14\r\n");
  // Both added 3+3 after 1+1: computed twice, kept twice.
  EXPECT_EQ(MergeCopies("1+1=2\r\n3+3=6\r\n", "1+1=2\r\n4+4=8\r\n3+3=6\r\n"),
            "1+1=2\r\n3+3=6\r\n4+4=8\r\n3+3=6\r\n");
}

}  // namespace
}  // namespace talv::app
