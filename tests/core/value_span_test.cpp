// Widths of the numeric types and the data spans of typed values.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "runtime/core/value_span.h"

namespace talv {
namespace {

TEST(NumericTypeWidth, SixNumericTypesHaveWidthsEverythingElseNone) {
  EXPECT_EQ(NumericTypeWidth(TypeCode::Byte), 1u);
  EXPECT_EQ(NumericTypeWidth(TypeCode::Short), 2u);
  EXPECT_EQ(NumericTypeWidth(TypeCode::Int), 4u);
  EXPECT_EQ(NumericTypeWidth(TypeCode::Long), 8u);
  EXPECT_EQ(NumericTypeWidth(TypeCode::Float), 4u);
  EXPECT_EQ(NumericTypeWidth(TypeCode::Double), 8u);
  for (uint32_t code : {TypeCode::None, TypeCode::Bool, TypeCode::DateTime, TypeCode::Text,
                        TypeCode::Bytes, TypeCode::SubPointer, TypeCode::Basic8,
                        TypeCode::KindButton, uint32_t(TypeCode::Int | TypeCode::ArrayFlag),
                        0x40000001u, 0x80000701u}) {
    EXPECT_EQ(NumericTypeWidth(code), 0u) << std::hex << code;
  }
}

TEST(ValueDataSpan, NumbersAndFixedWidthValuesAreTheirOwnLowBytes) {
  struct Case {
    uint32_t type;
    size_t length;
  } cases[] = {{TypeCode::Byte, 1},   {TypeCode::Short, 2},      {TypeCode::Int, 4},
               {TypeCode::Long, 8},   {TypeCode::Float, 4},      {TypeCode::Double, 8},
               {TypeCode::Bool, 4},   {TypeCode::SubPointer, 4}, {TypeCode::DateTime, 8},
               {TypeCode::Basic8, 8}};
  for (const Case& c : cases) {
    TypedValue v{0x04030201, 0x08070605, c.type};
    DataSpan span = ValueDataSpan(v);
    ASSERT_EQ(span.length, c.length) << std::hex << c.type;
    EXPECT_EQ(static_cast<const void*>(span.data), static_cast<const void*>(&v));
    for (size_t i = 0; i < span.length; ++i) EXPECT_EQ(span.data[i], i + 1);
  }
}

TEST(ValueDataSpan, TextIncludesItsNulAndTheEmptyTextIsALoneNul) {
  const char* text = "abc";
  DataSpan span = ValueDataSpan(TextValue(text));
  EXPECT_EQ(static_cast<const void*>(span.data), static_cast<const void*>(text));
  EXPECT_EQ(span.length, 4u);
  span = ValueDataSpan(TextValue(nullptr));
  ASSERT_EQ(span.length, 1u);
  ASSERT_NE(span.data, nullptr);
  EXPECT_EQ(span.data[0], 0);
}

TEST(ValueDataSpan, ByteArrayIsItsPayload) {
  const uint8_t block[] = {1, 0, 0, 0, 3, 0, 0, 0, 'x', 0, 'y'};
  DataSpan span = ValueDataSpan(BytesValue(block));
  EXPECT_EQ(span.data, block + 8);
  EXPECT_EQ(span.length, 3u);
  span = ValueDataSpan(BytesValue(nullptr));
  EXPECT_EQ(span.data, nullptr);
  EXPECT_EQ(span.length, 0u);
}

TEST(ValueDataSpan, ArraysReferencesAndForeignTypesHaveNoData) {
  const uint8_t block[] = {1, 0, 0, 0, 1, 0, 0, 0, 7, 0, 0, 0};
  for (uint32_t code : {uint32_t(TypeCode::Int | TypeCode::ArrayFlag), TypeCode::KindEditBox,
                        0x40000002u, TypeCode::None, 0x80000007u}) {
    TypedValue v = BytesValue(block);
    v.type = code;
    DataSpan span = ValueDataSpan(v);
    EXPECT_EQ(span.data, nullptr) << std::hex << code;
    EXPECT_EQ(span.length, 0u);
  }
}

}  // namespace
}  // namespace talv
