// Number text engines.
//
// Rendering. The digits come from std::to_chars, which works on the exact
// binary value:
//  - the shortest round-trip digits S (fast). For a normal double S lies
//    within half a unit in the last place of the value, which is at most 11.1
//    units of the 17th significant digit. So when S has no more digits than
//    wanted, S is the answer; when it has more, the digits after the kept
//    ones decide the rounding unless they are within 20 units of the 17th
//    digit of the rounding threshold;
//  - otherwise (that narrow band, subnormals) the exact value correctly
//    rounded to 17 digits. to_chars breaks exact ties at the 18th digit to
//    even, where the rule says half up; the two differ by one in the 17th
//    digit only when it is even, and then digits P+1 … 17 cannot move across
//    the rounding threshold 500…0 (reaching it needs a 9 there), so the
//    P-digit result is the same.
// The rounding to P digits is half up on the 17-digit string: digits P+1 …
// 17 of 5000… or more round up. This double rounding is deliberate:
// 1234567890122.5 gives 1234567890123.
//
// Reading. A plain ASCII number of at most 25 characters goes straight to
// std::from_chars, whose grammar is ours once "d" exponents, folded
// characters and incomplete exponents are ruled out by the character where
// it stops. Everything else takes the full reader: the folded characters are
// read in one pass straight from the text (folding never changes what
// precedes a character), the kept digits are written into a small stack
// buffer and std::from_chars rounds them correctly; short numbers with small
// exponents take the exact floating-point path (digits ≤ 15, power of ten
// ≤ 10^22). No allocation either way.
#include "runtime/commands/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>

namespace talv {
namespace {

constexpr int kDoubleDigits = 13;
constexpr int kFloatDigits = 6;
constexpr int kExactDigits = 17;

// Exactly representable powers of ten, and the rest up to 10^39 as the
// nearest doubles (the float reduction scales by at most 10^39).
constexpr double kPowersOfTen[] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13,
    1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22, 1e23, 1e24, 1e25, 1e26, 1e27,
    1e28, 1e29, 1e30, 1e31, 1e32, 1e33, 1e34, 1e35, 1e36, 1e37, 1e38, 1e39};

// Significant digits d[0] d[1] … d[count-1] (d[0] not '0') of the value
// d[0].d[1]… × 10^exponent.
struct Digits {
  char d[kExactDigits + 1];
  int count;
  int exponent;
};

// Reads to_chars' scientific form "D[.DDD]e±XX".
void ParseScientific(const char* p, const char* end, Digits& out) {
  out.count = 0;
  for (; p < end && *p != 'e'; ++p) {
    if (*p != '.' && out.count < kExactDigits) out.d[out.count++] = *p;
  }
  ++p;  // the 'e'
  const bool negative = p < end && *p == '-';
  ++p;
  int e = 0;
  for (; p < end; ++p) e = e * 10 + (*p - '0');
  out.exponent = negative ? -e : e;
}

void ShortestDigits(double magnitude, Digits& out) {
  char buf[40];
  auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
  ParseScientific(buf, r.ptr, out);
}

void SeventeenDigits(double magnitude, Digits& out) {
  char buf[40];
  auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                         kExactDigits - 1);
  ParseScientific(buf, r.ptr, out);
}

void PadTo17(Digits& g) {
  while (g.count < kExactDigits) g.d[g.count++] = '0';
}

// Keeps `precision` digits, adding one to the last when `up`, carrying
// through nines; a carry out of the first digit gives 1000… and raises the
// exponent. Trailing zeros are dropped.
void KeepDigits(Digits& g, int precision, bool up) {
  g.count = precision;
  if (up) {
    int i = precision - 1;
    while (i >= 0 && g.d[i] == '9') g.d[i--] = '0';
    if (i >= 0) {
      ++g.d[i];
    } else {
      g.d[0] = '1';
      ++g.exponent;
    }
  }
  while (g.count > 1 && g.d[g.count - 1] == '0') --g.count;
}

// The value of the digits precision … 16 of a 17-digit string.
uint64_t TailOf(const Digits& g, int precision) {
  uint64_t tail = 0;
  for (int i = precision; i < kExactDigits; ++i) tail = tail * 10 + uint64_t(g.d[i] - '0');
  return tail;
}

