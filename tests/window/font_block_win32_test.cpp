// Fonts from 60-byte LOGFONTA blocks, and the default GUI font for any other
// length.
#include "runtime/window/kinds/font_block_win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace talv {
namespace {

std::vector<uint8_t> Block(const LOGFONTA& font) {
  const auto* p = reinterpret_cast<const uint8_t*>(&font);
  return std::vector<uint8_t>(p, p + sizeof font);
}

LOGFONTA Sample() {
  LOGFONTA font;
  std::memset(&font, 0, sizeof font);
  font.lfHeight = -20;
  font.lfWeight = FW_BOLD;
  font.lfItalic = 1;
  std::strcpy(font.lfFaceName, "宋体");
  return font;
}

TEST(FontBlock, SixtyBytesMakeThatFont) {
  std::vector<uint8_t> block = Block(Sample());
  ControlFont font(block.data(), block.size());
  EXPECT_FALSE(font.is_default());
  LOGFONTA back;
  ASSERT_EQ(GetObjectA(font.handle(), sizeof back, &back), int(sizeof back));
  EXPECT_EQ(back.lfHeight, -20);
  EXPECT_EQ(back.lfWeight, FW_BOLD);
  EXPECT_EQ(back.lfItalic, 1);
  EXPECT_STREQ(back.lfFaceName, "宋体");
}

TEST(FontBlock, AnyOtherLengthIsTheDefaultGuiFont) {
  std::vector<uint8_t> block = Block(Sample());
  HFONT stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (size_t size : {size_t(0), size_t(1), size_t(59)}) {
    ControlFont font(block.data(), size);
    EXPECT_TRUE(font.is_default()) << size;
    EXPECT_EQ(font.handle(), stock);
  }
  block.push_back(0);
  ControlFont longer(block.data(), block.size());
  EXPECT_EQ(longer.handle(), stock);
  ControlFont none(nullptr, 60);
  EXPECT_EQ(none.handle(), stock);
}

TEST(FontBlock, AnUnterminatedFaceNameIsCutNotOverRead) {
  LOGFONTA font = Sample();
  std::memset(font.lfFaceName, 'A', sizeof font.lfFaceName);
  std::vector<uint8_t> block = Block(font);
  ControlFont made(block.data(), block.size());
  LOGFONTA back;
  ASSERT_EQ(GetObjectA(made.handle(), sizeof back, &back), int(sizeof back));
  EXPECT_EQ(std::strlen(back.lfFaceName), 31u);
}

TEST(FontBlock, ReassigningReleasesTheOldFont) {
  std::vector<uint8_t> block = Block(Sample());
  ControlFont font(block.data(), block.size());
  HFONT first = font.handle();
  font.Assign(nullptr, 0);
  EXPECT_TRUE(font.is_default());
  EXPECT_EQ(GetObjectType(first), 0u);  // deleted
}

}  // namespace
}  // namespace talv
