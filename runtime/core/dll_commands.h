// DLL commands: functions of other libraries that the application declares
// and calls through the DLL-command gate. Each entry names its library
// (empty: one of the system libraries) and its export ("#n" for ordinal n),
// and is resolved on its first call; the address and the library handle are
// kept until shutdown unloads the libraries.
#pragma once

#include <cstdint>
#include <string>

namespace talv {

// One argument word of a DLL command: 32 bits on the 32-bit target, a
// pointer's width on the 64-bit one (each declared argument is one word
// there, passed in a register or a 64-bit stack slot).
using DllWord = uintptr_t;

// One DLL command as the program declares it. `argument_bytes` is what the
// declaration passes on the 32-bit stack (a multiple of 4, one 4-byte word an
// argument): the gate passes exactly that many words and, on the 32-bit
// target, checks that the function consumed them.
struct DllCommandDeclaration {
  const char* library;
  const char* name;
  int32_t argument_bytes;
};

// Start-up copies the program's declarations; the cached addresses and
// handles start cleared. Libraries of an earlier table are unloaded first.
void SetDllCommands(const DllCommandDeclaration* declarations, int32_t count);
int32_t DllCommandCount();
int32_t DllCommandArgumentWords(int32_t index);  // 0 for an unknown index

// Resolves entry `index` (cached after the first call). A failure unloads
// what it loaded and is the runtime error of the two "无法找到指定DLL库文件…"
// messages.
void* ResolveDllCommand(int32_t index);
void* DllCommandModule(int32_t index);  // the library handle, null until resolved

// The DLL-command gate in array form: resolves entry `index`, passes its
// declared argument words from `words` in the platform's convention for
// outside functions (stdcall on the 32-bit target, the x64 convention on the
// 64-bit one) and returns EDX:EAX (RAX). On the 32-bit target a function that
// leaves the stack pointer elsewhere than the declaration implies raises
// runtime error 6; an x64 callee never pops its arguments.
uint64_t CallDllCommandArray(int32_t index, const DllWord* words);

// Unloads the libraries of resolved DLL commands and clears their caches
// (the shutdown sequence calls this).
void UnloadDllCommandLibraries();

// The DLL-command directory: empty at start; when not empty it ends with a
// backslash. The raw store; SetDllCommandDirectory is the command.
const std::string& DllCommandDirectory();
void SetDllCommandDirectoryText(const std::string& directory);

// The library loader behind resolution: the platform's, or a test's.
struct DllLoader {
  void* (*load)(const char* path);  // null on failure
  void (*unload)(void* module);
  // The export named `name`, or when `name` is null the export of ordinal
  // `ordinal`; null when there is none.
  void* (*find)(void* module, const char* name, uint16_t ordinal);
};
const DllLoader& PlatformDllLoader();
void SetDllLoader(const DllLoader* loader);  // null: the platform's

namespace platform {
// The most argument words a call passes on x64 (the 32-bit thunk has no
// limit); a declaration with more is the runtime error "DLL命令参数过多".
constexpr int32_t kMaxDllWords = 16;

// Calls `function` with `count` argument words in the
// platform's convention for outside functions. On the 32-bit target they are
// pushed as stdcall does and *stack_delta receives ESP after the call minus
// ESP before the arguments were pushed (0 for a function that popped exactly
// its arguments); the stack pointer is restored whatever the function did.
// On x64 *stack_delta is always 0.
uint64_t CallOutsideFunction(void* function, const DllWord* words, int32_t count,
                             int32_t* stack_delta);
}  // namespace platform

}  // namespace talv
