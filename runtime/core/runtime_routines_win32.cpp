// The file search of runtime routines 0 and 1 on the target.
#include <windows.h>

#include "runtime/core/blocks.h"
#include "runtime/core/runtime_routines.h"

namespace talv::platform {
namespace {
HANDLE g_search = INVALID_HANDLE_VALUE;
}  // namespace

bool FileSearchNext(const char* pattern, char** name, uint32_t* attributes) {
  WIN32_FIND_DATAA found;
  if (pattern) {
    FileSearchClose();
    g_search = FindFirstFileA(pattern, &found);
    if (g_search == INVALID_HANDLE_VALUE) return false;
  } else {
    if (g_search == INVALID_HANDLE_VALUE) return false;
    if (!FindNextFileA(g_search, &found)) {
      FileSearchClose();
      return false;
    }
  }
  *name = NewText(found.cFileName);
  *attributes = found.dwFileAttributes;
  return *name != nullptr;
}

void FileSearchClose() {
  if (g_search != INVALID_HANDLE_VALUE) FindClose(g_search);
  g_search = INVALID_HANDLE_VALUE;
}

}  // namespace talv::platform
