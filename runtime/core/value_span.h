// Where a typed value's data lies: the widths of the numeric types and the
// bytes that stand for a value when a command treats it as raw data (byte
// arrays, files, text built from bytes). Portable.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/core/typed_value.h"

namespace talv {

// 1, 2, 4 or 8 for the six numeric types (byte, short integer, integer, long
// integer, float, double); 0 for every other code, arrays included.
size_t NumericTypeWidth(uint32_t code);

struct DataSpan {
  const uint8_t* data;  // null when the value has no data
  size_t length;
};

// The address and byte length of a value's data:
//  - numeric types: the value field itself, 1, 2, 4 or 8 bytes (the record
//    keeps the number little-endian in its low bytes);
//  - logical and subroutine pointer: the 4 bytes of the low word;
//  - date-time and the 8-byte basic type: all 8 bytes;
//  - text: the characters and their terminating NUL (length + 1); the empty
//    (null) text is its lone NUL, one byte;
//  - byte array: the payload and its byte count ({null, 0} when empty);
//  - anything else (arrays, references, user and library types): {null, 0}.
// The span points into `value` or into the block it refers to, so it lives
// as long as they do.
DataSpan ValueDataSpan(const TypedValue& value);

}  // namespace talv
