#include "runtime/commands/dll_directory_commands.h"

#include <string>

#include "runtime/core/blocks.h"
#include "runtime/core/dll_commands.h"

namespace talv {
namespace {

// Whether a GBK text ends with a backslash character. A backslash byte that
// is the second byte of a double-byte character does not count.
bool EndsWithBackslash(const std::string& text) {
  bool last_is_backslash = false;
  for (size_t i = 0; i < text.size(); ++i) {
    auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x81 && byte <= 0xFE && i + 1 < text.size()) {
      ++i;
      last_is_backslash = false;
    } else {
      last_is_backslash = byte == '\\';
    }
  }
  return last_is_backslash;
}

}  // namespace

void SetDllCommandDirectory(TypedValue* result, int32_t count, TypedValue* args) {
  const std::string& current = DllCommandDirectory();
  char* previous = NewText(current.data(), current.size());

  std::string next;
  if (count >= 1 && args[0].type == TypeCode::Text && AsText(args[0])) next = AsText(args[0]);
  if (!next.empty() && !EndsWithBackslash(next)) next += '\\';
  SetDllCommandDirectoryText(next);

  *result = TextValue(previous);
}

}  // namespace talv
