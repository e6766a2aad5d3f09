// Calling a command: a zeroed 12-byte result record, the command called with
// (result, count, arguments in place), the record returned. This is the body
// of the command gate; the gate table wraps it for the application.
#pragma once

#include "runtime/core/typed_value.h"

namespace talv {

inline TypedValue InvokeCommand(Command command, int32_t count, TypedValue* args) {
  TypedValue result{0, 0, 0};
  command(&result, count, args);
  return result;
}

}  // namespace talv
