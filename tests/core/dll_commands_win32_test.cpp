// DLL commands on the target: resolution through the real loader, ordinals
// of our probe library, the DLL-command directory before the program
// directory, the words of the call in their places, and (on i686) the stack
// check of the call.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "app/runtime_api.h"
#include "runtime/commands/dll_directory_commands.h"
#include "runtime/core/dll_commands.h"
#include "runtime/core/gates.h"
#include "runtime/core/program_directory.h"

namespace talv {
namespace {

std::string ExeDirectory() {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  std::string path = exe;
  return path.substr(0, path.find_last_of('\\'));
}

std::string ModulePath(void* module) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(static_cast<HMODULE>(module), path, sizeof path);
  return path;
}

// The real loader, with every load and unload written down.
std::vector<std::string> g_loads, g_unloads;
std::map<void*, std::string> g_names;
void* RecordLoad(const char* path) {
  void* module = PlatformDllLoader().load(path);
  g_loads.push_back(std::string(path) + (module ? "" : " (failed)"));
  if (module) g_names[module] = path;
  return module;
}
void RecordUnload(void* module) {
  g_unloads.push_back(g_names[module]);
  PlatformDllLoader().unload(module);
}
void* RealFind(void* module, const char* name, uint16_t ordinal) {
  return PlatformDllLoader().find(module, name, ordinal);
}
const DllLoader kRecording = {RecordLoad, RecordUnload, RealFind};

class DllCommandsOnTarget : public testing::Test {
 protected:
  void SetUp() override {
    g_loads.clear();
    g_unloads.clear();
    SetProgramDirectory(ExeDirectory().c_str());
    SetDllLoader(&kRecording);
  }
  void TearDown() override {
    UnloadDllCommandLibraries();
    SetDllCommands(nullptr, 0);
    SetDllLoader(nullptr);
    SetDllCommandDirectoryText("");
    SetProgramDirectory("");
  }
  void Declare(std::vector<DllCommandDeclaration> d) {
    SetDllCommands(d.data(), int32_t(d.size()));
  }
};

TEST_F(DllCommandsOnTarget, GetWindowRectResolvesThroughUser32AfterKernel32AndGdi32) {
  Declare({{"", "GetWindowRect", 8}});
  HWND desktop = GetDesktopWindow();
  RECT via_gate{}, direct{};
  uint32_t ok = rt::CallDll(0, static_cast<const void*>(desktop), &via_gate);
  EXPECT_EQ(g_loads, (std::vector<std::string>{"Kernel32.dll", "Gdi32.dll", "User32.dll"}));
  EXPECT_EQ(g_unloads, (std::vector<std::string>{"Kernel32.dll", "Gdi32.dll"}));
  EXPECT_EQ(DllCommandModule(0), GetModuleHandleA("user32.dll"));
  ASSERT_TRUE(GetWindowRect(desktop, &direct));
  EXPECT_EQ(ok, 1u);
  EXPECT_EQ(via_gate.right, direct.right);
  EXPECT_EQ(via_gate.bottom, direct.bottom);
  EXPECT_GT(via_gate.right, 0);

  // Resolved once: the second call loads nothing.
  rt::CallDll(0, static_cast<const void*>(desktop), &via_gate);
  EXPECT_EQ(g_loads.size(), 3u);
}

// Mpr.dll is not otherwise in the process: resolving a Shell32 name loads it
// on the way and must leave it unloaded again.
TEST_F(DllCommandsOnTarget, SystemLibrariesWithoutTheNameAreUnloadedAgain) {
  if (GetModuleHandleA("mpr.dll")) GTEST_SKIP() << "mpr.dll is already loaded";
  Declare({{"", "DragAcceptFiles", 8}});
  EXPECT_NE(ResolveDllCommand(0), nullptr);
  EXPECT_EQ(g_unloads, (std::vector<std::string>{"Kernel32.dll", "Gdi32.dll", "User32.dll",
                                                 "Advapi32.dll", "Mpr.dll"}));
  EXPECT_EQ(GetModuleHandleA("mpr.dll"), nullptr);
  EXPECT_EQ(DllCommandModule(0), GetModuleHandleA("shell32.dll"));
}

TEST_F(DllCommandsOnTarget, HashFiveResolvesOrdinalFiveOfOurLibrary) {
  Declare({{"talv_probe.dll", "#5", 8}, {"talv_probe.dll", "TalvAdd", 8}});
  EXPECT_EQ(rt::CallDll(0, 2u, 40u), 42u);
  EXPECT_EQ(ResolveDllCommand(0), ResolveDllCommand(1));
  EXPECT_EQ(ModulePath(DllCommandModule(0)), ExeDirectory() + "\\talv_probe.dll");
  EXPECT_EQ(g_loads.front(), ExeDirectory() + "\\talv_probe.dll");
}

TEST_F(DllCommandsOnTarget, TheDllCommandDirectoryComesBeforeTheProgramDirectory) {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  std::string folder = std::string(temp) + "talv_dll_dir_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string copy = folder + "\\talv_probe.dll";
  ASSERT_TRUE(CopyFileA((ExeDirectory() + "\\talv_probe.dll").c_str(), copy.c_str(), FALSE));

  Declare({{"talv_probe.dll", "TalvAdd", 8}});
  // The folder without a trailing backslash.
  rt::Text previous = rt::CallText(SetDllCommandDirectory, folder.c_str());
  EXPECT_EQ(rt::CallDll(0, 1u, 1u), 2u);
  EXPECT_EQ(g_loads, (std::vector<std::string>{copy}));
  EXPECT_EQ(ModulePath(DllCommandModule(0)), copy);

  UnloadDllCommandLibraries();
  rt::CallText(SetDllCommandDirectory, rt::Omit);
  g_loads.clear();
  EXPECT_EQ(rt::CallDll(0, 1u, 2u), 3u);
  EXPECT_EQ(ModulePath(DllCommandModule(0)), ExeDirectory() + "\\talv_probe.dll");

  UnloadDllCommandLibraries();
  DeleteFileA(copy.c_str());
  RemoveDirectoryA(folder.c_str());
}

// Twelve words reach their parameters: on x64 four in registers and eight
// in stack slots, on i686 all on the stack.
TEST_F(DllCommandsOnTarget, TwelveWordsReachTheirPlaces) {
  Declare({{"talv_probe.dll", "#8", 48}});
  const DllWord big = sizeof(DllWord) == 8 ? DllWord(uint64_t(0x123456789) << 8) : 0x7000000u;
  const uint64_t sum = Gates().CallDllCommand(0, DllWord(1), DllWord(2), DllWord(3), DllWord(4),
                                              DllWord(5), DllWord(6), DllWord(7), DllWord(8),
                                              DllWord(9), DllWord(10), DllWord(11), big);
  const DllWord expected = 1 + 4 + 9 + 16 + 25 + 36 + 49 + 64 + 81 + 100 + 121 + big;
  EXPECT_EQ(DllWord(sum), expected);
  // A negative 32-bit argument is sign-extended to the word (window handles).
  Declare({{"talv_probe.dll", "TalvAdd", 8}});
  EXPECT_EQ(int32_t(rt::CallDll(0, int32_t(-5), int32_t(3))), -2);
}

#if defined(__i386__)
// The thunk measures what the callee did to the stack and restores it, so
// a wrong declaration is caught rather than left to corrupt the caller.
int __cdecl CdeclSum(int a, int b) { return a + b; }

TEST(StdcallThunk, TellsWhatTheCalleePopped) {
  HMODULE probe = LoadLibraryA("talv_probe.dll");
  ASSERT_NE(probe, nullptr);
  void* add = reinterpret_cast<void*>(GetProcAddress(probe, "TalvAdd"));
  void* more = reinterpret_cast<void*>(GetProcAddress(probe, "TalvPopsMore"));
  void* less = reinterpret_cast<void*>(GetProcAddress(probe, "TalvPopsLess"));
  ASSERT_TRUE(add && more && less);
  const DllWord words[2] = {20, 22};
  int32_t delta = 99;
  EXPECT_EQ(platform::CallOutsideFunction(add, words, 2, &delta) & 0xFFFFFFFF, 42u);
  EXPECT_EQ(delta, 0);
  EXPECT_EQ(platform::CallOutsideFunction(more, words, 1, &delta) & 0xFFFFFFFF, 20u);
  EXPECT_EQ(delta, 4);
  EXPECT_EQ(platform::CallOutsideFunction(less, words, 2, &delta) & 0xFFFFFFFF, 42u);
  EXPECT_EQ(delta, -4);
  EXPECT_EQ(
      platform::CallOutsideFunction(reinterpret_cast<void*>(&CdeclSum), words, 2, &delta) & 0xFFFFFFFF,
      42u);
  EXPECT_EQ(delta, -8);
  FreeLibrary(probe);
}

#endif

TEST(OutsideCallThunk, PassesAllWordsAndReturnsTheWholeResult) {
  // GetTickCount64 returns 64 bits (EDX:EAX on i686, RAX on x64).
  void* tick64 =
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64"));
  ASSERT_NE(tick64, nullptr);
  int32_t delta = 1;
  uint64_t before = GetTickCount64();
  uint64_t t = platform::CallOutsideFunction(tick64, nullptr, 0, &delta);
  EXPECT_EQ(delta, 0);
  EXPECT_GE(t, before);
  // wsprintfA-like functions are cdecl; MulDiv takes three words, stdcall.
  void* muldiv =
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "MulDiv"));
  const DllWord three[3] = {7, 6, 3};
  EXPECT_EQ(platform::CallOutsideFunction(muldiv, three, 3, &delta) & 0xFFFFFFFF, 14u);
  EXPECT_EQ(delta, 0);
}

}  // namespace
}  // namespace talv
