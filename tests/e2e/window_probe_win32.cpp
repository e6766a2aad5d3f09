// Reads what a top-level window shows, from outside, with the window's own
// messages: its rectangle and, for every descendant, its class, style,
// screen rectangle and text. Used by the end-to-end tests, run under the
// same Wine prefix as the program.
//
//   window_probe TITLE          one report of the window titled TITLE
//   window_probe #HWND          the same report of the window HWND
//   window_probe list TITLE     the handles of every visible window titled
//                               TITLE, one a line (two instances)
//   window_probe setdate HWND Y M D H MI S
//                               sets a date picker (the value is written into
//                               the program's memory, as the message needs)
//   window_probe getdate HWND   prints a date picker's date: Y M D
//   window_probe move HWND LEFT TOP WIDTH HEIGHT
//                               moves and sizes a window as a user's drag would
//   window_probe show HWND COMMAND
//                               ShowWindow with COMMAND (6 minimizes, 9 restores)
//   window_probe clickwatch ENTRYHWND X Y
//                               clicks at screen point X, Y and prints the
//                               milliseconds until ENTRYHWND's text changed
//   window_probe keywatch ENTRYHWND VK
//                               presses virtual key VK (to the window in
//                               front) and prints the milliseconds until
//                               ENTRYHWND's text changed
//   window_probe hold FILE SECONDS
//                               keeps FILE open with writers shut out
//   window_probe post HWND MESSAGE WPARAM LPARAM [HWND MESSAGE WPARAM LPARAM ...]
//                               posts each message in turn, back to back (two
//                               windows closed or two keys clicked at once)
//   window_probe send HWND MESSAGE WPARAM LPARAM
//                               sends one message and prints its result, as
//                               the system does at log-off (WM_QUERYENDSESSION)
//   window_probe hit X Y [X Y ...]
//                               for each screen point, the window that
//                               WindowFromPoint finds there: "hit X Y HWND"
//   window_probe dropped PICKER
//                               1 when the date picker's calendar is shown,
//                               else 0
//
// Report lines (numbers decimal, texts as hex of their bytes):
//   window HWND LEFT TOP RIGHT BOTTOM MINIMIZED CLIENTX CLIENTY CLIENTW CLIENTH
//   focus HWND                  the window with the keyboard focus
//   child HWND PARENT CLASS STYLE LEFT TOP RIGHT BOTTOM VISIBLE TEXTHEX
// Exit code 2 when no such window exists.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string Hex(const char* bytes, int n) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (int i = 0; i < n; ++i) {
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out.empty() ? "-" : out;
}

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
    return "-";
  std::string buffer(length + 2, '\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, WPARAM(buffer.size()),
                           reinterpret_cast<LPARAM>(&buffer[0]), SMTO_ABORTIFHUNG, 5000, &got))
    return "-";
  return Hex(buffer.data(), int(got));
}

BOOL CALLBACK Report(HWND child, LPARAM) {
  char cls[128] = "";
  GetClassNameA(child, cls, sizeof cls);
  for (char* p = cls; *p; ++p)
    if (*p == ' ') *p = '_';
  RECT r;
  GetWindowRect(child, &r);
  std::printf("child %lu %lu %s %lu %ld %ld %ld %ld %d %s\n",
              static_cast<unsigned long>(reinterpret_cast<uintptr_t>(child)),
              static_cast<unsigned long>(reinterpret_cast<uintptr_t>(GetParent(child))), cls,
              static_cast<unsigned long>(GetWindowLongA(child, GWL_STYLE)), r.left, r.top,
              r.right, r.bottom, IsWindowVisible(child) ? 1 : 0, WindowText(child).c_str());
  return TRUE;
}

}  // namespace

