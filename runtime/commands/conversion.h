// The conversion commands: any typed value to text, to a double, to a byte
// array. Each reads only its first argument (an omitted or missing argument
// gives the empty result), writes only the value part of the result record
// and reports no error: a type without a conversion gives the empty text,
// the empty byte array or 0. Texts and byte arrays come back as fresh heap
// blocks that the caller frees; empty results are null.
#pragma once

#include <cstdint>

#include "runtime/core/typed_value.h"

namespace talv {

// Numbers by the number-text rules (DoubleToText, FloatToText), integers in
// decimal, logicals as "真" / "假", date-times as "Y年M月D日" followed by
// "H时M分S秒", "H时M分" or "H时" (only as far as the time is non-zero), texts
// copied, byte arrays and arrays of a numeric type as their bytes up to the
// first zero byte.
void ToText(TypedValue* result, int32_t count, TypedValue* args);

// Texts by TextToNumber; logicals, numbers and subroutine pointers by their
// value; date-times, byte arrays, arrays and other types give 0.
void ToNumber(TypedValue* result, int32_t count, TypedValue* args);

// Texts without their NUL, byte arrays copied, numeric arrays as their
// elements' bytes, other basic values as the bytes of their data
// (ValueDataSpan); library and user types give the empty byte array.
void ToByteArray(TypedValue* result, int32_t count, TypedValue* args);

}  // namespace talv
