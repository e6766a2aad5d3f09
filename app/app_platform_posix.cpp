// The native build's side: holding a file, and window facts, which exist on
// the target only (window texts are kept in memory, where tests read them).
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
std::map<int32_t, std::string>& Captions() {
  static std::map<int32_t, std::string> captions;
  return captions;
}
}  // namespace

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
