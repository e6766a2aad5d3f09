// Resolution of DLL commands over a scripted loader: the order of places and
// system libraries, ordinals, caching, and what a resolution leaves loaded.
#include "runtime/core/dll_commands.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "runtime/core/program_directory.h"

namespace talv {
namespace {

// Libraries that "exist", with the exports each provides ("#n" for ordinals).
std::map<std::string, std::vector<std::string>> g_libraries;
std::vector<std::string> g_loads, g_unloads;
std::map<std::string, int> g_handles;  // path -> handle number
std::vector<std::string> g_by_handle{""};

void* Load(const char* path) {
  g_loads.push_back(path);
  if (!g_libraries.count(path)) return nullptr;
  int& h = g_handles[path];
  if (!h) {
    h = int(g_by_handle.size());
    g_by_handle.push_back(path);
  }
  return reinterpret_cast<void*>(intptr_t(h) * 16);
}
void Unload(void* module) {
  g_unloads.push_back(g_by_handle[size_t(reinterpret_cast<intptr_t>(module) / 16)]);
}
void* Find(void* module, const char* name, uint16_t ordinal) {
  const std::string& path = g_by_handle[size_t(reinterpret_cast<intptr_t>(module) / 16)];
  std::string key = name ? name : "#" + std::to_string(ordinal);
  const auto& exports = g_libraries[path];
  for (size_t i = 0; i < exports.size(); ++i)
    if (exports[i] == key)
      return reinterpret_cast<void*>(reinterpret_cast<intptr_t>(module) + 1 + intptr_t(i));
  return nullptr;
}
const DllLoader kScripted = {Load, Unload, Find};

class DllResolution : public testing::Test {
 protected:
  void SetUp() override {
    g_libraries = {{"Kernel32.dll", {"GetTickCount"}},
                   {"Gdi32.dll", {"TextOutA"}},
                   {"User32.dll", {"GetWindowRect", "MoveWindow", "EnumChildWindows"}},
                   {"Advapi32.dll", {}},
                   {"Mpr.dll", {}},
                   {"Shell32.dll", {"ShellExecuteA"}}};
    g_loads.clear();
    g_unloads.clear();
    SetDllLoader(&kScripted);
    SetProgramDirectory("C:\\prog");
    SetDllCommandDirectoryText("");
  }
  void TearDown() override {
    SetDllCommands(nullptr, 0);
    SetDllLoader(nullptr);
    SetProgramDirectory("");
    SetDllCommandDirectoryText("");
  }
  void Declare(std::vector<DllCommandDeclaration> d) {
    SetDllCommands(d.data(), int32_t(d.size()));
  }
};

TEST_F(DllResolution, UnnamedLibraryTriesTheSystemLibrariesInOrder) {
  Declare({{"", "GetWindowRect", 8},
           {"", "MoveWindow", 24},
           {"SkinH_EL.dll", "SkinH_AttachRes", 24},
           {"", "EnumChildWindows", 12}});
  void* address = ResolveDllCommand(0);
  EXPECT_NE(address, nullptr);
  EXPECT_EQ(g_loads, (std::vector<std::string>{"Kernel32.dll", "Gdi32.dll", "User32.dll"}));
  EXPECT_EQ(g_unloads, (std::vector<std::string>{"Kernel32.dll", "Gdi32.dll"}));
  EXPECT_EQ(DllCommandModule(0), Load("User32.dll"));
  EXPECT_EQ(DllCommandArgumentWords(1), 6);
  EXPECT_EQ(DllCommandModule(1), nullptr);  // not resolved yet
}

TEST_F(DllResolution, AResolvedCommandCostsNoFurtherLoading) {
  Declare({{"", "ShellExecuteA", 24}});
  void* first = ResolveDllCommand(0);
  EXPECT_EQ(g_loads.size(), 6u);
  EXPECT_EQ(g_unloads.size(), 5u);
  EXPECT_EQ(ResolveDllCommand(0), first);
  EXPECT_EQ(g_loads.size(), 6u);
}

TEST_F(DllResolution, HashAndDigitsNameAnOrdinalByItsLow16Bits) {
  g_libraries["C:\\prog\\probe.dll"] = {"#5", "#4464"};
  Declare({{"probe.dll", "#5", 0}, {"probe.dll", "#70000", 0}});
  EXPECT_NE(ResolveDllCommand(0), nullptr);
  EXPECT_NE(ResolveDllCommand(1), nullptr);  // 70000 & 0xFFFF == 4464
}

TEST_F(DllResolution, NamedLibraryPlacesInOrder) {
  Declare({{"probe.dll", "F", 0}});
  g_libraries["probe.dll"] = {"F"};
  SetDllCommandDirectoryText("D:\\skin\\");
  ResolveDllCommand(0);
  EXPECT_EQ(g_loads,
            (std::vector<std::string>{"D:\\skin\\probe.dll", "C:\\prog\\probe.dll", "probe.dll"}));
}

TEST_F(DllResolution, TheDllCommandDirectoryComesBeforeTheProgramDirectory) {
  g_libraries["D:\\skin\\probe.dll"] = {"F"};
  g_libraries["C:\\prog\\probe.dll"] = {"F"};
  Declare({{"probe.dll", "F", 0}});
  SetDllCommandDirectoryText("D:\\skin\\");
  ResolveDllCommand(0);
  EXPECT_EQ(g_loads, (std::vector<std::string>{"D:\\skin\\probe.dll"}));
  UnloadDllCommandLibraries();

  g_loads.clear();
  SetDllCommandDirectoryText("");
  ResolveDllCommand(0);
  EXPECT_EQ(g_loads, (std::vector<std::string>{"C:\\prog\\probe.dll"}));
}

TEST_F(DllResolution, ANameWithAColonIsLoadedByThatNameAlone) {
  g_libraries["E:\\lib\\x.dll"] = {"F"};
  Declare({{"E:\\lib\\x.dll", "F", 0}});
  SetDllCommandDirectoryText("D:\\skin\\");
  ResolveDllCommand(0);
  EXPECT_EQ(g_loads, (std::vector<std::string>{"E:\\lib\\x.dll"}));
}

TEST_F(DllResolution, ShutdownUnloadsEachResolvedLibraryOnce) {
  Declare({{"", "GetWindowRect", 8}, {"", "MoveWindow", 24}, {"", "GetTickCount", 0}});
  ResolveDllCommand(0);
  ResolveDllCommand(1);
  g_unloads.clear();
  UnloadDllCommandLibraries();
  EXPECT_EQ(g_unloads, (std::vector<std::string>{"User32.dll", "User32.dll"}));
  EXPECT_EQ(DllCommandModule(0), nullptr);
}

}  // namespace
}  // namespace talv
