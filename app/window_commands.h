// The window runtime's commands that the calculator calls, by the names the
// runtime gives them (all of the common command signature).
#pragma once

#include "runtime/core/typed_value.h"

namespace talv {
void AppendText(TypedValue* result, int32_t count, TypedValue* args);
void GetEventComponent(TypedValue* result, int32_t count, TypedValue* args);
void SetEventForwarding(TypedValue* result, int32_t count, TypedValue* args);
void ProcessEvents(TypedValue* result, int32_t count, TypedValue* args);
void RepaintNow(TypedValue* result, int32_t count, TypedValue* args);
void MoveComponent(TypedValue* result, int32_t count, TypedValue* args);
void SetInputFocus(TypedValue* result, int32_t count, TypedValue* args);
void GetWindowHandle(TypedValue* result, int32_t count, TypedValue* args);
}  // namespace talv
