// The heap on the target: the process heap, and a constant segment made of
// the grouped sections .rdata$talv_a … .rdata$talv_z, which the linker places
// in name order, so the two markers bound every TALV_CONSTANT (.rdata$talv_m).
#include <windows.h>

#include "runtime/core/heap.h"
#include "runtime/core/heap_platform.h"

namespace talv::platform {
namespace {
__attribute__((section(".rdata$talv_a"), used)) const uint8_t kSegmentBegin[1] = {0};
__attribute__((section(".rdata$talv_z"), used)) const uint8_t kSegmentEnd[1] = {0};

HANDLE ProcessHeap() {
  static HANDLE heap = GetProcessHeap();
  return heap;
}
}  // namespace

void* HeapAllocRaw(size_t bytes) { return HeapAlloc(ProcessHeap(), 0, bytes); }
void* HeapReallocRaw(void* block, size_t bytes) {
  return HeapReAlloc(ProcessHeap(), 0, block, bytes);
}
void HeapFreeRaw(void* block) { HeapFree(ProcessHeap(), 0, block); }
const uint8_t* ConstantSegmentBegin() { return kSegmentBegin; }
const uint8_t* ConstantSegmentEnd() { return kSegmentEnd + 1; }
}  // namespace talv::platform
