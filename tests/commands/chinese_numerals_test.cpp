// Chinese numeral and money readings through the command gate: both digit
// sets, the zero and section rules, the rounding nudge and the limits.
#include "runtime/commands/chinese_numerals.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/commands/command_testing.h"

namespace talv {
namespace {

std::string Numerals(double x, bool simplified) {
  return testing::CallText(ToChineseNumerals, {DoubleValue(x), BoolValue(simplified)});
}
std::string Amount(double x, bool simplified) {
  return testing::CallText(ToChineseAmount, {DoubleValue(x), BoolValue(simplified)});
}

TEST(ToChineseNumerals, BothDigitSets) {
  EXPECT_EQ(Numerals(1234.5, true), "一千二百三十四点五");
  EXPECT_EQ(Numerals(1234.5, false), "壹仟贰佰叁拾肆点伍");
  // An omitted second argument is the formal set.
  EXPECT_EQ(testing::CallText(ToChineseNumerals, {DoubleValue(1234.5), Omitted()}),
            "壹仟贰佰叁拾肆点伍");
}

TEST(ToChineseNumerals, SignAndSmallFractions) {
  EXPECT_EQ(Numerals(-0.05, true), "负零点零五");
  EXPECT_EQ(Numerals(-0.05, false), "负零点零伍");
  EXPECT_EQ(Numerals(-0.001, true), "负零");
  EXPECT_EQ(Numerals(0.5, true), "零点五");
  EXPECT_EQ(Numerals(0.25, true), "零点二五");
  EXPECT_EQ(Numerals(0.1, true), "零点一");
  EXPECT_EQ(Numerals(0, true), "零");
  EXPECT_EQ(Numerals(-0.0, false), "零");
}

TEST(ToChineseNumerals, HundredthsRoundHalfUpWithTheNudge) {
  EXPECT_EQ(Numerals(2.675, true), "二点六八");
  EXPECT_EQ(Numerals(0.996, true), "一");
  EXPECT_EQ(Numerals(9.999, true), "一十");
  EXPECT_EQ(Numerals(1.004, true), "一");
}

TEST(ToChineseNumerals, ZerosAndSectionMarkers) {
  EXPECT_EQ(Numerals(10, true), "一十");
  EXPECT_EQ(Numerals(1001, true), "一千零一");
  EXPECT_EQ(Numerals(100000, true), "一十万");
  EXPECT_EQ(Numerals(110000, true), "一十一万");
  EXPECT_EQ(Numerals(100010, true), "一十万零一十");
  EXPECT_EQ(Numerals(100000000, true), "一亿");
  EXPECT_EQ(Numerals(100010000, true), "一亿零一万");
  EXPECT_EQ(Numerals(100001000, true), "一亿零一千");
  EXPECT_EQ(Numerals(1000000001, true), "一十亿零一");
  EXPECT_EQ(Numerals(1000000000000, true), "一万亿");
  EXPECT_EQ(Numerals(1200000000000, true), "一万二千亿");
}

TEST(ToChineseNumerals, LimitAppliesToTheUnroundedValue) {
  EXPECT_EQ(Numerals(9999999999999, true),
            "九万九千九百九十九亿九千九百九十九万九千九百九十九");
  EXPECT_EQ(Numerals(-9999999999999, false),
            "负玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖");
  EXPECT_EQ(Numerals(9999999999999.5, true), "溢出");
  EXPECT_EQ(Numerals(-1e13, true), "溢出");  // the sign is dropped
  EXPECT_EQ(Numerals(std::numeric_limits<double>::infinity(), true), "溢出");
  EXPECT_EQ(Numerals(std::numeric_limits<double>::quiet_NaN(), true), "溢出");
}

TEST(ToChineseAmount, BothDigitSets) {
  EXPECT_EQ(Amount(1234.5, true), "一千二百三十四元五角整");
  EXPECT_EQ(Amount(1234.5, false), "壹仟贰佰叁拾肆元伍角整");
}

TEST(ToChineseAmount, ZeroTestFollowsTheRounding) {
  EXPECT_EQ(Amount(-0.05, true), "负五分");
  EXPECT_EQ(Amount(-0.001, true), "零");
  EXPECT_EQ(Amount(0.004, true), "零");
  EXPECT_EQ(Amount(0.005, true), "一分");
  EXPECT_EQ(Amount(0, false), "零");
}

TEST(ToChineseAmount, UnitsAndTheEnding) {
  EXPECT_EQ(Amount(0.1, true), "一角整");
  EXPECT_EQ(Amount(3, true), "三元整");
  EXPECT_EQ(Amount(1.5, true), "一元五角整");
  EXPECT_EQ(Amount(2.675, true), "二元六角八分");
}

TEST(ToChineseAmount, ZerosRunAcrossYuanAndJiao) {
  EXPECT_EQ(Amount(1.05, true), "一元零五分");
  EXPECT_EQ(Amount(10.5, true), "一十元零五角整");
  EXPECT_EQ(Amount(20.05, true), "二十元零五分");
  EXPECT_EQ(Amount(100.5, true), "一百元零五角整");
  EXPECT_EQ(Amount(10, true), "一十元整");
  EXPECT_EQ(Amount(100005, true), "一十万零五元整");
  EXPECT_EQ(Amount(1000000001, true), "一十亿零一元整");
  EXPECT_EQ(Amount(1000000001, false), "壹拾亿零壹元整");
  EXPECT_EQ(Amount(1e12, true), "一万亿元整");
}

TEST(ToChineseAmount, Limits) {
  EXPECT_EQ(Amount(9999999999999.99, true),
            "九万九千九百九十九亿九千九百九十九万九千九百九十九元九角九分");
  EXPECT_EQ(Amount(9999999999999.99, false),
            "玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分");
  EXPECT_EQ(Amount(1e13, true), "溢出");
  EXPECT_EQ(Amount(-1e13, true), "溢出");
  EXPECT_EQ(Amount(1e300, true), "溢出");
  EXPECT_EQ(Amount(std::numeric_limits<double>::infinity(), true), "溢出");
  EXPECT_EQ(Amount(std::numeric_limits<double>::quiet_NaN(), true), "溢出");
}

TEST(ChineseReadings, OtherNumericArgumentTypes) {
  EXPECT_EQ(testing::CallText(ToChineseAmount, {IntValue(12), BoolValue(true)}), "一十二元整");
  EXPECT_EQ(testing::CallText(ToChineseNumerals, {LongValue(-7), BoolValue(true)}), "负七");
}

// Each call allocates exactly one block, the result, whatever the outcome.
TEST(ChineseReadings, AllocateOnlyTheResult) {
  for (double x : {1234.5, 0.0, 1e13, 9999999999999.99, -0.05}) {
    for (Command command : {Command(ToChineseAmount), Command(ToChineseNumerals)}) {
      TypedValue args[2] = {DoubleValue(x), BoolValue(true)};
      HeapCounters before = GetHeapCounters();
      TypedValue r = InvokeCommand(command, 2, args);
      HeapCounters after = GetHeapCounters();
      EXPECT_EQ(after.allocations - before.allocations, 1u) << x;
      EXPECT_EQ(after.frees, before.frees) << x;
      Free(AsPointer(r));
    }
  }
}

}  // namespace
}  // namespace talv
