// The platform's side of the runtime heap: raw blocks and the bounds of the
// constant segment. heap.cpp builds the runtime's rules on top of these.
#pragma once

#include <cstddef>
#include <cstdint>

namespace talv::platform {
void* HeapAllocRaw(size_t bytes);                 // null on failure
void* HeapReallocRaw(void* block, size_t bytes);  // null on failure, block kept
void HeapFreeRaw(void* block);
const uint8_t* ConstantSegmentBegin();
const uint8_t* ConstantSegmentEnd();
}  // namespace talv::platform
