// Number text: the one way numbers become text and text becomes numbers in
// Talvique. The renderings are fixed digit for digit (rounding, exponent
// layout, the non-finite marks), so they are built here rather than taken
// from the platform's printf, whose rounding and exponents differ.
// Portable; no allocation.
#pragma once

#include <cstddef>

namespace talv {

// Size of the buffer that the renderers write into; ample for every form
// ("-1.234567890123e-308" is 20 bytes).
constexpr size_t kNumberTextCapacity = 100;

// A double as "%.13g" with these rules: the exact value is rounded half up
// to 17 significant digits, that string half up to 13 (so 1234567890122.5
// gives 1234567890123); exponential form ("d.ddde+XXX", at least three
// exponent digits) when the decimal exponent is below -4 or 13 and above,
// else fixed; trailing zeros and a bare point dropped; zero of either sign is
// "0"; non-finite values are "1.#INF", "-1.#INF", "-1.#IND" (the indefinite
// NaN that 0/0 gives), "1.#QNAN", "1.#SNAN" ("-" before a NaN whose sign
// bit is set). Writes a NUL-terminated text into `out` (at least
// kNumberTextCapacity bytes) and returns its length.
size_t DoubleToText(double value, char* out);

// A float: first reduced to six significant digits (ReduceFloat), then
// rendered like a double with 6 in place of 13 ("%.6g").
size_t FloatToText(float value, char* out);

// The six-digit reduction of a float, as a double: the float scaled by a
// power of ten into 100000 … 999999, rounded half up to an integer and
// scaled back. Zero and non-finite values are returned widened unchanged.
double ReduceFloat(float value);

// The number at the start of a GBK text. Full-width characters (GBK A3A1 …
// A3FE, the ideographic space A1A1) read as their ASCII forms. After white
// space (space, TAB, LF, VT, FF, CR): an optional sign, digits with at most
// one point, an optional exponent (e, E, d or D, optional sign, digits);
// the longest prefix of that form counts and the rest is ignored. Only the
// first 25 significant digits are kept (later digits before the point still
// scale the value, later digits after it are ignored); the result is the
// correctly rounded double of the kept digits, an infinity of the sign read
// beyond the double range, 0 when no digit was read. Null reads as empty.
double TextToNumber(const char* text);

}  // namespace talv
