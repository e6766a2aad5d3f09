// The runtime call gates: the fixed table of thirteen entry points through
// which the application reaches the runtime. The application calls through
// the table, so the order of the slots is part of the interface and never
// changes. Every gate is a plain C-convention (cdecl) routine; the variadic
// gates read their trailing arguments where the caller put them, which on
// the 32-bit target is consecutively on the caller's stack.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/core/typed_value.h"

namespace talv {

struct GateTable {
  // 0: error index (1-11) and two location values; does not return.
  void (*ReportRuntimeError)(int32_t index, int32_t location1, int32_t location2);
  // 1: DLL-command index, then the DLL function's own 32-bit argument words;
  //    the function's result (EDX:EAX).
  uint64_t (*CallDllCommand)(int32_t index, ...);
  // 2: as CallCommand, the typed arguments followed by the library's position
  //    in the library table (an int32_t the gate does not use).
  TypedValue (*CallLibraryCommand)(Command command, int32_t count, ...);
  // 3: command routine, argument count, then `count` TypedValue records.
  TypedValue (*CallCommand)(Command command, int32_t count, ...);
  // 4: Window id, Control id, property index, member index (-1: whole value).
  uint64_t (*ReadProperty)(int32_t window_id, int32_t control_id, int32_t property, int32_t member);
  // 5: as ReadProperty, then the value's low and high words.
  void (*WriteProperty)(int32_t window_id, int32_t control_id, int32_t property, int32_t member,
                        uint32_t value_lo, uint32_t value_hi);
  // 6, 7, 8: the runtime heap.
  void* (*Allocate)(size_t bytes);
  void* (*Reallocate)(void* block, size_t bytes);
  void (*Free)(void* block);
  // 9: ends the program with the exit code; does not return.
  void (*ExitProgram)(int32_t code);
  // 10: runs the message loop; returns when it ends.
  void (*RunMessageLoop)();
  // 11: loads and shows the start-up window.
  void (*LoadStartupWindow)(int32_t window_id);
  // 12: runtime routine index, then the routine's own arguments.
  uint64_t (*CallRuntimeRoutine)(int32_t index, ...);
};
static_assert(offsetof(GateTable, CallRuntimeRoutine) == 12 * sizeof(void*),
              "thirteen consecutive slots");

namespace GateSlot {
constexpr int ReportRuntimeError = 0, CallDllCommand = 1, CallLibraryCommand = 2, CallCommand = 3,
              ReadProperty = 4, WriteProperty = 5, Allocate = 6, Reallocate = 7, Free = 8,
              ExitProgram = 9, RunMessageLoop = 10, LoadStartupWindow = 11, CallRuntimeRoutine = 12,
              Count = 13;
}  // namespace GateSlot

// The one gate table of the process.
const GateTable& Gates();

// ---- Gate bodies for native code ---------------------------------------
// The command gate in array form: (command, count, first typed argument).
TypedValue CallCommandArray(Command command, int32_t count, TypedValue* args);
uint64_t ReadPropertyGate(int32_t window_id, int32_t control_id, int32_t property, int32_t member);
void WritePropertyGate(int32_t window_id, int32_t control_id, int32_t property, int32_t member,
                       uint32_t value_lo, uint32_t value_hi);

// ---- Shutdown, message loop and start-up window ------------------------
// ExitProgram ends the process. Without a hook it runs the exit routines in
// registration order when called on the main thread (from any other thread
// it runs none) and ends the process with the code. The start-up piece sets
// a hook that does the whole shutdown; a hook must not return.
[[noreturn]] void ExitProgram(int32_t code);
void RunMessageLoop();
void LoadStartupWindow(int32_t window_id);

struct StartupHooks {
  void (*exit_program)(int32_t code);       // null: the simple shutdown above
  void (*run_message_loop)();               // null: returns at once (no window)
  void (*load_startup_window)(int32_t id);  // null: runtime error "载入启动窗口失败"
};
void SetStartupHooks(const StartupHooks& hooks);

namespace platform {
[[noreturn]] void EndProcess(int32_t code);  // ExitProcess / _exit
bool IsMainThread();  // the thread that ran the runtime's static initialisation
}  // namespace platform

}  // namespace talv
