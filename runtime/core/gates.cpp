// The gate table and the gates that are not a runtime routine of their own.
#include "runtime/core/gates.h"

#include <cstdarg>
#include <type_traits>

#include "runtime/core/command_call.h"
#include "runtime/core/dll_commands.h"
#include "runtime/core/exit_routines.h"
#include "runtime/core/heap.h"
#include "runtime/core/property_host.h"
#include "runtime/core/runtime_error.h"
#include "runtime/core/runtime_routines.h"

namespace talv {
namespace {

StartupHooks g_hooks{};
PropertyHost* g_host = nullptr;
bool g_exiting = false;

// Reads the variadic typed arguments of a command gate. On the 32-bit target
// the va_list is a pointer to the caller's stack, where the records lie back
// to back (12 bytes each, 4-aligned), so the command reads them in place. On
// other ABIs they are copied into `buffer` (count records on the gate's own
// stack).
#if defined(__i386__)
#define TALV_ARGS_IN_PLACE 1
static_assert(std::is_same_v<va_list, char*>,
              "on the 32-bit target a va_list is a plain pointer into the caller's stack");
#else
#define TALV_ARGS_IN_PLACE 0
#endif

void ReportGate(int32_t index, int32_t location1, int32_t location2) {
  RaiseIndexedRuntimeError(index, location1, location2);
}

// The command gate, in both command slots. A library command's call adds
// the library's position after the typed arguments; the gate does not need
// it, so it is never read.
TypedValue CallCommandGate(Command command, int32_t count, ...) {
  if (count < 0) count = 0;
  va_list ap;
  va_start(ap, count);
#if TALV_ARGS_IN_PLACE
  TypedValue* args = reinterpret_cast<TypedValue*>(ap);
#else
  auto* args = static_cast<TypedValue*>(__builtin_alloca(sizeof(TypedValue) * (count + 1)));
  for (int32_t i = 0; i < count; ++i) args[i] = va_arg(ap, TypedValue);
#endif
  TypedValue result = CallCommandArray(command, count, args);
  va_end(ap);
  return result;
}

uint64_t CallDllCommandGate(int32_t index, ...) {
  va_list ap;
  va_start(ap, index);
#if TALV_ARGS_IN_PLACE
  const DllWord* words = reinterpret_cast<const DllWord*>(ap);
#else
  int32_t count = DllCommandArgumentWords(index);
  if (count > platform::kMaxDllWords) count = platform::kMaxDllWords;
  DllWord copy[platform::kMaxDllWords + 1];
  for (int32_t i = 0; i < count; ++i) copy[i] = va_arg(ap, DllWord);
  const DllWord* words = copy;
#endif
  uint64_t result = CallDllCommandArray(index, words);
  va_end(ap);
  return result;
}

uint64_t CallRuntimeRoutineGate(int32_t index, ...) {
  va_list ap;
  va_start(ap, index);
  uint64_t result = CallRuntimeRoutineV(index, ap);
  va_end(ap);
  return result;
}

void ExitProgramGate(int32_t code) { ExitProgram(code); }

const GateTable kGates = {
    ReportGate,
    CallDllCommandGate,
    CallCommandGate,  // library commands
    CallCommandGate,
    ReadPropertyGate,
    WritePropertyGate,
    Allocate,
    Reallocate,
    Free,
    ExitProgramGate,
    RunMessageLoop,
    LoadStartupWindow,
    CallRuntimeRoutineGate,
};

// The window of a property access must be loaded, and a kind's own property
// needs the live window object.
PropertyHost& HostForProperty(int32_t window_id, int32_t control_id, int32_t property,
                              const char* not_live_message) {
  if (!g_host || !g_host->IsWindowLoaded(window_id))
    RaiseRuntimeError(0, "未载入欲访问窗口组件所在的窗口", window_id, control_id);
  if (property >= kFirstKindProperty && !g_host->HasLiveWindow(window_id))
    RaiseRuntimeError(0, not_live_message, window_id, control_id);
  return *g_host;
}

}  // namespace

const GateTable& Gates() { return kGates; }

TypedValue CallCommandArray(Command command, int32_t count, TypedValue* args) {
  if (!command) return TypedValue{0, 0, 0};
  return InvokeCommand(command, count < 0 ? 0 : count, args);
}

uint64_t ReadPropertyGate(int32_t window_id, int32_t control_id, int32_t property, int32_t member) {
  return HostForProperty(window_id, control_id, property, "读取组件属性时发现指定窗口尚未载入")
      .ReadProperty(window_id, control_id, property, member);
}

void WritePropertyGate(int32_t window_id, int32_t control_id, int32_t property, int32_t member,
                       uint32_t value_lo, uint32_t value_hi) {
  HostForProperty(window_id, control_id, property, "修改组件属性时发现指定窗口尚未载入")
      .WriteProperty(window_id, control_id, property, member,
                     (uint64_t(value_hi) << 32) | value_lo);
}

void SetPropertyHost(PropertyHost* host) { g_host = host; }
PropertyHost* CurrentPropertyHost() { return g_host; }

void SetStartupHooks(const StartupHooks& hooks) { g_hooks = hooks; }

void ExitProgram(int32_t code) {
  if (g_hooks.exit_program) g_hooks.exit_program(code);
  // An exit routine that ends the program again ends it at once.
  if (!g_exiting && platform::IsMainThread()) {
    g_exiting = true;
    RunExitRoutines();
  }
  platform::EndProcess(code);
}

void RunMessageLoop() {
  if (g_hooks.run_message_loop) g_hooks.run_message_loop();
}

void LoadStartupWindow(int32_t window_id) {
  if (g_hooks.load_startup_window) {
    g_hooks.load_startup_window(window_id);
    return;
  }
  RaiseRuntimeError(0, "载入启动窗口失败", window_id, 0);
}

}  // namespace talv
