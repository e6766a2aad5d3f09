// Chinese numeral and money readings. Both build the text backwards from the
// end of a stack buffer, lowest digit first, and copy it once into the
// result. One digit writer serves both: a zero state (nothing written yet /
// a non-zero digit just written / a 零 written since) that gives one 零 per
// run of inner zeros and none at the right end, and a section flag that puts
// 万 or 亿 after a section whose lowest places are zero (一十万, 一万亿).
#include "runtime/commands/chinese_numerals.h"

#include <cmath>
#include <cstring>

#include "runtime/core/argument_access.h"
#include "runtime/core/blocks.h"

namespace talv {
namespace {

struct CharacterSet {
  const char* digits[10];
  // Entry k stands for 10^(k+1): 十百千万, then the 万 and 亿 sections.
  const char* units[12];
};

const CharacterSet kEveryday = {
    {"零", "一", "二", "三", "四", "五", "六", "七", "八", "九"},
    {"十", "百", "千", "万", "十", "百", "千", "亿", "十", "百", "千", "万"},
};
const CharacterSet kFormal = {
    {"零", "壹", "贰", "叁", "肆", "伍", "陆", "柒", "捌", "玖"},
    {"拾", "佰", "仟", "万", "拾", "佰", "仟", "亿", "拾", "佰", "仟", "万"},
};

constexpr int kWanUnit = 3;
constexpr int kYiUnit = 7;
constexpr double kNudge = 1e-12;  // absorbs the representation error of x × 100
constexpr double kLargestNumeral = 9999999999999.0;
constexpr uint64_t kLargestFen = 999999999999999ull;

// Text written from its end towards its start. The limits of the two
// commands keep the longest reading far inside the buffer; a character that
// would not fit is dropped rather than written outside it.
class BackwardText {
 public:
  void Put(const char* character) {
    size_t n = std::strlen(character);
    if (n > start_) return;
    start_ -= n;
    std::memcpy(buffer_ + start_, character, n);
  }
  char* Copy() const { return NewText(buffer_ + start_, sizeof buffer_ - start_); }

 private:
  char buffer_[256];
  size_t start_ = sizeof buffer_;
};

class DigitWriter {
 public:
  DigitWriter(BackwardText& out, const CharacterSet& set) : out_(out), set_(set) {}

  // A zero digit: one 零 after a non-zero digit, nothing otherwise.
  void Zero() {
    if (state_ == kAfterDigit) {
      out_.Put(set_.digits[0]);
      state_ = kAfterZero;
    }
  }

  // Digit d followed (in reading order) by `suffix`, e.g. 五 + 角.
  void DigitWith(int d, const char* suffix) {
    out_.Put(suffix);
    out_.Put(set_.digits[d]);
    state_ = kAfterDigit;
  }

  // Digit d of an integer at place q (0 = units) with its unit and, for the
  // first non-zero digit of the 万 or 亿 section above the section's first
  // place, the section's marker.
  void Place(int q, int d) {
    if (q == 4 || q == 8) section_ = false;
    if (d == 0) {
      Zero();
      return;
    }
    if (q >= 4 && !section_) {
      section_ = true;
      if (q > 4 && q < 8) out_.Put(set_.units[kWanUnit]);
      if (q > 8) out_.Put(set_.units[kYiUnit]);
    }
    if (q >= 1) out_.Put(set_.units[q - 1]);
    out_.Put(set_.digits[d]);
    state_ = kAfterDigit;
  }

  void Put(const char* character) { out_.Put(character); }

 private:
  enum { kStart = 0, kAfterZero = 1, kAfterDigit = 2 };
  BackwardText& out_;
  const CharacterSet& set_;
  int state_ = kStart;
  bool section_ = false;
};

// Rounds y half up after the nudge: the integer part, plus 1 when the rest
// is at least one half. y must be non-negative and below 2^63.
uint64_t RoundHalfUp(double scaled) {
  double y = scaled + kNudge;
  double whole = std::floor(y);
  uint64_t n = uint64_t(whole);
  if (y - whole >= 0.5) ++n;
  return n;
}

const CharacterSet& ChosenSet(int32_t count, TypedValue* args) {
  TypedValue simplified = args::At(count, args, 1);
  return (!IsOmitted(simplified) && args::Integer(simplified) != 0) ? kEveryday : kFormal;
}

void SetResult(TypedValue* result, char* text) {
  SetPointer(*result, text);
  result->type = TypeCode::Text;
}

}  // namespace

void ToChineseNumerals(TypedValue* result, int32_t count, TypedValue* args) {
  double x = args::Number(args::At(count, args, 0));
  const CharacterSet& set = ChosenSet(count, args);
  const bool negative = x < 0;
  if (negative) x = -x;
  if (x == 0) {
    SetResult(result, NewText("零"));
    return;
  }
  // The limit applies to the unrounded value; NaN is no number to write.
  if (!(x <= kLargestNumeral)) {
    SetResult(result, NewText("溢出"));
    return;
  }

  double whole;
  double fraction = std::modf(x, &whole);
  uint64_t integer = uint64_t(whole);
  uint64_t hundredths = RoundHalfUp(fraction * 100.0);
  if (hundredths >= 100) {
    ++integer;
    hundredths = 0;
  }

  BackwardText out;
  DigitWriter writer(out, set);
  if (hundredths != 0) {
    int tenths = int(hundredths / 10), last = int(hundredths % 10);
    if (last != 0) out.Put(set.digits[last]);
    out.Put(set.digits[tenths]);
    out.Put("点");
  }
  if (integer == 0) {
    out.Put(set.digits[0]);
  } else {
    for (int q = 0; integer != 0; ++q, integer /= 10) writer.Place(q, int(integer % 10));
  }
  if (negative) out.Put("负");
  SetResult(result, out.Copy());
}

void ToChineseAmount(TypedValue* result, int32_t count, TypedValue* args) {
  double x = args::Number(args::At(count, args, 0));
  const CharacterSet& set = ChosenSet(count, args);
  const bool negative = x < 0;
  if (negative) x = -x;

  // Checked before the conversion to an integer so that huge values,
  // infinities and NaN never reach it.
  double scaled = x * 100.0;
  if (!(scaled < 1e15)) {
    SetResult(result, NewText("溢出"));
    return;
  }
  uint64_t fen = RoundHalfUp(scaled);
  if (fen > kLargestFen) {
    SetResult(result, NewText("溢出"));
    return;
  }
  if (fen == 0) {  // the zero test follows the rounding: no sign, no 元
    SetResult(result, NewText("零"));
    return;
  }

  BackwardText out;
  DigitWriter writer(out, set);
  if (fen % 10 == 0) out.Put("整");
  bool yuan_written = false;
  for (int p = 0; fen != 0; ++p, fen /= 10) {
    const int d = int(fen % 10);
    if (p < 2) {
      if (d == 0) {
        writer.Zero();
      } else {
        writer.DigitWith(d, p == 0 ? "分" : "角");
      }
      continue;
    }
    // 元 follows the lowest non-zero yuan digit and absorbs the zeros below it.
    if (d != 0 && !yuan_written) {
      writer.Put("元");
      yuan_written = true;
    }
    writer.Place(p - 2, d);
  }
  if (negative) out.Put("负");
  SetResult(result, out.Copy());
}

}  // namespace talv
