// The spoken readout on a virtual clock: which recordings are asked for and
// when, for the amounts of the equals key, and the pause that lets events in.
#include <gtest/gtest.h>

#include <cmath>

#include "app/calculator_state.h"
#include "app/handlers.h"
#include "tests/app/fake_main_window.h"

namespace talv::app {
namespace {

using testing::FakeMainWindow;

struct Onset {
  int64_t at;
  std::string name;
  bool operator==(const Onset& o) const { return at == o.at && name == o.name; }
};
std::ostream& operator<<(std::ostream& os, const Onset& o) { return os << o.at << ":" << o.name; }

class SpokenReadout : public ::testing::Test {
 protected:
  // Speaks `number` with the end mark; the onsets relative to the start and
  // the total time.
  std::vector<Onset> Speak(double number, int64_t* total, int32_t lead_in = 0,
                           bool end_mark = true) {
    const int64_t start = window.now_ms;
    SpeakNumber(number, lead_in, end_mark);
    *total = window.now_ms - start;
    std::vector<Onset> onsets;
    const auto names = window.SoundNames();
    for (size_t i = 0; i < names.size(); ++i)
      onsets.push_back({window.sounds[i].at_ms - start, names[i]});
    return onsets;
  }
  FakeMainWindow window;
};

TEST_F(SpokenReadout, AmountWithJiaoFollowsTheSyllablePauses) {
  int64_t total = 0;
  EXPECT_EQ(Speak(1234.5, &total),
            (std::vector<Onset>{{0, "一"}, {400, "千"}, {750, "二"}, {1150, "百"},
                                {1500, "三"}, {1900, "十"}, {2250, "四"}, {2650, "元"},
                                {2950, "伍"}, {3250, "角"}}));
  EXPECT_EQ(total, 3800 + 450);
}

TEST_F(SpokenReadout, WholeAmountsLoseYuanZheng) {
  int64_t total = 0;
  EXPECT_EQ(Speak(15, &total), (std::vector<Onset>{{0, "一"}, {400, "十"}, {950, "五"}}));
  EXPECT_EQ(total, 400 + 550 + 300 + 450);
  window.sounds.clear();
  EXPECT_EQ(Speak(10, &total), (std::vector<Onset>{{0, "一"}, {400, "十"}}));
  EXPECT_EQ(total, 400 + 350 + 450);
  window.sounds.clear();
  EXPECT_EQ(Speak(3, &total), (std::vector<Onset>{{0, "三"}}));
  EXPECT_EQ(total, 850);
  window.sounds.clear();
  EXPECT_EQ(Speak(0, &total), (std::vector<Onset>{{0, "零"}}));
  EXPECT_EQ(total, 850);
}

TEST_F(SpokenReadout, FenAndNegativeAmounts) {
  int64_t total = 0;
  EXPECT_EQ(Speak(0.05, &total), (std::vector<Onset>{{0, "伍"}, {300, "分"}}));
  EXPECT_EQ(total, 750);
  window.sounds.clear();
  EXPECT_EQ(Speak(20.05, &total),
            (std::vector<Onset>{{0, "二"}, {400, "十"}, {750, "元"}, {1050, "零"},
                                {1450, "伍"}, {1750, "分"}}));
  EXPECT_EQ(total, 2200);
  window.sounds.clear();
  EXPECT_EQ(Speak(-3, &total), (std::vector<Onset>{{0, "负"}, {400, "三"}}));
  EXPECT_EQ(total, 400 + 400 + 450);
  window.sounds.clear();
  EXPECT_EQ(Speak(-0.05, &total), (std::vector<Onset>{{0, "负"}, {400, "伍"}, {700, "分"}}));
  EXPECT_EQ(total, 400 + 300 + 450);
  // Below half a fen the amount is 零, without a sign.
  window.sounds.clear();
  EXPECT_EQ(Speak(-0.004, &total), (std::vector<Onset>{{0, "零"}}));
  window.sounds.clear();
  EXPECT_EQ(Speak(-0.0, &total), (std::vector<Onset>{{0, "零"}}));
}

TEST_F(SpokenReadout, NumbersThatAreNotAmountsSayTheirWord) {
  int64_t total = 0;
  // Beyond the largest amount, and the infinities: 溢出, with its sign.
  EXPECT_EQ(Speak(1e13, &total), (std::vector<Onset>{{0, "溢出"}}));
  EXPECT_EQ(total, 700 + 450);
  window.sounds.clear();
  EXPECT_EQ(Speak(-1e13, &total), (std::vector<Onset>{{0, "负"}, {400, "溢出"}}));
  EXPECT_EQ(total, 400 + 700 + 450);
  window.sounds.clear();
  EXPECT_EQ(Speak(INFINITY, &total), (std::vector<Onset>{{0, "溢出"}}));
  window.sounds.clear();
  EXPECT_EQ(Speak(-INFINITY, &total), (std::vector<Onset>{{0, "负"}, {400, "溢出"}}));
  window.sounds.clear();
  EXPECT_EQ(Speak(NAN, &total), (std::vector<Onset>{{0, "错误"}}));
  EXPECT_EQ(total, 700 + 450);
  // The largest amount is still read out: 9999999999999.99 has 29 syllables
  // (亿 is silent).
  window.sounds.clear();
  EXPECT_EQ(Speak(9999999999999.99, &total).size(), 29u);
}

TEST_F(SpokenReadout, LoneDigitWithoutEndMarkPlaysItsOwnRecording) {
  int64_t total = 0;
  EXPECT_EQ(Speak(3, &total, 0, false), (std::vector<Onset>{{0, "三y"}}));
  EXPECT_EQ(total, 660);
  window.sounds.clear();
  EXPECT_EQ(Speak(10, &total, 0, false), (std::vector<Onset>{{0, "十y"}}));
}

TEST_F(SpokenReadout, LeadInComesFirstWithItsPause) {
  int64_t total = 0;
  EXPECT_EQ(Speak(3, &total, 2), (std::vector<Onset>{{0, "ss"}, {1000, "三"}}));
}

TEST_F(SpokenReadout, SoundOffKeepsTheTimingAndAddressesNoSound) {
  SetBaseDirectory("12345");
  int64_t total = 0;
  Speak(1234.5, &total);
  EXPECT_EQ(total, 4250);
  for (const auto& s : window.sounds) EXPECT_EQ(s.path.rfind("12345\\wav\\", 0), 0u) << s.path;
}

TEST_F(SpokenReadout, TimeTakenToStartSoundsDoesNotAddUp) {
  window.play_cost_ms = 25;
  int64_t total = 0;
  const auto onsets = Speak(1234.5, &total);
  ASSERT_EQ(onsets.size(), 10u);
  EXPECT_EQ(onsets[9].at, 3250);
  EXPECT_EQ(total, 4250);
  // The equals key's half second, too, runs from the start of its sound.
  window.sounds.clear();
  window.PressAll({"C", "5", "+", "3"});
  const size_t before = window.sounds.size();
  window.Press("=");
  EXPECT_EQ(window.sounds[before + 1].at_ms - window.sounds[before].at_ms, 500);
}

TEST_F(SpokenReadout, NestedReadoutThenTheFirstResumesWithItsPauses) {
  // 200 ms into the readout of 15, the equals key runs a readout of 3.
  window.SetEntry("3");
  window.pending.push_back({window.now_ms + 200, [] { SpeakNumber(3, 0, true); }});
  int64_t total = 0;
  const auto onsets = Speak(15, &total);
  // 一, then the nested 三 and its 850 ms, then 十 and 五 with their pauses.
  ASSERT_EQ(onsets.size(), 4u);
  EXPECT_EQ(onsets[1].name, "三");
  EXPECT_EQ(onsets[2].name, "十");
  EXPECT_EQ(onsets[3].name, "五");
  EXPECT_EQ(onsets[3].at - onsets[2].at, 550);
}

TEST_F(SpokenReadout, WaitLetsPendingEventsRunAndEndsAtOnceForNothing) {
  int ran = 0;
  window.pending.push_back({window.now_ms + 100, [&] { ++ran; }});
  const int64_t start = window.now_ms;
  WaitMilliseconds(300);
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(window.now_ms - start, 300);
  WaitMilliseconds(0);
  WaitMilliseconds(-5);
  EXPECT_EQ(window.now_ms - start, 300);
}

// The equals key reads what the Entry box shows once the result is there:
// the sign, and the words for results that are not amounts, on the rhythm
// of the readout.
class EqualsReadout : public SpokenReadout {
 protected:
  // Presses `keys` after C, then =; the onsets after 等于, relative to it,
  // and the time from 等于 to the end of the readout.
  std::vector<Onset> Equals(const std::vector<std::string>& keys, int64_t* total) {
    window.Press("C");
    window.PressAll(keys);
    const size_t before = window.sounds.size();
    window.Press("=");
    const auto names = window.SoundNames(before);
    EXPECT_FALSE(names.empty());
    if (names.empty()) return {};
    EXPECT_EQ(names[0], "等于");
    const int64_t equals = window.sounds[before].at_ms;
    *total = window.now_ms - equals;
    std::vector<Onset> onsets;
    for (size_t i = 1; i < names.size(); ++i)
      onsets.push_back({window.sounds[before + i].at_ms - equals, names[i]});
    return onsets;
  }
};

TEST_F(EqualsReadout, NegativeResultSaysFuFirst) {
  int64_t total = 0;
  EXPECT_EQ(Equals({"5", "-", "8"}, &total), (std::vector<Onset>{{500, "负"}, {900, "三"}}));
  EXPECT_EQ(window.Entry(), "-3");
  EXPECT_EQ(total, 500 + 400 + 400 + 450);
  // -1234.5, typed and signed: 负, then 1234.5 on its own rhythm.
  EXPECT_EQ(Equals({"1", "2", "3", "4", ".", "5", "+/-"}, &total),
            (std::vector<Onset>{{500, "负"}, {900, "一"}, {1300, "千"}, {1650, "二"},
                                {2050, "百"}, {2400, "三"}, {2800, "十"}, {3150, "四"},
                                {3550, "元"}, {3850, "伍"}, {4150, "角"}}));
  EXPECT_EQ(total, 500 + 400 + 3800 + 450);
}

TEST_F(EqualsReadout, InfinitySaysOverflowNeverOne) {
  int64_t total = 0;
  EXPECT_EQ(Equals({"5", "/", "0"}, &total), (std::vector<Onset>{{500, "溢出"}}));
  EXPECT_EQ(window.Entry(), "1.#INF");
  EXPECT_EQ(total, 500 + 700 + 450);
  // Dividing by -0 gives the negative infinity.
  EXPECT_EQ(Equals({"5", "/", "0", "+/-"}, &total),
            (std::vector<Onset>{{500, "负"}, {900, "溢出"}}));
  EXPECT_EQ(window.Entry(), "-1.#INF");
  EXPECT_EQ(total, 500 + 400 + 700 + 450);
}

TEST_F(EqualsReadout, NotANumberSaysError) {
  int64_t total = 0;
  // The second − makes the running result 5 − 5 = 0, ÷ turns it into 0 ÷ 0,
  // the indefinite NaN, and = divides that by 0 again.
  EXPECT_EQ(Equals({"5", "-", "5", "-", "/", "0"}, &total),
            (std::vector<Onset>{{500, "错误"}}));
  EXPECT_EQ(window.Entry(), "-1.#IND");
  EXPECT_EQ(total, 500 + 700 + 450);
  // 0 ÷ 0 computes nothing: a first operand of 0 counts as none, so = takes
  // the 0 shown and reads it.
  EXPECT_EQ(Equals({"0", "/", "0"}, &total), (std::vector<Onset>{{500, "零"}}));
  EXPECT_EQ(window.Entry(), "0");
}

TEST_F(EqualsReadout, ResultTooLargeForAnAmountSaysOverflow) {
  int64_t total = 0;
  // 9999999 × 9999999 = 99999980000001, beyond the largest amount.
  EXPECT_EQ(Equals({"9", "9", "9", "9", "9", "9", "9", "*", "9", "9", "9", "9", "9", "9", "9"},
                   &total),
            (std::vector<Onset>{{500, "溢出"}}));
  EXPECT_EQ(window.Entry(), "9.999998e+013");
  EXPECT_EQ(total, 500 + 700 + 450);
  EXPECT_EQ(Equals({"9", "9", "9", "9", "9", "9", "9", "+/-", "*", "9", "9", "9", "9", "9",
                    "9", "9"},
                   &total),
            (std::vector<Onset>{{500, "负"}, {900, "溢出"}}));
}

TEST_F(EqualsReadout, AnEditedMarkIsReadAsShown) {
  int64_t total = 0;
  // The result stays in the Entry box after =; = reads the text as the sign
  // key or the backspace key left it.
  Equals({"5", "/", "0"}, &total);
  window.Press("+/-");
  EXPECT_EQ(window.Entry(), "-1.#INF");
  size_t before = window.sounds.size();
  window.Press("=");
  EXPECT_EQ(window.SoundNames(before), (std::vector<std::string>{"等于", "负", "溢出"}));
  // What backspace leaves of a mark shows no number.
  Equals({"5", "/", "0"}, &total);
  window.Press("<-");
  EXPECT_EQ(window.Entry(), "1.#IN");
  before = window.sounds.size();
  window.Press("=");
  EXPECT_EQ(window.SoundNames(before), (std::vector<std::string>{"等于", "错误"}));
}

TEST_F(SpokenReadout, EqualsWaitsHalfASecondBeforeReading) {
  window.PressAll({"5", "+", "3"});
  const size_t before = window.sounds.size();
  window.Press("=");
  ASSERT_EQ(window.sounds.size(), before + 2);
  EXPECT_EQ(window.sounds[before + 1].at_ms - window.sounds[before].at_ms, 500);
}

}  // namespace
}  // namespace talv::app
