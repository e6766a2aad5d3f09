// The tape in steps.txt and the geometry in peizi.ini, under the program's
// directory (or the application-data folder when that refuses them),
// through the real file and settings commands.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/app_platform.h"
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
    DeleteFileA(tape.c_str());
    DeleteFileA(settings.c_str());
    DeleteFileA(kept_tape.c_str());
    DeleteFileA(kept_settings.c_str());
    RemoveDirectoryA((appdata + "\\Talvique").c_str());
    RemoveDirectoryA(appdata.c_str());
    RemoveDirectoryA(dir.c_str());
    SetProgramDirectory(saved_directory.c_str());
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

TEST_F(TapeFile, ClosingWritesTheTapeAndTheNextStartShowsIt) {
  window.PressAll({"5", "+", "3", "="});
  SaveTape();
  EXPECT_EQ(Read(tape), "5+3=8\r\n");
  window.texts.clear();
  LoadTape();
  EXPECT_EQ(window.Tape(), "5+3=8\r\n");
}

TEST_F(TapeFile, SoundOffStillSavesBesideTheProgram) {
  window.PressAll({"2", "*", "4", "="});
  ToggleSound();
  ASSERT_STREQ(BaseDirectory, "12345");
  SaveTape();
  EXPECT_EQ(Read(tape), "2×4=8\r\n");
  EXPECT_EQ(Setting("_启动窗口k", "_启动窗口.k"), "0");
}

TEST_F(TapeFile, WillBeDestroyedAlsoSavesTheGeometry) {
  window.ints[{kWindowUnit, WindowProperty::Left}] = -300;
  window.ints[{kWindowUnit, WindowProperty::Top}] = 40;
  window.ints[{kWindowUnit, WindowProperty::Width}] = 700;
  window.ints[{kWindowUnit, WindowProperty::Height}] = 520;
  SaveTape();
  EXPECT_EQ(Setting("_启动窗口z", "_启动窗口.z"), "-300");
  EXPECT_EQ(Setting("_启动窗口d", "_启动窗口.d"), "40");
  EXPECT_EQ(Setting("_启动窗口k", "_启动窗口.k"), "700");
  EXPECT_EQ(Setting("_启动窗口g", "_启动窗口.g"), "520");
}

TEST_F(TapeFile, AFailedSaveLeavesThePreviousTape) {
  Write(tape, "1+1=2\r\n");
  LoadTape();
  window.PressAll({"C", "7", "+", "1", "="});
  SetReplaceFileFaultAfter(3);
  SaveTape();
  EXPECT_EQ(Read(tape), "1+1=2\r\n");
  SetReplaceFileFaultAfter(SIZE_MAX);
  SaveTape();
  EXPECT_EQ(Read(tape), "7+1=8\r\n");
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
    SaveTape();
    EXPECT_EQ(Read(tape), content) << content.size();
  }
}

TEST_F(TapeFile, MissingFileGivesAnEmptyTape) {
  LoadTape();
  EXPECT_EQ(window.Tape(), "");
  window.PressAll({"9", "-", "1", "="});
  SaveTape();
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
  SaveTape();
  EXPECT_EQ(Read(kept_tape), "5+3=8\r\n");
  EXPECT_EQ(Setting("_启动窗口k", "_启动窗口.k", kept_settings), "640");
  // The next start reads them from there, and adds to them.
  Restart();
  EXPECT_EQ(window.Tape(), "5+3=8\r\n");
  window.PressAll({"2", "*", "4", "="});
  SaveTape();
  EXPECT_EQ(Read(kept_tape), "5+3=8\r\n2×4=8\r\n");
  // Writable again: the next save goes beside the program, nothing lost.
  AllowWritesBesideTheProgram();
  Restart();
  EXPECT_EQ(window.Tape(), "5+3=8\r\n2×4=8\r\n");
  window.PressAll({"9", "-", "1", "="});
  SaveTape();
  EXPECT_EQ(Read(tape), "5+3=8\r\n2×4=8\r\n9-1=8\r\n");
  EXPECT_EQ(Setting("_启动窗口k", "_启动窗口.k"), "640");
  Restart();
  EXPECT_EQ(window.Tape(), "5+3=8\r\n2×4=8\r\n9-1=8\r\n");
}

