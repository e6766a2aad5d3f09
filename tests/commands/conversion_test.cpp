// The conversion commands called through the command gate's body, for every
// Type code: what text, number or byte array each gives, that results are
// fresh blocks (null when empty) and that only the value part is written.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "runtime/commands/conversion.h"
#include "runtime/core/blocks.h"
#include "runtime/core/command_call.h"
#include "runtime/core/heap.h"

namespace talv {
namespace {

TypedValue Value(uint32_t type, uint32_t lo, uint32_t hi = 0) { return TypedValue{lo, hi, type}; }

TypedValue ArrayValue(uint32_t element_type, const void* block) {
  TypedValue v = BytesValue(block);
  v.type = element_type | TypeCode::ArrayFlag;
  return v;
}

// A one-dimensional array block: count 1, element count, elements.
template <typename T>
std::vector<uint8_t> ArrayBlock(std::vector<T> elements) {
  std::vector<uint8_t> block(8 + elements.size() * sizeof(T));
  uint32_t header[2] = {1, uint32_t(elements.size())};
  std::memcpy(block.data(), header, 8);
  if (!elements.empty()) std::memcpy(block.data() + 8, elements.data(), elements.size() * sizeof(T));
  return block;
}

std::vector<uint8_t> ByteArrayBlock(const std::string& bytes) {
  return ArrayBlock(std::vector<char>(bytes.begin(), bytes.end()));
}

// Calls ToText and returns its text ("<null>" for no block), freeing it.
std::string TextOf(TypedValue arg) {
  TypedValue r = InvokeCommand(ToText, 1, &arg);
  EXPECT_EQ(r.type, 0u);
  char* text = static_cast<char*>(AsPointer(r));
  if (!text) return "<null>";
  EXPECT_NE(text[0], '\0') << "an empty text must be null";
  std::string s = text;
  Free(text);
  return s;
}

double NumberOf(TypedValue arg) {
  TypedValue r = InvokeCommand(ToNumber, 1, &arg);
  EXPECT_EQ(r.type, 0u);
  return AsDouble(r);
}

// Calls ToByteArray and returns its payload ("<null>" for no block).
std::string BytesOf(TypedValue arg) {
  TypedValue r = InvokeCommand(ToByteArray, 1, &arg);
  EXPECT_EQ(r.type, 0u);
  void* block = AsPointer(r);
  if (!block) return "<null>";
  uint32_t dims;
  std::memcpy(&dims, block, 4);
  EXPECT_EQ(dims, 1u);
  EXPECT_GT(ByteArrayLength(block), 0u) << "an empty byte array must be null";
  std::string s(reinterpret_cast<const char*>(ByteArrayData(block)), ByteArrayLength(block));
  Free(block);
  return s;
}

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += char(b);
  return s;
}

// ---- ToText ------------------------------------------------------------

TEST(ToText, Integers) {
  EXPECT_EQ(TextOf(Value(TypeCode::Byte, 255)), "255");
  EXPECT_EQ(TextOf(Value(TypeCode::Byte, 0)), "0");
  EXPECT_EQ(TextOf(Value(TypeCode::Short, uint16_t(-32768))), "-32768");
  EXPECT_EQ(TextOf(Value(TypeCode::Short, 32767)), "32767");
  EXPECT_EQ(TextOf(IntValue(0)), "0");
  EXPECT_EQ(TextOf(IntValue(-2147483647 - 1)), "-2147483648");
  EXPECT_EQ(TextOf(IntValue(42)), "42");
  EXPECT_EQ(TextOf(LongValue(std::numeric_limits<int64_t>::min())), "-9223372036854775808");
  EXPECT_EQ(TextOf(LongValue(std::numeric_limits<int64_t>::max())), "9223372036854775807");
  EXPECT_EQ(TextOf(LongValue(1234567890123)), "1234567890123");
}

TEST(ToText, FloatsAndDoubles) {
  EXPECT_EQ(TextOf(DoubleValue(1.0 / 3.0)), "0.3333333333333");
  EXPECT_EQ(TextOf(DoubleValue(-0.0)), "0");
  EXPECT_EQ(TextOf(DoubleValue(0.30000000000000004)), "0.3");
  EXPECT_EQ(TextOf(DoubleValue(1e-5)), "1e-005");
  EXPECT_EQ(TextOf(DoubleValue(1e13)), "1e+013");
  EXPECT_EQ(TextOf(DoubleValue(1234567890122.5)), "1234567890123");
  EXPECT_EQ(TextOf(DoubleValue(5.0 + 3.0)), "8");
  EXPECT_EQ(TextOf(FloatValue(0.1f)), "0.1");
  EXPECT_EQ(TextOf(FloatValue(1234567.0f)), "1.23457e+006");
  // A signalling NaN keeps its mark through the command.
  TypedValue snan{1, 0x7FF00000, TypeCode::Double};
  EXPECT_EQ(TextOf(snan), "1.#SNAN");
  EXPECT_EQ(TextOf(Value(TypeCode::Double, 0, 0xFFF80000)), "-1.#IND");
}

TEST(ToText, Logicals) {
  EXPECT_EQ(TextOf(BoolValue(true)), "真");
  EXPECT_EQ(TextOf(BoolValue(false)), "假");
  EXPECT_EQ(TextOf(Value(TypeCode::Bool, 5)), "真");
}

TEST(ToText, DateTimesShowTheTimeOnlyAsFarAsItIsNonZero) {
  const double day = 45352.0;  // 1 March 2024
  EXPECT_EQ(TextOf(DateTimeValue(day)), "2024年3月1日");
  EXPECT_EQ(TextOf(DateTimeValue(day + 12.0 / 24)), "2024年3月1日12时");
  EXPECT_EQ(TextOf(DateTimeValue(day + (12 * 3600 + 30 * 60) / 86400.0)), "2024年3月1日12时30分");
  EXPECT_EQ(TextOf(DateTimeValue(day + (12 * 3600 + 5) / 86400.0)), "2024年3月1日12时0分5秒");
  EXPECT_EQ(TextOf(DateTimeValue(day + (7 * 60 + 9) / 86400.0)), "2024年3月1日0时7分9秒");
  EXPECT_EQ(TextOf(DateTimeValue(0.0)), "1899年12月30日");
  EXPECT_EQ(TextOf(DateTimeValue(1e9)), "9999年12月31日");
  EXPECT_EQ(TextOf(DateTimeValue(-1e9)), "100年1月1日");
}

TEST(ToText, TextsAreCopiedAndEmptyTextsGiveNull) {
  char original[] = "abc";
  TypedValue arg = TextValue(original);
  TypedValue r = InvokeCommand(ToText, 1, &arg);
  char* copy = static_cast<char*>(AsPointer(r));
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, original);
  EXPECT_STREQ(copy, "abc");
  Free(copy);
  EXPECT_EQ(TextOf(TextValue(nullptr)), "<null>");
}

