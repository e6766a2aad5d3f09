// The lock that every instance takes before it reads, merges and replaces
// the tape: a second taker waits for it, gives up after the bounded time
// while a holder hangs, and learns at once where no lock file can be made.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "app/file_system.h"

namespace talv::app {
namespace {

namespace fs = std::filesystem;

class FileLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("talv_lock_" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    path = (dir / "steps.txt.lock").string();
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  fs::path dir;
  std::string path;
};

TEST_F(FileLockTest, ASecondTakerWaitsUntilTheHolderLetsGo) {
  FileLock first = LockFile(path.c_str(), 0);
  ASSERT_EQ(first.state, FileLock::Held);
  std::atomic<bool> done{false};
  FileLock second;
  std::thread taker([&] {
    second = LockFile(path.c_str(), 60000);
    done = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(done) << "the second taker did not wait";
  UnlockFile(&first);
  taker.join();
  EXPECT_EQ(second.state, FileLock::Held);
  UnlockFile(&second);
  // Free again for the next one.
  FileLock third = LockFile(path.c_str(), 0);
  EXPECT_EQ(third.state, FileLock::Held);
  UnlockFile(&third);
}

TEST_F(FileLockTest, AHolderThatHangsIsGivenUpOnAfterTheBoundedTime) {
  FileLock stuck = LockFile(path.c_str(), 0);
  ASSERT_EQ(stuck.state, FileLock::Held);
  FileLock waiting = LockFile(path.c_str(), 100);
  EXPECT_EQ(waiting.state, FileLock::Busy);
  EXPECT_EQ(waiting.token, 0);
  UnlockFile(&waiting);  // harmless on a lock that was not had
  UnlockFile(&stuck);
}

TEST_F(FileLockTest, NoLockWhereTheFolderIsMissing) {
  const std::string nowhere = (dir / "no such folder" / "steps.txt.lock").string();
  EXPECT_EQ(LockFile(nowhere.c_str(), 5000).state, FileLock::Unavailable);
}

}  // namespace
}  // namespace talv::app
