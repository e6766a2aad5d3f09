// The tape's file on real files: saved as it is made, untouched while the
// tape is, one copy across the two places, the backup of a cleared tape or
// of a file the box could not show, an interrupted save taken up at the
// next start, a file that cannot be read left alone, and two instances (two
// stores over the same files) that never lose each other's lines, also
// when one of them hangs holding the lock.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "app/file_system.h"
#include "app/tape_store.h"

namespace talv::app {
namespace {

namespace fs = std::filesystem;

class TapeStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("talv_store_" + std::to_string(std::random_device{}()));
    fs::create_directories(root / "program");
    fs::create_directories(root / "appdata");
    places.beside = (root / "program" / "steps.txt").string();
    places.beside_backup = (root / "program" / "steps.bak").string();
    places.kept = (root / "appdata" / "Talvique" / "steps.txt").string();
    places.kept_backup = (root / "appdata" / "Talvique" / "steps.bak").string();
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  static std::string Read(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void Write(const std::string& p, const std::string& bytes) {
    fs::create_directories(fs::path(p).parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
  }
  static bool Exists(const std::string& p) { return fs::exists(p); }
  // A start of `store` whose box shows the file exactly.
  static std::string Start(TapeStore& store, const TapePlaces& places) {
    std::string bytes = store.Load(places);
    store.Shown(bytes);
    return bytes;
  }
  // What the caller does with a save's answer: a merge is shown.
  static void Saved(TapeStore& store, const TapeStore::Saved& saved) {
    if (saved.show) store.Shown(saved.bytes);
  }

  fs::path root;
  TapePlaces places;
};

TEST_F(TapeStoreTest, EveryStepIsOnTheDiskAsItIsMade) {
  TapeStore store;
  EXPECT_EQ(Start(store, places), "");
  EXPECT_FALSE(Exists(places.beside));
  EXPECT_TRUE(store.Save(places, "5+3=8\r\n").written);
  EXPECT_EQ(Read(places.beside), "5+3=8\r\n");
  EXPECT_TRUE(store.Save(places, "5+3=8\r\n2×4=8\r\n").written);
  EXPECT_EQ(Read(places.beside), "5+3=8\r\n2×4=8\r\n");
  // The same tape again writes nothing.
  EXPECT_FALSE(store.Save(places, "5+3=8\r\n2×4=8\r\n").written);
  // An edit of older lines replaces the file.
  EXPECT_TRUE(store.Save(places, "2×4=8\r\n").written);
  EXPECT_EQ(Read(places.beside), "2×4=8\r\n");
  // A later start shows it.
  TapeStore next;
  EXPECT_EQ(Start(next, places), "2×4=8\r\n");
}

TEST_F(TapeStoreTest, AFileTheBoxCannotShowKeepsItsBytesUntilTheTapeChanges) {
  const std::string odd("5+3=8\r\n\0binary\x01\xff", 17);
  Write(places.beside, odd);
  TapeStore store;
  EXPECT_EQ(store.Load(places), odd);
  store.Shown("5+3=8\r\n");  // the box shows the text up to the zero byte
  EXPECT_FALSE(store.Save(places, "5+3=8\r\n").written);
  EXPECT_EQ(Read(places.beside), odd);
  // The first change replaces it; the file as it was is kept.
  EXPECT_TRUE(store.Save(places, "5+3=8\r\n1+1=2\r\n").written);
  EXPECT_EQ(Read(places.beside), "5+3=8\r\n1+1=2\r\n");
  EXPECT_EQ(Read(places.beside_backup), odd);
  // A leading zero byte: the box shows nothing, and nothing is written.
  const std::string leading(std::string("\0", 1) + "1+1=2\r\n");
  Write(places.beside, leading);
  TapeStore other;
  other.Load(places);
  other.Shown("");
  EXPECT_FALSE(other.Save(places, "").written);
  EXPECT_EQ(Read(places.beside), leading);
}

TEST_F(TapeStoreTest, ClearingKeepsTheTapeItReplacedAsTheBackup) {
  Write(places.beside, "1+1=2\r\n2+2=4\r\n");
  TapeStore store;
  Start(store, places);
  EXPECT_TRUE(store.Save(places, "", true).written);
  EXPECT_EQ(Read(places.beside), "");
  EXPECT_EQ(Read(places.beside_backup), "1+1=2\r\n2+2=4\r\n");
  // Clearing the empty tape again keeps that backup.
  EXPECT_FALSE(store.Save(places, "", true).written);
  EXPECT_EQ(Read(places.beside_backup), "1+1=2\r\n2+2=4\r\n");
  // One generation: the next clear of a tape with lines replaces it.
  store.Save(places, "7+1=8\r\n");
  store.Save(places, "", true);
  EXPECT_EQ(Read(places.beside_backup), "7+1=8\r\n");
}

TEST_F(TapeStoreTest, TwoPlacesBecomeOneTapeWithEveryLineOfBoth) {
  // Beside the program 2+2; an older copy in the application data (left by
  // a save while the folder refused it) holds 1+1 and was written later.
  Write(places.beside, "2+2=4\r\n");
  Write(places.kept, "1+1=2\r\n");
  fs::last_write_time(places.kept, fs::last_write_time(places.beside) + std::chrono::seconds(5));
  TapeStore store;
  EXPECT_EQ(Start(store, places), "2+2=4\r\n1+1=2\r\n");
  EXPECT_EQ(Read(places.beside), "2+2=4\r\n1+1=2\r\n");
  EXPECT_FALSE(Exists(places.kept));
  store.Save(places, "2+2=4\r\n1+1=2\r\n3+3=6\r\n");
  EXPECT_EQ(Read(places.beside), "2+2=4\r\n1+1=2\r\n3+3=6\r\n");
  EXPECT_FALSE(Exists(places.kept));
}

TEST_F(TapeStoreTest, TwoPlacesShareTheirCommonStartOnceAndKeepRepeatsTwice) {
  Write(places.beside, "1+1=2\r\n5+5=10\r\n");
  Write(places.kept, "1+1=2\r\n5+5=10\r\n7+7=14\r\n");
  TapeStore store;
  EXPECT_EQ(Start(store, places), "1+1=2\r\n5+5=10\r\n7+7=14\r\n");
  // Both added the same calculation after 1+1: it was computed twice.
  Write(places.beside, "1+1=2\r\n3+3=6\r\n");
  Write(places.kept, "1+1=2\r\n3+3=6\r\n4+4=8\r\n3+3=6\r\n");
  fs::last_write_time(places.kept, fs::last_write_time(places.beside) - std::chrono::seconds(5));
  Write(places.beside, "1+1=2\r\n3+3=6\r\n9-1=8\r\n");
  TapeStore again;
  EXPECT_EQ(Start(again, places), "1+1=2\r\n3+3=6\r\n4+4=8\r\n3+3=6\r\n9-1=8\r\n");
}

TEST_F(TapeStoreTest, AFolderThatRefusesTheTapeSendsItToTheApplicationData) {
  TapePlaces refused = places;
  refused.beside = (root / "gone" / "steps.txt").string();
  refused.beside_backup = (root / "gone" / "steps.bak").string();
  TapeStore store;
  Start(store, refused);
  EXPECT_TRUE(store.Save(refused, "5+3=8\r\n").written);
  EXPECT_EQ(Read(places.kept), "5+3=8\r\n");
  store.Save(refused, "5+3=8\r\n2×4=8\r\n");
  EXPECT_EQ(Read(places.kept), "5+3=8\r\n2×4=8\r\n");
  // Writable again: the next save goes beside the program and the copy goes.
  TapeStore next;
  EXPECT_EQ(Start(next, places), "5+3=8\r\n2×4=8\r\n");
  EXPECT_EQ(Read(places.beside), "5+3=8\r\n2×4=8\r\n");
  EXPECT_FALSE(Exists(places.kept));
}

TEST_F(TapeStoreTest, AFileThatCannotBeReadIsNeverOverwritten) {
  // Larger than any tape: it is not read, and so not replaced.
  Write(places.beside, "1+1=2\r\n");
  fs::resize_file(places.beside, kLargestReadFile + 1);
  TapeStore store;
  EXPECT_EQ(Start(store, places), "");
  EXPECT_TRUE(store.Save(places, "5+3=8\r\n").written);
  EXPECT_EQ(fs::file_size(places.beside), kLargestReadFile + 1);
  EXPECT_EQ(Read(places.kept), "5+3=8\r\n");
  // The next start shows the tape that could be kept, and leaves both.
  TapeStore next;
  EXPECT_EQ(Start(next, places), "5+3=8\r\n");
  EXPECT_EQ(fs::file_size(places.beside), kLargestReadFile + 1);
}

TEST_F(TapeStoreTest, ASaveInterruptedBetweenItsTwoStepsIsTakenUpAtTheNextStart) {
  // No steps.txt, but the complete new file of a save that removed the old
  // one and was ended before it could rename the new.
  Write(places.beside + ".4242.new", "1+1=2\r\n2+2=4\r\n");
  // And the half-written file of another save that never completed.
  Write(places.beside + ".4343.tmp", "1+1=");
  TapeStore store;
  EXPECT_EQ(Start(store, places), "1+1=2\r\n2+2=4\r\n");
  EXPECT_EQ(Read(places.beside), "1+1=2\r\n2+2=4\r\n");
  EXPECT_FALSE(Exists(places.beside + ".4242.new"));
  EXPECT_FALSE(Exists(places.beside + ".4343.tmp"));
  // A leftover beside a steps.txt that it extends is joined into it.
  Write(places.beside + ".4444.new", "1+1=2\r\n2+2=4\r\n3+3=6\r\n");
  TapeStore next;
  EXPECT_EQ(Start(next, places), "1+1=2\r\n2+2=4\r\n3+3=6\r\n");
}

TEST_F(TapeStoreTest, TwoInstancesSavingInTurnKeepEveryLineOfBoth) {
  Write(places.beside, "1+1=2\r\n");
  TapeStore a, b;
  Start(a, places);
  Start(b, places);
  Saved(a, a.Save(places, "1+1=2\r\n2+2=4\r\n"));
  // B's step finds A's line: the merge is what B's box shows next.
  const TapeStore::Saved merged = b.Save(places, "1+1=2\r\n3+3=6\r\n");
  EXPECT_TRUE(merged.show);
  EXPECT_EQ(merged.bytes, "1+1=2\r\n2+2=4\r\n3+3=6\r\n");
  Saved(b, merged);
  Saved(a, a.Save(places, "1+1=2\r\n2+2=4\r\n5-1=4\r\n"));
  Saved(b, b.Save(places, "1+1=2\r\n2+2=4\r\n3+3=6\r\n6×2=12\r\n"));
  EXPECT_EQ(Read(places.beside), "1+1=2\r\n2+2=4\r\n3+3=6\r\n5-1=4\r\n6×2=12\r\n");
}

TEST_F(TapeStoreTest, AClearInOneInstanceKeepsTheOthersNewLines) {
  Write(places.beside, "1+1=2\r\n");
  TapeStore a, b;
  Start(a, places);
  Start(b, places);
  Saved(a, a.Save(places, "1+1=2\r\n2+2=4\r\n"));
  const TapeStore::Saved cleared = b.Save(places, "", true);
  EXPECT_EQ(Read(places.beside), "2+2=4\r\n");
  EXPECT_EQ(Read(places.beside_backup), "1+1=2\r\n2+2=4\r\n");
  ASSERT_TRUE(cleared.show);
  Saved(b, cleared);
  Saved(b, b.Save(places, "2+2=4\r\n7+1=8\r\n"));
  EXPECT_EQ(Read(places.beside), "2+2=4\r\n7+1=8\r\n");
}

TEST_F(TapeStoreTest, AHolderThatHangsWithTheLockIsGivenUpOnAndNeitherTapeIsLost) {
  Write(places.beside, "1+1=2\r\n");
  TapeStore a, b;
  Start(a, places);
  Start(b, places);
  Saved(a, a.Save(places, "1+1=2\r\n2+2=4\r\n"));
  // A hangs while it holds the lock.
  FileLock stuck = LockFile((places.beside + ".lock").c_str(), 0);
  ASSERT_EQ(stuck.state, FileLock::Held);
  b.lock_wait_ms = 100;
  EXPECT_TRUE(b.Save(places, "1+1=2\r\n3+3=6\r\n").written);
  UnlockFile(&stuck);
  EXPECT_EQ(Read(places.beside), "1+1=2\r\n2+2=4\r\n3+3=6\r\n");
}

TEST_F(TapeStoreTest, AFileChangedBehindAnUnchangedStampIsStillMerged) {
  Write(places.beside, "1+1=2\r\n");
  TapeStore store;
  Start(store, places);
  store.Save(places, "1+1=2\r\n2+2=4\r\n");
  // Another writer puts different lines of the same length in, and the
  // file's time is set back to what it was (as a coarse file system shows).
  const auto when = fs::last_write_time(places.beside);
  Write(places.beside, "1+1=2\r\n9-5=4\r\n");
  fs::last_write_time(places.beside, when);
  store.Save(places, "1+1=2\r\n2+2=4\r\n3+3=6\r\n");
  EXPECT_EQ(Read(places.beside), "1+1=2\r\n9-5=4\r\n3+3=6\r\n");
}

TEST_F(TapeStoreTest, NoPlaceToWriteChangesNothingAndTheNextSaveTriesAgain) {
  TapePlaces nowhere;
  nowhere.beside = (root / "gone" / "steps.txt").string();
  nowhere.beside_backup = (root / "gone" / "steps.bak").string();
  TapeStore store;
  Start(store, nowhere);
  EXPECT_FALSE(store.Save(nowhere, "5+3=8\r\n").written);
  EXPECT_TRUE(store.Changed("5+3=8\r\n"));
  EXPECT_TRUE(store.Save(places, "5+3=8\r\n").written);
  EXPECT_EQ(Read(places.beside), "5+3=8\r\n");
}

}  // namespace
}  // namespace talv::app