TEST(ToText, ByteArraysUpToTheFirstZeroByte) {
  std::vector<uint8_t> block = ByteArrayBlock(std::string("ab\0cd", 5));
  EXPECT_EQ(TextOf(BytesValue(block.data())), "ab");
  block = ByteArrayBlock("xyz");
  EXPECT_EQ(TextOf(BytesValue(block.data())), "xyz");
  block = ByteArrayBlock(std::string("\0a", 2));
  EXPECT_EQ(TextOf(BytesValue(block.data())), "<null>");
  EXPECT_EQ(TextOf(BytesValue(nullptr)), "<null>");
}

TEST(ToText, NumericArraysAsTheirElementBytes) {
  std::vector<uint8_t> ints = ArrayBlock<uint32_t>({0x34333231, 0x00003635, 0x39393939});
  EXPECT_EQ(TextOf(ArrayValue(TypeCode::Int, ints.data())), "123456");
  std::vector<uint8_t> shorts = ArrayBlock<uint16_t>({0x6968, 0x2121});
  EXPECT_EQ(TextOf(ArrayValue(TypeCode::Short, shorts.data())), "hi!!");
  std::vector<uint8_t> bytes = ArrayBlock<uint8_t>({'o', 'k'});
  EXPECT_EQ(TextOf(ArrayValue(TypeCode::Byte, bytes.data())), "ok");
  std::vector<uint8_t> doubles = ArrayBlock<double>({0.0});
  EXPECT_EQ(TextOf(ArrayValue(TypeCode::Double, doubles.data())), "<null>");
  std::vector<uint8_t> longs = ArrayBlock<uint64_t>({0x4847464544434241ull});
  EXPECT_EQ(TextOf(ArrayValue(TypeCode::Long, longs.data())), "ABCDEFGH");
  std::vector<uint8_t> floats = ArrayBlock<uint32_t>({0x00636261});
  EXPECT_EQ(TextOf(ArrayValue(TypeCode::Float, floats.data())), "abc");
  std::vector<uint8_t> empty = ArrayBlock<uint32_t>({});
  EXPECT_EQ(TextOf(ArrayValue(TypeCode::Int, empty.data())), "<null>");
  EXPECT_EQ(TextOf(ArrayValue(TypeCode::Int, nullptr)), "<null>");
}