TEST_F(TapeFile, TheNewerOfTheTwoPlacesIsRead) {
  Write(tape, "1+1=2\r\n");
  CreateDirectoryA((appdata + "\\Talvique").c_str(), nullptr);
  OtherInstanceSaves(kept_tape, "2+2=4\r\n");
  LoadTape();
  EXPECT_EQ(window.Tape(), "2+2=4\r\n");
  OtherInstanceSaves(tape, "3+3=6\r\n");
  Restart();
  EXPECT_EQ(window.Tape(), "3+3=6\r\n");
  // Without an application-data folder only the program's is used.
  window.application_data.clear();
  OtherInstanceSaves(kept_tape, "4+4=8\r\n");
  Restart();
  EXPECT_EQ(window.Tape(), "3+3=6\r\n");
}

TEST_F(TapeFile, NoPlaceToWriteLosesTheTapeSilently) {
  RefuseWritesBesideTheProgram();
  window.application_data = dir + "\\no\\such\\folder";
  window.PressAll({"5", "+", "3", "="});
  SaveTape();  // no message, no crash
  EXPECT_FALSE(Exists(tape));
  EXPECT_FALSE(Exists(kept_tape));
}

TEST_F(TapeFile, TwoInstancesBothOnlyCalculatedKeepEveryLineOnce) {
  Write(tape, "1+1=2\r\n");
  LoadTape();  // this instance, B
  window.PressAll({"3", "+", "3", "="});
  // A, started with the same tape, added 2+2 and closed first.
  OtherInstanceSaves(tape, "1+1=2\r\n2+2=4\r\n");
  SaveTape();
  EXPECT_EQ(Read(tape), "1+1=2\r\n2+2=4\r\n3+3=6\r\n");
  // A second save of this instance adds only what came after the first.
  window.PressAll({"5", "-", "1", "="});
  SaveTape();
  EXPECT_EQ(Read(tape), "1+1=2\r\n2+2=4\r\n3+3=6\r\n5-1=4\r\n");
}

TEST_F(TapeFile, TwoInstancesWhenThisUserClearedTheTape) {
  Write(tape, "1+1=2\r\n");
  LoadTape();
  window.PressAll({"C", "7", "+", "1", "="});
  OtherInstanceSaves(tape, "1+1=2\r\n2+2=4\r\n");
  SaveTape();
  // The clear stands; the other instance's new line stays.
  EXPECT_EQ(Read(tape), "7+1=8\r\n2+2=4\r\n");
}

TEST_F(TapeFile, AnUntouchedTapeLeavesTheOtherInstancesFileAlone) {
  Write(tape, "1+1=2\r\n");
  LoadTape();
  const std::string other = std::string("1+1=2\r\n\0odd\xff", 13);
  OtherInstanceSaves(tape, other);
  SaveTape();
  EXPECT_EQ(Read(tape), other);
}

TEST_F(TapeFile, AHeldTapeFileIsLeftIntactAndTheTapeKeptElsewhere) {
  Write(tape, "1+1=2\r\n");
  LoadTape();
  window.PressAll({"2", "+", "2", "="});
  // Another program holds steps.txt open, sharing it with readers only.
  HANDLE holder = CreateFileA(tape.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  SaveTape();  // waits for no one
  CloseHandle(holder);
  EXPECT_EQ(Read(tape), "1+1=2\r\n");
  EXPECT_FALSE(Exists(tape + ".new"));
  EXPECT_EQ(Read(kept_tape), "1+1=2\r\n2+2=4\r\n");
  // The next start reads the kept tape; its save goes beside the program.
  Restart();
  EXPECT_EQ(window.Tape(), "1+1=2\r\n2+2=4\r\n");
  window.PressAll({"3", "+", "3", "="});
  SaveTape();
  EXPECT_EQ(Read(tape), "1+1=2\r\n2+2=4\r\n3+3=6\r\n");
}

}  // namespace
}  // namespace talv::app
