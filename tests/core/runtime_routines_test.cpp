// The runtime routine table: array privatisation, the file search, the
// initialisation hook and property access through references.
#include "runtime/core/runtime_routines.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "runtime/core/gates.h"
#include "runtime/core/heap.h"
#include "runtime/core/property_host.h"

namespace talv {
namespace {

// An array block of two dimensions (2 x 3 shorts) among the constants.
struct ConstantArray {
  uint32_t dimensions, first, second;
  int16_t elements[6];
};
TALV_CONSTANT const ConstantArray kArray = {2, 2, 3, {1, 2, 3, 4, 5, 6}};

TEST(RuntimeRoutines, MakeArrayPrivateCopiesAConstantArrayBlock) {
  void* variable = const_cast<ConstantArray*>(&kArray);
  Gates().CallRuntimeRoutine(2, int32_t(2), &variable);
  ASSERT_NE(variable, &kArray);
  EXPECT_FALSE(IsInConstantSegment(variable));
  EXPECT_EQ(std::memcmp(variable, &kArray, 4 + 8 + 12), 0);
  static_cast<ConstantArray*>(variable)->elements[0] = 99;
  EXPECT_EQ(kArray.elements[0], 1);

  // A variable that already owns its block is left alone.
  void* owned = variable;
  Gates().CallRuntimeRoutine(2, int32_t(2), &variable);
  EXPECT_EQ(variable, owned);
  Free(variable);

  void* none = nullptr;
  MakeArrayPrivate(4, &none);
  EXPECT_EQ(none, nullptr);
}

// A header that claims more elements than the constants hold is copied only
// as far as the constant segment reaches.
TALV_CONSTANT const uint32_t kDamagedArray[3] = {1, 0x7FFFFFFF, 0};
TEST(RuntimeRoutines, MakeArrayPrivateNeverReadsPastTheConstants) {
  void* variable = const_cast<uint32_t*>(kDamagedArray);
  MakeArrayPrivate(8, &variable);
  ASSERT_NE(variable, kDamagedArray);
  EXPECT_EQ(static_cast<uint32_t*>(variable)[1], 0x7FFFFFFFu);
  Free(variable);
}

int g_initialised = 0;
void CountInitialisation() { ++g_initialised; }

TEST(RuntimeRoutines, InitialiseCallsTheStartUpHook) {
  Gates().CallRuntimeRoutine(6);  // without a hook: nothing happens
  SetInitialiseRuntimeHook(CountInitialisation);
  Gates().CallRuntimeRoutine(6);
  SetInitialiseRuntimeHook(nullptr);
  EXPECT_EQ(g_initialised, 1);
}

class FileSearch : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("talv_search_" + std::to_string(reinterpret_cast<uintptr_t>(this) & 0xFFFFFF));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / "sub");
    for (const char* name : {"a.txt", "b.txt", "c.dat"}) std::ofstream(dir_ / name) << "x";
  }
  void TearDown() override {
    CloseFileSearch();
    std::filesystem::remove_all(dir_);
  }
  std::set<std::string> All(const std::string& pattern, uint32_t mask) {
    std::set<std::string> names;
    std::string full = dir_.string() + "/" + pattern;
    char* name = reinterpret_cast<char*>(Gates().CallRuntimeRoutine(0, full.c_str(), mask));
    while (name) {
      names.insert(name);
      Free(name);
      name = reinterpret_cast<char*>(Gates().CallRuntimeRoutine(0, nullptr, mask));
    }
    return names;
  }
  std::filesystem::path dir_;
};

TEST_F(FileSearch, ListsMatchingFilesAndDirectoriesOnlyWhenAsked) {
  EXPECT_EQ(All("*.txt", 0), (std::set<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(All("*", 0), (std::set<std::string>{"a.txt", "b.txt", "c.dat"}));
  EXPECT_EQ(All("*", FileAttribute::Directory),
            (std::set<std::string>{"a.txt", "b.txt", "c.dat", "sub"}));
  EXPECT_TRUE(All("*.none", 0).empty());
}

TEST_F(FileSearch, ClosingEndsTheSearch) {
  std::string full = dir_.string() + "/*.txt";
  char* first = FileSearchStep(full.c_str(), 0);
  ASSERT_NE(first, nullptr);
  Free(first);
  Gates().CallRuntimeRoutine(1);
  EXPECT_EQ(FileSearchStep(nullptr, 0), nullptr);
}

class ReferenceHost : public PropertyHost {
 public:
  int32_t read_control = 0;
  bool IsWindowLoaded(int32_t) override { return true; }
  bool HasLiveWindow(int32_t) override { return true; }
  uint64_t ReadProperty(int32_t, int32_t c, int32_t, int32_t) override {
    read_control = c;
    return 5;
  }
  void WriteProperty(int32_t, int32_t, int32_t, int32_t, uint64_t) override {}
  void* LiveObject(int32_t, int32_t) override { return nullptr; }
};

TEST(RuntimeRoutines, PropertyReadThroughAReference) {
  ReferenceHost host;
  SetPropertyHost(&host);
  TypedValue button{0x52010002, 0x1601001A, TypeCode::KindButton};
  EXPECT_EQ(Gates().CallRuntimeRoutine(4, &button, int32_t(4), int32_t(-1)), 5u);
  EXPECT_EQ(host.read_control, 0x1601001A);
  SetPropertyHost(nullptr);
}

}  // namespace
}  // namespace talv
