// The calculator's keys driven through the gates against a stand-in window:
// what the Entry box and the tape show, and which sounds are asked for.
#include <gtest/gtest.h>

#include <cmath>

#include "app/app_text.h"
#include "app/calculator_state.h"
#include "app/handlers.h"
#include "tests/app/fake_main_window.h"

namespace talv::app {
namespace {

using testing::FakeMainWindow;
using Names = std::vector<std::string>;

class CalculatorKeys : public ::testing::Test {
 protected:
  FakeMainWindow window;
};

TEST_F(CalculatorKeys, FivePlusThreeEqualsEight) {
  window.PressAll({"5", "+", "3", "="});
  EXPECT_EQ(window.Entry(), "8");
  EXPECT_EQ(window.Tape(), "5+3=8\r\n");
  EXPECT_EQ(window.repaints, 1);
  // Key sounds, then the readout of 8 after the equals sound.
  EXPECT_EQ(window.SoundNames(), (Names{"五", "加", "三", "等于", "八"}));
  EXPECT_EQ(window.sounds[0].path, "C:\\calc\\wav\\五");
}

TEST_F(CalculatorKeys, LaterOperatorAppliesItsOwnOperation) {
  window.PressAll({"5", "+", "3", "-"});
  EXPECT_EQ(window.Tape(), "5-3=2\r\n");
  EXPECT_EQ(window.Entry(), "2");
  EXPECT_EQ(PendingOperator, 2);
}

TEST_F(CalculatorKeys, OperatorAfterOperatorUsesTheShownNumber) {
  window.PressAll({"5", "+", "*"});
  EXPECT_EQ(window.Tape(), "5×5=25\r\n");
  EXPECT_EQ(window.Entry(), "25");
}

TEST_F(CalculatorKeys, ZeroFirstOperandCountsAsNone) {
  window.PressAll({"0", "-", "5", "="});
  EXPECT_EQ(window.Tape(), "");
  EXPECT_EQ(window.Entry(), "5");
  const Names names = window.SoundNames();
  // The readout of 5 says 五: it is the last syllable.
  EXPECT_EQ(names, (Names{"零", "减", "五", "等于", "五"}));
}

TEST_F(CalculatorKeys, EqualsWithoutOperatorWritesTheResultLineOnly) {
  window.PressAll({"7", "=", "2", "="});
  EXPECT_EQ(window.Tape(), "7\r\n");
  EXPECT_EQ(window.Entry(), "7");
}

TEST_F(CalculatorKeys, DivisionByZeroShowsTheInfinityAsText) {
  window.PressAll({"8", "/", "0", "="});
  const std::string infinity = NumberToText(INFINITY);
  EXPECT_EQ(window.Tape(), "8÷0=" + infinity + "\r\n");
  EXPECT_EQ(window.Entry(), infinity);
}

TEST_F(CalculatorKeys, ClearKeepsThePendingOperator) {
  window.PressAll({"9", "+", "C"});
  EXPECT_EQ(window.Entry(), "");
  EXPECT_EQ(window.Tape(), "");
  EXPECT_EQ(PendingOperator, 1);
  window.PressAll({"4", "="});
  EXPECT_EQ(window.Tape(), "");
  window.PressAll({"2", "="});
  EXPECT_EQ(window.Tape(), "4+2=6\r\n");
}

TEST_F(CalculatorKeys, RunningResultKeepsFullPrecisionBetweenOperators) {
  // ÷ applies itself to the held 1 and 3; × then works on the exact third,
  // not on its 13-digit text, so the step gives exactly 1.
  window.PressAll({"1", "+", "3", "/", "3", "*"});
  const std::string third = NumberToText(1.0 / 3);
  EXPECT_EQ(window.Tape(), "1÷3=" + third + "\r\n" + third + "×3=1\r\n");
}

TEST_F(CalculatorKeys, EqualsAppliesThePendingOperatorAndStartsAfresh) {
  window.PressAll({"1", "+", "2", "*", "4", "="});
  EXPECT_EQ(window.Tape(), "1×2=2\r\n2×4=8\r\n");
  EXPECT_EQ(window.Entry(), "8");
  // The next operator takes the shown result as a new first operand.
  window.PressAll({"-", "3", "="});
  EXPECT_EQ(window.Tape(), "1×2=2\r\n2×4=8\r\n8-3=5\r\n");
}

TEST_F(CalculatorKeys, DigitAfterResultReplacesPointAfterResultAppends) {
  window.PressAll({"2", "+", "3", "="});
  window.Press("4");
  EXPECT_EQ(window.Entry(), "4");
  window.PressAll({"+", "1", "=", "."});
  EXPECT_EQ(window.Entry(), "5.");
  window.Press("6");
  EXPECT_EQ(window.Entry(), "6");
}

TEST_F(CalculatorKeys, LoneZeroIsReplacedOtherTextsAppended) {
  window.SetEntry("0");
  window.Press("7");
  EXPECT_EQ(window.Entry(), "7");
  window.SetEntry("0.5");
  window.Press("7");
  EXPECT_EQ(window.Entry(), "0.57");
  window.SetEntry("00");
  window.Press("1");
  EXPECT_EQ(window.Entry(), "001");
}

TEST_F(CalculatorKeys, PointOnlyOnceAndNeverOnEmpty) {
  window.Press(".");
  EXPECT_EQ(window.Entry(), "");
  window.PressAll({"1", ".", "2", "."});
  EXPECT_EQ(window.Entry(), "1.2");
  EXPECT_EQ(window.SoundNames(), (Names{"一", "点", "二"}));
}

TEST_F(CalculatorKeys, SignKeyTogglesOrDropsTheFirstByte) {
  window.SetEntry("12");
  window.Press("+/-");
  EXPECT_EQ(window.Entry(), "-12");
  window.Press("+/-");
  EXPECT_EQ(window.Entry(), "12");
  window.SetEntry("5-3");
  window.Press("+/-");
  EXPECT_EQ(window.Entry(), "-3");
  window.SetEntry("-");
  window.Press("+/-");
  EXPECT_EQ(window.Entry(), "");
  window.Press("+/-");
  EXPECT_EQ(window.Entry(), "");
  EXPECT_TRUE(window.sounds.empty());
}

TEST_F(CalculatorKeys, BackspaceDropsTheLastByteSilently) {
  window.SetEntry("123");
  window.Press("<-");
  EXPECT_EQ(window.Entry(), "12");
  window.SetEntry("");
  window.Press("<-");
  EXPECT_EQ(window.Entry(), "");
  EXPECT_TRUE(window.sounds.empty());
}

TEST_F(CalculatorKeys, OperatorOnEmptyEntryOnlySetsThePendingOperator) {
  window.Press("*");
  EXPECT_EQ(PendingOperator, 3);
  EXPECT_TRUE(window.sounds.empty());
  EXPECT_EQ(ReplaceEntry, 0);
}

TEST_F(CalculatorKeys, SoundToggleSwitchesTheBaseAndThePicture) {
  ToggleSound();
  EXPECT_STREQ(BaseDirectory, "12345");
  window.Press("5");
  EXPECT_EQ(window.sounds.back().path, "12345\\wav\\五");
  ToggleSound();
  // Back on: the program's directory as GetRunDirectory gives it.
  EXPECT_STRNE(BaseDirectory ? BaseDirectory : "", "12345");
  window.picture.assign(10, 0);  // some other picture: nothing happens
  SetBaseDirectory("keep");
  ToggleSound();
  EXPECT_STREQ(BaseDirectory, "keep");
}

TEST_F(CalculatorKeys, DigitDuringTheWaitReplacesWhatIsReadOut) {
  window.PressAll({"2", "+", "3"});
  const size_t before = window.sounds.size();
  // 200 ms into the 500 ms wait after equals, the 7 key is clicked.
  window.pending.push_back({window.now_ms + 200, [this] { window.Press("7"); }});
  window.Press("=");
  EXPECT_EQ(window.Tape(), "2+3=5\r\n");
  EXPECT_EQ(window.Entry(), "7");
  EXPECT_EQ(window.SoundNames(before), (Names{"等于", "七", "七"}));
}

}  // namespace
}  // namespace talv::app
