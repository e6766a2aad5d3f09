// Text commands through the command gate: byte-wise cutting, and the find
// and replace walks that step over GBK double-byte characters.
#include "runtime/commands/text_commands.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/commands/command_testing.h"

namespace talv {
namespace {

using testing::Call;
using testing::CallInt;
using testing::CallText;

TypedValue T(const char* text) { return TextValue(text); }
TypedValue I(int32_t x) { return IntValue(x); }
TypedValue B(bool b) { return BoolValue(b); }
const TypedValue kNone = Omitted();

// 啊 is B0 A1 in GBK; two of them hold A1 B0 across the boundary.
const char kTwoAh[] = "\xB0\xA1\xB0\xA1";
// A double-byte character whose trailing byte is the ASCII letter A (0x41).
const char kTrailA[] = "\x81\x41";

TEST(TextLength, CountsBytes) {
  EXPECT_EQ(CallInt(TextLength, {T(nullptr)}), 0);
  EXPECT_EQ(CallInt(TextLength, {T("角")}), 2);
  EXPECT_EQ(CallInt(TextLength, {T("12.5")}), 4);
}

TEST(LeftText, CountsAndLimits) {
  EXPECT_EQ(AsText(Call(LeftText, {T("abc"), I(0)})), nullptr);
  EXPECT_EQ(AsText(Call(LeftText, {T("abc"), I(-1)})), nullptr);
  EXPECT_EQ(CallText(LeftText, {T("abc"), I(2)}), "ab");
  EXPECT_EQ(CallText(LeftText, {T("abc"), I(99)}), "abc");
  EXPECT_EQ(CallText(LeftText, {T("角a"), I(1)}), "\xBD");  // cuts the character
  EXPECT_EQ(AsText(Call(LeftText, {T(nullptr), I(3)})), nullptr);
}

TEST(RightText, CountsAndLimits) {
  EXPECT_EQ(CallText(RightText, {T("12345"), I(2)}), "45");
  EXPECT_EQ(CallText(RightText, {T("12345"), I(9)}), "12345");
  EXPECT_EQ(AsText(Call(RightText, {T("12345"), I(0)})), nullptr);
  EXPECT_EQ(AsText(Call(RightText, {T("12345"), I(-3)})), nullptr);
  EXPECT_EQ(AsText(Call(RightText, {T("12345"), I(INT_MIN)})), nullptr);
}

TEST(MidText, StartAndCountLimits) {
  EXPECT_EQ(AsText(Call(MidText, {T("abc"), I(0), I(2)})), nullptr);
  EXPECT_EQ(AsText(Call(MidText, {T("abc"), I(-5), I(2)})), nullptr);
  EXPECT_EQ(AsText(Call(MidText, {T("abc"), I(4), I(1)})), nullptr);
  EXPECT_EQ(CallText(MidText, {T("abc"), I(3), I(5)}), "c");
  EXPECT_EQ(CallText(MidText, {T("abcde"), I(2), I(3)}), "bcd");
  EXPECT_EQ(AsText(Call(MidText, {T("abc"), I(1), I(0)})), nullptr);
  EXPECT_EQ(AsText(Call(MidText, {T("abc"), I(1), I(-1)})), nullptr);
  EXPECT_EQ(CallText(MidText, {T("abc"), I(2), I(INT_MAX)}), "bc");
  EXPECT_EQ(AsText(Call(MidText, {T("abc"), I(INT_MIN), I(INT_MAX)})), nullptr);
}

TEST(FindText, PositionsAndStart) {
  EXPECT_EQ(CallInt(FindText, {T("-12"), T("-"), kNone, kNone}), 1);
  EXPECT_EQ(CallInt(FindText, {T("12.5"), T("."), kNone, kNone}), 3);
  EXPECT_EQ(CallInt(FindText, {T("12.5"), T("角"), kNone, kNone}), -1);
  EXPECT_EQ(CallInt(FindText, {T("-12"), T("-"), I(3), kNone}), -1);
  EXPECT_EQ(CallInt(FindText, {T("a-b-"), T("-"), I(3), kNone}), 4);
  // Starts of 0, 1 and below 0 all search from the beginning.
  EXPECT_EQ(CallInt(FindText, {T("-12"), T("-"), I(0), kNone}), 1);
  EXPECT_EQ(CallInt(FindText, {T("-12"), T("-"), I(1), kNone}), 1);
  EXPECT_EQ(CallInt(FindText, {T("-12"), T("-"), I(INT_MIN), kNone}), 1);
  EXPECT_EQ(CallInt(FindText, {T("-12"), T("-"), I(99), kNone}), -1);
  EXPECT_EQ(CallInt(FindText, {T("ab"), T("abc"), kNone, kNone}), -1);
}

TEST(FindText, EmptySoughtTextFindsTheRangeStart) {
  EXPECT_EQ(CallInt(FindText, {T("abc"), T(nullptr), kNone, kNone}), 1);
  EXPECT_EQ(CallInt(FindText, {T("abc"), T(nullptr), I(3), kNone}), 1);
  EXPECT_EQ(CallInt(FindText, {T("abc"), T(nullptr), I(4), kNone}), -1);
  EXPECT_EQ(CallInt(FindText, {T(nullptr), T(nullptr), kNone, kNone}), -1);
}

TEST(FindText, NeverMatchesOnTheSecondByteOfACharacter) {
  EXPECT_EQ(CallInt(FindText, {T(kTwoAh), T("\xA1\xB0"), kNone, kNone}), -1);
  std::string text = std::string(kTrailA) + "A";
  EXPECT_EQ(CallInt(FindText, {T(text.c_str()), T("A"), kNone, kNone}), 3);
  EXPECT_EQ(CallInt(FindText, {T("元角分"), T("角"), kNone, kNone}), 3);
  // A walk that starts on a trailing byte steps from there.
  EXPECT_EQ(CallInt(FindText, {T(kTwoAh), T("\xA1\xB0"), I(2), kNone}), 2);
}

TEST(FindText, LeadByteBeforeTheEndStopsTheWalk) {
  EXPECT_EQ(CallInt(FindText, {T("ab\xB0"), T("z"), kNone, kNone}), -1);
  // The lead byte itself is still compared before the walk ends.
  EXPECT_EQ(CallInt(FindText, {T("ab\xB0"), T("\xB0"), kNone, kNone}), 3);
}

TEST(FindText, IgnoresCaseOnlyForExactlyOne) {
  EXPECT_EQ(CallInt(FindText, {T("ABC"), T("b"), kNone, B(true)}), 2);
  EXPECT_EQ(CallInt(FindText, {T("abc"), T("B"), kNone, B(true)}), 2);
  EXPECT_EQ(CallInt(FindText, {T("ABC"), T("b"), kNone, B(false)}), -1);
  EXPECT_EQ(CallInt(FindText, {T("ABC"), T("b"), kNone, kNone}), -1);
  EXPECT_EQ(CallInt(FindText, {T("ABC"), T("b"), kNone, I(2)}), -1);
  // The mapping reaches trailing bytes too: 81 41 matches 81 61.
  EXPECT_EQ(CallInt(FindText, {T(kTrailA), T("\x81\x61"), kNone, B(true)}), 1);
  EXPECT_EQ(CallInt(FindText, {T(kTrailA), T("\x81\x61"), kNone, kNone}), -1);
  // Only A-Z fold: [ and { stay different.
  EXPECT_EQ(CallInt(FindText, {T("["), T("{"), kNone, B(true)}), -1);
}

TEST(ReplaceText, StripsTheMoneyEnding) {
  EXPECT_EQ(CallText(ReplaceText, {T("一十元整"), T("元整"), T(nullptr), kNone, kNone, B(true)}),
            "一十");
  EXPECT_EQ(CallText(ReplaceText, {T("一十元整"), T("元整"), kNone, kNone, kNone, B(true)}),
            "一十");
}

TEST(ReplaceText, MatchesDoNotOverlapAndAreNotSearchedAgain) {
  EXPECT_EQ(CallText(ReplaceText, {T("aaa"), T("aa"), T("b"), kNone, kNone, kNone}), "ba");
  EXPECT_EQ(CallText(ReplaceText, {T("a"), T("a"), T("aa"), kNone, kNone, kNone}), "aa");
  EXPECT_EQ(CallText(ReplaceText, {T("aaa"), T("a"), T("xyz"), kNone, kNone, kNone}),
            "xyzxyzxyz");
}

TEST(ReplaceText, CountLimitsReplacements) {
  EXPECT_EQ(CallText(ReplaceText, {T("a-a-a"), T("a"), T("b"), kNone, I(1), kNone}), "b-a-a");
  EXPECT_EQ(CallText(ReplaceText, {T("a-a-a"), T("a"), T("b"), kNone, I(2), kNone}), "b-b-a");
  EXPECT_EQ(CallText(ReplaceText, {T("a-a-a"), T("a"), T("b"), kNone, I(0), kNone}), "a-a-a");
  EXPECT_EQ(CallText(ReplaceText, {T("a-a-a"), T("a"), T("b"), kNone, I(-7), kNone}), "b-b-b");
}

TEST(ReplaceText, StartCopiesTheBytesBeforeIt) {
  EXPECT_EQ(CallText(ReplaceText, {T("aXaXa"), T("a"), T("b"), I(2), kNone, kNone}), "aXbXb");
  EXPECT_EQ(CallText(ReplaceText, {T("aXaXa"), T("a"), T("b"), I(-4), kNone, kNone}), "bXbXb");
  EXPECT_EQ(CallText(ReplaceText, {T("aXaXa"), T("a"), T("b"), I(6), kNone, kNone}), "aXaXa");
}

TEST(ReplaceText, UnchangedCasesGiveAFreshCopy) {
  const char* text = "abc";
  TypedValue r = Call(ReplaceText, {T(text), T(nullptr), T("x"), kNone, kNone, kNone});
  EXPECT_NE(AsText(r), text);
  EXPECT_EQ(testing::TakeText(r), "abc");
  EXPECT_EQ(AsText(Call(ReplaceText, {T(nullptr), T("a"), T("x"), kNone, kNone, kNone})),
            nullptr);
}

TEST(ReplaceText, DeletingEverythingGivesNull) {
  EXPECT_EQ(AsText(Call(ReplaceText, {T("aa"), T("a"), kNone, kNone, kNone, kNone})), nullptr);
  EXPECT_EQ(CallText(ReplaceText, {T("1,234,567"), T(","), kNone, kNone, kNone, kNone}),
            "1234567");
}

TEST(ReplaceText, LastArgumentAsksForCaseSensitivity) {
  EXPECT_EQ(CallText(ReplaceText, {T("ABC"), T("b"), T("x"), kNone, kNone, kNone}), "AxC");
  EXPECT_EQ(CallText(ReplaceText, {T("ABC"), T("b"), T("x"), kNone, kNone, B(false)}), "AxC");
  EXPECT_EQ(CallText(ReplaceText, {T("ABC"), T("b"), T("x"), kNone, kNone, B(true)}), "ABC");
  EXPECT_EQ(CallText(ReplaceText, {T(kTrailA), T("\x81\x61"), T("x"), kNone, kNone, kNone}),
            "x");
}

TEST(ReplaceText, StepsOverDoubleByteCharacters) {
  EXPECT_EQ(CallText(ReplaceText, {T(kTwoAh), T("\xA1\xB0"), T("x"), kNone, kNone, kNone}),
            kTwoAh);
  std::string text = std::string(kTrailA) + "A";
  EXPECT_EQ(CallText(ReplaceText, {T(text.c_str()), T("A"), T("x"), kNone, kNone, B(true)}),
            std::string(kTrailA) + "x");
  EXPECT_EQ(CallText(ReplaceText, {T("一角五分"), T("角"), T("元"), kNone, kNone, kNone}),
            "一元五分");
}

TEST(ReplaceText, KeepsALeadByteBeforeTheEnd) {
  // The walk ends at the lone lead byte; the bytes after the walk, that
  // byte among them, stay in the result.
  EXPECT_EQ(CallText(ReplaceText, {T("ab\xB0"), T("z"), T("x"), kNone, kNone, kNone}),
            "ab\xB0");
  EXPECT_EQ(CallText(ReplaceText, {T("ab\xB0"), T("b"), T("x"), kNone, kNone, kNone}),
            "ax\xB0");
}

TEST(TextCommands, MissingTrailingArgumentsReadAsOmitted) {
  TypedValue args[2] = {T("a-b"), T("-")};
  EXPECT_EQ(AsInt(InvokeCommand(FindText, 2, args)), 2);
  EXPECT_EQ(testing::TakeText(InvokeCommand(ReplaceText, 2, args)), "ab");
  EXPECT_EQ(AsInt(InvokeCommand(TextLength, 0, nullptr)), 0);
}

}  // namespace
}  // namespace talv
