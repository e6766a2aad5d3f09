// The command that sets the folder where DLL commands look for their
// libraries first.
#pragma once

#include "runtime/core/typed_value.h"

namespace talv {

// SetDllCommandDirectory([text]): returns a copy of the current DLL-command
// directory (null when empty), then sets it to the argument (empty when the
// argument is absent) with a backslash appended when the new text is not
// empty and does not end with one.
void SetDllCommandDirectory(TypedValue* result, int32_t count, TypedValue* args);

}  // namespace talv
