#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_platform.h"

namespace talv::app {
namespace {

size_t g_fault_after = SIZE_MAX;
bool g_fault_ends_process = false;

bool WriteAll(HANDLE file, const uint8_t* bytes, size_t size) {
  size_t done = 0;
  while (done < size) {
    size_t chunk = size - done < 65536 ? size - done : 65536;
    if (g_fault_after != SIZE_MAX) {
      if (done >= g_fault_after) {
        if (g_fault_ends_process) TerminateProcess(GetCurrentProcess(), 3);
        return false;
      }
      if (chunk > g_fault_after - done) chunk = g_fault_after - done;
    }
    DWORD written = 0;
    if (!WriteFile(file, bytes + done, DWORD(chunk), &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return true;
}

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

void SetReplaceFileFaultAfter(size_t bytes, bool end_process) {
  g_fault_after = bytes;
  g_fault_ends_process = end_process;
}

bool ReplaceFileContents(const char* path, const void* bytes, size_t size) {
  const std::string fresh = std::string(path) + ".new";
  HANDLE file = CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = WriteAll(file, static_cast<const uint8_t*>(bytes), size);
  ok = FlushFileBuffers(file) && ok;
  ok = CloseHandle(file) && ok;
  if (ok) ok = MoveFileExA(fresh.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileA(fresh.c_str());
  return ok;
}

bool ReadWholeFile(const char* path, std::string* bytes) {
  bytes->clear();
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != FALSE) && got > 0)
    bytes->append(buffer, got);
  CloseHandle(file);
  return ok;
}

bool FileWriteTime(const char* path, uint64_t* time) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  *time = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
  return true;
}

bool MakeFolder(const char* path) {
  if (CreateDirectoryA(path, nullptr)) return true;
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

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
