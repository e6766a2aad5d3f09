// The readout's rhythm for the amounts a user meets: which recording each
// syllable plays and the pause after it.
#include <gtest/gtest.h>

#include "app/readout_schedule.h"

namespace talv::app {
namespace {

using Steps = std::vector<ReadoutStep>;

int TotalMs(const Steps& steps) {
  int total = 0;
  for (const ReadoutStep& s : steps) total += s.pause_ms;
  return total;
}

TEST(ReadoutSchedule, AmountWithJiaoReadsEverySyllable) {
  // 1234.5 with the end mark.
  Steps expected = {{"一", 400}, {"千", 350}, {"二", 400}, {"百", 350}, {"三", 400}, {"十", 350},
                    {"四", 400}, {"元", 300}, {"伍", 300}, {"角", 550}, {"", 450}};
  EXPECT_EQ(ScheduleReadout("一千二百三十四元五角整!", true), expected);
  EXPECT_EQ(TotalMs(expected), 4250);
}

TEST(ReadoutSchedule, TenFollowedByFiveEightOrTwoWaitsLonger) {
  EXPECT_EQ(ScheduleReadout("一十五!", true),
            (Steps{{"一", 400}, {"十", 550}, {"五", 300}, {"", 450}}));
  EXPECT_EQ(ScheduleReadout("八十!", true), (Steps{{"八", 400}, {"十", 550}, {"", 450}}));
  EXPECT_EQ(ScheduleReadout("三十二!", true),
            (Steps{{"三", 400}, {"十", 550}, {"二", 400}, {"", 450}}));
  // A previous 二 does not count; the next character is 元.
  EXPECT_EQ(ScheduleReadout("二十元零五分!", true),
            (Steps{{"二", 400}, {"十", 350}, {"元", 300}, {"零", 400}, {"伍", 300}, {"分", 0},
                   {"", 450}}));
}

TEST(ReadoutSchedule, FiveIsWuOnlyAsTheLastSyllable) {
  EXPECT_EQ(ScheduleReadout("五分!", true), (Steps{{"伍", 300}, {"分", 0}, {"", 450}}));
  EXPECT_EQ(ScheduleReadout("十五", false), (Steps{{"十", 550}, {"五", 300}, {"", 450}}));
  EXPECT_EQ(ScheduleReadout("十五!", true), (Steps{{"十", 550}, {"五", 300}, {"", 450}}));
}

TEST(ReadoutSchedule, LoneDigitPlaysItsOwnRecordingAndEndsEarly) {
  EXPECT_EQ(ScheduleReadout("三", false), (Steps{{"三y", 660}}));
  EXPECT_EQ(ScheduleReadout("十", false), (Steps{{"十y", 660}}));
  EXPECT_EQ(ScheduleReadout("五", false), (Steps{{"五y", 660}}));
  // With the end mark the text is never two bytes long: no lone rule.
  EXPECT_EQ(ScheduleReadout("三!", true), (Steps{{"三", 400}, {"", 450}}));
  // 零 has no lone rule.
  EXPECT_EQ(ScheduleReadout("零", false), (Steps{{"零", 400}, {"", 450}}));
}

TEST(ReadoutSchedule, NegativeAmountsSayFuFirst) {
  EXPECT_EQ(ScheduleReadout("负三!", true), (Steps{{"负", 400}, {"三", 400}, {"", 450}}));
  // -1234.5: 负, then the syllables and pauses of 1234.5.
  Steps expected = {{"负", 400}, {"一", 400}, {"千", 350}, {"二", 400}, {"百", 350},
                    {"三", 400}, {"十", 350}, {"四", 400}, {"元", 300}, {"伍", 300},
                    {"角", 550}, {"", 450}};
  EXPECT_EQ(ScheduleReadout("负一千二百三十四元五角整!", true), expected);
  // 五 looks only at what follows it: last in 负五, inside in 负五角.
  EXPECT_EQ(ScheduleReadout("负五!", true), (Steps{{"负", 400}, {"五", 300}, {"", 450}}));
  EXPECT_EQ(ScheduleReadout("负五", false), (Steps{{"负", 400}, {"五", 300}, {"", 450}}));
  EXPECT_EQ(ScheduleReadout("负五角整!", true),
            (Steps{{"负", 400}, {"伍", 300}, {"角", 550}, {"", 450}}));
  // 十 after 负 keeps its neighbours' rule.
  EXPECT_EQ(ScheduleReadout("负十五", false),
            (Steps{{"负", 400}, {"十", 550}, {"五", 300}, {"", 450}}));
}

TEST(ReadoutSchedule, NoLoneRuleAfterFu) {
  // The lone rule is for a text of exactly one character: with 负 before it
  // a digit (or 十) is one syllable of two, plays its plain recording and
  // the closing pause follows, with or without the end mark.
  EXPECT_EQ(ScheduleReadout("负三", false), (Steps{{"负", 400}, {"三", 400}, {"", 450}}));
  EXPECT_EQ(ScheduleReadout("负十", false), (Steps{{"负", 400}, {"十", 350}, {"", 450}}));
  // 负 alone is no digit: no lone rule either.
  EXPECT_EQ(ScheduleReadout("负", false), (Steps{{"负", 400}, {"", 450}}));
}

TEST(ReadoutSchedule, ResultsThatAreNotAmountsSayTheirWord) {
  EXPECT_EQ(ScheduleReadout("溢出!", true), (Steps{{"溢出", 700}, {"", 450}}));
  EXPECT_EQ(ScheduleReadout("负溢出!", true), (Steps{{"负", 400}, {"溢出", 700}, {"", 450}}));
  EXPECT_EQ(ScheduleReadout("错误!", true), (Steps{{"错误", 700}, {"", 450}}));
  // A word is never lone, and never read in part.
  EXPECT_EQ(ScheduleReadout("溢出", false), (Steps{{"溢出", 700}, {"", 450}}));
  EXPECT_EQ(ScheduleReadout("溢", false), (Steps{{"", 450}}));
  EXPECT_EQ(ScheduleReadout("出错", false), (Steps{{"", 450}}));
}

TEST(ReadoutSchedule, SilentCharactersTakeNoTime) {
  EXPECT_EQ(ScheduleReadout("一亿!", true), (Steps{{"一", 400}, {"", 450}}));
  EXPECT_EQ(ScheduleReadout("", false), (Steps{{"", 450}}));
}

TEST(ReadoutSchedule, OddBytesNeverReadPastTheText) {
  // A lone lead byte at the end, or a stray ASCII byte, is walked over safely.
  EXPECT_EQ(ScheduleReadout("三\xD2", false), (Steps{{"三", 400}, {"", 450}}));
  EXPECT_EQ(ScheduleReadout("!", true), (Steps{{"", 450}}));
  EXPECT_EQ(ScheduleReadout("\xCA", false), (Steps{{"", 450}}));
  // A word cut short (溢 and the lead byte of 出) plays nothing.
  EXPECT_EQ(ScheduleReadout("溢\xB3", false), (Steps{{"", 450}}));
}

TEST(ReadoutSchedule, LeadInFiles) {
  EXPECT_STREQ(LeadInFile(1), "ys");
  EXPECT_STREQ(LeadInFile(2), "ss");
  EXPECT_STREQ(LeadInFile(3), "zh");
  EXPECT_STREQ(LeadInFile(0), "");
  EXPECT_STREQ(LeadInFile(4), "");
}

}  // namespace
}  // namespace talv::app
