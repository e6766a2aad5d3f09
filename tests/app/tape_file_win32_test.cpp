// The tape in steps.txt and the geometry in peizi.ini, under the program's
// directory, through the real file and settings commands.
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
  }
  void TearDown() override {
    SetReplaceFileFaultAfter(SIZE_MAX);
    DeleteFileA(tape.c_str());
    DeleteFileA(settings.c_str());
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
  std::string Setting(const char* section, const char* item) {
    char value[64] = "";
    GetPrivateProfileStringA(section, item, "", value, sizeof value, settings.c_str());
    return value;
  }

  testing::FakeMainWindow window;
  std::string dir, saved_directory, tape, settings;
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
  window.ints[{kWindowUnit, property::kLeft}] = -300;
  window.ints[{kWindowUnit, property::kTop}] = 40;
  window.ints[{kWindowUnit, property::kWidth}] = 700;
  window.ints[{kWindowUnit, property::kHeight}] = 520;
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

}  // namespace
}  // namespace talv::app
