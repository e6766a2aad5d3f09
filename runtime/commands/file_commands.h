// File and settings-file commands: the program's directory, whole files as
// byte arrays, and items of sectioned key=value settings files through the
// platform's private-profile functions. GetRunDirectory and ByteArrayLength
// are portable; the others exist in the target build only.
#pragma once

#include "runtime/core/typed_value.h"

namespace talv {

// () -> text: the program's directory without a trailing backslash.
void GetRunDirectory(TypedValue* result, int32_t count, TypedValue* args);
// (byte array) -> integer: its byte count, 0 for the empty byte array.
void ByteArrayLength(TypedValue* result, int32_t count, TypedValue* args);

// (text file name) -> byte array: the whole file; empty on any failure.
// Other writers are denied while it reads.
void ReadFileBytes(TypedValue* result, int32_t count, TypedValue* args);
// (text file name, byte array, ...) -> logical: the file created or
// truncated, opened exclusively, and every array written back to back.
void WriteFileBytes(TypedValue* result, int32_t count, TypedValue* args);
// (text file, text section, text item, [text default]) -> text. Leading
// bytes of 0x20 or less are skipped in the first three; if one is then
// empty the result is empty, default or not.
void ReadSettingsItem(TypedValue* result, int32_t count, TypedValue* args);
// (text file, text section, [text item], [text value]) -> logical. An
// omitted value removes the item, an omitted item the whole section.
void WriteSettingsItem(TypedValue* result, int32_t count, TypedValue* args);

// Buffer of ReadSettingsItem: longer values are cut to one byte less.
constexpr int kSettingsValueBuffer = 10240;

}  // namespace talv
