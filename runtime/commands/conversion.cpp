// The conversion commands. Numeric renderings are built in one 100-byte
// stack buffer; the only allocation is the result block.
#include "runtime/commands/conversion.h"

#include <cstring>

#include "runtime/commands/calendar.h"
#include "runtime/commands/number_text.h"
#include "runtime/core/blocks.h"
#include "runtime/core/value_span.h"

namespace talv {
namespace {

// Bytes up to (not including) the first zero byte.
size_t LengthToZero(const uint8_t* bytes, size_t length) {
  if (!bytes) return 0;
  const void* zero = std::memchr(bytes, 0, length);
  return zero ? size_t(static_cast<const uint8_t*>(zero) - bytes) : length;
}

// The elements of a one-dimensional array of a numeric type, as bytes.
DataSpan NumericArrayBytes(const TypedValue& value) {
  const size_t width = NumericTypeWidth(TypeCode::ElementType(value.type));
  if (width == 0) return {nullptr, 0};
  const ArrayView array = OneDimensionalArray(AsPointer(value));
  return {array.elements, array.count * width};
}

char* AppendUnsigned(char* p, uint64_t n) {
  char rev[20];
  int count = 0;
  do {
    rev[count++] = char('0' + n % 10);
    n /= 10;
  } while (n != 0);
  while (count > 0) *p++ = rev[--count];
  return p;
}

char* AppendSigned(char* p, int64_t n) {
  if (n < 0) {
    *p++ = '-';
    return AppendUnsigned(p, 0 - uint64_t(n));
  }
  return AppendUnsigned(p, uint64_t(n));
}

char* AppendText(char* p, const char* text) {
  const size_t n = std::strlen(text);
  std::memcpy(p, text, n);
  return p + n;
}

size_t DateTimeText(double value, char* out) {
  const CalendarFields f = CalendarFromDateTime(ClampDateTime(value));
  char* p = out;
  p = AppendText(AppendSigned(p, f.year), "年");
  p = AppendText(AppendSigned(p, f.month), "月");
  p = AppendText(AppendSigned(p, f.day), "日");
  if (f.second != 0 || f.minute != 0 || f.hour != 0) {
    p = AppendText(AppendSigned(p, f.hour), "时");
    if (f.second != 0 || f.minute != 0) {
      p = AppendText(AppendSigned(p, f.minute), "分");
      if (f.second != 0) p = AppendText(AppendSigned(p, f.second), "秒");
    }
  }
  *p = '\0';
  return size_t(p - out);
}

char* TextOf(const TypedValue& value) {
  const uint32_t code = value.type;
  if (TypeCode::IsArray(code)) {
    const DataSpan bytes = NumericArrayBytes(value);
    return NewText(reinterpret_cast<const char*>(bytes.data), LengthToZero(bytes.data, bytes.length));
  }
  char buf[kNumberTextCapacity];
  size_t length = 0;
  switch (code) {
    case TypeCode::Byte:
      length = size_t(AppendUnsigned(buf, uint8_t(value.lo)) - buf);
      break;
    case TypeCode::Short:
      length = size_t(AppendSigned(buf, int16_t(value.lo)) - buf);
      break;
    case TypeCode::Int:
      length = size_t(AppendSigned(buf, AsInt(value)) - buf);
      break;
    case TypeCode::Long:
      length = size_t(AppendSigned(buf, AsLong(value)) - buf);
      break;
    case TypeCode::Float:
      length = FloatToText(AsFloat(value), buf);
      break;
    case TypeCode::Double:
      length = DoubleToText(AsDouble(value), buf);
      break;
    case TypeCode::Bool:
      length = size_t(AppendText(buf, AsBool(value) ? "真" : "假") - buf);
      break;
    case TypeCode::DateTime:
      length = DateTimeText(AsDouble(value), buf);
      break;
    case TypeCode::Text:
      return NewText(AsText(value));
    case TypeCode::Bytes: {
      const void* block = AsPointer(value);
      const uint8_t* data = ByteArrayData(block);
      return NewText(reinterpret_cast<const char*>(data),
                     LengthToZero(data, ByteArrayLength(block)));
    }
    default:
      return nullptr;
  }
  return NewText(buf, length);
}

double NumberOf(const TypedValue& value) {
  switch (value.type) {
    case TypeCode::Text:
      return TextToNumber(AsText(value));
    case TypeCode::Bool:
      return double(AsInt(value));
    case TypeCode::Byte:
      return double(uint8_t(value.lo));
    case TypeCode::Short:
      return double(int16_t(value.lo));
    case TypeCode::Int:
      return double(AsInt(value));
    case TypeCode::Long:
      return double(AsLong(value));
    case TypeCode::Float:
      return double(AsFloat(value));
    case TypeCode::Double:
      return AsDouble(value);
    case TypeCode::SubPointer:
      return double(value.lo);
    default:
      return 0.0;
  }
}

uint8_t* ByteArrayOf(const TypedValue& value) {
  const uint32_t code = value.type;
  if (TypeCode::IsArray(code)) {
    const DataSpan bytes = NumericArrayBytes(value);
    return NewByteArray(bytes.data, bytes.data ? bytes.length : 0);
  }
  if (!TypeCode::IsBasic(code)) return nullptr;
  if (code == TypeCode::Text) {
    const char* text = AsText(value);
    return NewByteArray(text, TextLength(text));
  }
  const DataSpan span = ValueDataSpan(value);
  return NewByteArray(span.data, span.data ? span.length : 0);
}

}  // namespace

void ToText(TypedValue* result, int32_t count, TypedValue* args) {
  char* text = count > 0 && args ? TextOf(args[0]) : nullptr;
  SetPointer(*result, text);
}

void ToNumber(TypedValue* result, int32_t count, TypedValue* args) {
  if (count > 0 && args && args[0].type == TypeCode::Double) {
    SetRawBits(*result, RawBits(args[0]));  // bit for bit, NaN payloads included
    return;
  }
  const double number = count > 0 && args ? NumberOf(args[0]) : 0.0;
  SetDouble(*result, number);
}

void ToByteArray(TypedValue* result, int32_t count, TypedValue* args) {
  uint8_t* block = count > 0 && args ? ByteArrayOf(args[0]) : nullptr;
  SetPointer(*result, block);
}

}  // namespace talv
