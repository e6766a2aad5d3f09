// Kind properties as fields of the kind data, the gate values they travel
// in, the clamps of the common properties and the font members.
#include "runtime/window/kinds/kind_properties.h"

#include <gtest/gtest.h>

#include <cstring>

#include "runtime/core/blocks.h"
#include "runtime/core/heap.h"
#include "runtime/core/typed_value.h"
#include "runtime/window/model/kind_table.h"

namespace talv::kinds {
namespace {

using definition::Bytes;
using definition::KindData;

TEST(KindTable, EightKindsWithTheirNamesStatesAndPropertyCounts) {
  struct Row {
    uint32_t word;
    const char* en;
    uint32_t state;
    int32_t count;
  };
  const Row rows[] = {{0x10001, "window", 0x800000D0, 32},  {0x10005, "EditBox", 0x80000040, 29},
                      {0x10009, "GroupBox", 0x840140C0, 13}, {0x1000A, "Label", 0x84012040, 29},
                      {0x1000B, "Button", 0x80000840, 14},   {0x10017, "DatePicker", 0x80000040, 17},
                      {0x1001D, "HyperLinker", 0x80010040, 18}, {0x1002D, "PicBtn", 0x80010040, 15}};
  for (const Row& r : rows) {
    const KindDescriptor* k = FindKind(r.word);
    ASSERT_NE(k, nullptr) << r.en;
    EXPECT_STREQ(k->english_name, r.en);
    EXPECT_EQ(k->state, r.state);
    EXPECT_EQ(k->property_count, r.count);
    EXPECT_EQ(PropertyTypeOf(*k, 0), PropertyType::Integer);
    EXPECT_EQ(PropertyTypeOf(*k, 4), PropertyType::Text);
    EXPECT_EQ(PropertyTypeOf(*k, 7), PropertyType::Cursor);
    EXPECT_EQ(PropertyTypeOf(*k, r.count), 0);
  }
  EXPECT_STREQ(FindKind(0x1000B)->chinese_name, "按钮");
  EXPECT_STREQ(FindKind(0x10017)->chinese_name, "日期框");
}

TEST(KindTable, InvalidKindWords) {
  EXPECT_EQ(FindKind(0x20001), nullptr);  // library 2 does not exist
  EXPECT_EQ(FindKind(0x10000), nullptr);  // kind 0
  EXPECT_EQ(FindKind(0x1002E), nullptr);  // beyond the library's kinds
  EXPECT_EQ(FindKind(0x10002), nullptr);  // a number not in use
}

TEST(KindTable, SelectedPropertyTypes) {
  EXPECT_EQ(PropertyTypeOf(*FindKind(0x10001), 10), PropertyType::BackgroundColour);
  EXPECT_EQ(PropertyTypeOf(*FindKind(0x10001), 24), PropertyType::FileName);
  EXPECT_EQ(PropertyTypeOf(*FindKind(0x10005), 12), PropertyType::Font);
  EXPECT_EQ(PropertyTypeOf(*FindKind(0x10005), 26), PropertyType::Text);
  EXPECT_EQ(PropertyTypeOf(*FindKind(0x1000A), 18), PropertyType::Picture);
  EXPECT_EQ(PropertyTypeOf(*FindKind(0x10017), 10), PropertyType::DateTime);
  EXPECT_EQ(PropertyTypeOf(*FindKind(0x1002D), 14), PropertyType::BackgroundColour);
}

// Every stored kind property reads back what was written, for every kind.
TEST(KindProperties, EveryStoredPropertyRoundTrips) {
  const uint32_t words[] = {0x10001, 0x10005, 0x10009, 0x1000A, 0x1000B, 0x10017, 0x1001D, 0x1002D};
  for (uint32_t word : words) {
    KindData data;
    ASSERT_TRUE(definition::DefaultKindData(word, &data));
    const KindDescriptor* kind = FindKind(word);
    for (int32_t i = 8; i < kind->property_count; ++i) {
      PropertyValue before;
      if (!GetKindProperty(data, i, &before)) continue;  // run-time only
      const uint16_t type = PropertyTypeOf(*kind, i);
      PropertyValue v;
      v.integer = type == PropertyType::Logical ? 1 : 3 + i;
      v.number = 40000.5 + i;
      v.text = i == 19 && word == 0x10005 ? "#" : "t" + std::to_string(i);
      v.bytes = {uint8_t(i), 2, 3};
      ASSERT_TRUE(SetKindProperty(&data, i, v)) << word << " " << i;
      PropertyValue after;
      ASSERT_TRUE(GetKindProperty(data, i, &after));
      if (IsTextType(type)) EXPECT_EQ(after.text, v.text) << word << " " << i;
      else if (IsByteArrayType(type)) EXPECT_EQ(after.bytes, v.bytes) << word << " " << i;
      else if (type == PropertyType::DateTime || type == PropertyType::Double)
        EXPECT_EQ(after.number, v.number) << word << " " << i;
      else EXPECT_EQ(after.integer, v.integer) << word << " " << i;
    }
    // The data written out and read again keeps them all.
    Bytes stream = definition::WriteKindData(data);
    KindData again;
    ASSERT_EQ(definition::ReadKindData(word, stream.data(), stream.size(), &again),
              definition::KindStatus::kOk);
    EXPECT_EQ(definition::WriteKindData(again), stream);
  }
}

TEST(KindProperties, IndexesFollowTheirFields) {
  KindData data = definition::EditBoxKind{};
  PropertyValue v;
  v.text = "hello";
  ASSERT_TRUE(SetKindProperty(&data, 8, v));
  EXPECT_EQ(std::get<definition::EditBoxKind>(data).content, "hello");
  v.integer = 30;
  ASSERT_TRUE(SetKindProperty(&data, 14, v));
  EXPECT_EQ(std::get<definition::EditBoxKind>(data).typing_limit, 30);
  KindData label = definition::LabelKind{};
  v.integer = 0x123456;
  ASSERT_TRUE(SetKindProperty(&label, 22, v));
  EXPECT_EQ(std::get<definition::LabelKind>(label).gradient_background_colours[1], 0x123456u);
  KindData dp = definition::DatePickerKind{};
  v.number = 45000.25;
  ASSERT_TRUE(SetKindProperty(&dp, 10, v));
  EXPECT_EQ(std::get<definition::DatePickerKind>(dp).current_date, 45000.25);
}

TEST(KindProperties, NegativeChoiceStoresZero) {
  KindData data = definition::ButtonKind{};
  PropertyValue v;
  v.integer = -4;
  ASSERT_TRUE(SetKindProperty(&data, 11, v));  // horizontal alignment, a choice
  EXPECT_EQ(std::get<definition::ButtonKind>(data).horizontal_alignment, 0u);
  KindData edit = definition::EditBoxKind{};
  ASSERT_TRUE(SetKindProperty(&edit, 22, v));  // spin minimum, an integer
  EXPECT_EQ(std::get<definition::EditBoxKind>(edit).spin_minimum, -4);
}

TEST(KindProperties, PasswordCharacterIsItsFirstByte) {
  KindData data = definition::EditBoxKind{};
  PropertyValue v;
  v.text = "?!";
  ASSERT_TRUE(SetKindProperty(&data, 19, v));
  EXPECT_EQ(std::get<definition::EditBoxKind>(data).password_character, '?');
  PropertyValue out;
  ASSERT_TRUE(GetKindProperty(data, 19, &out));
  EXPECT_EQ(out.text, "?");
}

TEST(KindProperties, UnknownIndexesAreRefused) {
  KindData data = definition::PicBtnKind{};
  PropertyValue v;
  EXPECT_FALSE(SetKindProperty(&data, 15, v));
  EXPECT_FALSE(GetKindProperty(data, 7, &v));
  KindData edit = definition::EditBoxKind{};
  EXPECT_FALSE(GetKindProperty(edit, 26, &v));  // the selected text: live only
}

TEST(PropertyValues, TextsAndBytesBecomeFreshBlocks) {
  PropertyValue v;
  v.text = "abc";
  uint64_t raw = EncodePropertyValue(PropertyType::Text, v);
  TypedValue tv{0, 0, 0};
  SetRawBits(tv, raw);
  char* text = static_cast<char*>(AsPointer(tv));
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "abc");
  EXPECT_EQ(DecodePropertyValue(PropertyType::Text, raw).text, "abc");
  Free(text);
  EXPECT_EQ(EncodePropertyValue(PropertyType::Text, PropertyValue{}), 0u);  // empty: null

