// The runtime's memory rules over the platform heap: allocation failure is a
// runtime error, constant blocks are never freed and are copied out when
// resized.
#include "runtime/core/heap.h"

#include <cstring>

#include "runtime/core/heap_platform.h"
#include "runtime/core/runtime_error.h"

namespace talv {
namespace {
HeapCounters g_counters{};

// The count as the 32-bit program has always shown it; on x64 a request can
// exceed what an int shows, so the whole count is shown there.
[[noreturn]] void OutOfMemory(size_t bytes) {
  if (sizeof(size_t) == 4) RaiseRuntimeErrorF("分配 %d 字节内存失败!", int(bytes));
  RaiseRuntimeErrorF("分配 %llu 字节内存失败!", static_cast<unsigned long long>(bytes));
}
}  // namespace

const uint8_t* ConstantSegmentBegin() { return platform::ConstantSegmentBegin(); }
const uint8_t* ConstantSegmentEnd() { return platform::ConstantSegmentEnd(); }

bool IsInConstantSegment(const void* p) {
  auto a = reinterpret_cast<uintptr_t>(p);
  return a >= reinterpret_cast<uintptr_t>(ConstantSegmentBegin()) &&
         a < reinterpret_cast<uintptr_t>(ConstantSegmentEnd());
}

void* TryAllocate(size_t bytes) {
  void* p = platform::HeapAllocRaw(bytes);
  if (p) ++g_counters.allocations;
  return p;
}

void* Allocate(size_t bytes) {
  void* p = TryAllocate(bytes);
  if (!p) OutOfMemory(bytes);
  return p;
}

void* Reallocate(void* block, size_t bytes) {
  if (!block) return Allocate(bytes);
  if (IsInConstantSegment(block)) {
    void* copy = Allocate(bytes);
    size_t available = size_t(ConstantSegmentEnd() - static_cast<const uint8_t*>(block));
    std::memcpy(copy, block, bytes < available ? bytes : available);
    return copy;
  }
  void* p = platform::HeapReallocRaw(block, bytes);
  if (!p) OutOfMemory(bytes);
  return p;
}

void Free(void* block) {
  if (!block || IsInConstantSegment(block)) return;
  ++g_counters.frees;
  platform::HeapFreeRaw(block);
}

HeapCounters GetHeapCounters() { return g_counters; }

}  // namespace talv