TEST(ToText, OtherTypesGiveNull) {
  std::vector<uint8_t> texts = ArrayBlock<uint32_t>({0x41414141});
  EXPECT_EQ(TextOf(ArrayValue(TypeCode::Text, texts.data())), "<null>");
  EXPECT_EQ(TextOf(ArrayValue(TypeCode::Bool, texts.data())), "<null>");
  EXPECT_EQ(TextOf(Value(TypeCode::SubPointer, 0x401000)), "<null>");
  EXPECT_EQ(TextOf(Value(TypeCode::Basic8, 1, 2)), "<null>");
  EXPECT_EQ(TextOf(Value(TypeCode::KindButton, 0x52010002, 0x16010004)), "<null>");
  EXPECT_EQ(TextOf(Value(0x40000001, 1)), "<null>");
  EXPECT_EQ(TextOf(Omitted()), "<null>");
  TypedValue r = InvokeCommand(ToText, 0, nullptr);
  EXPECT_EQ(AsPointer(r), nullptr);
}

TEST(ToText, AllocatesOnlyTheResult) {
  TypedValue arg = DoubleValue(-8.5170246612585e54);
  HeapCounters before = GetHeapCounters();
  TypedValue r = InvokeCommand(ToText, 1, &arg);
  EXPECT_EQ(GetHeapCounters().allocations - before.allocations, 1u);
  Free(AsPointer(r));
  arg = TextValue(nullptr);
  before = GetHeapCounters();
  InvokeCommand(ToText, 1, &arg);
  EXPECT_EQ(GetHeapCounters().allocations, before.allocations);
}

// ---- ToNumber ----------------------------------------------------------

TEST(ToNumber, Texts) {
  EXPECT_EQ(NumberOf(TextValue("")), 0.0);
  EXPECT_EQ(NumberOf(TextValue(nullptr)), 0.0);
  EXPECT_EQ(NumberOf(TextValue("  12.5abc")), 12.5);
  EXPECT_EQ(NumberOf(TextValue("\xA3\xB1\xA3\xB2\xA3\xB3")), 123.0);
  EXPECT_EQ(NumberOf(TextValue("\xA3\xAD\xA3\xB5")), -5.0);
  EXPECT_EQ(NumberOf(TextValue("1e400")), std::numeric_limits<double>::infinity());
  EXPECT_EQ(NumberOf(TextValue("1,5")), 1.0);
  EXPECT_EQ(NumberOf(TextValue("e5")), 0.0);
  EXPECT_EQ(NumberOf(TextValue("1d3")), 1000.0);
}

TEST(ToNumber, NumbersLogicalsAndPointers) {
  EXPECT_EQ(NumberOf(BoolValue(true)), 1.0);
  EXPECT_EQ(NumberOf(BoolValue(false)), 0.0);
  EXPECT_EQ(NumberOf(Value(TypeCode::Byte, 200)), 200.0);
  EXPECT_EQ(NumberOf(Value(TypeCode::Short, uint16_t(-5))), -5.0);
  EXPECT_EQ(NumberOf(IntValue(-7)), -7.0);
  EXPECT_EQ(NumberOf(LongValue((int64_t(1) << 53) + 1)), 9007199254740992.0);
  EXPECT_EQ(NumberOf(LongValue((int64_t(1) << 53) + 3)), 9007199254740996.0);
  EXPECT_EQ(NumberOf(LongValue(std::numeric_limits<int64_t>::min())), -9223372036854775808.0);
  EXPECT_EQ(NumberOf(FloatValue(0.1f)), double(0.1f));
  EXPECT_EQ(NumberOf(DoubleValue(-2.5)), -2.5);
  EXPECT_EQ(NumberOf(Value(TypeCode::SubPointer, 0xFFFFFFFF)), 4294967295.0);
  // A double passes bit for bit, NaN payload included.
  TypedValue nan{0x12345, 0x7FF00000, TypeCode::Double};
  TypedValue r = InvokeCommand(ToNumber, 1, &nan);
  EXPECT_EQ(RawBits(r), RawBits(nan));
}

TEST(ToNumber, TypesWithoutANumberGiveZero) {
  std::vector<uint8_t> block = ByteArrayBlock("12");
  std::vector<uint8_t> ints = ArrayBlock<int32_t>({5});
  for (TypedValue v : {DateTimeValue(45352.5), BytesValue(block.data()),
                       ArrayValue(TypeCode::Int, ints.data()), Value(TypeCode::Basic8, 1),
                       Value(TypeCode::KindEditBox, 1, 2), Value(0x40000003, 9), Omitted()}) {
    EXPECT_EQ(NumberOf(v), 0.0) << std::hex << v.type;
  }
}