// The digits of a finite, non-zero magnitude rounded to `precision` (≤ 16)
// significant digits by the two-step rule.
void RoundedDigits(double magnitude, bool subnormal, int precision, Digits& g) {
  if (!subnormal) {
    ShortestDigits(magnitude, g);
    if (g.count <= precision) {
      KeepDigits(g, g.count, false);
      return;
    }
    PadTo17(g);
    uint64_t threshold = 5;
    for (int i = precision + 1; i < kExactDigits; ++i) threshold *= 10;
    const uint64_t tail = TailOf(g, precision);
    constexpr uint64_t kMargin = 20;
    if (tail + kMargin <= threshold || tail >= threshold + kMargin) {
      KeepDigits(g, precision, tail >= threshold);
      return;
    }
  }
  SeventeenDigits(magnitude, g);
  PadTo17(g);
  KeepDigits(g, precision, g.d[precision] >= '5');
}

size_t Copy(char* out, const char* text) {
  size_t n = std::strlen(text);
  std::memcpy(out, text, n + 1);
  return n;
}

size_t NonFiniteText(uint64_t bits, char* out) {
  const bool negative = (bits >> 63) != 0;
  const uint64_t mantissa = bits & ((uint64_t(1) << 52) - 1);
  const uint64_t quiet = uint64_t(1) << 51;
  if (mantissa == 0) return Copy(out, negative ? "-1.#INF" : "1.#INF");
  if (bits == 0xFFF8000000000000ull) return Copy(out, "-1.#IND");
  const char* mark = (mantissa & quiet) ? "1.#QNAN" : "1.#SNAN";
  size_t n = 0;
  if (negative) out[n++] = '-';
  return n + Copy(out + n, mark);
}

// Lays out rounded digits in "%.<precision>g" form.
size_t Layout(const Digits& g, bool negative, int precision, char* out) {
  char* p = out;
  if (negative) *p++ = '-';
  const int x = g.exponent;
  if (x < -4 || x >= precision) {
    *p++ = g.d[0];
    if (g.count > 1) {
      *p++ = '.';
      std::memcpy(p, g.d + 1, size_t(g.count - 1));
      p += g.count - 1;
    }
    *p++ = 'e';
    *p++ = x < 0 ? '-' : '+';
    const int e = x < 0 ? -x : x;
    *p++ = char('0' + e / 100);
    *p++ = char('0' + e / 10 % 10);
    *p++ = char('0' + e % 10);
  } else if (x >= 0) {
    for (int i = 0; i <= x; ++i) *p++ = i < g.count ? g.d[i] : '0';
    if (g.count > x + 1) {
      *p++ = '.';
      std::memcpy(p, g.d + x + 1, size_t(g.count - x - 1));
      p += g.count - x - 1;
    }
  } else {
    *p++ = '0';
    *p++ = '.';
    for (int i = -1; i > x; --i) *p++ = '0';
    std::memcpy(p, g.d, size_t(g.count));
    p += g.count;
  }
  *p = '\0';
  return size_t(p - out);
}

size_t RenderBits(uint64_t bits, int precision, char* out) {
  double value;
  std::memcpy(&value, &bits, 8);
  const unsigned biased = unsigned(bits >> 52) & 0x7FF;
  if (biased == 0x7FF) return NonFiniteText(bits, out);
  if ((bits << 1) == 0) return Copy(out, "0");
  Digits g;
  RoundedDigits(std::fabs(value), biased == 0, precision, g);
  return Layout(g, (bits >> 63) != 0, precision, out);
}

// ---- Reading ----------------------------------------------------------

constexpr int kKeptDigits = 25;
constexpr int kNotFitting = 0x100;  // a double-byte character with no ASCII form

// A folded character: its ASCII form (or kNotFitting) and how many bytes of
// the text it takes. Character 0 ends the text; nothing fits it, so the
// reader never steps over it.
struct Folded {
  int c;
  int bytes;
};

