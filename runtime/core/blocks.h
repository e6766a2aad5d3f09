// Text, byte-array and array blocks on the runtime heap. The empty text and
// the empty byte array are null pointers: no function here returns an
// allocated empty block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "runtime/core/heap.h"

namespace talv {

// A fresh NUL-terminated copy of `length` bytes; null when length is 0.
inline char* NewText(const char* bytes, size_t length) {
  if (length == 0) return nullptr;
  char* text = static_cast<char*>(Allocate(length + 1));
  std::memcpy(text, bytes, length);
  text[length] = '\0';
  return text;
}
inline char* NewText(const char* text) { return text ? NewText(text, std::strlen(text)) : nullptr; }
inline size_t TextLength(const char* text) { return text ? std::strlen(text) : 0; }

// Byte-array block: 32-bit dimension count (1), 32-bit byte count, bytes.
constexpr size_t kByteArrayHeader = 8;
// Makes the kByteArrayHeader + length bytes at `block` a byte array of the
// `length` bytes at `bytes` (left as they are when null); returns the block.
inline uint8_t* FillByteArray(void* block, const void* bytes, size_t length) {
  auto* b = static_cast<uint8_t*>(block);
  uint32_t header[2] = {1, uint32_t(length)};
  std::memcpy(b, header, sizeof header);
  if (bytes) std::memcpy(b + kByteArrayHeader, bytes, length);
  return b;
}
inline uint8_t* NewByteArray(const void* bytes, size_t length) {
  if (length == 0) return nullptr;
  return FillByteArray(Allocate(kByteArrayHeader + length), bytes, length);
}
inline size_t ByteArrayLength(const void* block) {
  if (!block) return 0;
  uint32_t count;
  std::memcpy(&count, static_cast<const uint8_t*>(block) + 4, 4);
  return count;
}
inline const uint8_t* ByteArrayData(const void* block) {
  return block ? static_cast<const uint8_t*>(block) + kByteArrayHeader : nullptr;
}
inline uint8_t* ByteArrayData(void* block) {
  return block ? static_cast<uint8_t*>(block) + kByteArrayHeader : nullptr;
}

// Array block: 32-bit dimension count n, n dimension sizes, then elements.
// The commands read one-dimensional blocks: count 1, one size, elements.
struct ArrayView {
  const uint8_t* elements;
  size_t count;
};
inline ArrayView OneDimensionalArray(const void* block) {
  if (!block) return {nullptr, 0};
  const auto* b = static_cast<const uint8_t*>(block);
  uint32_t size;
  std::memcpy(&size, b + 4, 4);
  return {b + 8, size};
}

}  // namespace talv
