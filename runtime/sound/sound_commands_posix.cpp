// The platform side of the sound commands in the native build.
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "runtime/sound/sound_commands_platform.h"
#include "runtime/core/heap.h"

namespace talv::platform {

uint8_t* ReadWholeFile(const char* name, size_t* size) {
  const int fd = open(name, O_RDONLY);
  if (fd < 0) return nullptr;
  uint8_t* bytes = nullptr;
  struct stat st;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 && st.st_size < 0x7FFFFFFF) {
    const size_t wanted = size_t(st.st_size);
    bytes = static_cast<uint8_t*>(TryAllocate(wanted));
    size_t got = 0;
    while (bytes && got < wanted) {
      const ssize_t n = read(fd, bytes + got, wanted - got);
      if (n <= 0) break;
      got += size_t(n);
    }
    if (bytes && got != wanted) {
      Free(bytes);
      bytes = nullptr;
    }
    *size = wanted;
  }
  close(fd);
  return bytes;
}

uint32_t SystemTickCount() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return uint32_t(uint64_t(now.tv_sec) * 1000 + uint64_t(now.tv_nsec) / 1000000);
}

void SleepFor(uint32_t milliseconds) {
  timespec t{time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000L};
  while (nanosleep(&t, &t) != 0) {
  }
}

}  // namespace talv::platform
