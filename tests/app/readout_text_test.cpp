// What the equals key reads for the text the Entry box shows: the amount of
// an ordinary number, 负 before a negative one, and the words for the
// results that are not amounts, whatever ToText renders for them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "app/app_commands.h"
#include "app/app_text.h"
#include "app/readout_text.h"
#include "app/runtime_command_groups.h"

namespace talv::app {
namespace {

class ShownResultReadout : public ::testing::Test {
 protected:
  void SetUp() override {
    AppCommands c;
    FillRuntimeCommandGroups(&c);
    SetAppCommands(c);
  }
  void TearDown() override { SetAppCommands(AppCommands{}); }
};

double FromBits(uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

TEST_F(ShownResultReadout, OrdinaryAmountsAsBefore) {
  EXPECT_EQ(ShownResultText("1234.5"), "一千二百三十四元五角整");
  EXPECT_EQ(ShownResultText("3"), "三");
  EXPECT_EQ(ShownResultText("10"), "一十");
  EXPECT_EQ(ShownResultText("0"), "零");
  EXPECT_EQ(ShownResultText(""), "零");
  EXPECT_EQ(ShownResultText(nullptr), "零");
  EXPECT_EQ(ShownResultText("0.05"), "五分");
  EXPECT_EQ(ShownResultText("1."), "一");
  // 40 digits typed after 0.05: ToNumber reads them, to the fen.
  EXPECT_EQ(ShownResultText("0.051234567890123456789012345678901234567"), "五分");
  EXPECT_EQ(ShownResultText("9999999999999.99"),
            "九万九千九百九十九亿九千九百九十九万九千九百九十九元九角九分");
}

TEST_F(ShownResultReadout, NegativeAmountsKeepTheirSign) {
  EXPECT_EQ(ShownResultText("-3"), "负三");
  EXPECT_EQ(ShownResultText("-1234.5"), "负一千二百三十四元五角整");
  EXPECT_EQ(ShownResultText("-0.005"), "负一分");
  // What rounds to no fen at all is 零, with no sign; so is -0.
  EXPECT_EQ(ShownResultText("-0.004"), "零");
  EXPECT_EQ(ShownResultText("-0"), "零");
  EXPECT_EQ(ReadoutText(-0.0), "零");
}

TEST_F(ShownResultReadout, InfinitiesAndAmountsBeyondTheLargestSayOverflow) {
  EXPECT_EQ(ShownResultText("1.#INF"), "溢出");
  EXPECT_EQ(ShownResultText("-1.#INF"), "负溢出");
  EXPECT_EQ(ShownResultText("1e+013"), "溢出");
  EXPECT_EQ(ShownResultText("-1e+013"), "负溢出");
  EXPECT_EQ(ShownResultText("9.999998e+013"), "溢出");
  // 9999999999999.999 rounds to 10^15 fen, one past the largest amount.
  EXPECT_EQ(ReadoutText(9999999999999.999), "溢出");
  // The largest doubles, as ToText shows them and as they are.
  const double largest = std::numeric_limits<double>::max();
  EXPECT_EQ(ShownResultText(NumberToText(largest).c_str()), "溢出");
  EXPECT_EQ(ShownResultText(NumberToText(-largest).c_str()), "负溢出");
  EXPECT_EQ(ReadoutText(largest), "溢出");
  EXPECT_EQ(ReadoutText(-largest), "负溢出");
}

TEST_F(ShownResultReadout, EveryNonFiniteRenderingSaysItsWord) {
  struct Case {
    uint64_t bits;
    const char* word;
  };
  const Case cases[] = {
      {0x7FF0000000000000ull, "溢出"},    // +infinity
      {0xFFF0000000000000ull, "负溢出"},  // -infinity
      {0xFFF8000000000000ull, "错误"},    // the indefinite NaN of 0/0
      {0x7FF8000000000000ull, "错误"},    // quiet NaN
      {0xFFF8000000000001ull, "错误"},    // quiet NaN, sign set
      {0x7FF0000000000001ull, "错误"},    // signalling NaN
      {0xFFF4000000000000ull, "错误"},    // signalling NaN, sign set
  };
  for (const Case& c : cases) {
    const double value = FromBits(c.bits);
    const std::string shown = NumberToText(value);
    EXPECT_EQ(ShownResultText(shown.c_str()), c.word) << shown;
    EXPECT_EQ(ReadoutText(value), c.word) << shown;
  }
  EXPECT_EQ(NumberToText(FromBits(0xFFF8000000000000ull)), "-1.#IND");
}

TEST_F(ShownResultReadout, WhatIsLeftOfAMarkIsNoNumber) {
  // The sign key drops a leading "-"; backspace cuts the end.
  EXPECT_EQ(ShownResultText("1.#IND"), "错误");
  EXPECT_EQ(ShownResultText("1.#IN"), "错误");
  EXPECT_EQ(ShownResultText("-1.#"), "错误");
  EXPECT_EQ(ShownResultText("1.#INFINITY"), "错误");
  // Without the "#" it is a number again.
  EXPECT_EQ(ShownResultText("1."), "一");
  EXPECT_EQ(ShownResultText("-1"), "负一");
}

TEST_F(ShownResultReadout, ShownNumberOfTheMarks) {
  EXPECT_EQ(ShownNumber("1.#INF"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ShownNumber("-1.#INF"), -std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isnan(ShownNumber("-1.#IND")));
  EXPECT_TRUE(std::isnan(ShownNumber("1.#QNAN")));
  EXPECT_EQ(ShownNumber("-2.5"), -2.5);
  // Denormals read as the tiny numbers they are.
  EXPECT_EQ(ShownNumber("4.940656458412e-324"), FromBits(1));
  EXPECT_EQ(ShownResultText("4.940656458412e-324"), "零");
  EXPECT_EQ(ShownResultText("-4.940656458412e-324"), "零");
}

}  // namespace
}  // namespace talv::app
