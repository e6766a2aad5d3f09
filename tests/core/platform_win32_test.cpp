// The test platform itself: the ANSI code page must be GBK (936), or every
// caption and file name of the program would be wrong.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

TEST(Platform, AnsiCodePageIsGbk) { EXPECT_EQ(GetACP(), 936u); }

TEST(Platform, GbkFileNamesRoundTrip) {
  char dir[MAX_PATH];
  ASSERT_GT(GetTempPathA(sizeof dir, dir), 0u);
  std::string path = std::string(dir) + "五加三.txt";  // GBK bytes in the literal
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
  CloseHandle(h);
  WIN32_FIND_DATAA found;
  HANDLE f = FindFirstFileA(path.c_str(), &found);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  FindClose(f);
  EXPECT_STREQ(found.cFileName, "五加三.txt");
  DeleteFileA(path.c_str());
}

TEST(Platform, DoublesAreIeeeOnTheTarget) {
  volatile double a = 1e308, b = 10.0;
  volatile double big = a * b / b;  // x87 extended precision would give 1e308 back
  EXPECT_TRUE(big > 1.7e308);
}
