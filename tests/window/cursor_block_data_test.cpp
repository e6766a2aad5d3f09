// Which cursor a block of cursor data asks for, and reading the directory of
// a cursor file image — including data that is too short or lies about its
// extents.
#include "runtime/window/definition/cursor_block_data.h"

#include <gtest/gtest.h>

#include <vector>

namespace talv {
namespace {

std::vector<uint8_t> Word(uint32_t v) {
  return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

// A CUR file image of one entry whose image bytes are `image`.
std::vector<uint8_t> CurFile(const std::vector<uint8_t>& image, uint16_t hx, uint16_t hy) {
  std::vector<uint8_t> f = {0, 0, 2, 0, 1, 0, 32, 32, 0, 0, uint8_t(hx), uint8_t(hx >> 8), uint8_t(hy),
                            uint8_t(hy >> 8)};
  for (uint8_t b : Word(uint32_t(image.size()))) f.push_back(b);
  for (uint8_t b : Word(22)) f.push_back(b);
  f.insert(f.end(), image.begin(), image.end());
  return f;
}

TEST(CursorChoice, EmptyDataIsTheDefaultCursor) {
  CursorChoice c = ChooseCursor(nullptr, 0);
  EXPECT_EQ(c.file_image_size, 0u);
  EXPECT_EQ(c.system_cursor, 0u);
}

TEST(CursorChoice, SmallValuesIndexTheSystemCursorTable) {
  struct {
    uint32_t value, id;
  } table[] = {{0, 0}, {1, 32512}, {2, 32515}, {3, 32513}, {4, 32514}, {5, 32651}, {6, 32650}, {7, 32648},
               {8, 32646}, {9, 32643}, {10, 32645}, {11, 32642}, {12, 32644}, {13, 32516}, {14, 32649}};
  for (auto row : table) {
    std::vector<uint8_t> data = Word(row.value);
    EXPECT_EQ(ChooseCursor(data.data(), data.size()).system_cursor, row.id) << row.value;
  }
}

TEST(CursorChoice, ShortDataUsesItsFirstByte) {
  const uint8_t one[] = {3};
  EXPECT_EQ(ChooseCursor(one, 1).system_cursor, 32513u);
  const uint8_t three[] = {14, 0xFF, 0xFF};
  EXPECT_EQ(ChooseCursor(three, 3).system_cursor, 32649u);
}

TEST(CursorChoice, LargerValuesMustThemselvesBeSystemCursorNumbers) {
  std::vector<uint8_t> cross = Word(32515);
  EXPECT_EQ(ChooseCursor(cross.data(), cross.size()).system_cursor, 32515u);
  for (uint32_t bad : {15u, 100u, 32517u, 32647u, 32652u, 0x7FFFFFFFu}) {
    std::vector<uint8_t> data = Word(bad);
    EXPECT_EQ(ChooseCursor(data.data(), data.size()).system_cursor, 0u) << bad;
  }
}

TEST(CursorChoice, MinusOneMeansAFileImageFollows) {
  std::vector<uint8_t> data = Word(0xFFFFFFFFu);
  data.insert(data.end(), {9, 9, 9});
  CursorChoice c = ChooseCursor(data.data(), data.size());
  EXPECT_EQ(c.file_image_offset, 4u);
  EXPECT_EQ(c.file_image_size, 3u);
  EXPECT_EQ(c.system_cursor, 0u);  // if the image fails: the default
  std::vector<uint8_t> bare = Word(0xFFFFFFFFu);
  EXPECT_EQ(ChooseCursor(bare.data(), bare.size()).file_image_size, 0u);
}

TEST(CursorChoice, LongDataIsTriedAsAFileImageFirst) {
  std::vector<uint8_t> data = Word(3);
  data.resize(11, 0);
  CursorChoice c = ChooseCursor(data.data(), data.size());
  EXPECT_EQ(c.file_image_offset, 0u);
  EXPECT_EQ(c.file_image_size, 11u);
  EXPECT_EQ(c.system_cursor, 32513u);  // then the value
  data.resize(10);
  EXPECT_EQ(ChooseCursor(data.data(), data.size()).file_image_size, 0u);
}

TEST(CursorFileImage, ReadsTheFirstEntryAndItsHotSpot) {
  std::vector<uint8_t> image(100, 7);
  std::vector<uint8_t> file = CurFile(image, 5, 9);
  CursorFileImage out;
  ASSERT_TRUE(ReadCursorFileImage(file.data(), file.size(), &out));
  EXPECT_EQ(out.hotspot_x, 5);
  EXPECT_EQ(out.hotspot_y, 9);
  EXPECT_EQ(out.image_offset, 22u);
  EXPECT_EQ(out.image_size, 100u);
}

TEST(CursorFileImage, AnIconsHotSpotIsItsCentre) {
  std::vector<uint8_t> file = CurFile(std::vector<uint8_t>(50, 1), 1, 32);
  file[2] = 1;  // icon
  CursorFileImage out;
  ASSERT_TRUE(ReadCursorFileImage(file.data(), file.size(), &out));
  EXPECT_EQ(out.hotspot_x, 16);
  EXPECT_EQ(out.hotspot_y, 16);
}

TEST(CursorFileImage, RefusesImagesThatDoNotFit) {
  std::vector<uint8_t> file = CurFile(std::vector<uint8_t>(100, 7), 0, 0);
  CursorFileImage out;
  EXPECT_FALSE(ReadCursorFileImage(file.data(), file.size() - 1, &out));  // image cut short
  EXPECT_FALSE(ReadCursorFileImage(file.data(), 21, &out));               // directory cut short
  std::vector<uint8_t> bad = file;
  bad[2] = 3;  // neither icon nor cursor
  EXPECT_FALSE(ReadCursorFileImage(bad.data(), bad.size(), &out));
  bad = file;
  bad[4] = 200;  // more entries than bytes
  EXPECT_FALSE(ReadCursorFileImage(bad.data(), bad.size(), &out));
  bad = file;
  bad[18] = 0xFF, bad[19] = 0xFF, bad[20] = 0xFF, bad[21] = 0xFF;  // offset far beyond
  EXPECT_FALSE(ReadCursorFileImage(bad.data(), bad.size(), &out));
  bad = file;
  bad[14] = 0xF0, bad[15] = 0xFF, bad[16] = 0xFF, bad[17] = 0xFF;  // length wraps round
  EXPECT_FALSE(ReadCursorFileImage(bad.data(), bad.size(), &out));
  bad = file;
  bad[18] = 4;  // the image would overlap the directory
  EXPECT_FALSE(ReadCursorFileImage(bad.data(), bad.size(), &out));
}

}  // namespace
}  // namespace talv
