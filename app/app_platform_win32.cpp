#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_platform.h"

namespace talv::app {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info;
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info)) {
    const RECT& r = info.rcMonitor;
    reinterpret_cast<std::vector<ScreenRect>*>(data)->push_back(
        ScreenRect{r.left, r.top, r.right, r.bottom});
  }
  return TRUE;
}

}  // namespace

intptr_t HoldFileIfSame(const char* path, const void* expected, size_t size) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  LARGE_INTEGER length;
  bool same = GetFileSizeEx(file, &length) && uint64_t(length.QuadPart) == size;
  std::vector<uint8_t> buffer(65536);
  const auto* want = static_cast<const uint8_t*>(expected);
  size_t done = 0;
  while (same && done < size) {
    DWORD got = 0;
    const DWORD chunk = DWORD(size - done < buffer.size() ? size - done : buffer.size());
    if (!ReadFile(file, buffer.data(), chunk, &got, nullptr) || got == 0) {
      same = false;
      break;
    }
    same = std::memcmp(buffer.data(), want + done, got) == 0;
    done += got;
  }
  if (!same) {
    CloseHandle(file);
    return 0;
  }
  return reinterpret_cast<intptr_t>(file);
}

void ReleaseHeldFile(intptr_t token) {
  if (token) CloseHandle(reinterpret_cast<HANDLE>(token));
}

std::vector<ScreenRect> MonitorRects() {
  std::vector<ScreenRect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

void MinimumTrackingSize(int32_t* width, int32_t* height) {
  *width = GetSystemMetrics(SM_CXMINTRACK);
  *height = GetSystemMetrics(SM_CYMINTRACK);
}

bool IsMinimized(int32_t handle) {
  return IsIconic(reinterpret_cast<HWND>(intptr_t(handle))) != FALSE;
}

void SetWindowCaption(int32_t handle, const char* text) {
  SetWindowTextA(reinterpret_cast<HWND>(intptr_t(handle)), text);
}

const char* WindowCaption(int32_t handle) {
  static char text[256];
  text[0] = '\0';
  GetWindowTextA(reinterpret_cast<HWND>(intptr_t(handle)), text, int(sizeof text));
  return text;
}

}  // namespace talv::app
