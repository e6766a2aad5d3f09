// Replacing a file through a new file beside it: a save that fails part-way
// leaves the previous content, and leaves no half-written file behind; on a
// file system that replaces in two steps, an interruption leaves a complete
// ".new" file. Appending, and reading that tells missing from unreadable.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/app_platform.h"
#include "app/file_system.h"

namespace talv::app {
namespace {

namespace fs = std::filesystem;

class FileReplacement : public ::testing::Test {
 protected:
  void SetUp() override {
    // Named by the test, not by chance: a death test's child process runs
    // SetUp again and must find the same folder.
    dir = fs::temp_directory_path() /
          (std::string("talv_replace_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    if (!::testing::internal::InDeathTestChild()) {
      std::error_code ignored;
      fs::remove_all(dir, ignored);
    }
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
  // The temporary files of this process's saves that are still there.
  std::vector<std::string> Leftovers(const char* ending) const {
    return FilesLike(dir.string(), "steps.txt.", ending);
  }
  fs::path dir;
  std::string path;
};

TEST_F(FileReplacement, NewContentReplacesTheOldCompletely) {
  Write(path, std::string(100000, 'x'));
  const std::string fresh = "5+3=8\r\n";
  ASSERT_TRUE(ReplaceFileContents(path.c_str(), fresh.data(), fresh.size()));
  EXPECT_EQ(Read(path), fresh);
  EXPECT_TRUE(Leftovers(".tmp").empty());
  EXPECT_TRUE(Leftovers(".new").empty());
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
  EXPECT_TRUE(Leftovers(".tmp").empty());
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
  Write(TemporaryName(path.c_str(), ".tmp"), "half a sav");
  ASSERT_TRUE(ReplaceFileContents(path.c_str(), "new", 3));
  EXPECT_EQ(Read(path), "new");
}

TEST_F(FileReplacement, UnwritableFolderFailsAndChangesNothing) {
  const std::string missing = (dir / "no such folder" / "steps.txt").string();
  EXPECT_FALSE(ReplaceFileContents(missing.c_str(), "x", 1));
}

TEST_F(FileReplacement, WithoutAtomicReplaceTheOldFileGivesWayToTheNew) {
  Write(path, "1+1=2\r\n");
  SetAtomicReplaceRefused(true);
  EXPECT_TRUE(ReplaceFileContents(path.c_str(), "2+2=4\r\n", 7));
  SetAtomicReplaceRefused(false);
  EXPECT_EQ(Read(path), "2+2=4\r\n");
  EXPECT_TRUE(Leftovers(".new").empty());
  EXPECT_TRUE(Leftovers(".tmp").empty());
}

TEST_F(FileReplacement, InterruptedWithoutAtomicReplaceLeavesTheCompleteNewFile) {
  Write(path, "1+1=2\r\n");
  EXPECT_EXIT(
      {
        SetAtomicReplaceRefused(true, true);
        ReplaceFileContents(path.c_str(), "2+2=4\r\n", 7);
      },
      ::testing::ExitedWithCode(3), "");
  // The old file is gone and the new one is whole under its ".new" name.
  EXPECT_FALSE(fs::exists(path));
  const std::vector<std::string> complete = Leftovers(".new");
  ASSERT_EQ(complete.size(), 1u);
  EXPECT_EQ(Read(complete[0]), "2+2=4\r\n");
}

TEST_F(FileReplacement, AppendAddsToAnExistingFileOnly) {
  Write(path, "1+1=2\r\n");
  ASSERT_TRUE(AppendFileContents(path.c_str(), "2+2=4\r\n", 7));
  EXPECT_EQ(Read(path), "1+1=2\r\n2+2=4\r\n");
  const std::string missing = (dir / "none.txt").string();
  EXPECT_FALSE(AppendFileContents(missing.c_str(), "x", 1));
  EXPECT_FALSE(fs::exists(missing));
}

TEST_F(FileReplacement, ReadingTellsMissingFromReadAndATailIsItsEnd) {
  std::string bytes = "stale";
  EXPECT_EQ(ReadFileIfPresent(path.c_str(), &bytes), FileRead::Missing);
  EXPECT_EQ(bytes, "");
  // A folder of that name is no file.
  fs::create_directories(dir / "folder");
  EXPECT_EQ(ReadFileIfPresent((dir / "folder").string().c_str(), &bytes), FileRead::Missing);
  const std::string content = std::string("5+3=8\r\n\0\xff", 9) + std::string(1000, 'z');
  Write(path, content);
  EXPECT_EQ(ReadFileIfPresent(path.c_str(), &bytes), FileRead::Read);
  EXPECT_EQ(bytes, content);
  std::string tail;
  ASSERT_TRUE(ReadFileTail(path.c_str(), 10, &tail));
  EXPECT_EQ(tail, std::string(10, 'z'));
  ASSERT_TRUE(ReadFileTail(path.c_str(), 5000, &tail));
  EXPECT_EQ(tail, content);
}

TEST_F(FileReplacement, StampsChangeWithTheContent) {
  EXPECT_FALSE(StampOf(path.c_str()).exists);
  Write(path, "1+1=2\r\n");
  const FileStamp first = StampOf(path.c_str());
  EXPECT_TRUE(first.exists);
  EXPECT_EQ(first.size, 7u);
  EXPECT_EQ(StampOf(path.c_str()), first);
  ASSERT_TRUE(AppendFileContents(path.c_str(), "x", 1));
  EXPECT_NE(StampOf(path.c_str()), first);
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
