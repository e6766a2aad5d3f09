// A window's shortcut keys: what a command's key argument names, the table
// of keys and buttons, and the presses under way that hold back a held
// key's auto-repeat.
#include "runtime/window/model/key_shortcuts.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "runtime/core/typed_value.h"

namespace talv {
namespace {

TEST(ShortcutKeyArgument, VirtualKeyCodesFromOneTo254) {
  EXPECT_EQ(ShortcutKeyArgument(IntValue(0x0D)), VirtualKeyShortcut(0x0D));
  EXPECT_EQ(ShortcutKeyArgument(IntValue(1)), VirtualKeyShortcut(1));
  EXPECT_EQ(ShortcutKeyArgument(IntValue(254)), VirtualKeyShortcut(254));
  EXPECT_EQ(ShortcutKeyArgument(TypedValue{0x78, 0, TypeCode::Byte}), VirtualKeyShortcut(0x78));
  EXPECT_EQ(ShortcutKeyArgument(TypedValue{0x2E, 0, TypeCode::Short}), VirtualKeyShortcut(0x2E));
  for (int32_t bad : {0, 255, 256, -1, 0x10030, INT32_MIN})
    EXPECT_FALSE(ShortcutKeyArgument(IntValue(bad))) << bad;
  EXPECT_FALSE(ShortcutKeyArgument(TypedValue{0xFFFF, 0, TypeCode::Short}));  // -1
}

TEST(ShortcutKeyArgument, OnePrintableCharacterIsATypedKey) {
  EXPECT_EQ(ShortcutKeyArgument(TextValue("+")), TypedCharacterShortcut('+'));
  EXPECT_EQ(ShortcutKeyArgument(TextValue(" ")), TypedCharacterShortcut(' '));
  EXPECT_EQ(ShortcutKeyArgument(TextValue("~")), TypedCharacterShortcut('~'));
  // A typed '0' and the virtual key of the main row's 0 (also 0x30) differ.
  EXPECT_NE(*ShortcutKeyArgument(TextValue("0")), *ShortcutKeyArgument(IntValue('0')));
  EXPECT_FALSE(ShortcutKeyArgument(TextValue("")));
  EXPECT_FALSE(ShortcutKeyArgument(TextValue(nullptr)));
  EXPECT_FALSE(ShortcutKeyArgument(TextValue("12")));
  EXPECT_FALSE(ShortcutKeyArgument(TextValue("\t")));
  EXPECT_FALSE(ShortcutKeyArgument(TextValue("\x7F")));
  EXPECT_FALSE(ShortcutKeyArgument(TextValue("\xCE\xE5")));  // 五 in GBK
  EXPECT_FALSE(ShortcutKeyArgument(TextValue("\xCE")));
}

TEST(ShortcutKeyArgument, OtherTypesNameNoKey) {
  EXPECT_FALSE(ShortcutKeyArgument(Omitted()));
  EXPECT_FALSE(ShortcutKeyArgument(DoubleValue(13.0)));
  EXPECT_FALSE(ShortcutKeyArgument(BoolValue(true)));
  EXPECT_FALSE(ShortcutKeyArgument(TypedValue{0x0D, 0, TypeCode::Long}));
  EXPECT_FALSE(ShortcutKeyArgument(TypedValue{0x52010002, 0x1601000B, TypeCode::KindButton}));
}

TEST(KeyShortcuts, KeysFindTheirUnitsAndASecondSetReplaces) {
  KeyShortcuts keys;
  EXPECT_EQ(keys.Find(VirtualKeyShortcut(0x0D)), -1);
  keys.Set(VirtualKeyShortcut(0x0D), 10);
  keys.Set(TypedCharacterShortcut('='), 10);
  keys.Set(TypedCharacterShortcut('+'), 14);
  EXPECT_EQ(keys.Find(VirtualKeyShortcut(0x0D)), 10);
  EXPECT_EQ(keys.Find(TypedCharacterShortcut('=')), 10);
  EXPECT_EQ(keys.Find(TypedCharacterShortcut('+')), 14);
  EXPECT_EQ(keys.Find(VirtualKeyShortcut('+')), -1);
  keys.Set(TypedCharacterShortcut('+'), 13);
  EXPECT_EQ(keys.Find(TypedCharacterShortcut('+')), 13);
  keys.Clear();
  EXPECT_EQ(keys.Find(TypedCharacterShortcut('=')), -1);
}

TEST(KeyShortcuts, PressesUnderWayNestAndEndOneByOne) {
  KeyShortcuts keys;
  EXPECT_FALSE(keys.Pressing(10));
  keys.BeginPress(10);
  keys.BeginPress(10);  // a second press inside the first one's handler
  keys.BeginPress(11);
  EXPECT_TRUE(keys.Pressing(10));
  keys.EndPress(10);
  EXPECT_TRUE(keys.Pressing(10));
  keys.EndPress(10);
  EXPECT_FALSE(keys.Pressing(10));
  EXPECT_TRUE(keys.Pressing(11));
  keys.EndPress(12);  // never begun: ignored
  keys.Clear();        // a load forgets presses too
  EXPECT_FALSE(keys.Pressing(11));
  keys.EndPress(11);  // the press that ends after the load: ignored
  EXPECT_FALSE(keys.Pressing(11));
}

}  // namespace
}  // namespace talv
