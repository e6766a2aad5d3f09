// The heap for the native (Linux) build: the C library's heap, and a
// constant segment in the ELF section "talv_const", whose bounds the linker
// provides as __start_/__stop_ symbols.
#include <cstdlib>

#include "runtime/core/heap.h"
#include "runtime/core/heap_platform.h"

extern "C" const uint8_t __start_talv_const[];
extern "C" const uint8_t __stop_talv_const[];

namespace talv::platform {
namespace {
// Keeps the section present even when nothing else lands in it.
TALV_CONSTANT const uint8_t kSegmentAnchor[1] = {0};
}  // namespace

void* HeapAllocRaw(size_t bytes) { return std::malloc(bytes ? bytes : 1); }
void* HeapReallocRaw(void* block, size_t bytes) { return std::realloc(block, bytes ? bytes : 1); }
void HeapFreeRaw(void* block) { std::free(block); }
const uint8_t* ConstantSegmentBegin() { return __start_talv_const; }
const uint8_t* ConstantSegmentEnd() { return __stop_talv_const; }
}  // namespace talv::platform
