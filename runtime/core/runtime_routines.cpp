#include "runtime/core/runtime_routines.h"

#include <cstring>

#include "runtime/core/exit_routines.h"
#include "runtime/core/gates.h"
#include "runtime/core/heap.h"
#include "runtime/core/runtime_error.h"
#include "runtime/core/runtime_error_report.h"

namespace talv {
namespace {

void (*g_initialise_hook)() = nullptr;

bool IsKindReference(const TypedValue* reference) {
  return reference && reference->type != 0 && (reference->type & TypeCode::CategoryMask) == 0 &&
         !TypeCode::IsArray(reference->type);
}

// The size of an array block in the constant segment, never more than the
// bytes between its start and the segment's end (a damaged header must not
// make the copy read past the segment).
size_t ArrayBlockSize(const uint8_t* block, int32_t element_width) {
  const size_t available = size_t(ConstantSegmentEnd() - block);
  if (available < 4) return available;
  uint32_t dimensions;
  std::memcpy(&dimensions, block, 4);
  uint64_t size = 4;
  uint64_t elements = 1;
  for (uint32_t i = 0; i < dimensions; ++i) {
    size += 4;
    if (size > available) return available;
    uint32_t extent;
    std::memcpy(&extent, block + 4 + 4 * i, 4);
    elements *= extent;
    if (elements > available) return available;
  }
  size += elements * uint64_t(element_width > 0 ? element_width : 0);
  return size > available ? available : size_t(size);
}

}  // namespace

char* FileSearchStep(const char* pattern, uint32_t mask) {
  const char* start = pattern && *pattern ? pattern : nullptr;
  char* name = nullptr;
  uint32_t attributes = 0;
  constexpr uint32_t kSelective =
      FileAttribute::Hidden | FileAttribute::System | FileAttribute::Directory;
  while (platform::FileSearchNext(start, &name, &attributes)) {
    start = nullptr;
    bool dots = std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
    if (!dots && (attributes & kSelective & ~mask) == 0) return name;
    Free(name);
  }
  return nullptr;
}

void CloseFileSearch() { platform::FileSearchClose(); }

void MakeArrayPrivate(int32_t element_width, void** variable) {
  if (!variable || !IsInConstantSegment(*variable)) return;
  const auto* block = static_cast<const uint8_t*>(*variable);
  size_t size = ArrayBlockSize(block, element_width);
  void* copy = Allocate(size ? size : 1);
  std::memcpy(copy, block, size);
  *variable = copy;
}

uint64_t ReadPropertyOfReference(const TypedValue* reference, int32_t property, int32_t member) {
  if (!IsKindReference(reference)) RaiseIndexedRuntimeError(RuntimeErrorIndex::TypeMismatch, 0, 0);
  return ReadPropertyGate(int32_t(reference->lo), int32_t(reference->hi), property, member);
}

void WritePropertyOfReference(const TypedValue* reference, int32_t property, int32_t member,
                              uint32_t value_lo, uint32_t value_hi) {
  if (!IsKindReference(reference)) RaiseIndexedRuntimeError(RuntimeErrorIndex::TypeMismatch, 0, 0);
  WritePropertyGate(int32_t(reference->lo), int32_t(reference->hi), property, member, value_lo,
                    value_hi);
}

void InitialiseRuntime() {
  if (g_initialise_hook) g_initialise_hook();
}
void SetInitialiseRuntimeHook(void (*hook)()) { g_initialise_hook = hook; }

uint64_t CallRuntimeRoutineV(int32_t index, va_list args) {
  switch (index) {
    case RuntimeRoutine::FileSearchStep: {
      const char* pattern = va_arg(args, const char*);
      uint32_t mask = va_arg(args, uint32_t);
      return uint64_t(reinterpret_cast<uintptr_t>(FileSearchStep(pattern, mask)));
    }
    case RuntimeRoutine::CloseFileSearch:
      CloseFileSearch();
      return 0;
    case RuntimeRoutine::MakeArrayPrivate: {
      int32_t width = va_arg(args, int32_t);
      void** variable = va_arg(args, void**);
      MakeArrayPrivate(width, variable);
      return 0;
    }
    case RuntimeRoutine::RegisterExitRoutine:
      RegisterExitRoutine(va_arg(args, ExitRoutine));
      return 0;
    case RuntimeRoutine::ReadPropertyOfReference: {
      const TypedValue* reference = va_arg(args, const TypedValue*);
      int32_t property = va_arg(args, int32_t);
      int32_t member = va_arg(args, int32_t);
      return ReadPropertyOfReference(reference, property, member);
    }
    case RuntimeRoutine::WritePropertyOfReference: {
      const TypedValue* reference = va_arg(args, const TypedValue*);
      int32_t property = va_arg(args, int32_t);
      int32_t member = va_arg(args, int32_t);
      uint32_t lo = va_arg(args, uint32_t);
      uint32_t hi = va_arg(args, uint32_t);
      WritePropertyOfReference(reference, property, member, lo, hi);
      return 0;
    }
    case RuntimeRoutine::InitialiseRuntime:
      InitialiseRuntime();
      return 0;
    default:
      RaiseRuntimeErrorF("运行时例程序号 %d 不存在", int(index));
  }
}

}  // namespace talv
