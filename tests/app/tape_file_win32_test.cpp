// The tape in steps.txt and the geometry in peizi.ini, under the program's
// directory (or the application-data folder when that refuses them),
// through the real file and settings commands: the tape saved by every key
// that changes it, the files saved when the window closes.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/app_platform.h"
#include "app/file_system.h"
#include "app/calculator_state.h"
#include "app/handlers.h"
#include "app/main_window_ids.h"
#include "app/program_files.h"
#include "runtime/core/program_directory.h"
#include "tests/app/fake_main_window.h"

namespace talv::app {
namespace {

class TapeFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir = std::string(temp) + "talv_tape_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    saved_directory = ProgramDirectory();
    SetProgramDirectory(dir.c_str());
    tape = dir + "\\steps.txt";
    settings = dir + "\\peizi.ini";
    appdata = dir + "\\appdata";
    CreateDirectoryA(appdata.c_str(), nullptr);
    window.application_data = appdata;
    kept_tape = appdata + "\\Talvique\\steps.txt";
    kept_settings = appdata + "\\Talvique\\peizi.ini";
  }
  void TearDown() override {
    SetReplaceFileFaultAfter(SIZE_MAX);
    SetProgramDirectory(saved_directory.c_str());
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
  static std::string Read(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void Write(const std::string& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
  }
  std::string Setting(const char* section, const char* item, const std::string& file = "") {
    char value[64] = "";
    GetPrivateProfileStringA(section, item, "", value, sizeof value,
                             (file.empty() ? settings : file).c_str());
    return value;
  }
  static bool Exists(const std::string& p) {
    return GetFileAttributesA(p.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  // The program's folder as one that refuses every write (it is not there).
  void RefuseWritesBesideTheProgram() { SetProgramDirectory((dir + "\\gone").c_str()); }
  void AllowWritesBesideTheProgram() { SetProgramDirectory(dir.c_str()); }
  // steps.txt rewritten by another instance, a moment later than anything
  // before (file times are compared).
  void OtherInstanceSaves(const std::string& p, const std::string& bytes) {
    Sleep(20);
    Write(p, bytes);
  }
  // A new start of the program: empty boxes, then the tape loaded.
  void Restart() {
    window.texts.erase({control::kTape, EditBoxProperty::Content});
    window.texts.erase({control::kEntry, EditBoxProperty::Content});
    LoadTape();
  }

  testing::FakeMainWindow window;
  std::string dir, saved_directory, tape, settings, appdata, kept_tape, kept_settings;
};

TEST_F(TapeFile, EveryStepIsSavedAndTheNextStartShowsIt) {
  window.PressAll({"5", "+", "3", "="});
  // On the disk with the key, before anything closes.
  EXPECT_EQ(Read(tape), "5+3=8\r\n");
  window.PressAll({"*", "2", "*"});
  EXPECT_EQ(Read(tape), "5+3=8\r\n8×2=16\r\n");
  window.PressAll({"1", "="});
  EXPECT_EQ(Read(tape), "5+3=8\r\n8×2=16\r\n16×1=16\r\n");
  CloseDown();
  EXPECT_EQ(Read(tape), "5+3=8\r\n8×2=16\r\n16×1=16\r\n");
  window.texts.clear();
  LoadTape();
  EXPECT_EQ(window.Tape(), "5+3=8\r\n8×2=16\r\n16×1=16\r\n");
}

TEST_F(TapeFile, TextTypedIntoTheTapeIsSavedWhenItLosesTheFocusOrWithTheNextStep) {
  Write(tape, "1+1=2\r\n");
  LoadTape();
  window.texts[{control::kTape, EditBoxProperty::Content}] = "1+1=2 (rent)\r\n";
  SaveTape();  // the tape box's lost-focus binding
  EXPECT_EQ(Read(tape), "1+1=2 (rent)\r\n");
  window.texts[{control::kTape, EditBoxProperty::Content}] += "note\r\n";
  window.PressAll({"2", "+", "2", "="});
  EXPECT_EQ(Read(tape), "1+1=2 (rent)\r\nnote\r\n2+2=4\r\n");
}

TEST_F(TapeFile, ClearKeepsTheTapeItEmptiedAsTheBackup) {
  Write(tape, "1+1=2\r\n");
  LoadTape();
  window.PressAll({"6", "+", "1", "=", "C"});
  EXPECT_EQ(window.Tape(), "");
  EXPECT_EQ(Read(tape), "");
  EXPECT_EQ(Read(dir + "\\steps.bak"), "1+1=2\r\n6+1=7\r\n");
  // A second clear of the empty tape keeps that backup.
  window.Press("C");
  EXPECT_EQ(Read(dir + "\\steps.bak"), "1+1=2\r\n6+1=7\r\n");
}

TEST_F(TapeFile, SoundOffStillSavesBesideTheProgram) {
  window.PressAll({"2", "*", "4", "="});
  ToggleSound();
  ASSERT_STREQ(BaseDirectory, "12345");
  CloseDown();
  EXPECT_EQ(Read(tape), "2×4=8\r\n");
  EXPECT_EQ(Setting("_启动窗口k", "_启动窗口.k"), "0");
}

TEST_F(TapeFile, WillBeDestroyedAlsoSavesTheGeometry) {
  window.ints[{kWindowUnit, WindowProperty::Left}] = -300;
  window.ints[{kWindowUnit, WindowProperty::Top}] = 40;
  window.ints[{kWindowUnit, WindowProperty::Width}] = 700;
  window.ints[{kWindowUnit, WindowProperty::Height}] = 520;
  CloseDown();
  EXPECT_EQ(Setting("_启动窗口z", "_启动窗口.z"), "-300");
  EXPECT_EQ(Setting("_启动窗口d", "_启动窗口.d"), "40");
  EXPECT_EQ(Setting("_启动窗口k", "_启动窗口.k"), "700");
  EXPECT_EQ(Setting("_启动窗口g", "_启动窗口.g"), "520");
}

TEST_F(TapeFile, AFailedSaveLeavesThePreviousTape) {
  Write(tape, "1+1=2\r\n");
  LoadTape();
  // Every write fails part-way, as on a full disk: the file keeps the
  // tape as it was, and a clear whose backup cannot be kept drops nothing.
  SetReplaceFileFaultAfter(3);
  window.PressAll({"C", "7", "+", "1", "="});
  EXPECT_EQ(Read(tape), "1+1=2\r\n");
  EXPECT_FALSE(Exists(dir + "\\steps.bak"));
  // Room again: the next step's save does what the ones before could not,
  // the clear with its backup included.
  SetReplaceFileFaultAfter(SIZE_MAX);
  window.PressAll({"2", "*", "2", "="});
  EXPECT_EQ(Read(tape), "7+1=8\r\n2×2=4\r\n");
  EXPECT_EQ(Read(dir + "\\steps.bak"), "1+1=2\r\n");
}

TEST_F(TapeFile, AClearWhoseBackupCannotBeKeptDropsNothing) {
  Write(tape, "1+1=2\r\n");
  CreateDirectoryA((dir + "\\steps.bak").c_str(), nullptr);  // no file can take that name
  window.application_data.clear();
  LoadTape();
  window.PressAll({"C", "7", "+", "1", "="});
  EXPECT_EQ(Read(tape), "1+1=2\r\n7+1=8\r\n");
  EXPECT_EQ(window.Tape(), "1+1=2\r\n7+1=8\r\n");
}

TEST_F(TapeFile, ContentATextBoxCannotHoldSurvivesUnchanged) {
  const std::string contents[] = {
      std::string("5+3=8\r\n\0binary\x01\xff", 17),
      "1+1=2\r\n\xb5",                        // a lone lead byte at the end
      std::string(3 << 20, 'z') + "\n\r\n",  // big, bare line feeds
  };
  for (const std::string& content : contents) {
    Write(tape, content);
    window.texts.clear();
    LoadTape();
    CloseDown();
    EXPECT_EQ(Read(tape), content) << content.size();
  }
}

TEST_F(TapeFile, MissingFileGivesAnEmptyTape) {
  LoadTape();
  EXPECT_EQ(window.Tape(), "");
  window.PressAll({"9", "-", "1", "="});
  EXPECT_EQ(Read(tape), "9-1=8\r\n");
}

TEST(HeldFile, WritersAreShutOutWhileItIsHeld) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string path = std::string(temp) + "talv_held_" + std::to_string(GetCurrentProcessId());
  std::ofstream(path, std::ios::binary) << "MZimage";
  const intptr_t held = HoldFileIfSame(path.c_str(), "MZimage", 7);
  ASSERT_NE(held, 0);
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(DeleteFileA(path.c_str()));
  ReleaseHeldFile(held);
  EXPECT_TRUE(DeleteFileA(path.c_str()));
}

TEST_F(TapeFile, AFolderThatRefusesWritesKeepsTheFilesInApplicationData) {
  RefuseWritesBesideTheProgram();
  window.ints[{kWindowUnit, WindowProperty::Width}] = 640;
  window.PressAll({"5", "+", "3", "="});
  CloseDown();
  EXPECT_EQ(Read(kept_tape), "5+3=8\r\n");
  EXPECT_EQ(Setting("_启动窗口k", "_启动窗口.k", kept_settings), "640");
  // The next start reads them from there, and adds to them.
  Restart();
  EXPECT_EQ(window.Tape(), "5+3=8\r\n");
  window.PressAll({"2", "*", "4", "="});
  EXPECT_EQ(Read(kept_tape), "5+3=8\r\n2×4=8\r\n");
  // Writable again: the tape goes back beside the program at the next
  // start, nothing lost, and no copy is left to come back.
  AllowWritesBesideTheProgram();
  Restart();
  EXPECT_EQ(window.Tape(), "5+3=8\r\n2×4=8\r\n");
  EXPECT_EQ(Read(tape), "5+3=8\r\n2×4=8\r\n");
  EXPECT_FALSE(Exists(kept_tape));
  window.PressAll({"9", "-", "1", "="});
  CloseDown();
  EXPECT_EQ(Read(tape), "5+3=8\r\n2×4=8\r\n9-1=8\r\n");
  EXPECT_EQ(Setting("_启动窗口k", "_启动窗口.k"), "640");
  EXPECT_FALSE(Exists(kept_settings));
  Restart();
  EXPECT_EQ(window.Tape(), "5+3=8\r\n2×4=8\r\n9-1=8\r\n");
}

TEST_F(TapeFile, TwoPlacesAreJoinedAtStartAndOneCopyIsLeft) {
  // A stale copy in the application data, written after the one beside the
  // program: neither wins, both are kept.
  Write(tape, "2+2=4\r\n");
  CreateDirectoryA((appdata + "\\Talvique").c_str(), nullptr);
  OtherInstanceSaves(kept_tape, "1+1=2\r\n");
  LoadTape();
  EXPECT_EQ(window.Tape(), "2+2=4\r\n1+1=2\r\n");
  EXPECT_EQ(Read(tape), "2+2=4\r\n1+1=2\r\n");
  EXPECT_FALSE(Exists(kept_tape));
  window.PressAll({"3", "+", "3", "="});
  CloseDown();
  EXPECT_EQ(Read(tape), "2+2=4\r\n1+1=2\r\n3+3=6\r\n");
  EXPECT_FALSE(Exists(kept_tape));
  // Without an application-data folder only the program's is used.
  window.application_data.clear();
  OtherInstanceSaves(kept_tape, "4+4=8\r\n");
  Restart();
  EXPECT_EQ(window.Tape(), "2+2=4\r\n1+1=2\r\n3+3=6\r\n");
}

TEST_F(TapeFile, TheGeometryKeepsOneLiveCopy) {
  CreateDirectoryA((appdata + "\\Talvique").c_str(), nullptr);
  WritePrivateProfileStringA("_启动窗口k", "_启动窗口.k", "777", kept_settings.c_str());
  window.ints[{kWindowUnit, WindowProperty::Width}] = 640;
  CloseDown();
  EXPECT_EQ(Setting("_启动窗口k", "_启动窗口.k"), "640");
  EXPECT_FALSE(Exists(kept_settings));
}

TEST_F(TapeFile, NoPlaceToWriteLosesTheTapeSilently) {
  RefuseWritesBesideTheProgram();
  window.application_data = dir + "\\no\\such\\folder";
  window.PressAll({"5", "+", "3", "="});
  CloseDown();  // no message, no crash
  EXPECT_FALSE(Exists(tape));
  EXPECT_FALSE(Exists(kept_tape));
}

TEST_F(TapeFile, TwoInstancesBothOnlyCalculatedKeepEveryLineOnce) {
  Write(tape, "1+1=2\r\n");
  LoadTape();  // this instance, B
  // A, started with the same tape, added 2+2.
  OtherInstanceSaves(tape, "1+1=2\r\n2+2=4\r\n");
  window.PressAll({"3", "+", "3", "="});
  EXPECT_EQ(Read(tape), "1+1=2\r\n2+2=4\r\n3+3=6\r\n");
  // The tape shows the one tape now, and the next step adds to it.
  EXPECT_EQ(window.Tape(), "1+1=2\r\n2+2=4\r\n3+3=6\r\n");
  window.PressAll({"5", "-", "1", "="});
  CloseDown();
  EXPECT_EQ(Read(tape), "1+1=2\r\n2+2=4\r\n3+3=6\r\n5-1=4\r\n");
}

TEST_F(TapeFile, TwoInstancesWhenThisUserClearedTheTape) {
  Write(tape, "1+1=2\r\n");
  LoadTape();
  OtherInstanceSaves(tape, "1+1=2\r\n2+2=4\r\n");
  window.PressAll({"C", "7", "+", "1", "="});
  // The clear stands; the other instance's new line stays.
  EXPECT_EQ(Read(tape), "2+2=4\r\n7+1=8\r\n");
  EXPECT_EQ(Read(dir + "\\steps.bak"), "1+1=2\r\n2+2=4\r\n");
}

TEST_F(TapeFile, AnUntouchedTapeLeavesTheOtherInstancesFileAlone) {
  Write(tape, "1+1=2\r\n");
  LoadTape();
  const std::string other = std::string("1+1=2\r\n\0odd\xff", 13);
  OtherInstanceSaves(tape, other);
  CloseDown();
  EXPECT_EQ(Read(tape), other);
}

TEST_F(TapeFile, AHeldTapeFileIsLeftIntactAndTheTapeKeptElsewhere) {
  Write(tape, "1+1=2\r\n");
  LoadTape();
  // Another program holds steps.txt open, sharing it with readers only.
  HANDLE holder = CreateFileA(tape.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  window.PressAll({"2", "+", "2", "="});  // the step's save waits for no one
  CloseHandle(holder);
  EXPECT_EQ(Read(tape), "1+1=2\r\n");
  EXPECT_TRUE(FilesLike(dir, "steps.txt.", ".tmp").empty());
  EXPECT_TRUE(FilesLike(dir, "steps.txt.", ".new").empty());
  EXPECT_EQ(Read(kept_tape), "1+1=2\r\n2+2=4\r\n");
  // The next start reads the kept tape; its save goes beside the program.
  Restart();
  EXPECT_EQ(window.Tape(), "1+1=2\r\n2+2=4\r\n");
  window.PressAll({"3", "+", "3", "="});
  EXPECT_EQ(Read(tape), "1+1=2\r\n2+2=4\r\n3+3=6\r\n");
}

}  // namespace
}  // namespace talv::app
