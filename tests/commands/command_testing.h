// Calling commands through the command gate as the application does, and
// taking their results (freeing each block after it is read).
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "runtime/core/blocks.h"
#include "runtime/core/command_call.h"
#include "runtime/core/heap.h"
#include "runtime/core/typed_value.h"

namespace talv::testing {

inline TypedValue Call(Command command, std::initializer_list<TypedValue> arguments) {
  std::vector<TypedValue> args(arguments);
  return InvokeCommand(command, int32_t(args.size()), args.empty() ? nullptr : args.data());
}

// A text result as bytes, its block freed. The empty text must arrive as
// null, never as an allocated empty block.
inline std::string TakeText(const TypedValue& result) {
  const char* text = AsText(result);
  if (!text) return std::string();
  EXPECT_NE(text[0], '\0') << "an allocated empty text";
  std::string bytes(text);
  Free(const_cast<char*>(text));
  return bytes;
}

inline std::string CallText(Command command, std::initializer_list<TypedValue> arguments) {
  return TakeText(Call(command, arguments));
}

inline int32_t CallInt(Command command, std::initializer_list<TypedValue> arguments) {
  return AsInt(Call(command, arguments));
}

inline double CallDouble(Command command, std::initializer_list<TypedValue> arguments) {
  return AsDouble(Call(command, arguments));
}

// A byte array result as bytes, its block freed; null for the empty array.
inline std::string TakeBytes(const TypedValue& result) {
  void* block = AsPointer(result);
  if (!block) return std::string();
  EXPECT_GT(ByteArrayLength(block), 0u) << "an allocated empty byte array";
  std::string bytes(reinterpret_cast<const char*>(ByteArrayData(block)), ByteArrayLength(block));
  Free(block);
  return bytes;
}

}  // namespace talv::testing