  v.bytes = {1, 2, 3, 4, 5};
  raw = EncodePropertyValue(PropertyType::Picture, v);
  SetRawBits(tv, raw);
  void* block = AsPointer(tv);
  EXPECT_EQ(ByteArrayLength(block), 5u);
  EXPECT_EQ(DecodePropertyValue(PropertyType::Picture, raw).bytes, v.bytes);
  Free(block);
  EXPECT_TRUE(DecodePropertyValue(PropertyType::Font, 0).bytes.empty());
}

TEST(PropertyValues, NumbersLogicalsAndDates) {
  PropertyValue v;
  v.number = 44927.75;
  uint64_t raw = EncodePropertyValue(PropertyType::DateTime, v);
  EXPECT_EQ(DecodePropertyValue(PropertyType::DateTime, raw).number, 44927.75);
  EXPECT_EQ(DecodePropertyValue(PropertyType::Logical, 0x700000000ull).integer, 0);
  EXPECT_EQ(DecodePropertyValue(PropertyType::Logical, 5).integer, 1);
  EXPECT_EQ(DecodePropertyValue(PropertyType::Integer, uint32_t(-5)).integer, -5);
}

TEST(CommonProperties, Clamps) {
  EXPECT_EQ(ClampPosition(40000), 32627);
  EXPECT_EQ(ClampPosition(-40000), -32627);
  EXPECT_EQ(ClampPosition(-5), -5);
  EXPECT_EQ(ClampSize(-5), 0);
  EXPECT_EQ(ClampSize(40000), 32627);
  EXPECT_EQ(ClampSize(32627), 32627);
}

int32_t Dword(const Bytes& b, size_t at) {
  int32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

TEST(Fonts, WholeFontRecord) {
  FontRecord r{450, 1, 1, 0, 1, 12, "黑体"};
  Bytes b = ApplyFontRecord({}, r, 96);
  ASSERT_EQ(b.size(), 60u);
  EXPECT_EQ(Dword(b, 0), -16);  // 12 pt at 96 pixels per inch
  EXPECT_EQ(Dword(b, 8), 450);
  EXPECT_EQ(Dword(b, 12), 450);
  EXPECT_EQ(Dword(b, 16), 700);
  EXPECT_EQ(b[20], 1);
  EXPECT_EQ(b[21], 0);
  EXPECT_EQ(b[22], 1);
  EXPECT_STREQ(reinterpret_cast<const char*>(b.data() + 28), "黑体");
  r.bold = 0;
  r.face = "";
  r.size = -9;  // the magnitude counts
  b = ApplyFontRecord(b, r, 120);
  EXPECT_EQ(Dword(b, 16), 0);
  EXPECT_EQ(Dword(b, 0), -15);
  EXPECT_STREQ(reinterpret_cast<const char*>(b.data() + 28), "宋体");
  r.face = "0123456789012345678901234567890123";  // 34 bytes: too long
  b = ApplyFontRecord(b, r, 96);
  EXPECT_STREQ(reinterpret_cast<const char*>(b.data() + 28), "宋体");
}

TEST(Fonts, MemberWritesChangeOneMember) {
  Bytes base = ApplyFontRecord({}, FontRecord{0, 0, 0, 0, 0, 9, "Tahoma"}, 96);
  Bytes b = ApplyFontMember(base, FontMember::Angle, 3700, "", 96);
  EXPECT_EQ(Dword(b, 8), 100);
  EXPECT_EQ(Dword(b, 0), Dword(base, 0));
  b = ApplyFontMember(b, FontMember::Bold, 1, "", 96);
  EXPECT_EQ(Dword(b, 16), 700);
  b = ApplyFontMember(b, FontMember::Underline, 1, "", 96);
  EXPECT_EQ(b[21], 1);
  b = ApplyFontMember(b, FontMember::Size, 24, "", 96);
  EXPECT_EQ(Dword(b, 0), -32);
  b = ApplyFontMember(b, FontMember::Face, 0, "Arial", 96);
  std::string face;
  FontMemberValue(b, FontMember::Face, 96, &face);
  EXPECT_EQ(face, "Arial");
  EXPECT_EQ(FontMemberValue(b, FontMember::Size, 96, &face), 24);
  EXPECT_EQ(FontMemberValue(b, FontMember::Bold, 96, &face), 1);
  EXPECT_EQ(ApplyFontMember(b, 7, 1, "", 96), b);  // no such member
}

}  // namespace
}  // namespace talv::kinds
