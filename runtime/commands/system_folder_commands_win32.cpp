// GetSpecialFolder: shell folders through SHGetSpecialFolderPathA (no owner
// window, never creating the folder), the Windows and system directories
// and the temporary-files directory through their own kernel calls.
#include "runtime/commands/system_folder_commands.h"

#include <windows.h>
#include <shlobj.h>

#include <cmath>
#include <cstring>

#include "runtime/core/argument_access.h"
#include "runtime/core/blocks.h"

namespace talv {
namespace {

// The first argument as an integer; out of range or not a number is 0.
int32_t FolderCode(int32_t count, const TypedValue* args) {
  return talv::args::IntegerOrZero(talv::args::At(count, args, 0));
}

// CSIDL of the shell folders 1-8, in code order.
constexpr int kShellFolders[] = {CSIDL_PERSONAL, CSIDL_FAVORITES, CSIDL_DESKTOPDIRECTORY,
                                 CSIDL_FONTS,    CSIDL_STARTMENU, CSIDL_PROGRAMS,
                                 CSIDL_STARTUP,  CSIDL_APPDATA};

// Fetches the folder's path into `buffer` (MAX_PATH bytes); returns its
// length, 0 on failure. The kernel calls return the needed size when the
// buffer is too small, which counts as a failure here.
size_t FetchFolder(int32_t code, char (&buffer)[MAX_PATH]) {
  buffer[0] = '\0';
  UINT n = 0;
  if (code >= 1 && code <= 8) {
    if (!SHGetSpecialFolderPathA(nullptr, buffer, kShellFolders[code - 1], FALSE)) return 0;
    buffer[MAX_PATH - 1] = '\0';
    return strlen(buffer);
  }
  switch (code) {
    case SpecialFolder::Windows: n = GetWindowsDirectoryA(buffer, MAX_PATH); break;
    case SpecialFolder::System: n = GetSystemDirectoryA(buffer, MAX_PATH); break;
    case SpecialFolder::Temporary: n = GetTempPathA(MAX_PATH, buffer); break;
    default: return 0;
  }
  return (n == 0 || n >= MAX_PATH) ? 0 : n;
}

// Whether the path's last character is a backslash. A GBK double-byte
// character may have 0x5C as its second byte; that byte is not a separator,
// so the path is walked character by character.
bool EndsInSeparator(const char* path, size_t length) {
  bool separator = false;
  for (size_t i = 0; i < length;) {
    if (IsDBCSLeadByte(BYTE(path[i])) && i + 1 < length) {
      separator = false;
      i += 2;
    } else {
      separator = path[i] == '\\';
      i += 1;
    }
  }
  return separator;
}

}  // namespace

char* NewFolderText(const char* path, size_t length) {
  if (!path || length == 0) return nullptr;
  bool appended = !EndsInSeparator(path, length);
  size_t total = length + (appended ? 1 : 0);
  char* text = static_cast<char*>(Allocate(total + 1));
  std::memcpy(text, path, length);
  if (appended) text[length] = '\\';
  text[total] = '\0';
  return text;
}

void GetSpecialFolder(TypedValue* result, int32_t count, TypedValue* args) {
  char buffer[MAX_PATH];
  size_t length = FetchFolder(FolderCode(count, args), buffer);
  SetPointer(*result, NewFolderText(buffer, length));
}

}  // namespace talv
