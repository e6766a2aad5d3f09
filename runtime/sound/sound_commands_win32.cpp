// The platform side of the sound commands on the target.
#include <windows.h>

#include "runtime/sound/sound_commands_platform.h"
#include "runtime/core/heap.h"

namespace talv::platform {

uint8_t* ReadWholeFile(const char* name, size_t* size) {
  HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  uint8_t* bytes = nullptr;
  LARGE_INTEGER length;
  if (GetFileSizeEx(file, &length) && length.QuadPart > 0 && length.QuadPart < 0x7FFFFFFF) {
    const DWORD wanted = DWORD(length.QuadPart);
    bytes = static_cast<uint8_t*>(TryAllocate(wanted));
    DWORD got = 0;
    if (bytes && !(ReadFile(file, bytes, wanted, &got, nullptr) && got == wanted)) {
      Free(bytes);
      bytes = nullptr;
    }
    *size = wanted;
  }
  CloseHandle(file);
  return bytes;
}

uint32_t SystemTickCount() { return GetTickCount(); }

void SleepFor(uint32_t milliseconds) { Sleep(milliseconds); }

}  // namespace talv::platform
