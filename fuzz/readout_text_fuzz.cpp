// What the equals key reads for the text the Entry box shows, over arbitrary
// texts and over every double as ToText renders it. A text that ToNumber
// reads as a number is read as that number's amount (its sign included),
// or as 溢出 / 负溢出 when the amount is beyond the largest; an infinity or
// NaN is read as its word and never yields a digit. The schedule walks any
// text without reading past it.
//
// Input: the text (up to the first NUL byte); its first eight bytes, when
// there are eight, are also a double's bits (little-endian) whose ToText
// rendering is read.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_commands.h"
#include "app/readout_schedule.h"
#include "app/readout_text.h"
#include "runtime/commands/chinese_numerals.h"
#include "runtime/commands/conversion.h"
#include "runtime/commands/number_text.h"
#include "runtime/commands/text_commands.h"
#include "runtime/core/command_call.h"
#include "runtime/core/heap.h"

namespace {

using talv::app::ReadoutStep;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

const char* const kDigits[] = {"零", "一", "二", "三", "四", "五", "六", "七", "八", "九", "十", "伍"};

bool HoldsADigit(const std::string& text) {
  for (const char* d : kDigits)
    if (text.find(d) != std::string::npos) return true;
  return false;
}

bool ReadsADigit(const std::vector<ReadoutStep>& steps) {
  for (const ReadoutStep& s : steps)
    if (HoldsADigit(s.file)) return true;
  return false;
}

bool IsWord(const std::string& t) { return t == "溢出" || t == "负溢出" || t == "错误"; }

std::string TakeText(const talv::TypedValue& result) {
  char* text = static_cast<char*>(talv::AsPointer(result));
  std::string bytes = text ? text : "";
  talv::Free(text);
  return bytes;
}

// The amount text of `x` straight from the commands, tidied as a spoken
// amount is (a whole amount loses 元整), or the word for an amount beyond
// the largest, with the number's sign.
std::string ExpectedAmount(double x) {
  talv::TypedValue amount_args[2] = {talv::DoubleValue(x), talv::BoolValue(true)};
  std::string amount = TakeText(talv::InvokeCommand(talv::ToChineseAmount, 2, amount_args));
  if (amount == "溢出") return x < 0 ? "负溢出" : "溢出";
  talv::TypedValue find_args[2] = {talv::TextValue(amount.c_str()), talv::TextValue("角")};
  if (talv::AsInt(talv::InvokeCommand(talv::FindText, 2, find_args)) == -1) {
    talv::TypedValue replace_args[6] = {talv::TextValue(amount.c_str()), talv::TextValue("元整"),
                                        talv::TextValue(""), talv::Omitted(), talv::Omitted(),
                                        talv::BoolValue(true)};
    amount = TakeText(talv::InvokeCommand(talv::ReplaceText, 6, replace_args));
  }
  return amount;
}

// `sought` at a character boundary of `text` (characters of equal width).
bool HasCharacter(const std::string& text, const std::string& sought) {
  for (size_t i = 0; i + sought.size() <= text.size(); i += sought.size())
    if (text.compare(i, sought.size(), sought) == 0) return true;
  return false;
}

std::vector<ReadoutStep> Schedule(const std::string& text) {
  return talv::app::ScheduleReadout(text + "!", true);
}

// The readout of a text that shows a number (not one of ToText's marks).
void CheckNumberText(const std::string& text) {
  const double x = talv::TextToNumber(text.c_str());
  Check(!std::isnan(x));
  const std::string read = talv::app::ShownResultText(text.c_str());
  const std::string expected = ExpectedAmount(x);
  Check(read == expected);
  Check(Schedule(read) == Schedule(expected));
  // A word only for an amount beyond the largest, never 错误.
  Check(read != "错误");
  if (IsWord(read)) Check(std::isinf(x) || std::fabs(x) >= 9999999999999.99);
}

bool LooksLikeAMark(const std::string& text) {
  const size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
  return text.compare(start, 3, "1.#") == 0;
}

void CheckMarkText(const std::string& text) {
  const std::string read = talv::app::ShownResultText(text.c_str());
  Check(IsWord(read));
  Check(!HoldsADigit(read) && !ReadsADigit(Schedule(read)));
}

bool Installed() {
  talv::app::AppCommands c;
  c.text.FindText = talv::FindText;
  c.text.ReplaceText = talv::ReplaceText;
  c.numbers.ToNumber = talv::ToNumber;
  c.numbers.ToChineseAmount = talv::ToChineseAmount;
  talv::app::SetAppCommands(c);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool installed = Installed();
  (void)installed;

  const char* bytes = reinterpret_cast<const char*>(data);
  const std::string text(bytes, strnlen(bytes, size));
  // The schedule on the raw text, with and without the end mark.
  for (bool end_mark : {false, true}) {
    const auto steps = talv::app::ScheduleReadout(text + (end_mark ? "!" : ""), end_mark);
    Check(!steps.empty());
  }
  if (LooksLikeAMark(text))
    CheckMarkText(text);
  else
    CheckNumberText(text);

  if (size >= 8) {
    double value;
    std::memcpy(&value, data, sizeof value);
    char shown[talv::kNumberTextCapacity];
    talv::DoubleToText(value, shown);
    const std::string read = talv::app::ShownResultText(shown);
    if (std::isnan(value)) {
      Check(read == "错误");
    } else if (std::isinf(value)) {
      Check(read == (value < 0 ? "负溢出" : "溢出"));
    } else {
      Check(!LooksLikeAMark(shown));
      CheckNumberText(shown);
      // No number shown with a larger magnitude than an amount can have is
      // read as one; a sign is read only for a negative number.
      if (std::fabs(value) >= 1e13) Check(read == (value < 0 ? "负溢出" : "溢出"));
      if (value >= 0) Check(!HasCharacter(read, "负"));
    }
    // Any double straight to the readout's text: a word for NaN and the
    // infinities, never a digit there.
    const std::string direct = talv::app::ReadoutText(value);
    if (!std::isfinite(value)) Check(IsWord(direct) && !HoldsADigit(direct));
  }
  return 0;
}
