// The native build's file side, so that the replacement is tested on both
// platforms; the window facts exist on the target only (window texts are
// kept in memory, where tests read them).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/app_platform.h"

namespace talv::app {
namespace {
size_t g_fault_after = SIZE_MAX;
bool g_fault_ends_process = false;
std::map<int32_t, std::string>& Captions() {
  static std::map<int32_t, std::string> captions;
  return captions;
}
}  // namespace

void SetReplaceFileFaultAfter(size_t bytes, bool end_process) {
  g_fault_after = bytes;
  g_fault_ends_process = end_process;
}

bool ReplaceFileContents(const char* path, const void* bytes, size_t size) {
  const std::string fresh = std::string(path) + ".new";
  const int fd = open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  const auto* data = static_cast<const uint8_t*>(bytes);
  size_t done = 0;
  bool ok = true;
  while (ok && done < size) {
    size_t chunk = size - done;
    if (g_fault_after != SIZE_MAX) {
      if (done >= g_fault_after) {
        if (g_fault_ends_process) _exit(3);
        ok = false;
        break;
      }
      if (chunk > g_fault_after - done) chunk = g_fault_after - done;
    }
    const ssize_t n = write(fd, data + done, chunk);
    if (n <= 0) ok = false;
    else done += size_t(n);
  }
  ok = fsync(fd) == 0 && ok;
  ok = close(fd) == 0 && ok;
  if (ok) ok = rename(fresh.c_str(), path) == 0;
  if (!ok) unlink(fresh.c_str());
  return ok;
}

bool ReadWholeFile(const char* path, std::string* bytes) {
  bytes->clear();
  const int fd = open(path, O_RDONLY);
  if (fd < 0) return false;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return false;
  }
  char buffer[65536];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) bytes->append(buffer, size_t(n));
  close(fd);
  return n == 0;
}

bool FileWriteTime(const char* path, uint64_t* time) {
  struct stat info;
  if (stat(path, &info) != 0 || !S_ISREG(info.st_mode)) return false;
  *time = uint64_t(info.st_mtim.tv_sec) * 1000000000u + uint64_t(info.st_mtim.tv_nsec);
  return true;
}

bool MakeFolder(const char* path) {
  if (mkdir(path, 0755) == 0) return true;
  struct stat info;
  return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

intptr_t HoldFileIfSame(const char* path, const void* expected, size_t size) {
  const int fd = open(path, O_RDONLY);
  if (fd < 0) return 0;
  std::vector<uint8_t> bytes;
  uint8_t buffer[65536];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  if (bytes.size() != size || (size && std::memcmp(bytes.data(), expected, size) != 0)) {
    close(fd);
    return 0;
  }
  return intptr_t(fd) + 1;
}

void ReleaseHeldFile(intptr_t token) {
  if (token) close(int(token - 1));
}

std::vector<ScreenRect> MonitorRects() { return {}; }
void MinimumTrackingSize(int32_t* width, int32_t* height) { *width = *height = 0; }
bool IsMinimized(int32_t) { return false; }

void SetWindowCaption(int32_t handle, const char* text) { Captions()[handle] = text ? text : ""; }

const char* WindowCaption(int32_t handle) { return Captions()[handle].c_str(); }

}  // namespace talv::app
