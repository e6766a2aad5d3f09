// The parent side of the dying-child harness (see child_process_win32.h).
#include "tests/core/child_process_win32.h"

#include <gtest/gtest.h>

#include <vector>

namespace talv::testing_support {
namespace {

constexpr DWORD kChildTimeoutMs = 120000;
const char kCaption[] = "错误";

struct BoxSearch {
  DWORD process;
  HWND found;
};
BOOL CALLBACK FindBoxOfProcess(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char cls[32] = {}, caption[32] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  GetWindowTextA(hwnd, caption, sizeof caption);
  if (pid == search->process && strcmp(cls, "#32770") == 0 && strcmp(caption, kCaption) == 0 &&
      IsWindowVisible(hwnd)) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

void ReadBox(HWND box, ChildOutcome& outcome) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (strcmp(cls, "Static") != 0) continue;
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
      outcome.box_has_icon = true;
      continue;
    }
    std::vector<char> text(8192);
    DWORD_PTR length = 0;
    SendMessageTimeoutA(child, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &length);
    if (length > 0) outcome.box_text.assign(text.data(), length);
  }
}

// Presses Enter on the box through the X server, as a keyboard would. One
// search, no waiting: when the box's X window is not mapped yet, nothing is
// pressed and the caller presses again later, so no xdotool outlives its
// box.
void PressEnterOnBox() {
  std::string command = std::string("Z:\\usr\\bin\\xdotool search --onlyvisible --name ^") +
                        kCaption + "$ key --window %@ Return";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return;
  if (WaitForSingleObject(pi.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

}  // namespace

std::string ChildMarker() {
  char path[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableA("TALV_CHILD_MARKER", path, sizeof path);
  return n > 0 && n < sizeof path ? std::string(path, n) : std::string();
}

ChildOutcome RunDyingChild(const std::string& name, const std::string& marker) {
  ChildOutcome outcome;
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, sizeof exe);
  std::string command = std::string("\"") + exe +
                        "\" --gtest_also_run_disabled_tests --gtest_filter=DyingChild.DISABLED_" +
                        name;
  SetEnvironmentVariableA("TALV_CHILD_MARKER", marker.c_str());

  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE null_device =
      CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                  OPEN_EXISTING, 0, nullptr);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = si.hStdOutput = si.hStdError = null_device;
  PROCESS_INFORMATION pi{};
  BOOL started =
      CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  SetEnvironmentVariableA("TALV_CHILD_MARKER", nullptr);
  CloseHandle(null_device);
  if (!started) {
    ADD_FAILURE() << "could not start the child: " << GetLastError();
    return outcome;
  }

  DWORD start = GetTickCount();
  DWORD last_press = 0;
  while (GetTickCount() - start < kChildTimeoutMs) {
    if (WaitForSingleObject(pi.hProcess, 50) == WAIT_OBJECT_0) {
      outcome.finished = true;
      break;
    }
    BoxSearch search{pi.dwProcessId, nullptr};
    EnumWindows(FindBoxOfProcess, reinterpret_cast<LPARAM>(&search));
    if (!search.found) continue;
    if (!outcome.box_shown) {
      outcome.box_shown = true;
      ReadBox(search.found, outcome);
    }
    // Press again if an earlier press did not close the box.
    if (last_press == 0 || GetTickCount() - last_press > 2000) {
      PressEnterOnBox();
      last_press = GetTickCount();
    }
  }
  if (!outcome.finished) {
    ADD_FAILURE() << "the child " << name << " did not end in time";
    TerminateProcess(pi.hProcess, 0xDEAD);
    WaitForSingleObject(pi.hProcess, 10000);
  }
  GetExitCodeProcess(pi.hProcess, &outcome.exit_code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return outcome;
}

}  // namespace talv::testing_support
