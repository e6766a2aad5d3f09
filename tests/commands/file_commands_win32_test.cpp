// File and settings commands on real files under a fresh temporary folder:
// sharing, creation and truncation, back-to-back writes, and the settings
// items' trimming and removal rules.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "runtime/commands/file_commands.h"
#include "tests/commands/command_testing.h"

namespace talv {
namespace {

using testing::Call;
using testing::CallText;
using testing::TakeBytes;

TypedValue T(const std::string& text) { return TextValue(text.c_str()); }
const TypedValue kNone = Omitted();

class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
    dir_ = std::string(temp) + "talv_files_" + std::to_string(GetCurrentProcessId()) + "_" +
           std::to_string(GetTickCount());
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr)) << GetLastError();
  }
  void TearDown() override {
    for (HANDLE h : open_) CloseHandle(h);
    WIN32_FIND_DATAA found;
    HANDLE f = FindFirstFileA((dir_ + "\\*").c_str(), &found);
    if (f != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileA((dir_ + "\\" + found.cFileName).c_str());
      } while (FindNextFileA(f, &found));
      FindClose(f);
    }
    RemoveDirectoryA(dir_.c_str());
  }

  std::string Path(const std::string& name) const { return dir_ + "\\" + name; }

  static void WriteRaw(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
    DWORD written = 0;
    if (!bytes.empty()) WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(h);
    ASSERT_EQ(written, bytes.size());
  }

  // The file's bytes, read with full sharing; "<missing>" when absent.
  static std::string ReadRaw(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(h);
    return bytes;
  }

  // Holds the file open elsewhere until the test ends.
  HANDLE HoldOpen(const std::string& path, DWORD access) {
    HANDLE h = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
    open_.push_back(h);
    return h;
  }

  std::string dir_;
  std::vector<HANDLE> open_;
};

// ---- ReadFileBytes ------------------------------------------------------

TEST_F(FileCommandsTest, ReadMissingEmptyAndUnnamedFilesGiveTheEmptyArray) {
  EXPECT_EQ(AsPointer(Call(ReadFileBytes, {T(Path("absent.bin"))})), nullptr);
  WriteRaw(Path("empty.bin"), "");
  EXPECT_EQ(AsPointer(Call(ReadFileBytes, {T(Path("empty.bin"))})), nullptr);
  EXPECT_EQ(AsPointer(Call(ReadFileBytes, {TextValue(nullptr)})), nullptr);
  EXPECT_EQ(AsPointer(Call(ReadFileBytes, {T(dir_)})), nullptr);  // a folder
}

TEST_F(FileCommandsTest, ReadGivesTheWholeFile) {
  std::string bytes(100000, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7 + i / 256);
  WriteRaw(Path("步骤.bin"), bytes);
  EXPECT_EQ(TakeBytes(Call(ReadFileBytes, {T(Path("步骤.bin"))})), bytes);
}

TEST_F(FileCommandsTest, ReadDeniesWritersButSharesWithReaders) {
  WriteRaw(Path("shared.txt"), "5+3=8");
  HANDLE reader = HoldOpen(Path("shared.txt"), GENERIC_READ);
  EXPECT_EQ(TakeBytes(Call(ReadFileBytes, {T(Path("shared.txt"))})), "5+3=8");
  CloseHandle(reader);
  open_.clear();
  HoldOpen(Path("shared.txt"), GENERIC_WRITE);
  EXPECT_EQ(AsPointer(Call(ReadFileBytes, {T(Path("shared.txt"))})), nullptr);
}

// ---- WriteFileBytes -----------------------------------------------------

TEST_F(FileCommandsTest, WriteWithTheEmptyNameFails) {
  uint8_t* block = NewByteArray("x", 1);
  EXPECT_FALSE(AsBool(Call(WriteFileBytes, {TextValue(nullptr), BytesValue(block)})));
  EXPECT_FALSE(AsBool(Call(WriteFileBytes, {TextValue(""), BytesValue(block)})));
  Free(block);
}

TEST_F(FileCommandsTest, WriteWithAnEmptyArrayCreatesOrTruncates) {
  EXPECT_TRUE(AsBool(Call(WriteFileBytes, {T(Path("new.txt")), BytesValue(nullptr)})));
  EXPECT_EQ(ReadRaw(Path("new.txt")), "");
  WriteRaw(Path("old.txt"), "old contents");
  EXPECT_TRUE(AsBool(Call(WriteFileBytes, {T(Path("old.txt")), BytesValue(nullptr)})));
  EXPECT_EQ(ReadRaw(Path("old.txt")), "");
  WriteRaw(Path("old.txt"), "old contents");
  EXPECT_TRUE(AsBool(Call(WriteFileBytes, {T(Path("old.txt"))})));  // no arrays at all
  EXPECT_EQ(ReadRaw(Path("old.txt")), "");
}

