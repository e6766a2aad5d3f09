// What a readout says, as the text that the readout's schedule walks
// (readout_schedule.h): the amount a number comes to, or the word for a
// result that is not an amount. The equals key decides from the result as
// the Entry box shows it, since the marks with which the box shows an
// infinity or NaN ("1.#INF", "-1.#IND") read as the number 1. Portable: the
// conversions go through the command table.
#pragma once

#include <string>

namespace talv::app {

// The readout's text for `number`, before the end mark:
//  - an amount as ToChineseAmount writes it with the everyday digits, 负
//    first when it is negative; a whole amount without its trailing 元整
//    (三, 一十), one with 角 as it is (一元五角整);
//  - 溢出 for an infinity and for a magnitude beyond the largest amount
//    (ToChineseAmount's own 溢出), 负溢出 when the number is negative;
//  - 错误 for NaN.
std::string ReadoutText(double number);

// The number that an Entry box text shows: +infinity for "1.#INF", -infinity
// for "-1.#INF", NaN for every other text beginning "1.#" or "-1.#" (ToText's
// NaN marks "-1.#IND", "1.#QNAN", "1.#SNAN", "-1.#QNAN", …, and what the
// backspace key leaves of any mark: no number shows "#"); any other text as
// ToNumber reads it.
double ShownNumber(const char* shown);

// What the equals key reads for the text the Entry box shows:
// ReadoutText(ShownNumber(shown)).
std::string ShownResultText(const char* shown);

}  // namespace talv::app
