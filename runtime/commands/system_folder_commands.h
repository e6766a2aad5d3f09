// The directory of a system folder (documents, desktop, fonts, temporary
// files …) as a text that always ends in a backslash.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/core/command_codes.h"
#include "runtime/core/typed_value.h"

namespace talv {

// GetSpecialFolder(integer folder code: a SpecialFolder) -> text. The folder's directory
// ending in "\"; the empty text for an unknown code, an omitted or
// non-numeric argument, or a failing system call.
void GetSpecialFolder(TypedValue* result, int32_t count, TypedValue* args);

// A fresh text of the `length` bytes of `path` with "\" appended unless the
// path already ends in one (a GBK character whose second byte is 0x5C is not
// a separator); null for an empty path. The text is built at its
// own size, so a path of any length (259 bytes from a 260-byte buffer too)
// gets its separator without running past a buffer.
char* NewFolderText(const char* path, size_t length);

}  // namespace talv
