// The probe program as a process of its own: the event order at load, the
// end through the last window with the exit routines in registration order,
// and ExitProgram from another thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace talv {
namespace {

std::string Beside(const char* name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p = path;
  return p.substr(0, p.find_last_of('\\') + 1) + name;
}

std::vector<std::string> ReadLog(const std::string& path) {
  std::vector<std::string> lines;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return lines;
  char buf[256];
  while (std::fgets(buf, sizeof buf, f)) {
    std::string s = buf;
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    lines.push_back(s);
  }
  std::fclose(f);
  return lines;
}

struct Probe {
  PROCESS_INFORMATION pi{};
  std::string log;
  bool Start(const char* mode) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    log = std::string(dir) + "talv_probe_" + mode + ".log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA("TALV_PROBE_LOG", log.c_str());
    std::string command = "\"" + Beside("talv_window_probe.exe") + "\" " + mode;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    return CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi) != FALSE;
  }
  DWORD Wait() {
    if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) {
      TerminateProcess(pi.hProcess, 99);
      return 99;
    }
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return code;
  }
};

// The probe's window once shown; null after 15 s, or at once when a
// runtime error report appeared instead (it is dismissed, so the probe ends).
HWND WaitForProbeWindow() {
  for (int i = 0; i < 300; ++i) {
    HWND w = FindWindowA(nullptr, "TalvProbe");
    if (w && IsWindowVisible(w)) return w;
    if (HWND report = FindWindowA(nullptr, "错误")) {
      PostMessageA(report, WM_COMMAND, IDOK, 0);
      return nullptr;
    }
    Sleep(50);
  }
  return nullptr;
}

// Closes the probe's window as its close box would, waits for the end and
// reads the log: the exit code.
DWORD CloseAndCollect(Probe& p, HWND window, std::vector<std::string>* log) {
  PostMessageA(window, WM_CLOSE, 0, 0);
  const DWORD code = p.Wait();
  *log = ReadLog(p.log);
  return code;
}

int Count(const std::vector<std::string>& log, const std::string& line) {
  int n = 0;
  for (const std::string& l : log) n += l == line ? 1 : 0;
  return n;
}

TEST(ProbeProcess, LoadOrderThenTheLastWindowEndsWithExitRoutinesInOrder) {
  Probe p;
  ASSERT_TRUE(p.Start("events"));
  HWND w = WaitForProbeWindow();
  ASSERT_NE(w, nullptr);
  std::vector<std::string> log;
  EXPECT_EQ(CloseAndCollect(p, w, &log), 0u);
  ASSERT_GE(log.size(), 9u);
  // The first handler is the created event's; nothing ran while the
  // controls were made (the edit box's content was set then).
  EXPECT_EQ(log[0], "created");
  EXPECT_EQ(log[1], "moved");
  EXPECT_EQ(log[2], "sized");
  const std::vector<std::string> tail(log.end() - 5, log.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"close-query", "destroyed", "loop-ended", "exit-first",
                                            "exit-second"}));
  for (const std::string& line : log) EXPECT_NE(line, "changed");
}

TEST(ProbeProcess, ExitProgramFromAnotherThreadShutsDownOnTheInterfaceThread) {
  Probe p;
  ASSERT_TRUE(p.Start("thread-exit"));
  EXPECT_EQ(p.Wait(), 7u);
  std::vector<std::string> log = ReadLog(p.log);
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[log.size() - 2], "exit-first");
  EXPECT_EQ(log.back(), "exit-second");
}

TEST(ProbeProcess, ACloseQueryThatDestroysItsWindowEndsTheProgramCleanly) {
  Probe p;
  ASSERT_TRUE(p.Start("close-destroys"));
  HWND w = WaitForProbeWindow();
  ASSERT_NE(w, nullptr);
  // The window object was released inside the query; nothing of it is
  // used afterwards (its memory is overwritten at once in this probe).
  std::vector<std::string> log;
  EXPECT_EQ(CloseAndCollect(p, w, &log), 0u);
  EXPECT_EQ(Count(log, "crashed"), 0);
  EXPECT_EQ(Count(log, "close-query"), 1);
  EXPECT_EQ(Count(log, "destroyed"), 1);
  const std::vector<std::string> tail(log.end() - std::min<size_t>(log.size(), 5), log.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"destroyed", "destroyed-by-query", "loop-ended",
                                            "exit-first", "exit-second"}));
}

TEST(ProbeProcess, LoadingTheWindowFromItsOwnLoadEventsSucceeds) {
  Probe p;
  ASSERT_TRUE(p.Start("load-again"));
  HWND w = WaitForProbeWindow();
  ASSERT_NE(w, nullptr) << "the second load failed (runtime error report)";
  // One window, built once.
  EXPECT_EQ(FindWindowExA(nullptr, w, nullptr, "TalvProbe"), nullptr);
  std::vector<std::string> log;
  EXPECT_EQ(CloseAndCollect(p, w, &log), 0u);
  ASSERT_GE(log.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 6),
            (std::vector<std::string>{"created", "loaded-again", "moved", "loaded-again", "sized",
                                      "loaded-again"}));
  EXPECT_EQ(Count(log, "loaded"), 1);
  EXPECT_EQ(Count(log, "created"), 1);
  EXPECT_EQ(Count(log, "destroyed"), 1);
}

}  // namespace
}  // namespace talv