int SetDate(char** argv) {
  HWND picker = reinterpret_cast<HWND>(uintptr_t(std::strtoul(argv[2], nullptr, 10)));
  SYSTEMTIME t = {};
  t.wYear = WORD(atoi(argv[3]));
  t.wMonth = WORD(atoi(argv[4]));
  t.wDay = WORD(atoi(argv[5]));
  t.wHour = WORD(atoi(argv[6]));
  t.wMinute = WORD(atoi(argv[7]));
  t.wSecond = WORD(atoi(argv[8]));
  DWORD pid = 0;
  GetWindowThreadProcessId(picker, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ, FALSE, pid);
  if (!process) return 3;
  void* remote = VirtualAllocEx(process, nullptr, sizeof t, MEM_COMMIT, PAGE_READWRITE);
  SIZE_T written = 0;
  DWORD_PTR answer = 0;
  const bool ok = remote && WriteProcessMemory(process, remote, &t, sizeof t, &written) &&
                  SendMessageTimeoutA(picker, DTM_SETSYSTEMTIME, GDT_VALID,
                                      reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000,
                                      &answer);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return ok && answer ? 0 : 4;
}

int GetDate(char** argv) {
  HWND picker = reinterpret_cast<HWND>(uintptr_t(std::strtoul(argv[2], nullptr, 10)));
  DWORD pid = 0;
  GetWindowThreadProcessId(picker, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ, FALSE, pid);
  if (!process) return 3;
  SYSTEMTIME t = {};
  void* remote = VirtualAllocEx(process, nullptr, sizeof t, MEM_COMMIT, PAGE_READWRITE);
  SIZE_T read = 0;
  DWORD_PTR answer = 0;
  const bool ok = remote &&
                  SendMessageTimeoutA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(remote),
                                      SMTO_ABORTIFHUNG, 5000, &answer) &&
                  answer == GDT_VALID && ReadProcessMemory(process, remote, &t, sizeof t, &read);
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  if (!ok) return 4;
  std::printf("%d %d %d\n", t.wYear, t.wMonth, t.wDay);
  return 0;
}

int Hold(char** argv) {
  HANDLE file = CreateFileA(argv[2], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return 3;
  std::printf("held\n");
  std::fflush(stdout);
  Sleep(DWORD(atoi(argv[3])) * 1000);
  CloseHandle(file);
  return 0;
}

HWND HandleArg(const char* text) {
  return reinterpret_cast<HWND>(uintptr_t(std::strtoul(text, nullptr, 10)));
}

int Move(char** argv) {
  return MoveWindow(HandleArg(argv[2]), atoi(argv[3]), atoi(argv[4]), atoi(argv[5]),
                    atoi(argv[6]), TRUE)
             ? 0
             : 3;
}

int Post(int argc, char** argv) {
  bool all = true;
  for (int i = 2; i + 3 < argc; i += 4)
    all = PostMessageA(HandleArg(argv[i]), UINT(std::strtoul(argv[i + 1], nullptr, 0)),
                       WPARAM(std::strtoul(argv[i + 2], nullptr, 0)),
                       LPARAM(std::strtol(argv[i + 3], nullptr, 0))) &&
          all;
  return all ? 0 : 3;
}

int Send(char** argv) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(HandleArg(argv[2]), UINT(std::strtoul(argv[3], nullptr, 0)),
                           WPARAM(std::strtoul(argv[4], nullptr, 0)),
                           LPARAM(std::strtol(argv[5], nullptr, 0)), SMTO_NORMAL, 30000, &answer))
    return 3;
  std::printf("%lu\n", static_cast<unsigned long>(answer));
  return 0;
}

int Show(char** argv) {
  ShowWindow(HandleArg(argv[2]), atoi(argv[3]));
  return 0;
}

