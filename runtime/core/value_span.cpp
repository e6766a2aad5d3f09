// Data spans of typed values.
#include "runtime/core/value_span.h"

#include <cstring>

#include "runtime/core/blocks.h"

namespace talv {

size_t NumericTypeWidth(uint32_t code) {
  switch (code) {
    case TypeCode::Byte:
      return 1;
    case TypeCode::Short:
      return 2;
    case TypeCode::Int:
    case TypeCode::Float:
      return 4;
    case TypeCode::Long:
    case TypeCode::Double:
      return 8;
    default:
      return 0;
  }
}

DataSpan ValueDataSpan(const TypedValue& value) {
  // The value field starts with the low word; the target is little-endian,
  // so the first bytes of the record are the low bytes of the number.
  const auto* field = reinterpret_cast<const uint8_t*>(&value.lo);
  if (size_t width = NumericTypeWidth(value.type)) return {field, width};
  switch (value.type) {
    case TypeCode::Bool:
    case TypeCode::SubPointer:
      return {field, 4};
    case TypeCode::DateTime:
    case TypeCode::Basic8:
      return {field, 8};
    case TypeCode::Text: {
      static const uint8_t kLoneNul = 0;
      const char* text = AsText(value);
      if (!text) return {&kLoneNul, 1};
      return {reinterpret_cast<const uint8_t*>(text), std::strlen(text) + 1};
    }
    case TypeCode::Bytes: {
      const void* block = AsPointer(value);
      size_t length = ByteArrayLength(block);
      if (length == 0) return {nullptr, 0};
      return {ByteArrayData(block), length};
    }
    default:
      return {nullptr, 0};
  }
}

}  // namespace talv
