// GetSpecialFolder as the application calls it: through the command call,
// with the folder code as a typed argument and a fresh text as the result.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "runtime/commands/system_folder_commands.h"
#include "runtime/core/blocks.h"
#include "runtime/core/command_call.h"
#include "runtime/core/heap.h"

using namespace talv;

namespace {

// Calls GetSpecialFolder with one argument; returns the text and frees it.
// `isNull` tells an absent text apart from an empty string.
std::string Folder(TypedValue arg, bool* isNull = nullptr) {
  TypedValue args[1] = {arg};
  TypedValue r = InvokeCommand(GetSpecialFolder, 1, args);
  char* text = static_cast<char*>(AsPointer(r));
  if (isNull) *isNull = text == nullptr;
  std::string s = text ? text : "";
  Free(text);
  return s;
}

std::string WithSeparator(std::string s) {
  if (!s.empty() && s.back() != '\\') s += '\\';
  return s;
}

bool IsDirectory(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TEST(SpecialFolderCodes, TemporaryFilesEndInBackslashAndMatchTheSystem) {
  char tmp[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, tmp), 0u);
  std::string s = Folder(IntValue(SpecialFolder::Temporary));
  ASSERT_FALSE(s.empty());
  EXPECT_EQ(s.back(), '\\');
  EXPECT_EQ(s, WithSeparator(tmp));
  EXPECT_TRUE(IsDirectory(s));
}

TEST(SpecialFolderCodes, TemporaryFilesFollowATmpVariableWithoutSeparator) {
  char windows[MAX_PATH];
  ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
  char saved[MAX_PATH] = "";
  DWORD hadTmp = GetEnvironmentVariableA("TMP", saved, MAX_PATH);
  std::string bare = std::string(windows);  // "C:\windows", no trailing backslash
  ASSERT_NE(bare.back(), '\\');
  ASSERT_TRUE(SetEnvironmentVariableA("TMP", bare.c_str()));
  std::string s = Folder(IntValue(SpecialFolder::Temporary));
  SetEnvironmentVariableA("TMP", hadTmp ? saved : nullptr);
  EXPECT_EQ(s, bare + "\\");
}

TEST(SpecialFolderCodes, WindowsAndSystemDirectoriesGetTheirSeparator) {
  char windows[MAX_PATH], system[MAX_PATH];
  ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
  ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
  EXPECT_EQ(Folder(IntValue(SpecialFolder::Windows)), WithSeparator(windows));
  EXPECT_EQ(Folder(IntValue(SpecialFolder::System)), WithSeparator(system));
}

TEST(SpecialFolderCodes, ShellFoldersAreDirectoriesEndingInBackslash) {
  // Codes 1-8: whatever the prefix provides must be an existing directory
  // with its separator; documents, desktop, fonts and application data
  // exist in every prefix.
  for (int code = 1; code <= 8; ++code) {
    bool absent = false;
    std::string s = Folder(IntValue(code), &absent);
    if (absent) continue;
    EXPECT_EQ(s.back(), '\\') << code;
    EXPECT_TRUE(IsDirectory(s)) << code << " " << s;
  }
  for (int code : {SpecialFolder::Documents, SpecialFolder::Desktop, SpecialFolder::Fonts,
                   SpecialFolder::AppData}) {
    EXPECT_FALSE(Folder(IntValue(code)).empty()) << code;
  }
}

TEST(SpecialFolderCodes, UnknownCodesGiveTheAbsentTextWithoutAllocating) {
  HeapCounters before = GetHeapCounters();
  for (int code : {12, 0, -1, 100, INT32_MIN}) {
    bool absent = false;
    Folder(IntValue(code), &absent);
    EXPECT_TRUE(absent) << code;
  }
  EXPECT_EQ(GetHeapCounters().allocations, before.allocations);
}

TEST(SpecialFolderCodes, ArgumentsThatAreNoNumberGiveTheAbsentText) {
  bool absent = false;
  Folder(Omitted(), &absent);
  EXPECT_TRUE(absent);
  Folder(TextValue("11"), &absent);
  EXPECT_TRUE(absent);
  Folder(DoubleValue(1e300), &absent);
  EXPECT_TRUE(absent);
  TypedValue none[1] = {IntValue(11)};
  EXPECT_EQ(AsPointer(InvokeCommand(GetSpecialFolder, 0, none)), nullptr);
}

TEST(SpecialFolderCodes, OtherNumericTypesAreConverted) {
  std::string tmp = Folder(IntValue(11));
  EXPECT_EQ(Folder(DoubleValue(11.7)), tmp);  // truncated toward zero
  EXPECT_EQ(Folder(LongValue(11)), tmp);
  TypedValue shortCode{11, 0, TypeCode::Short};
  EXPECT_EQ(Folder(shortCode), tmp);
}

TEST(FolderText, AppendsTheSeparatorOnlyWhenMissing) {
  char* a = NewFolderText("C:\\temp", 7);
  char* b = NewFolderText("C:\\temp\\", 8);
  EXPECT_STREQ(a, "C:\\temp\\");
  EXPECT_STREQ(b, "C:\\temp\\");
  Free(a);
  Free(b);
  EXPECT_EQ(NewFolderText("", 0), nullptr);
  EXPECT_EQ(NewFolderText(nullptr, 0), nullptr);
}

TEST(FolderText, APathOf259BytesGetsItsSeparatorWithinItsBlock) {
  // The longest path a 260-byte buffer holds: the separator makes it 260
  // bytes plus the terminator.
  std::string path = "C:\\" + std::string(256, 'a');
  ASSERT_EQ(path.size(), 259u);
  char* text = NewFolderText(path.c_str(), path.size());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(strlen(text), 260u);
  EXPECT_EQ(text[259], '\\');
  EXPECT_EQ(std::string(text, 259), path);
  Free(text);
}

TEST(FolderText, AGbkTrailByteOf0x5CIsNoSeparator) {
  // 0x81 0x5C is one double-byte character in code page 936.
  const char path[] = "C:\\\x81\x5C";
  char* text = NewFolderText(path, sizeof path - 1);
  EXPECT_STREQ(text, "C:\\\x81\x5C\\");
  Free(text);
  const char withSeparator[] = "C:\\\x81\x5C\\";
  text = NewFolderText(withSeparator, sizeof withSeparator - 1);
  EXPECT_STREQ(text, withSeparator);
  Free(text);
}
