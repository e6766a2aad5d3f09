// Typed values: the 12-byte record (8-byte value, 32-bit Type code) in which
// every command argument, command result and property value travels.
// Portable: no Win32 here, so the record is tested natively as well.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace talv {

// Type codes. The top two bits give the category (10 = basic type,
// 01 = user record, 00 = library type); bit 29 marks an array of the type.
namespace TypeCode {
constexpr uint32_t None = 0;  // an omitted optional argument
constexpr uint32_t Byte = 0x80000101;
constexpr uint32_t Short = 0x80000201;
constexpr uint32_t Int = 0x80000301;
constexpr uint32_t Long = 0x80000401;
constexpr uint32_t Float = 0x80000501;
constexpr uint32_t Double = 0x80000601;
constexpr uint32_t Bool = 0x80000002;
constexpr uint32_t DateTime = 0x80000003;
constexpr uint32_t Text = 0x80000004;
constexpr uint32_t Bytes = 0x80000005;
constexpr uint32_t SubPointer = 0x80000006;
constexpr uint32_t Basic8 = 0x80000008;  // 8-byte basic type the application does not use

constexpr uint32_t ArrayFlag = 0x20000000;
constexpr uint32_t CategoryMask = 0xC0000000;
constexpr uint32_t BasicCategory = 0x80000000;

// Kinds of the core library (library 1).
constexpr uint32_t KindWindow = 0x10001;
constexpr uint32_t KindEditBox = 0x10005;
constexpr uint32_t KindGroupBox = 0x10009;
constexpr uint32_t KindLabel = 0x1000a;
constexpr uint32_t KindButton = 0x1000b;
constexpr uint32_t KindDatePicker = 0x10017;
constexpr uint32_t KindHyperLinker = 0x1001d;
constexpr uint32_t KindPicBtn = 0x1002d;

constexpr bool IsArray(uint32_t code) { return (code & ArrayFlag) != 0; }
constexpr uint32_t ElementType(uint32_t code) { return code & ~ArrayFlag; }
constexpr bool IsBasic(uint32_t code) { return (code & CategoryMask) == BasicCategory; }
// The six numeric types (a basic type whose low byte is 1).
constexpr bool IsNumeric(uint32_t code) {
  return code == Byte || code == Short || code == Int || code == Long || code == Float ||
         code == Double;
}
}  // namespace TypeCode

#pragma pack(push, 4)
// The value field holds the low 32-bit word first, then the high word.
// On the 32-bit target a pointer occupies the low word; the native test
// build keeps its 64-bit pointers in both words.
struct TypedValue {
  uint32_t lo;
  uint32_t hi;
  uint32_t type;
};
#pragma pack(pop)
static_assert(sizeof(TypedValue) == 12, "a typed value is a 12-byte record");
static_assert(sizeof(void*) <= 8, "pointers must fit the 8-byte value field");

// ---- Readers ----------------------------------------------------------
inline uint64_t RawBits(const TypedValue& v) { return (uint64_t(v.hi) << 32) | v.lo; }
inline int32_t AsInt(const TypedValue& v) { return int32_t(v.lo); }
inline int64_t AsLong(const TypedValue& v) { return int64_t(RawBits(v)); }
inline bool AsBool(const TypedValue& v) { return v.lo != 0; }
inline double AsDouble(const TypedValue& v) {
  uint64_t bits = RawBits(v);
  double d;
  std::memcpy(&d, &bits, 8);
  return d;
}
inline float AsFloat(const TypedValue& v) {
  float f;
  std::memcpy(&f, &v.lo, 4);
  return f;
}
inline void* AsPointer(const TypedValue& v) {
  uintptr_t p = uintptr_t(v.lo);
  if (sizeof(void*) == 8) p = uintptr_t(RawBits(v));
  return reinterpret_cast<void*>(p);
}
inline const char* AsText(const TypedValue& v) { return static_cast<const char*>(AsPointer(v)); }
inline bool IsOmitted(const TypedValue& v) { return v.type == TypeCode::None; }

// ---- Writers ----------------------------------------------------------
inline void SetRawBits(TypedValue& v, uint64_t bits) {
  v.lo = uint32_t(bits);
  v.hi = uint32_t(bits >> 32);
}
inline void SetInt(TypedValue& v, int32_t x) {
  v.lo = uint32_t(x);
  v.hi = 0;
}
inline void SetLong(TypedValue& v, int64_t x) { SetRawBits(v, uint64_t(x)); }
inline void SetBool(TypedValue& v, bool b) {
  v.lo = b ? 1u : 0u;
  v.hi = 0;
}
inline void SetDouble(TypedValue& v, double d) {
  uint64_t bits;
  std::memcpy(&bits, &d, 8);
  SetRawBits(v, bits);
}
inline void SetFloat(TypedValue& v, float f) {
  std::memcpy(&v.lo, &f, 4);
  v.hi = 0;
}
inline void SetPointer(TypedValue& v, const void* p) { SetRawBits(v, uint64_t(uintptr_t(p))); }

// Whole typed values, for building argument arrays.
inline TypedValue Omitted() { return TypedValue{0, 0, TypeCode::None}; }
inline TypedValue IntValue(int32_t x) {
  TypedValue v{0, 0, TypeCode::Int};
  SetInt(v, x);
  return v;
}
inline TypedValue LongValue(int64_t x) {
  TypedValue v{0, 0, TypeCode::Long};
  SetLong(v, x);
  return v;
}
inline TypedValue DoubleValue(double d) {
  TypedValue v{0, 0, TypeCode::Double};
  SetDouble(v, d);
  return v;
}
inline TypedValue FloatValue(float f) {
  TypedValue v{0, 0, TypeCode::Float};
  SetFloat(v, f);
  return v;
}
inline TypedValue BoolValue(bool b) {
  TypedValue v{0, 0, TypeCode::Bool};
  SetBool(v, b);
  return v;
}
inline TypedValue DateTimeValue(double days) {
  TypedValue v{0, 0, TypeCode::DateTime};
  SetDouble(v, days);
  return v;
}
inline TypedValue TextValue(const char* text) {
  TypedValue v{0, 0, TypeCode::Text};
  SetPointer(v, text);
  return v;
}
inline TypedValue BytesValue(const void* block) {
  TypedValue v{0, 0, TypeCode::Bytes};
  SetPointer(v, block);
  return v;
}

// A command: (result record, argument count, first typed argument). It reads
// its arguments by position, treats Type code 0 as omitted, writes the result
// record and never frees its arguments.
using Command = void (*)(TypedValue* result, int32_t count, TypedValue* args);

}  // namespace talv
