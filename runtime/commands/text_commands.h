// Text commands: length, left, right and middle parts, find and replace.
// Positions and counts are byte counts, positions count from 1. Only
// FindText and ReplaceText step over GBK double-byte characters; the others
// may cut one in half. Returned texts are fresh runtime blocks owned by the
// caller, null when empty.
#pragma once

#include "runtime/core/typed_value.h"

namespace talv {

// (text) -> integer: bytes before the NUL.
void TextLength(TypedValue* result, int32_t count, TypedValue* args);
// (text, integer n) -> text: the first n bytes.
void LeftText(TypedValue* result, int32_t count, TypedValue* args);
// (text, integer n) -> text: the last n bytes.
void RightText(TypedValue* result, int32_t count, TypedValue* args);
// (text, integer start, integer n) -> text: n bytes from byte position start.
void MidText(TypedValue* result, int32_t count, TypedValue* args);
// (text, sought, [integer start], [logical ignore case]) -> integer: the
// position of the first occurrence at a character boundary, or -1.
void FindText(TypedValue* result, int32_t count, TypedValue* args);
// (text, sought, [replacement], [integer start], [integer replacements],
//  [logical case-sensitive]) -> text. Case is ignored unless the last
// argument is present and non-zero.
void ReplaceText(TypedValue* result, int32_t count, TypedValue* args);

}  // namespace talv
