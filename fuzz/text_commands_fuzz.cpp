// Drives FindText, ReplaceText and MidText with arbitrary texts, positions,
// counts and flags through the command gate, and checks what the results
// must satisfy: positions inside the text at a real match, MidText equal to
// the byte range it names, and ReplaceText agreeing with FindText about
// where the first replacement goes.
//
// Input: one flag byte, three little-endian 32-bit integers, then the text,
// the sought text and the replacement separated by NUL bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "runtime/commands/text_commands.h"
#include "runtime/core/command_call.h"
#include "runtime/core/heap.h"
#include "runtime/core/typed_value.h"

using namespace talv;

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

int32_t ReadInt(const uint8_t* p) {
  return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                 uint32_t(p[3]) << 24);
}

uint8_t Fold(uint8_t c) { return (c >= 'A' && c <= 'Z') ? uint8_t(c + 32) : c; }

bool SameBytes(const char* a, const char* b, size_t n, bool ignore_case) {
  for (size_t i = 0; i < n; ++i) {
    uint8_t x = uint8_t(a[i]), y = uint8_t(b[i]);
    if (x != y && !(ignore_case && Fold(x) == Fold(y))) return false;
  }
  return true;
}

std::string TakeText(const TypedValue& result) {
  char* text = static_cast<char*>(AsPointer(result));
  if (!text) return std::string();
  Check(text[0] != '\0');  // no allocated empty texts
  std::string bytes(text);
  Free(text);
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 13) return 0;
  const uint8_t flags = data[0];
  const int32_t start = ReadInt(data + 1);
  const int32_t number = ReadInt(data + 5);
  const int32_t mid_start = ReadInt(data + 9);

  std::string rest(reinterpret_cast<const char*>(data + 13), size - 13);
  std::string parts[3];
  for (int i = 0, from = 0; i < 3 && size_t(from) <= rest.size(); ++i) {
    size_t end = rest.find('\0', from);
    if (end == std::string::npos) end = rest.size();
    parts[i] = rest.substr(from, end - from);
    from = int(end + 1);
  }
  const std::string& text = parts[0];
  const std::string& sought = parts[1];
  const std::string& replacement = parts[2];
  auto text_arg = [](const std::string& s) { return TextValue(s.empty() ? nullptr : s.c_str()); };

  const bool start_present = flags & 1;
  const bool ignore_case = flags & 2;
  const bool number_present = flags & 4;
  const bool replacement_present = flags & 8;
  const int32_t s = start_present ? (start < 1 ? 0 : start - 1) : 0;

  // FindText
  TypedValue find_args[4] = {text_arg(text), text_arg(sought),
                             start_present ? IntValue(start) : Omitted(),
                             ignore_case ? BoolValue(true) : Omitted()};
  const int32_t found = AsInt(InvokeCommand(FindText, 4, find_args));
  Check(found == -1 || (found >= 1 && size_t(found) <= text.size()));
  if (sought.empty()) {
    // The empty sought text is found at 1 whenever the searched range is
    // not empty, whatever the start.
    Check(found == (size_t(s) < text.size() ? 1 : -1));
  } else if (found > 0) {
    Check(size_t(found - 1) >= size_t(s));
    Check(size_t(found - 1) + sought.size() <= text.size());
    Check(SameBytes(text.data() + found - 1, sought.data(), sought.size(), ignore_case));
  }

  // ReplaceText with the same start and case rule: the bytes before the
  // first match are kept and the replacement follows them; no match leaves
  // the text as it was.
  TypedValue replace_args[6] = {text_arg(text),
                                text_arg(sought),
                                replacement_present ? text_arg(replacement) : Omitted(),
                                start_present ? IntValue(start) : Omitted(),
                                number_present ? IntValue(number) : Omitted(),
                                ignore_case ? Omitted() : BoolValue(true)};
  const std::string replaced = TakeText(InvokeCommand(ReplaceText, 6, replace_args));
  const bool limit_zero = number_present && number == 0;
  if (found == -1 || sought.empty() || limit_zero) {
    Check(replaced == text);
  } else {
    const std::string& with = replacement_present ? replacement : std::string();
    Check(replaced.compare(0, size_t(found - 1), text, 0, size_t(found - 1)) == 0);
    Check(replaced.compare(size_t(found - 1), with.size(), with) == 0);
  }

  // MidText equals the byte range it names.
  TypedValue mid_args[3] = {text_arg(text), IntValue(mid_start), IntValue(number)};
  const std::string mid = TakeText(InvokeCommand(MidText, 3, mid_args));
  const int64_t offset = int64_t(mid_start) - 1;
  if (offset < 0 || offset >= int64_t(text.size()) || number <= 0) {
    Check(mid.empty());
  } else {
    Check(mid == text.substr(size_t(offset), size_t(number)));
  }
  return 0;
}