// Sends `input` and prints the milliseconds until `entry`'s text changed.
int WatchEntry(HWND entry, INPUT* input, UINT count) {
  const std::string before = WindowText(entry);
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  SendInput(count, input, sizeof(INPUT));
  for (;;) {
    QueryPerformanceCounter(&now);
    const double ms = double(now.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
    if (WindowText(entry) != before) {
      std::printf("%.2f\n", ms);
      return 0;
    }
    if (ms > 10000) return 3;
  }
}

int Hit(int argc, char** argv) {
  for (int i = 2; i + 1 < argc; i += 2) {
    POINT p = {atoi(argv[i]), atoi(argv[i + 1])};
    std::printf("hit %ld %ld %lu\n", p.x, p.y,
                static_cast<unsigned long>(reinterpret_cast<uintptr_t>(WindowFromPoint(p))));
  }
  std::fflush(stdout);
  return 0;
}

BOOL CALLBACK ListTitled(HWND window, LPARAM title) {
  char text[256] = "";
  GetWindowTextA(window, text, sizeof text);
  if (IsWindowVisible(window) && std::strcmp(text, reinterpret_cast<const char*>(title)) == 0)
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)));
  return TRUE;
}

int List(char** argv) {
  EnumWindows(ListTitled, reinterpret_cast<LPARAM>(argv[2]));
  std::fflush(stdout);
  return 0;
}

int Dropped(char** argv) {
  DWORD_PTR calendar = 0;
  if (!SendMessageTimeoutA(HandleArg(argv[2]), DTM_GETMONTHCAL, 0, 0, SMTO_ABORTIFHUNG, 5000,
                           &calendar))
    return 3;
  HWND shown = reinterpret_cast<HWND>(calendar);
  std::printf("%d\n", shown && IsWindowVisible(shown) ? 1 : 0);
  std::fflush(stdout);
  return 0;
}

int ClickWatch(char** argv) {
  SetCursorPos(atoi(argv[3]), atoi(argv[4]));
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  return WatchEntry(HandleArg(argv[2]), input, 2);
}

int KeyWatch(char** argv) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = WORD(atoi(argv[3]));
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  return WatchEntry(HandleArg(argv[2]), input, 2);
}

int main(int argc, char** argv) {
  if (argc >= 7 && std::strcmp(argv[1], "move") == 0) return Move(argv);
  if (argc >= 4 && std::strcmp(argv[1], "show") == 0) return Show(argv);
  if (argc >= 5 && std::strcmp(argv[1], "clickwatch") == 0) return ClickWatch(argv);
  if (argc >= 4 && std::strcmp(argv[1], "keywatch") == 0) return KeyWatch(argv);
  if (argc >= 9 && std::strcmp(argv[1], "setdate") == 0) return SetDate(argv);
  if (argc >= 3 && std::strcmp(argv[1], "getdate") == 0) return GetDate(argv);
  if (argc >= 4 && std::strcmp(argv[1], "hold") == 0) return Hold(argv);
  if (argc >= 4 && std::strcmp(argv[1], "hit") == 0) return Hit(argc, argv);
  if (argc >= 6 && std::strcmp(argv[1], "post") == 0) return Post(argc, argv);
  if (argc >= 6 && std::strcmp(argv[1], "send") == 0) return Send(argv);
  if (argc >= 3 && std::strcmp(argv[1], "dropped") == 0) return Dropped(argv);
  if (argc >= 3 && std::strcmp(argv[1], "list") == 0) return List(argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: window_probe TITLE\n");
    return 1;
  }
  HWND window = argv[1][0] == '#' ? HandleArg(argv[1] + 1) : FindWindowA(nullptr, argv[1]);
  if (!window || !IsWindow(window)) return 2;
  RECT r;
  GetWindowRect(window, &r);
  POINT client = {0, 0};
  ClientToScreen(window, &client);
  RECT area = {0, 0, 0, 0};
  GetClientRect(window, &area);
  std::printf("window %lu %ld %ld %ld %ld %d %ld %ld %ld %ld\n",
              static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)), r.left, r.top,
              r.right, r.bottom, IsIconic(window) ? 1 : 0, client.x, client.y, area.right,
              area.bottom);
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof gui;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui))
    std::printf("focus %lu\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(gui.hwndFocus)));
  EnumChildWindows(window, Report, 0);
  std::fflush(stdout);
  return 0;
}
