// Cursors made from cursor data on the target: the shared system cursors,
// the program's hand for IDC_HAND, cursors from file images with their hot
// spot, and the default cursor for everything that is not a cursor.
#include "runtime/window/kinds/cursor_block_win32.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/window/control_test_support_win32.h"

namespace talv {
namespace {

std::vector<uint8_t> Word(uint32_t v) {
  return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

std::vector<uint8_t> ArrowCursorFile() {
  return test::MakeIco(32, 32, [](int x, int y) { return x <= y ? 0xFF000000u : 0x00000000u; }, true, 3,
                       5);
}

TEST(CursorFromData, SystemCursorsAreTheSharedOnes) {
  std::vector<uint8_t> ibeam = Word(3);
  bool owned = true;
  EXPECT_EQ(CursorFromData(ibeam.data(), ibeam.size(), &owned), LoadCursorA(nullptr, IDC_IBEAM));
  EXPECT_FALSE(owned);
  std::vector<uint8_t> wait = Word(32514);
  EXPECT_EQ(CursorFromData(wait.data(), wait.size(), &owned), LoadCursorA(nullptr, IDC_WAIT));
}

TEST(CursorFromData, TheHandIsTheProgramsOwnHandCursor) {
  bool owned = true;
  std::vector<uint8_t> index = Word(14), number = Word(32649);
  EXPECT_EQ(CursorFromData(index.data(), index.size(), &owned), ProgramHandCursor());
  EXPECT_EQ(CursorFromData(number.data(), number.size(), &owned), ProgramHandCursor());
  EXPECT_FALSE(owned);
  EXPECT_NE(ProgramHandCursor(), nullptr);
}

TEST(CursorFromData, AFileImageBecomesAnOwnedCursorWithItsHotSpot) {
  std::vector<uint8_t> data = Word(0xFFFFFFFFu);
  std::vector<uint8_t> file = ArrowCursorFile();
  data.insert(data.end(), file.begin(), file.end());
  {
    ControlCursor cursor(data.data(), data.size());
    ASSERT_NE(cursor.handle(), nullptr);
    EXPECT_TRUE(cursor.owned());
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(cursor.handle(), &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 3u);
    EXPECT_EQ(info.yHotspot, 5u);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  }
  // Long data without the −1 word: a file image on its own.
  ControlCursor whole(file.data(), file.size());
  EXPECT_TRUE(whole.owned());
}

TEST(CursorFromData, WhatIsNotAValidCursorGivesTheDefault) {
  bool owned = true;
  EXPECT_EQ(CursorFromData(nullptr, 0, &owned), nullptr);
  std::vector<uint8_t> bad = Word(77);
  EXPECT_EQ(CursorFromData(bad.data(), bad.size(), &owned), nullptr);
  std::vector<uint8_t> broken = Word(0xFFFFFFFFu);
  std::vector<uint8_t> file = ArrowCursorFile();
  broken.insert(broken.end(), file.begin(), file.begin() + 60);  // cut inside the image
  EXPECT_EQ(CursorFromData(broken.data(), broken.size(), &owned), nullptr);
  EXPECT_FALSE(owned);
  // Long junk whose first word is a table index: the index after all.
  std::vector<uint8_t> junk = Word(2);
  junk.resize(40, 0xAB);
  EXPECT_EQ(CursorFromData(junk.data(), junk.size(), &owned), LoadCursorA(nullptr, IDC_CROSS));
}

TEST(CursorFromData, ReassigningDestroysTheOwnedCursor) {
  std::vector<uint8_t> file = ArrowCursorFile();
  ControlCursor cursor(file.data(), file.size());
  HCURSOR made = cursor.handle();
  ASSERT_NE(made, nullptr);
  std::vector<uint8_t> arrow = Word(1);
  cursor.Assign(arrow.data(), arrow.size());
  EXPECT_EQ(cursor.handle(), LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_FALSE(cursor.owned());
  ICONINFO info;
  EXPECT_FALSE(GetIconInfo(made, &info));
}

}  // namespace
}  // namespace talv
