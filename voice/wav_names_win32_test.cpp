// The recordings beside the test program (bin/wav) are opened the way the
// calculator opens them: with the GBK bytes of their names through the ANSI
// file functions. Under Wine with the Chinese locale this proves that the
// UTF-8 names the generator writes on the Linux side are the names the
// program asks for.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

// Every file the program plays, as its narrow (GBK) literals spell them.
const char* const kRecordings[] = {
    "加", "减", "乘", "除以", "等于", "点", "清除",
    "零", "一", "二", "三", "四", "五", "伍", "六", "七", "八", "九",
    "十", "百", "千", "万", "元", "角", "分",
    "一y", "二y", "三y", "四y", "五y", "六y", "七y", "八y", "九y", "十y",
    "ys", "ss", "zh",
    "负", "溢出", "错误",
};

std::string WavDirectory() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path, n);
  return dir.substr(0, dir.find_last_of('\\')) + "\\wav\\";
}

// The first bytes of the file, or an empty string when it cannot be opened.
std::string ReadHead(const std::string& path, DWORD count) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::string();
  std::string head(count, '\0');
  DWORD got = 0;
  ReadFile(h, &head[0], count, &got, nullptr);
  CloseHandle(h);
  head.resize(got);
  return head;
}

TEST(WavNames, NamesAreGbkBytes) {
  // The literals are GBK, so a failure here means the build lost the
  // execution character set and every other check would be meaningless.
  EXPECT_EQ(std::string("\xb5\xc8\xd3\xda"), kRecordings[4]);  // 等于
  EXPECT_EQ(std::string("\xce\xe5"), kRecordings[12]);          // 五
}

TEST(WavNames, EveryRecordingOpensByItsGbkName) {
  const std::string dir = WavDirectory();
  for (const char* name : kRecordings) {
    std::string head = ReadHead(dir + name, 44);
    ASSERT_EQ(44u, head.size()) << "cannot read " << dir << name << " (error "
                                << GetLastError() << ")";
    EXPECT_EQ("RIFF", head.substr(0, 4)) << name;
    EXPECT_EQ("WAVE", head.substr(8, 4)) << name;
  }
}

TEST(WavNames, FolderListsExactlyTheRecordings) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((WavDirectory() + "*").c_str(), &found);
  ASSERT_NE(INVALID_HANDLE_VALUE, h);
  std::set<std::string> listed;
  do {
    std::string name = found.cFileName;
    if (name != "." && name != "..") listed.insert(name);
  } while (FindNextFileA(h, &found));
  FindClose(h);
  std::set<std::string> expected(std::begin(kRecordings), std::end(kRecordings));
  EXPECT_EQ(expected, listed);
}

}  // namespace
