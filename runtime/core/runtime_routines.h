// The runtime routine table behind the CallRuntimeRoutine gate:
//   0  file search step (pattern text or null to continue, attribute mask)
//      -> the next matching file name as a fresh text, null when none is left
//   1  close the file search
//   2  make an array private (element width, address of an array variable)
//   3  register an exit routine (routine address)
//   4  read a property of a component addressed by a reference
//      (const TypedValue* reference, property index, member index) -> 8 bytes
//   5  write it (reference, property index, member index, value low, high)
//   6  initialise the runtime (no arguments)
#pragma once

#include <cstdarg>
#include <cstdint>

#include "runtime/core/command_codes.h"
#include "runtime/core/typed_value.h"

namespace talv {

// The routines' numbers are named in command_codes.h (RuntimeRoutine).
constexpr int32_t kRuntimeRoutineCount = RuntimeRoutine::Count;

// Calls routine `index` with the arguments that `args` points at. An index
// outside the table is a runtime error.
uint64_t CallRuntimeRoutineV(int32_t index, va_list args);

// Attribute bits of the file search mask (those of the platform's files).
namespace FileAttribute {
constexpr uint32_t ReadOnly = 0x01, Hidden = 0x02, System = 0x04, Directory = 0x10, Archive = 0x20;
}  // namespace FileAttribute

// Routine 0: with a pattern ("dir\*.txt"), starts a new search; with null or
// an empty pattern, continues the current one. Ordinary files always match;
// hidden, system and directory entries only when their bit is in `mask`;
// "." and ".." never. Returns the bare file name, null when none is left.
char* FileSearchStep(const char* pattern, uint32_t mask);
// Routine 1.
void CloseFileSearch();

// Routine 2: when *variable points into the constant segment, the whole
// array block (4 + 4n + width * product of the n sizes bytes) is copied into
// a new heap block and *variable set to the copy.
void MakeArrayPrivate(int32_t element_width, void** variable);

// Routines 4 and 5: the reference's Type code must be a kind (a library
// type, category 00, not 0), otherwise runtime error 5.
uint64_t ReadPropertyOfReference(const TypedValue* reference, int32_t property, int32_t member);
void WritePropertyOfReference(const TypedValue* reference, int32_t property, int32_t member,
                              uint32_t value_lo, uint32_t value_hi);

// Routine 6. The start-up piece sets the hook that does the initialisation;
// without one it does nothing.
void InitialiseRuntime();
void SetInitialiseRuntimeHook(void (*hook)());

namespace platform {
// One directory scan for the file search: opens `pattern`'s search (or
// continues the open one when pattern is null) and gives the next entry's
// name and attributes; false when there is none.
bool FileSearchNext(const char* pattern, char** name, uint32_t* attributes);
void FileSearchClose();
}  // namespace platform

}  // namespace talv
