// What ends the program on the target, each case in a process of its own:
// the report box (caption "错误", error icon, text byte for byte), exit code
// -1, and whether exit routines ran (they write a marker file).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "runtime/core/dll_commands.h"
#include "runtime/core/exit_routines.h"
#include "runtime/core/gates.h"
#include "runtime/core/program_directory.h"
#include "runtime/core/runtime_error_report.h"
#include "tests/core/child_process_win32.h"

namespace talv {
namespace {

using testing_support::ChildMarker;
using testing_support::ChildOutcome;
using testing_support::RunDyingChild;

// ---- The child side ---------------------------------------------------------
void WriteMarker() {
  std::string marker = ChildMarker();
  HANDLE h = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}

void PrepareChild(const DllCommandDeclaration* declarations, int32_t count) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  std::string dir = exe;
  SetProgramDirectory(dir.substr(0, dir.find_last_of('\\')).c_str());
  SetDllCommands(declarations, count);
  RegisterExitRoutine(WriteMarker);
}

TEST(DyingChild, DISABLED_ExitProgramRunsExitRoutines) {
  PrepareChild(nullptr, 0);
  Gates().ExitProgram(7);
}

TEST(DyingChild, DISABLED_ReportStackError) {
  PrepareChild(nullptr, 0);
  Gates().ReportRuntimeError(6, 67174431, 171);
}

TEST(DyingChild, DISABLED_PopsFourMoreThanDeclared) {
  const DllCommandDeclaration d = {"talv_probe.dll", "TalvPopsMore", 4};
  PrepareChild(&d, 1);
  Gates().CallDllCommand(0, 5u);
}

TEST(DyingChild, DISABLED_PopsFourLessThanDeclared) {
  const DllCommandDeclaration d = {"talv_probe.dll", "TalvPopsLess", 8};
  PrepareChild(&d, 1);
  Gates().CallDllCommand(0, 5u, 6u);
}

TEST(DyingChild, DISABLED_MissingExportOfANamedLibrary) {
  const DllCommandDeclaration d = {"talv_probe.dll", "TalvNoSuchExport", 0};
  PrepareChild(&d, 1);
  Gates().CallDllCommand(0);
}

TEST(DyingChild, DISABLED_MissingExportOfTheSystemLibraries) {
  const DllCommandDeclaration d = {"", "TalvNoSuchExport", 0};
  PrepareChild(&d, 1);
  Gates().CallDllCommand(0);
}

TEST(DyingChild, DISABLED_MissingLibrary) {
  const DllCommandDeclaration d = {"talv_no_such_library.dll", "#3", 0};
  PrepareChild(&d, 1);
  Gates().CallDllCommand(0);
}

// More than the address space can hold: 2 GB on i686, 4 EB on x64.
constexpr size_t kImpossibleBytes = sizeof(size_t) == 4 ? size_t(0x7FFFFFF0) : size_t(1) << 62;

TEST(DyingChild, DISABLED_ImpossibleAllocation) {
  PrepareChild(nullptr, 0);
  Gates().Allocate(kImpossibleBytes);
}

TEST(DyingChild, DISABLED_PropertyOfAWindowNotLoaded) {
  PrepareChild(nullptr, 0);
  Gates().ReadProperty(0x52010002, 0x1601001C, 8, -1);
}

// ---- The parent side --------------------------------------------------------
class FatalPathsOnTarget : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    marker_ = std::string(temp) + "talv_exit_marker_" + std::to_string(GetCurrentProcessId());
    DeleteFileA(marker_.c_str());
  }
  void TearDown() override { DeleteFileA(marker_.c_str()); }
  bool ExitRoutinesRan() const {
    return GetFileAttributesA(marker_.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  // Runs a case that must end with the report of `message` (and `code`).
  void ExpectReport(const char* child, int32_t code, const std::string& message,
                    int32_t location1 = 0, int32_t location2 = 0) {
    ChildOutcome outcome = RunDyingChild(child, marker_);
    EXPECT_TRUE(outcome.finished);
    EXPECT_TRUE(outcome.box_shown) << "no report box";
    EXPECT_TRUE(outcome.box_has_icon);
    EXPECT_EQ(outcome.box_text,
              BuildRuntimeErrorReport(code, message.c_str(), location1, location2));
    EXPECT_EQ(outcome.exit_code, DWORD(-1));
    EXPECT_FALSE(ExitRoutinesRan()) << "an exit routine ran after the runtime error";
  }
  std::string marker_;
};

// The harness itself: the marker shows exit routines that did run.
TEST_F(FatalPathsOnTarget, ExitProgramRunsExitRoutinesAndEndsWithItsCode) {
  ChildOutcome outcome = RunDyingChild("ExitProgramRunsExitRoutines", marker_);
  EXPECT_TRUE(outcome.finished);
  EXPECT_FALSE(outcome.box_shown);
  EXPECT_EQ(outcome.exit_code, 7u);
  EXPECT_TRUE(ExitRoutinesRan());
}

TEST_F(FatalPathsOnTarget, StackErrorReportMatchesByteForByte) {
  ChildOutcome outcome = RunDyingChild("ReportStackError", marker_);
  const std::string expected =
      "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n\r\n"
      "运行时错误相关信息值(在IDE中打开对应源程序后执行\"运行->到运行时错误相关位置\"菜单功能查看)"
      ": 67174431, 171\r\n";
  EXPECT_TRUE(outcome.box_shown);
  EXPECT_EQ(outcome.box_text, expected);
  EXPECT_EQ(outcome.exit_code, DWORD(-1));
  EXPECT_FALSE(ExitRoutinesRan());
}

// The stack check exists on i686 only: an x64 callee never pops its
// arguments.
#if defined(__i386__)
TEST_F(FatalPathsOnTarget, AFunctionThatPopsTooMuchRaisesErrorSix) {
  ExpectReport("PopsFourMoreThanDeclared", 6, "调用DLL命令后发现堆栈错误");
}

TEST_F(FatalPathsOnTarget, AFunctionThatPopsTooLittleRaisesErrorSix) {
  ExpectReport("PopsFourLessThanDeclared", 6, "调用DLL命令后发现堆栈错误");
}
#endif

TEST_F(FatalPathsOnTarget, MissingExportOfANamedLibrary) {
  ExpectReport("MissingExportOfANamedLibrary", 0,
               "无法找到指定DLL库文件“talv_probe.dll”中的输出命令“TalvNoSuchExport”");
}

TEST_F(FatalPathsOnTarget, MissingExportOfTheSystemLibraries) {
  ExpectReport("MissingExportOfTheSystemLibraries", 0,
               "无法找到指定DLL库文件中的输出命令“TalvNoSuchExport”");
}

TEST_F(FatalPathsOnTarget, MissingLibrary) {
  ExpectReport("MissingLibrary", 0,
               "无法找到指定DLL库文件“talv_no_such_library.dll”中的输出命令“#3”");
}

TEST_F(FatalPathsOnTarget, ImpossibleAllocation) {
  ExpectReport("ImpossibleAllocation", 0,
               "分配 " + std::to_string(kImpossibleBytes) + " 字节内存失败!");
}

TEST_F(FatalPathsOnTarget, PropertyOfAWindowNotLoaded) {
  ExpectReport("PropertyOfAWindowNotLoaded", 0, "未载入欲访问窗口组件所在的窗口", 0x52010002,
               0x1601001C);
}

}  // namespace
}  // namespace talv
