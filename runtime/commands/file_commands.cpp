// The portable file commands: the kept program directory and the length of
// a byte array.
#include "runtime/commands/file_commands.h"

#include "runtime/core/argument_access.h"
#include "runtime/core/blocks.h"
#include "runtime/core/program_directory.h"

namespace talv {

void GetRunDirectory(TypedValue* result, int32_t count, TypedValue* args) {
  SetPointer(*result, NewText(ProgramDirectory()));
  result->type = TypeCode::Text;
}

void ByteArrayLength(TypedValue* result, int32_t count, TypedValue* args) {
  const void* block = args::Bytes(args::At(count, args, 0));
  SetInt(*result, int32_t(talv::ByteArrayLength(block)));
  result->type = TypeCode::Int;
}

}  // namespace talv
