// Whole-file reading and writing and settings items, over the ANSI file and
// private-profile functions. Failures show only in the results: an empty
// byte array or text, or false.
#include <windows.h>

#include <cstring>

#include "runtime/core/argument_access.h"
#include "runtime/commands/file_commands.h"
#include "runtime/core/blocks.h"
#include "runtime/core/heap.h"

namespace talv {
namespace {

bool IsEmpty(const char* text) { return !text || !*text; }

// Leading bytes of 0x20 or less (blanks and control characters) skipped;
// GBK bytes are at or above 0x80 and stay.
const char* SkipLeadingBlanks(const char* text) {
  if (!text) return "";
  while (*text && static_cast<unsigned char>(*text) <= 0x20) ++text;
  return text;
}

// A present text argument, the empty text as "", or null when omitted.
const char* PresentTextOrNull(int32_t count, TypedValue* args, int32_t index) {
  if (!args::Present(count, args, index)) return nullptr;
  const char* text = args::Text(args::At(count, args, index));
  return text ? text : "";
}

bool WriteAll(HANDLE file, const uint8_t* data, size_t length) {
  while (length > 0) {
    DWORD piece = length > 0x40000000 ? 0x40000000 : DWORD(length);
    DWORD written = 0;
    if (!WriteFile(file, data, piece, &written, nullptr) || written == 0) return false;
    data += written;
    length -= written;
  }
  return true;
}

void SetBytes(TypedValue* result, void* block) {
  SetPointer(*result, block);
  result->type = TypeCode::Bytes;
}

}  // namespace

void ReadFileBytes(TypedValue* result, int32_t count, TypedValue* args) {
  SetBytes(result, nullptr);
  const char* name = args::Text(args::At(count, args, 0));
  if (IsEmpty(name)) return;

  HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  LARGE_INTEGER size;
  // A byte array counts its bytes in 32 bits, and no larger file could be
  // held in the target's address space anyway.
  if (!GetFileSizeEx(file, &size) || size.QuadPart <= 0 || size.QuadPart > 0x7FFFFFFF) {
    CloseHandle(file);
    return;
  }
  const size_t wanted = size_t(size.QuadPart);
  auto* block = static_cast<uint8_t*>(NewByteArray(nullptr, wanted));
  uint8_t* data = ByteArrayData(block);
  size_t got = 0;
  bool failed = false;
  while (got < wanted) {
    DWORD piece = 0;
    if (!ReadFile(file, data + got, DWORD(wanted - got), &piece, nullptr)) {
      failed = true;
      break;
    }
    if (piece == 0) break;  // the file became shorter since its size was taken
    got += piece;
  }
  CloseHandle(file);
  if (failed || got == 0) {
    Free(block);
    return;
  }
  if (got < wanted) {
    block = static_cast<uint8_t*>(Reallocate(block, kByteArrayHeader + got));
    uint32_t length = uint32_t(got);
    std::memcpy(block + 4, &length, 4);
  }
  SetBytes(result, block);
}

void WriteFileBytes(TypedValue* result, int32_t count, TypedValue* args) {
  SetBool(*result, false);
  result->type = TypeCode::Bool;
  const char* name = args::Text(args::At(count, args, 0));
  if (IsEmpty(name)) return;

  // No sharing: a file that anyone else holds open is refused, and nobody
  // can open it while it is being written.
  HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  bool ok = true;
  for (int32_t i = 1; i < count && ok; ++i) {
    const void* block = args::Bytes(args::At(count, args, i));
    ok = WriteAll(file, ByteArrayData(block), talv::ByteArrayLength(block));
  }
  if (!CloseHandle(file)) ok = false;
  SetBool(*result, ok);
}

void ReadSettingsItem(TypedValue* result, int32_t count, TypedValue* args) {
  SetPointer(*result, nullptr);
  result->type = TypeCode::Text;
  const char* file = SkipLeadingBlanks(args::Text(args::At(count, args, 0)));
  const char* section = SkipLeadingBlanks(args::Text(args::At(count, args, 1)));
  const char* item = SkipLeadingBlanks(args::Text(args::At(count, args, 2)));
  if (!*file || !*section || !*item) return;
  const char* fallback = args::Text(args::At(count, args, 3));

  char buffer[kSettingsValueBuffer];
  DWORD length = GetPrivateProfileStringA(section, item, fallback ? fallback : "", buffer,
                                          sizeof buffer, file);
  if (length >= sizeof buffer) length = sizeof buffer - 1;
  SetPointer(*result, NewText(buffer, length));
}

void WriteSettingsItem(TypedValue* result, int32_t count, TypedValue* args) {
  const char* file = args::Text(args::At(count, args, 0));
  const char* section = args::Text(args::At(count, args, 1));
  BOOL ok = WritePrivateProfileStringA(section ? section : "",
                                       PresentTextOrNull(count, args, 2),
                                       PresentTextOrNull(count, args, 3), file ? file : "");
  SetBool(*result, ok != FALSE);
  result->type = TypeCode::Bool;
}

}  // namespace talv
