// What ends the program, in the native build (the report goes to standard
// error there): exit codes, report texts and which exit routines run.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "runtime/core/dll_commands.h"
#include "runtime/core/exit_routines.h"
#include "runtime/core/gates.h"
#include "runtime/core/property_host.h"
#include "runtime/core/runtime_error.h"
#include "runtime/core/runtime_error_report.h"
#include "runtime/core/runtime_routines.h"
#include "runtime/core/services.h"

namespace talv {
namespace {

// Matches output that contains `bytes` (GBK bytes need no regex escaping).
class HasBytes : public testing::MatcherInterface<const std::string&> {
 public:
  explicit HasBytes(std::string bytes) : bytes_(std::move(bytes)) {}
  bool MatchAndExplain(const std::string& s, testing::MatchResultListener*) const override {
    return s.find(bytes_) != std::string::npos;
  }
  void DescribeTo(std::ostream* os) const override { *os << "contains the expected bytes"; }

 private:
  std::string bytes_;
};
testing::Matcher<const std::string&> Has(std::string bytes) {
  return testing::MakeMatcher(new HasBytes(std::move(bytes)));
}
class LacksBytes : public HasBytes {
 public:
  using HasBytes::HasBytes;
  bool MatchAndExplain(const std::string& s, testing::MatchResultListener* l) const override {
    return !HasBytes::MatchAndExplain(s, l);
  }
};

void SayA() { (void)!write(2, "[routine A]", 11); }
void SayB() { (void)!write(2, "[routine B]", 11); }

class FatalPaths : public testing::Test {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(FatalPaths, ExitProgramRunsExitRoutinesInOrderAndEndsWithTheCode) {
  EXPECT_EXIT(
      {
        RegisterExitRoutine(SayA);
        RegisterExitRoutine(SayB);
        Gates().ExitProgram(3);
      },
      testing::ExitedWithCode(3), Has("[routine A][routine B]"));
}

// Only the main thread runs the exit routines; from any other thread the
// process ends with the code at once.
void ExitFromAnotherThread() {
  RegisterExitRoutine(SayA);
  std::thread([] { Gates().ExitProgram(9); }).join();
}

TEST_F(FatalPaths, ExitProgramOnAnotherThreadRunsNoExitRoutine) {
  EXPECT_EXIT(ExitFromAnotherThread(), testing::ExitedWithCode(9),
              testing::MakeMatcher(new LacksBytes("[routine")));
}

TEST_F(FatalPaths, ARuntimeErrorReportsAndEndsWithoutExitRoutines) {
  EXPECT_EXIT(
      {
        RegisterExitRoutine(SayA);
        Gates().ReportRuntimeError(6, 67174431, 171);
      },
      testing::ExitedWithCode(255),
      Has(BuildRuntimeErrorReport(6, "调用DLL命令后发现堆栈错误", 67174431, 171)));
  EXPECT_EXIT(
      {
        RegisterExitRoutine(SayA);
        Gates().ReportRuntimeError(6, 67174431, 171);
      },
      testing::ExitedWithCode(255), testing::MakeMatcher(new LacksBytes("[routine")));
}

TEST_F(FatalPaths, PropertyAccessWithoutALoadedWindow) {
  EXPECT_EXIT(Gates().ReadProperty(0x52010002, 0x1601001C, 8, -1), testing::ExitedWithCode(255),
              Has("错误信息：未载入欲访问窗口组件所在的窗口\r\n"));
  EXPECT_EXIT(Gates().WriteProperty(0x52010002, 0x1601001C, 8, -1, 0, 0),
              testing::ExitedWithCode(255), Has("未找到所指定的窗口\r\n"));
}

class DeadWindowHost : public PropertyHost {
 public:
  bool IsWindowLoaded(int32_t) override { return true; }
  bool HasLiveWindow(int32_t) override { return false; }
  uint64_t ReadProperty(int32_t, int32_t, int32_t, int32_t) override { return 0; }
  void WriteProperty(int32_t, int32_t, int32_t, int32_t, uint64_t) override {}
  void* LiveObject(int32_t, int32_t) override { return nullptr; }
};

TEST_F(FatalPaths, KindPropertiesNeedALiveWindow) {
  static DeadWindowHost host;
  SetPropertyHost(&host);
  EXPECT_EXIT(Gates().ReadProperty(0x52010002, 0x1601001C, 8, -1), testing::ExitedWithCode(255),
              Has("读取组件属性时发现指定窗口尚未载入"));
  EXPECT_EXIT(Gates().WriteProperty(0x52010002, 0x1601001C, 10, -1, 0, 0),
              testing::ExitedWithCode(255), Has("修改组件属性时发现指定窗口尚未载入"));
  EXPECT_EXIT(CommandService(ServiceCode::RequireObject, 0x52010002, 0x1601001C),
              testing::ExitedWithCode(255), Has("指定窗口或窗口组件不存在或尚未载入"));
  SetPropertyHost(nullptr);
}

TEST_F(FatalPaths, ServicesThatEndTheProgram) {
  TypedValue text = TextValue("12");
  EXPECT_EXIT(CommandService(ServiceCode::ToInteger, reinterpret_cast<intptr_t>(&text), 0),
              testing::ExitedWithCode(255), Has("欲转换数据类型不是数值"));
  EXPECT_EXIT(CommandService(ServiceCode::ReportError, reinterpret_cast<intptr_t>("坏了"), 0),
              testing::ExitedWithCode(255), Has("运行时出错!\r\n\r\n错误信息：坏了\r\n"));
  EXPECT_EXIT(CommandService(ServiceCode::ExitProgram, 4, 0), testing::ExitedWithCode(4), Has(""));
}

TEST_F(FatalPaths, StartUpWindowWithoutAWindowRuntime) {
  EXPECT_EXIT(Gates().LoadStartupWindow(0x52010002), testing::ExitedWithCode(255),
              Has("载入启动窗口失败"));
  Gates().RunMessageLoop();  // no window: returns at once
}

TEST_F(FatalPaths, ReferencesMustNameAKind) {
  TypedValue not_a_kind = IntValue(3);
  EXPECT_EXIT(ReadPropertyOfReference(&not_a_kind, 0, -1), testing::ExitedWithCode(255),
              Has("错误代码：5\r\n"));
  EXPECT_EXIT(Gates().CallRuntimeRoutine(7), testing::ExitedWithCode(255), Has("运行时例程"));
}

// A failed resolution unloads what it loaded, then reports.
void* LoadAll(const char*) { return reinterpret_cast<void*>(0x100); }
void UnloadSay(void*) { (void)!write(2, "[unload]", 8); }
void* FindNone(void*, const char*, uint16_t) { return nullptr; }
const DllLoader kNothingExported = {LoadAll, UnloadSay, FindNone};

void ResolveOne(const char* library, const char* name) {
  SetDllLoader(&kNothingExported);
  DllCommandDeclaration d = {library, name, 0};
  SetDllCommands(&d, 1);
  ResolveDllCommand(0);
}

TEST_F(FatalPaths, UnresolvableDllCommands) {
  EXPECT_EXIT(ResolveOne("SkinH_EL.dll", "SkinH_AttachRes"), testing::ExitedWithCode(255),
              Has("[unload]运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“SkinH_EL.dll”中的"
                  "输出命令“SkinH_AttachRes”\r\n"));
  EXPECT_EXIT(ResolveOne("", "GetWindowRect"), testing::ExitedWithCode(255),
              Has("[unload][unload][unload][unload][unload][unload]运行时出错!\r\n\r\n错误信息："
                  "无法找到指定DLL库文件中的输出命令“GetWindowRect”\r\n"));
  EXPECT_EXIT(Gates().CallDllCommand(5), testing::ExitedWithCode(255), Has("DLL命令序号 5"));
}

}  // namespace
}  // namespace talv
