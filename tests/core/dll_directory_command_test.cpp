// SetDllCommandDirectory: previous value back, trailing backslash, clearing.
#include <gtest/gtest.h>

#include "runtime/commands/dll_directory_commands.h"
#include "runtime/core/command_call.h"
#include "runtime/core/dll_commands.h"
#include "runtime/core/heap.h"

namespace talv {
namespace {

// Calls the command and returns its result text as a string ("<null>" for null).
std::string Set(TypedValue arg) {
  TypedValue result = InvokeCommand(SetDllCommandDirectory, 1, &arg);
  EXPECT_EQ(result.type, TypeCode::Text);
  const char* text = AsText(result);
  std::string s = text ? text : "<null>";
  if (text) {
    EXPECT_NE(*text, '\0') << "no allocated empty text";
  }
  Free(const_cast<char*>(text));
  return s;
}

class DllDirectoryCommand : public testing::Test {
 protected:
  void SetUp() override { SetDllCommandDirectoryText(""); }
  void TearDown() override { SetDllCommandDirectoryText(""); }
};

TEST_F(DllDirectoryCommand, AppendsABackslashAndReturnsThePreviousValue) {
  EXPECT_EQ(Set(TextValue("C:\\temp")), "<null>");
  EXPECT_EQ(DllCommandDirectory(), "C:\\temp\\");
  EXPECT_EQ(Set(TextValue("D:\\skin\\")), "C:\\temp\\");
  EXPECT_EQ(DllCommandDirectory(), "D:\\skin\\");
}

TEST_F(DllDirectoryCommand, AbsentOrEmptyArgumentClears) {
  Set(TextValue("C:\\a"));
  EXPECT_EQ(Set(Omitted()), "C:\\a\\");
  EXPECT_EQ(DllCommandDirectory(), "");
  Set(TextValue("C:\\a"));
  EXPECT_EQ(Set(TextValue(nullptr)), "C:\\a\\");
  EXPECT_EQ(DllCommandDirectory(), "");
  Set(TextValue("C:\\a"));
  TypedValue result = InvokeCommand(SetDllCommandDirectory, 0, nullptr);
  Free(AsPointer(result));
  EXPECT_EQ(DllCommandDirectory(), "");
}

// 0x81 0x5C is one double-byte character whose second byte happens to be the
// backslash byte: the text does not end with a backslash.
TEST_F(DllDirectoryCommand, ADoubleByteCharacterEndingIn5CIsNotABackslash) {
  Set(TextValue("C:\\\x81\x5C"));
  EXPECT_EQ(DllCommandDirectory(), "C:\\\x81\x5C\\");
  Set(TextValue("C:\\\x81\x5C\\"));
  EXPECT_EQ(DllCommandDirectory(), "C:\\\x81\x5C\\");
  Set(TextValue("C:\\目录"));
  EXPECT_EQ(DllCommandDirectory(), "C:\\目录\\");
}

}  // namespace
}  // namespace talv