TEST_F(FileCommandsTest, WriteTwoArraysBackToBack) {
  uint8_t* first = NewByteArray("5+3=8\r\n", 7);
  uint8_t* second = NewByteArray("八\0x", 4);
  EXPECT_TRUE(AsBool(Call(WriteFileBytes, {T(Path("steps.txt")), BytesValue(first), kNone,
                                           BytesValue(second)})));
  EXPECT_EQ(ReadRaw(Path("steps.txt")), std::string("5+3=8\r\n八\0x", 11));
  // Shorter contents replace longer ones completely.
  EXPECT_TRUE(AsBool(Call(WriteFileBytes, {T(Path("steps.txt")), BytesValue(second)})));
  EXPECT_EQ(ReadRaw(Path("steps.txt")), std::string("八\0x", 4));
  Free(first);
  Free(second);
}

TEST_F(FileCommandsTest, WriteToAFileHeldOpenElsewhereFailsAndLeavesIt) {
  WriteRaw(Path("held.txt"), "kept");
  uint8_t* block = NewByteArray("new", 3);
  HoldOpen(Path("held.txt"), GENERIC_READ);
  EXPECT_FALSE(AsBool(Call(WriteFileBytes, {T(Path("held.txt")), BytesValue(block)})));
  EXPECT_EQ(ReadRaw(Path("held.txt")), "kept");
  HoldOpen(Path("held.txt"), GENERIC_WRITE);
  EXPECT_FALSE(AsBool(Call(WriteFileBytes, {T(Path("held.txt")), BytesValue(block)})));
  EXPECT_EQ(ReadRaw(Path("held.txt")), "kept");
  Free(block);
}

TEST_F(FileCommandsTest, WriteIntoAMissingFolderFails) {
  uint8_t* block = NewByteArray("x", 1);
  EXPECT_FALSE(AsBool(Call(WriteFileBytes, {T(Path("no\\such.txt")), BytesValue(block)})));
  Free(block);
}

TEST_F(FileCommandsTest, WrittenBytesReadBack) {
  std::string bytes(70000, 'q');
  bytes[0] = '\0';
  uint8_t* block = NewByteArray(bytes.data(), bytes.size());
  EXPECT_TRUE(AsBool(Call(WriteFileBytes, {T(Path("SkinH_EL.dll")), BytesValue(block)})));
  EXPECT_EQ(TakeBytes(Call(ReadFileBytes, {T(Path("SkinH_EL.dll"))})), bytes);
  Free(block);
}

// ---- Settings items -----------------------------------------------------

TEST_F(FileCommandsTest, SettingsItemsRoundTrip) {
  const std::string ini = Path("peizi.ini");
  EXPECT_TRUE(AsBool(Call(WriteSettingsItem, {T(ini), T("left"), T("left"), T("120")})));
  EXPECT_TRUE(AsBool(Call(WriteSettingsItem, {T(ini), T("计算"), T("步骤"), T("五加三")})));
  EXPECT_EQ(CallText(ReadSettingsItem, {T(ini), T("left"), T("left"), kNone}), "120");
  EXPECT_EQ(CallText(ReadSettingsItem, {T(ini), T("计算"), T("步骤"), kNone}), "五加三");
}

TEST_F(FileCommandsTest, SettingsMissingItemOrFileGivesTheDefault) {
  const std::string ini = Path("peizi.ini");
  Call(WriteSettingsItem, {T(ini), T("top"), T("top"), T("80")});
  EXPECT_EQ(CallText(ReadSettingsItem, {T(ini), T("top"), T("none"), T("7")}), "7");
  EXPECT_EQ(CallText(ReadSettingsItem, {T(ini), T("none"), T("top"), T("7")}), "7");
  EXPECT_EQ(CallText(ReadSettingsItem, {T(Path("absent.ini")), T("top"), T("top"), T("7")}),
            "7");
  EXPECT_EQ(AsText(Call(ReadSettingsItem, {T(ini), T("top"), T("none"), kNone})), nullptr);
}

TEST_F(FileCommandsTest, SettingsEmptyPartsGiveEmptyEvenWithADefault) {
  const std::string ini = Path("peizi.ini");
  Call(WriteSettingsItem, {T(ini), T("top"), T("top"), T("80")});
  EXPECT_EQ(AsText(Call(ReadSettingsItem, {T(ini), TextValue(nullptr), T("top"), T("7")})),
            nullptr);
  EXPECT_EQ(AsText(Call(ReadSettingsItem, {T(ini), T(" \t "), T("top"), T("7")})), nullptr);
  EXPECT_EQ(AsText(Call(ReadSettingsItem, {T(ini), T("top"), T("  "), T("7")})), nullptr);
  EXPECT_EQ(AsText(Call(ReadSettingsItem, {T("   "), T("top"), T("top"), T("7")})), nullptr);
}

