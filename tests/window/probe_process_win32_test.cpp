// The probe program as a process of its own: the event order at load, the
// end through the last window with the exit routines in registration order,
// and ExitProgram from another thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/window/event_sequence.h"

namespace talv {
namespace {

using test::EndsWithSequence;
using test::EventSequence;
using test::StartsWithSequence;

std::string Beside(const char* name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p = path;
  return p.substr(0, p.find_last_of('\\') + 1) + name;
}

// The probe's log: one event per line.
EventSequence ReadLog(const std::string& path) {
  std::vector<std::string> lines;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return EventSequence();
  char buf[256];
  while (std::fgets(buf, sizeof buf, f)) {
    std::string s = buf;
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    lines.push_back(s);
  }
  std::fclose(f);
  return EventSequence(lines);
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
DWORD CloseAndCollect(Probe& p, HWND window, EventSequence* log) {
  PostMessageA(window, WM_CLOSE, 0, 0);
  const DWORD code = p.Wait();
  *log = ReadLog(p.log);
  return code;
}

TEST(ProbeProcess, LoadOrderThenTheLastWindowEndsWithExitRoutinesInOrder) {
  Probe p;
  ASSERT_TRUE(p.Start("events"));
  HWND w = WaitForProbeWindow();
  ASSERT_NE(w, nullptr);
  EventSequence log;
  EXPECT_EQ(CloseAndCollect(p, w, &log), 0u);
  ASSERT_GE(log.size(), 9u);
  // The first handler is the created event's; nothing ran while the
  // controls were made (the edit box's content was set then).
  EXPECT_TRUE(StartsWithSequence(log, {"created", "moved", "sized"}));
  EXPECT_TRUE(EndsWithSequence(log, {"close-query", "destroyed", "loop-ended", "exit-first",
                                     "exit-second"}));
  EXPECT_EQ(log.Count("changed"), 0);
}

TEST(ProbeProcess, ExitProgramFromAnotherThreadShutsDownOnTheInterfaceThread) {
  Probe p;
  ASSERT_TRUE(p.Start("thread-exit"));
  EXPECT_EQ(p.Wait(), 7u);
  EventSequence log = ReadLog(p.log);
  ASSERT_GE(log.size(), 3u);
  EXPECT_TRUE(EndsWithSequence(log, {"exit-first", "exit-second"}));
}

TEST(ProbeProcess, ACloseQueryThatDestroysItsWindowEndsTheProgramCleanly) {
  Probe p;
  ASSERT_TRUE(p.Start("close-destroys"));
  HWND w = WaitForProbeWindow();
  ASSERT_NE(w, nullptr);
  // The window object was released inside the query; nothing of it is
  // used afterwards (its memory is overwritten at once in this probe).
  EventSequence log;
  EXPECT_EQ(CloseAndCollect(p, w, &log), 0u);
  EXPECT_EQ(log.Count("crashed"), 0);
  EXPECT_EQ(log.Count("close-query"), 1);
  EXPECT_EQ(log.Count("destroyed"), 1);
  EXPECT_TRUE(EndsWithSequence(log, {"destroyed", "destroyed-by-query", "loop-ended",
                                     "exit-first", "exit-second"}));
}

TEST(ProbeProcess, LoadingTheWindowFromItsOwnLoadEventsSucceeds) {
  Probe p;
  ASSERT_TRUE(p.Start("load-again"));
  HWND w = WaitForProbeWindow();
  ASSERT_NE(w, nullptr) << "the second load failed (runtime error report)";
  // One window, built once.
  EXPECT_EQ(FindWindowExA(nullptr, w, nullptr, "TalvProbe"), nullptr);
  EventSequence log;
  EXPECT_EQ(CloseAndCollect(p, w, &log), 0u);
  ASSERT_GE(log.size(), 6u);
  EXPECT_TRUE(StartsWithSequence(log, {"created", "loaded-again", "moved", "loaded-again", "sized",
                                       "loaded-again"}));
  EXPECT_EQ(log.Count("loaded"), 1);
  EXPECT_EQ(log.Count("created"), 1);
  EXPECT_EQ(log.Count("destroyed"), 1);
}

}  // namespace
}  // namespace talv
