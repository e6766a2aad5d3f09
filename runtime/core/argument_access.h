// Reading a command's typed arguments by position. An argument past the
// count the caller passed reads as omitted, so a short argument list gives
// the omitted-argument outcome instead of a read past the array.
#pragma once

#include <cmath>
#include <cstdint>

#include "runtime/core/typed_value.h"

namespace talv::args {

inline TypedValue At(int32_t count, const TypedValue* args, int32_t index) {
  if (index < 0 || index >= count || !args) return Omitted();
  return args[index];
}

inline bool Present(int32_t count, const TypedValue* args, int32_t index) {
  return !IsOmitted(At(count, args, index));
}

// The value as a double, whatever numeric type carries it; a date-time is
// its day count. Other types give 0.
inline double Number(const TypedValue& v) {
  switch (v.type) {
    case TypeCode::Byte: return double(v.lo & 0xFF);
    case TypeCode::Short: return double(int16_t(v.lo & 0xFFFF));
    case TypeCode::Int:
    case TypeCode::Bool: return double(AsInt(v));
    case TypeCode::Long: return double(AsLong(v));
    case TypeCode::Float: return double(AsFloat(v));
    case TypeCode::Double:
    case TypeCode::DateTime: return AsDouble(v);
    default: return 0.0;
  }
}

// The value as a 32-bit integer: floating values are truncated toward zero
// and held to the 32-bit range (NaN gives 0); any non-numeric type gives its
// low word.
inline int32_t Integer(const TypedValue& v) {
  switch (v.type) {
    case TypeCode::Byte: return int32_t(v.lo & 0xFF);
    case TypeCode::Short: return int32_t(int16_t(v.lo & 0xFFFF));
    case TypeCode::Long: {
      int64_t x = AsLong(v);
      if (x > INT32_MAX) return INT32_MAX;
      if (x < INT32_MIN) return INT32_MIN;
      return int32_t(x);
    }
    case TypeCode::Float:
    case TypeCode::Double:
    case TypeCode::DateTime: {
      double d = Number(v);
      if (std::isnan(d)) return 0;
      if (d >= 2147483647.0) return INT32_MAX;
      if (d <= -2147483648.0) return INT32_MIN;
      return int32_t(d);
    }
    default: return AsInt(v);
  }
}

// A numeric value as a 32-bit integer (floating values truncated toward
// zero) when it fits; a value out of range, NaN or any other type gives 0.
inline int32_t IntegerOrZero(const TypedValue& v) {
  switch (v.type) {
    case TypeCode::Byte:
    case TypeCode::Short:
    case TypeCode::Int: return Integer(v);
    case TypeCode::Long: {
      int64_t x = AsLong(v);
      return (x < INT32_MIN || x > INT32_MAX) ? 0 : int32_t(x);
    }
    case TypeCode::Float:
    case TypeCode::Double: {
      double d = Number(v);
      return (std::isfinite(d) && d > -2147483649.0 && d < 2147483648.0) ? int32_t(d) : 0;
    }
    default: return 0;
  }
}

// A text argument: null is the empty text.
inline const char* Text(const TypedValue& v) { return IsOmitted(v) ? nullptr : AsText(v); }

// A byte-array argument (type code not examined): null is the empty array.
inline const void* Bytes(const TypedValue& v) { return IsOmitted(v) ? nullptr : AsPointer(v); }

}  // namespace talv::args
