// Replacing a file through a new file beside it: a save that fails part-way
// leaves the previous content, and leaves no half-written file behind.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "app/app_platform.h"

namespace talv::app {
namespace {

namespace fs = std::filesystem;

class FileReplacement : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device seed;
    dir = fs::temp_directory_path() / ("talv_replace_" + std::to_string(seed()));
    fs::create_directories(dir);
    path = (dir / "steps.txt").string();
  }
  void TearDown() override {
    SetReplaceFileFaultAfter(SIZE_MAX, false);
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  static std::string Read(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void Write(const std::string& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
  }
  fs::path dir;
  std::string path;
};

TEST_F(FileReplacement, NewContentReplacesTheOldCompletely) {
  Write(path, std::string(100000, 'x'));
  const std::string fresh = "5+3=8\r\n";
  ASSERT_TRUE(ReplaceFileContents(path.c_str(), fresh.data(), fresh.size()));
  EXPECT_EQ(Read(path), fresh);
  EXPECT_FALSE(fs::exists(path + ".new"));
}

TEST_F(FileReplacement, CreatesAMissingFileAndWritesEmptyContent) {
  ASSERT_TRUE(ReplaceFileContents(path.c_str(), nullptr, 0));
  EXPECT_TRUE(fs::exists(path));
  EXPECT_EQ(Read(path), "");
}

TEST_F(FileReplacement, FailureMidwayKeepsThePreviousContent) {
  Write(path, "1+1=2\r\n");
  const std::string big(300000, 'y');
  SetReplaceFileFaultAfter(70000);
  EXPECT_FALSE(ReplaceFileContents(path.c_str(), big.data(), big.size()));
  EXPECT_EQ(Read(path), "1+1=2\r\n");
  EXPECT_FALSE(fs::exists(path + ".new"));
}

TEST_F(FileReplacement, KilledMidwayLeavesThePreviousContent) {
  Write(path, "1+1=2\r\n");
  const std::string big(300000, 'y');
  EXPECT_EXIT(
      {
        SetReplaceFileFaultAfter(70000, true);
        ReplaceFileContents(path.c_str(), big.data(), big.size());
      },
      ::testing::ExitedWithCode(3), "");
  EXPECT_EQ(Read(path), "1+1=2\r\n");
  // The half-written new file is left behind; the next save replaces it.
  ASSERT_TRUE(ReplaceFileContents(path.c_str(), "2+2=4\r\n", 7));
  EXPECT_EQ(Read(path), "2+2=4\r\n");
}

TEST_F(FileReplacement, LeftoverOfAnEarlierCrashIsOverwritten) {
  Write(path, "old");
  Write(path + ".new", "half a sav");
  ASSERT_TRUE(ReplaceFileContents(path.c_str(), "new", 3));
  EXPECT_EQ(Read(path), "new");
}

TEST_F(FileReplacement, UnwritableFolderFailsAndChangesNothing) {
  const std::string missing = (dir / "no such folder" / "steps.txt").string();
  EXPECT_FALSE(ReplaceFileContents(missing.c_str(), "x", 1));
}

TEST_F(FileReplacement, HeldOnlyWhenTheBytesAreTheExpectedOnes) {
  const std::string image = std::string("MZ") + std::string(5000, '\x90');
  Write(path, image);
  intptr_t held = HoldFileIfSame(path.c_str(), image.data(), image.size());
  EXPECT_NE(held, 0);
  ReleaseHeldFile(held);
  std::string other = image;
  other[4000] = 'A';
  EXPECT_EQ(HoldFileIfSame(path.c_str(), other.data(), other.size()), 0);
  EXPECT_EQ(HoldFileIfSame(path.c_str(), image.data(), image.size() - 1), 0);
  EXPECT_EQ(HoldFileIfSame((path + "x").c_str(), image.data(), image.size()), 0);
}

}  // namespace
}  // namespace talv::app
