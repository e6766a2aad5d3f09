// What the sound commands need from the platform.
#pragma once

#include <cstddef>
#include <cstdint>

namespace talv::platform {

// The whole file of exactly that name in a fresh heap block (sharing denied
// to writers while it is read); null when it cannot be opened or read, is
// empty, or does not fit in memory.
uint8_t* ReadWholeFile(const char* name, size_t* size);
uint32_t SystemTickCount();
void SleepFor(uint32_t milliseconds);

}  // namespace talv::platform
