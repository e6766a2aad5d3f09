// The service entry through which commands reach the runtime core: a
// service code and two arguments, one result. Arguments and result are
// pointer-sized (32-bit on the target).
#pragma once

#include <cstdint>

#include "runtime/core/typed_value.h"

namespace talv {

namespace ServiceCode {
constexpr int32_t ToInteger = 2001;         // (const TypedValue*) -> int32
constexpr int32_t ProgramDirectory = 2003;  // -> const char* (kept by the runtime)
constexpr int32_t FindObject = 2006;        // (Window id, Control id) -> object or null
constexpr int32_t RequireObject = 2007;     // as 2006; none is a runtime error
constexpr int32_t PlaySound = 2015;         // the sound service's (set by its owner)
constexpr int32_t DispatchMessages = 2018;  // the message loop's (set by its owner)
constexpr int32_t Allocate = 2024;          // (bytes, 0: Allocate / else TryAllocate)
constexpr int32_t Free = 2025;              // (block)
constexpr int32_t Reallocate = 2026;        // (block, bytes)
constexpr int32_t ReportError = 2027;       // (message text): code-0 runtime error
constexpr int32_t ExitProgram = 2028;       // (exit code)
}  // namespace ServiceCode

intptr_t CommandService(int32_t code, intptr_t arg1, intptr_t arg2);

// Services that other parts own (sound playback 2015, dispatching pending
// messages 2018, and the window runtime's own codes) are registered by them.
// An unregistered code answers 0. The built-in codes above cannot be
// replaced.
using ServiceHandler = intptr_t (*)(intptr_t arg1, intptr_t arg2);
void SetServiceHandler(int32_t code, ServiceHandler handler);  // null removes it

// Service 2001: a numeric typed value as a 32-bit integer. Integers keep
// their low 32 bits; floats and doubles are truncated toward zero, NaN gives
// 0 and values beyond the integer range give its nearest end. Any other type
// is the runtime error "欲转换数据类型不是数值".
int32_t NumericToInt32(const TypedValue& value);

}  // namespace talv
