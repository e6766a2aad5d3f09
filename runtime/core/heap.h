// The runtime heap: every block that a gate or command hands out comes from
// here (the process heap on the target). Blocks inside the constant segment
// are never owned: Free ignores them and Reallocate copies them out.
#pragma once

#include <cstddef>
#include <cstdint>

namespace talv {

// Allocates without clearing. Failure is a runtime error
// ("分配 %d 字节内存失败!") and the program ends.
void* Allocate(size_t bytes);
// Allocation that returns null on failure instead of ending the program.
void* TryAllocate(size_t bytes);
// Null behaves as Allocate; a constant block is copied into a new block of
// the requested size; any other block is resized keeping its contents.
void* Reallocate(void* block, size_t bytes);
// Ignores null and pointers into the constant segment.
void Free(void* block);

// The constant segment: the application's read-only constants live in one
// linker section whose bounds the runtime knows.
bool IsInConstantSegment(const void* p);
const uint8_t* ConstantSegmentBegin();
const uint8_t* ConstantSegmentEnd();

// Counters of the heap, for tests that check how many blocks an operation
// allocates. They count successful Allocate/TryAllocate/Reallocate(null) calls
// and frees of owned blocks.
struct HeapCounters {
  uint64_t allocations;
  uint64_t frees;
};
HeapCounters GetHeapCounters();

}  // namespace talv

// Places a constant into the constant segment:
//   TALV_CONSTANT static const char kSkin[] = {...};
#if defined(_WIN32)
#define TALV_CONSTANT __attribute__((section(".rdata$talv_m"), used))
#else
#define TALV_CONSTANT __attribute__((section("talv_const"), used))
#endif