// Folds a double-byte character (first byte 0x80 or more). A lone first byte
// before the NUL is dropped: the text ends there.
Folded FoldDoubleByte(const uint8_t* p) {
  const uint8_t c = p[0];
  const uint8_t c2 = p[1];
  if (c2 == 0) return {0, 0};
  if (c == 0xA3 && c2 >= 0xA1 && c2 <= 0xFE) return {c2 - 0x80, 2};  // full-width ASCII
  if (c == 0xA1) {
    if (c2 == 0xA1) return {' ', 2};                // ideographic space
    if (c2 == 0xAB) return {'~', 2};                // wave dash
    if (c2 == 0xEE || c2 == 0xEF) return {'*', 2};  // white and black stars
  }
  return {kNotFitting, 2};
}

// The character at `p` without consuming it. Plain ASCII is the fast case;
// its constant width keeps the next address independent of this byte.
inline Folded PeekFolded(const uint8_t* p) {
  const uint8_t c = *p;
  if (c < 0x80) return {c, 1};
  return FoldDoubleByte(p);
}

inline bool IsDigit(int c) { return c >= '0' && c <= '9'; }
inline bool IsSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The correctly rounded double of digits × 10^scale.
double MagnitudeOf(const char* digits, int count, int64_t scale) {
  while (digits[count - 1] == '0') {  // count > 0 and digits[0] is not '0'
    --count;
    ++scale;
  }
  if (count <= 15 && scale >= -22 && scale <= 22) {
    // Both operands are exact, so one rounding gives the nearest double.
    uint64_t integer = 0;
    for (int i = 0; i < count; ++i) integer = integer * 10 + uint64_t(digits[i] - '0');
    const double d = double(integer);
    return scale >= 0 ? d * kPowersOfTen[scale] : d / kPowersOfTen[-scale];
  }
  const int64_t leading = scale + count - 1;  // decimal exponent of the first digit
  if (leading > 310) return HUGE_VAL;
  if (leading < -330) return 0.0;
  char buf[kKeptDigits + 8];
  std::memcpy(buf, digits, size_t(count));
  char* p = buf + count;
  *p++ = 'e';
  int64_t e = scale;
  if (e < 0) {
    *p++ = '-';
    e = -e;
  }
  char rev[8];
  int n = 0;
  do {
    rev[n++] = char('0' + e % 10);
    e /= 10;
  } while (e != 0);
  while (n > 0) *p++ = rev[--n];
  double value = 0.0;
  auto r = std::from_chars(buf, p, value, std::chars_format::scientific);
  if (r.ec == std::errc::result_out_of_range) return leading > 0 ? HUGE_VAL : 0.0;
  return value;
}

// Plain numbers: ASCII white space and sign, then at most 25 characters
// that std::from_chars reads by the same grammar (digits, one point, an "e"
// exponent with digits) and so with at most 25 significant digits. Declines
// (false) whatever needs the full reading: folded characters, "d" exponents,
// an incomplete exponent, more characters, results out of range.
bool ReadPlainNumber(const char* text, double& value) {
  constexpr int kPlainLength = kKeptDigits;
  const char* q = text;
  while (*q == ' ' || (*q >= '\t' && *q <= '\r')) ++q;
  bool negative = false;
  if (*q == '+' || *q == '-') negative = *q++ == '-';
  if (!IsDigit(*q) && !(*q == '.' && IsDigit(q[1]))) return false;
  int length = 0;
  while (length <= kPlainLength && q[length] != '\0') ++length;
  auto r = std::from_chars(q, q + length, value, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr - q > kPlainLength) return false;
  const unsigned char stop = static_cast<unsigned char>(*r.ptr);
  if (stop >= 0x80 || stop == 'd' || stop == 'D' || stop == 'e' || stop == 'E') return false;
  if (negative) value = -value;
  return true;
}

}  // namespace

size_t DoubleToText(double value, char* out) {
  uint64_t bits;
  std::memcpy(&bits, &value, 8);
  return RenderBits(bits, kDoubleDigits, out);
}

