// The portable file commands: the kept program directory and byte-array
// lengths.
#include "runtime/commands/file_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/core/program_directory.h"
#include "tests/commands/command_testing.h"

namespace talv {
namespace {

class GetRunDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = ProgramDirectory(); }
  void TearDown() override { SetProgramDirectory(saved_.c_str()); }
  std::string saved_;
};

TEST_F(GetRunDirectoryTest, ReturnsAFreshCopyOfTheKeptDirectory) {
  SetProgramDirectory("C:\\程序\\计算器");
  TypedValue r = testing::Call(GetRunDirectory, {});
  EXPECT_NE(AsText(r), ProgramDirectory());
  EXPECT_EQ(testing::TakeText(r), "C:\\程序\\计算器");
  // The caller's copy is its own: changing the kept text later leaves it.
  TypedValue first = testing::Call(GetRunDirectory, {});
  SetProgramDirectory("D:\\x");
  EXPECT_EQ(testing::TakeText(first), "C:\\程序\\计算器");
}

TEST_F(GetRunDirectoryTest, EmptyDirectoryIsNull) {
  SetProgramDirectory("");
  EXPECT_EQ(AsText(testing::Call(GetRunDirectory, {})), nullptr);
}

TEST(ByteArrayLength, CountsTheBlocksBytes) {
  EXPECT_EQ(testing::CallInt(ByteArrayLength, {BytesValue(nullptr)}), 0);
  EXPECT_EQ(testing::CallInt(ByteArrayLength, {Omitted()}), 0);
  uint8_t* block = NewByteArray("abcde", 5);
  EXPECT_EQ(testing::CallInt(ByteArrayLength, {BytesValue(block)}), 5);
  Free(block);
}

}  // namespace
}  // namespace talv
