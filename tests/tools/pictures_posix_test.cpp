// The committed pictures in resources/pictures are what our generator makes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tools/picture_generator.h"

namespace talv::tools {
namespace {

PictureBytes ReadSourceFile(const std::string& name) {
  std::ifstream f(std::string(TALV_SOURCE_DIR) + "/resources/pictures/" + name, std::ios::binary);
  return PictureBytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

TEST(CommittedPictures, AreTheGeneratorsOutput) {
  EXPECT_EQ(ReadSourceFile("sound_on.bmp"), MakeSoundOnBmp());
  EXPECT_EQ(ReadSourceFile("sound_off.bmp"), MakeSoundOffBmp());
  EXPECT_EQ(ReadSourceFile("mouse_over.gif"), MakeMouseOverGif());
  EXPECT_EQ(ReadSourceFile("talvique.ico"), MakeProgramIcon());
  EXPECT_EQ(ReadSourceFile("hand.cur"), MakeHandCursor());
}

}  // namespace
}  // namespace talv::tools