double ReduceFloat(float value) {
  const double widened = value;
  if (widened == 0.0 || !std::isfinite(widened)) return widened;
  uint32_t bits;
  std::memcpy(&bits, &value, 4);
  const int e2 = int((bits >> 23) & 0xFF) - 127;
  int e10 = int(e2 * 0.30102999566398119521);  // truncated toward zero
  double scale = kPowersOfTen[e10 < 0 ? -e10 : e10];
  const double magnitude = std::fabs(widened);
  double v = e10 > 0 ? magnitude / scale : magnitude * scale;
  if (v >= 10) {
    scale *= 10;
    e10 += 1;
    v *= 10000;
  } else if (v < 1) {
    scale *= 10;
    e10 -= 1;
    v *= 1000000;
  } else {
    v *= 100000;
  }
  double integer;
  const double fraction = std::modf(v, &integer);
  if (fraction >= 0.5) integer += 1;
  const double signed_scale = std::signbit(value) ? -scale : scale;
  return e10 > 0 ? integer * (signed_scale * 0.00001) : integer / (signed_scale * 100000);
}

size_t FloatToText(float value, char* out) {
  uint32_t f;
  std::memcpy(&f, &value, 4);
  if ((f & 0x7F800000) == 0x7F800000) {
    // Widened bit by bit: a conversion would quieten a signalling NaN.
    const uint64_t bits = (uint64_t(f >> 31) << 63) | (uint64_t(0x7FF) << 52) |
                          (uint64_t(f & 0x7FFFFF) << 29);
    return RenderBits(bits, kFloatDigits, out);
  }
  const double reduced = ReduceFloat(value);
  uint64_t bits;
  std::memcpy(&bits, &reduced, 8);
  return RenderBits(bits, kFloatDigits, out);
}

double TextToNumber(const char* text) {
  if (!text) return 0.0;
  double plain;
  if (ReadPlainNumber(text, plain)) return plain;
  const auto* p = reinterpret_cast<const uint8_t*>(text);
  Folded f = PeekFolded(p);
  while (IsSpace(f.c)) f = PeekFolded(p += f.bytes);
  bool negative = false;
  if (f.c == '+' || f.c == '-') {
    negative = f.c == '-';
    f = PeekFolded(p += f.bytes);
  }

  // Mantissa: value = kept digits × 10^scale.
  char digits[kKeptDigits];
  int kept = 0;
  int64_t scale = 0;
  bool any_digit = false;
  while (f.c == '0') {  // leading zeros are not significant
    any_digit = true;
    f = PeekFolded(p += f.bytes);
  }
  for (; IsDigit(f.c); f = PeekFolded(p += f.bytes)) {
    any_digit = true;
    if (kept < kKeptDigits) {
      digits[kept++] = char(f.c);
    } else {
      ++scale;  // an integer digit beyond the kept ones still counts
    }
  }
  if (f.c == '.') {
    f = PeekFolded(p += f.bytes);
    if (kept == 0) {
      for (; f.c == '0'; f = PeekFolded(p += f.bytes)) {
        any_digit = true;
        --scale;
      }
    }
    for (; IsDigit(f.c); f = PeekFolded(p += f.bytes)) {
      any_digit = true;
      if (kept < kKeptDigits) {
        digits[kept++] = char(f.c);
        --scale;
      }
    }
  }
  if (!any_digit) return 0.0;

  // The exponent counts only when at least one digit follows its letter.
  if (f.c == 'e' || f.c == 'E' || f.c == 'd' || f.c == 'D') {
    const uint8_t* q = p + f.bytes;
    Folded e = PeekFolded(q);
    bool exponent_negative = false;
    if (e.c == '+' || e.c == '-') {
      exponent_negative = e.c == '-';
      e = PeekFolded(q += e.bytes);
    }
    if (IsDigit(e.c)) {
      int64_t exponent = 0;
      for (; IsDigit(e.c); e = PeekFolded(q += e.bytes)) {
        if (exponent < 1000000) exponent = exponent * 10 + (e.c - '0');
      }
      scale += exponent_negative ? -exponent : exponent;
    }
  }
  const double magnitude = kept == 0 ? 0.0 : MagnitudeOf(digits, kept, scale);
  return negative ? -magnitude : magnitude;
}

}  // namespace talv