TEST(ToNumber, TextsNeedNoAllocation) {
  TypedValue arg = TextValue("\xA1\xA1-1234.5e-2");
  HeapCounters before = GetHeapCounters();
  TypedValue r = InvokeCommand(ToNumber, 1, &arg);
  EXPECT_EQ(GetHeapCounters().allocations, before.allocations);
  EXPECT_EQ(AsDouble(r), -12.345);
}

// ---- ToByteArray -------------------------------------------------------

TEST(ToByteArray, TextsWithoutTheirNul) {
  EXPECT_EQ(BytesOf(TextValue("abc")), "abc");
  EXPECT_EQ(BytesOf(TextValue("")), "<null>");
  EXPECT_EQ(BytesOf(TextValue(nullptr)), "<null>");
}

TEST(ToByteArray, ValuesAsTheirLittleEndianBytes) {
  EXPECT_EQ(BytesOf(IntValue(1)), Bytes({1, 0, 0, 0}));
  EXPECT_EQ(BytesOf(Value(TypeCode::Byte, 0xAB)), Bytes({0xAB}));
  EXPECT_EQ(BytesOf(Value(TypeCode::Short, 0x0102)), Bytes({2, 1}));
  EXPECT_EQ(BytesOf(LongValue(0x0102030405060708)), Bytes({8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(BytesOf(FloatValue(1.0f)), Bytes({0, 0, 0x80, 0x3F}));
  EXPECT_EQ(BytesOf(DoubleValue(1.0)), Bytes({0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
  EXPECT_EQ(BytesOf(BoolValue(true)), Bytes({1, 0, 0, 0}));
  EXPECT_EQ(BytesOf(Value(TypeCode::SubPointer, 0x00401000)), Bytes({0, 0x10, 0x40, 0}));
  EXPECT_EQ(BytesOf(DateTimeValue(2.0)), Bytes({0, 0, 0, 0, 0, 0, 0, 0x40}));
  EXPECT_EQ(BytesOf(Value(TypeCode::Basic8, 0x04030201, 0x08070605)),
            Bytes({1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(BytesOf(IntValue(0)), Bytes({0, 0, 0, 0}));  // zero bytes are still bytes
}

TEST(ToByteArray, ByteArraysAreCopied) {
  std::vector<uint8_t> block = ByteArrayBlock(std::string("a\0b", 3));
  TypedValue arg = BytesValue(block.data());
  TypedValue r = InvokeCommand(ToByteArray, 1, &arg);
  ASSERT_NE(AsPointer(r), nullptr);
  EXPECT_NE(AsPointer(r), static_cast<void*>(block.data()));
  Free(AsPointer(r));
  EXPECT_EQ(BytesOf(arg), std::string("a\0b", 3));
  EXPECT_EQ(BytesOf(BytesValue(nullptr)), "<null>");
}

TEST(ToByteArray, NumericArraysAsTheirElements) {
  std::vector<uint8_t> shorts = ArrayBlock<int16_t>({1, 2, -1});
  EXPECT_EQ(BytesOf(ArrayValue(TypeCode::Short, shorts.data())), Bytes({1, 0, 2, 0, 0xFF, 0xFF}));
  std::vector<uint8_t> doubles = ArrayBlock<double>({0.0});
  EXPECT_EQ(BytesOf(ArrayValue(TypeCode::Double, doubles.data())), std::string(8, '\0'));
  std::vector<uint8_t> empty = ArrayBlock<int32_t>({});
  EXPECT_EQ(BytesOf(ArrayValue(TypeCode::Int, empty.data())), "<null>");
  EXPECT_EQ(BytesOf(ArrayValue(TypeCode::Int, nullptr)), "<null>");
  std::vector<uint8_t> texts = ArrayBlock<uint32_t>({0x41414141});
  EXPECT_EQ(BytesOf(ArrayValue(TypeCode::Text, texts.data())), "<null>");
  EXPECT_EQ(BytesOf(ArrayValue(TypeCode::DateTime, texts.data())), "<null>");
}

TEST(ToByteArray, LibraryAndUserTypesGiveNull) {
  EXPECT_EQ(BytesOf(Value(TypeCode::KindButton, 0x52010002, 0x16010004)), "<null>");
  EXPECT_EQ(BytesOf(Value(0x40000001, 7)), "<null>");
  EXPECT_EQ(BytesOf(Value(0xC0000001, 7)), "<null>");
  EXPECT_EQ(BytesOf(Omitted()), "<null>");
  TypedValue r = InvokeCommand(ToByteArray, 0, nullptr);
  EXPECT_EQ(AsPointer(r), nullptr);
}

}  // namespace
}  // namespace talv
