// Text commands. All of them work on bytes; the find and replace walks step
// one byte for a byte below 0x80 and two bytes for a byte of 0x80 or more
// (a GBK lead byte), so a match never starts on a trailing byte. A lead byte
// directly before the NUL ends the walk.
#include "runtime/commands/text_commands.h"

#include <cstring>

#include "runtime/core/argument_access.h"
#include "runtime/core/blocks.h"
#include "runtime/core/heap.h"

namespace talv {
namespace {

int64_t Length(const char* text) { return text ? int64_t(std::strlen(text)) : 0; }

void SetText(TypedValue* result, char* text) {
  SetPointer(*result, text);
  result->type = TypeCode::Text;
}

// A copy of `n` bytes at `offset`, or null for none.
void SetPart(TypedValue* result, const char* text, int64_t offset, int64_t n) {
  SetText(result, n > 0 ? NewText(text + offset, size_t(n)) : nullptr);
}

uint8_t FoldAsciiUpper(uint8_t c) { return (c >= 'A' && c <= 'Z') ? uint8_t(c + ('a' - 'A')) : c; }

// Compares m bytes; with ignore_case, A-Z equal a-z on every byte, the
// trailing bytes of double-byte characters included.
bool Matches(const uint8_t* at, const uint8_t* sought, int64_t m, bool ignore_case) {
  if (!ignore_case) return std::memcmp(at, sought, size_t(m)) == 0;
  for (int64_t i = 0; i < m; ++i) {
    if (at[i] != sought[i] && FoldAsciiUpper(at[i]) != FoldAsciiUpper(sought[i])) return false;
  }
  return true;
}

// Bytes of the character at p, or 0 when a lead byte stands before the NUL
// (the walk ends there).
int64_t CharacterWidth(const uint8_t* text, int64_t p) {
  if (text[p] < 0x80) return 1;
  return text[p + 1] == 0 ? 0 : 2;
}

// A start argument (1-based) as an offset, raised to 0 when it lies before
// the text; an absent start is the beginning.
int64_t StartOffset(int32_t count, TypedValue* args, int32_t index) {
  if (!args::Present(count, args, index)) return 0;
  int64_t s = int64_t(args::Integer(args::At(count, args, index))) - 1;
  return s < 0 ? 0 : s;
}

struct ReplaceRequest {
  const uint8_t* text;
  int64_t length;
  const uint8_t* sought;
  int64_t sought_length;
  const char* replacement;
  int64_t replacement_length;
  int64_t start;
  int64_t limit;  // replacements left; negative: no limit
  bool ignore_case;
};

// Runs the replacing walk; writes into `out` when it is not null and
// returns the length of the output either way, so the caller can size the
// result exactly with a first pass.
size_t ReplaceWalk(const ReplaceRequest& r, char* out) {
  size_t written = 0;
  auto put = [&](const void* bytes, int64_t n) {
    if (n <= 0) return;
    if (out) std::memcpy(out + written, bytes, size_t(n));
    written += size_t(n);
  };
  put(r.text, r.start);
  int64_t p = r.start;
  int64_t limit = r.limit;
  while (r.length - p >= r.sought_length) {
    if (Matches(r.text + p, r.sought, r.sought_length, r.ignore_case)) {
      put(r.replacement, r.replacement_length);
      p += r.sought_length;
      if (limit > 0 && --limit == 0) break;
      continue;
    }
    int64_t width = CharacterWidth(r.text, p);
    if (width == 0) break;
    put(r.text + p, width);
    p += width;
  }
  put(r.text + p, r.length - p);
  return written;
}

}  // namespace

void TextLength(TypedValue* result, int32_t count, TypedValue* args) {
  SetInt(*result, int32_t(Length(args::Text(args::At(count, args, 0)))));
  result->type = TypeCode::Int;
}

void LeftText(TypedValue* result, int32_t count, TypedValue* args) {
  const char* text = args::Text(args::At(count, args, 0));
  int64_t n = args::Integer(args::At(count, args, 1));
  int64_t length = Length(text);
  SetPart(result, text, 0, n < length ? n : length);
}

void RightText(TypedValue* result, int32_t count, TypedValue* args) {
  const char* text = args::Text(args::At(count, args, 0));
  int64_t n = args::Integer(args::At(count, args, 1));
  int64_t length = Length(text);
  if (n > length) n = length;
  SetPart(result, text, length - (n > 0 ? n : 0), n);
}

void MidText(TypedValue* result, int32_t count, TypedValue* args) {
  const char* text = args::Text(args::At(count, args, 0));
  int64_t s = int64_t(args::Integer(args::At(count, args, 1))) - 1;
  int64_t n = args::Integer(args::At(count, args, 2));
  int64_t length = Length(text);
  if (s < 0 || s >= length || n <= 0) {
    SetText(result, nullptr);
    return;
  }
  if (s + n > length) n = length - s;
  SetPart(result, text, s, n);
}

void FindText(TypedValue* result, int32_t count, TypedValue* args) {
  const auto* text = reinterpret_cast<const uint8_t*>(args::Text(args::At(count, args, 0)));
  const char* sought = args::Text(args::At(count, args, 1));
  const int64_t length = Length(reinterpret_cast<const char*>(text));
  const int64_t m = Length(sought);
  const int64_t s = StartOffset(count, args, 2);
  // Only exactly 1 asks for the case-blind comparison.
  const bool ignore_case =
      args::Present(count, args, 3) && args::Integer(args::At(count, args, 3)) == 1;

  int64_t found = -1;
  if (s < length) {
    if (m == 0) {
      found = 1;
    } else {
      for (int64_t p = s; length - p >= m;) {
        if (Matches(text + p, reinterpret_cast<const uint8_t*>(sought), m, ignore_case)) {
          found = p + 1;
          break;
        }
        int64_t width = CharacterWidth(text, p);
        if (width == 0) break;
        p += width;
      }
    }
  }
  SetInt(*result, int32_t(found));
  result->type = TypeCode::Int;
}

void ReplaceText(TypedValue* result, int32_t count, TypedValue* args) {
  const char* text = args::Text(args::At(count, args, 0));
  const char* sought = args::Text(args::At(count, args, 1));
  const char* replacement = args::Text(args::At(count, args, 2));

  ReplaceRequest r;
  r.text = reinterpret_cast<const uint8_t*>(text);
  r.length = Length(text);
  r.sought = reinterpret_cast<const uint8_t*>(sought);
  r.sought_length = Length(sought);
  r.replacement = replacement;
  r.replacement_length = Length(replacement);
  r.start = StartOffset(count, args, 3);
  r.limit = args::Present(count, args, 4) ? args::Integer(args::At(count, args, 4)) : -1;
  // The last argument asks for a case-sensitive comparison: absent or 0
  // ignores case.
  r.ignore_case =
      !args::Present(count, args, 5) || args::Integer(args::At(count, args, 5)) == 0;

  if (r.length == 0 || r.sought_length == 0 || r.start >= r.length || r.limit == 0) {
    SetText(result, NewText(text));
    return;
  }
  const size_t length = ReplaceWalk(r, nullptr);
  if (length == 0) {
    SetText(result, nullptr);
    return;
  }
  char* out = static_cast<char*>(Allocate(length + 1));
  ReplaceWalk(r, out);
  out[length] = '\0';
  SetText(result, out);
}

}  // namespace talv
