// Numbers written out in Chinese characters: the numeral reading with a
// decimal point (一千二百三十四点五) and the money reading in 元, 角 and 分
// (一千二百三十四元五角整). The second argument chooses the everyday digits
// (true) or the formal cheque digits (false or omitted). Both allocate
// nothing but their result.
#pragma once

#include "runtime/core/typed_value.h"

namespace talv {

// (double number, [logical simplified]) -> text. Magnitudes above
// 9,999,999,999,999 give "溢出"; two decimals, rounded half up.
void ToChineseNumerals(TypedValue* result, int32_t count, TypedValue* args);
// (double number, [logical simplified]) -> text. Rounded to the fen; more
// than 999,999,999,999,999 fen gives "溢出".
void ToChineseAmount(TypedValue* result, int32_t count, TypedValue* args);

}  // namespace talv