TEST_F(FileCommandsTest, SettingsLeadingBlanksAreSkipped) {
  const std::string ini = Path("peizi.ini");
  Call(WriteSettingsItem, {T(ini), T("width"), T("width"), T("300")});
  EXPECT_EQ(CallText(ReadSettingsItem, {T("   " + ini), T("width"), T("width"), kNone}), "300");
  EXPECT_EQ(CallText(ReadSettingsItem, {T(ini), T(" \twidth"), T("\r\n width"), kNone}), "300");
}

TEST_F(FileCommandsTest, SettingsOmittedItemRemovesTheSection) {
  const std::string ini = Path("peizi.ini");
  Call(WriteSettingsItem, {T(ini), T("a"), T("x"), T("1")});
  Call(WriteSettingsItem, {T(ini), T("a"), T("y"), T("2")});
  Call(WriteSettingsItem, {T(ini), T("b"), T("z"), T("3")});
  EXPECT_TRUE(AsBool(Call(WriteSettingsItem, {T(ini), T("a"), kNone, kNone})));
  EXPECT_EQ(CallText(ReadSettingsItem, {T(ini), T("a"), T("x"), T("gone")}), "gone");
  EXPECT_EQ(CallText(ReadSettingsItem, {T(ini), T("a"), T("y"), T("gone")}), "gone");
  EXPECT_EQ(CallText(ReadSettingsItem, {T(ini), T("b"), T("z"), kNone}), "3");
  EXPECT_EQ(ReadRaw(ini).find("[a]"), std::string::npos) << ReadRaw(ini);
}

// Only an omitted item removes the section; an item that is the empty text
// is passed on as "", never as the null that would remove it.
TEST_F(FileCommandsTest, SettingsEmptyItemTextKeepsTheSection) {
  const std::string ini = Path("peizi.ini");
  Call(WriteSettingsItem, {T(ini), T("a"), T("x"), T("1")});
  Call(WriteSettingsItem, {T(ini), T("a"), TextValue(nullptr), T("v")});
  EXPECT_EQ(CallText(ReadSettingsItem, {T(ini), T("a"), T("x"), kNone}), "1");
}

TEST_F(FileCommandsTest, SettingsWriteWithTheEmptyFileNameFails) {
  EXPECT_FALSE(AsBool(Call(WriteSettingsItem, {TextValue(nullptr), T("a"), T("x"), T("1")})));
}

TEST_F(FileCommandsTest, SettingsOmittedValueRemovesTheItem) {
  const std::string ini = Path("peizi.ini");
  Call(WriteSettingsItem, {T(ini), T("a"), T("x"), T("1")});
  Call(WriteSettingsItem, {T(ini), T("a"), T("y"), T("2")});
  EXPECT_TRUE(AsBool(Call(WriteSettingsItem, {T(ini), T("a"), T("x"), kNone})));
  EXPECT_EQ(CallText(ReadSettingsItem, {T(ini), T("a"), T("x"), T("gone")}), "gone");
  EXPECT_EQ(CallText(ReadSettingsItem, {T(ini), T("a"), T("y"), kNone}), "2");
}

TEST_F(FileCommandsTest, SettingsEmptyValueIsWrittenAsAnEmptyItem) {
  const std::string ini = Path("peizi.ini");
  EXPECT_TRUE(AsBool(Call(WriteSettingsItem, {T(ini), T("a"), T("x"), TextValue(nullptr)})));
  // The item exists, so its (empty) value comes back rather than the default.
  EXPECT_EQ(AsText(Call(ReadSettingsItem, {T(ini), T("a"), T("x"), T("default")})), nullptr);
  EXPECT_NE(ReadRaw(ini).find("x="), std::string::npos) << ReadRaw(ini);
}

TEST_F(FileCommandsTest, SettingsLongValuesAreCutToTheBuffer) {
  const std::string ini = Path("peizi.ini");
  const std::string value(kSettingsValueBuffer + 500, '9');
  ASSERT_TRUE(WritePrivateProfileStringA("a", "x", value.c_str(), ini.c_str()));
  EXPECT_EQ(CallText(ReadSettingsItem, {T(ini), T("a"), T("x"), kNone}),
            value.substr(0, kSettingsValueBuffer - 1));
}

}  // namespace
}  // namespace talv
