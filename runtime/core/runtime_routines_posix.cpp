// The file search of runtime routines 0 and 1 in the native build: the
// pattern's folder (up to its last '\' or '/') is scanned and the names
// matched against the rest with fnmatch. A leading '.' counts as hidden.
#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <string>

#include "runtime/core/blocks.h"
#include "runtime/core/runtime_routines.h"

namespace talv::platform {
namespace {
DIR* g_search = nullptr;
std::string g_folder;
std::string g_pattern;
}  // namespace

bool FileSearchNext(const char* pattern, char** name, uint32_t* attributes) {
  if (pattern) {
    FileSearchClose();
    std::string p = pattern;
    size_t cut = p.find_last_of("\\/");
    g_folder = cut == std::string::npos ? "." : p.substr(0, cut);
    g_pattern = cut == std::string::npos ? p : p.substr(cut + 1);
    g_search = opendir(g_folder.c_str());
  }
  if (!g_search) return false;
  while (dirent* entry = readdir(g_search)) {
    if (fnmatch(g_pattern.c_str(), entry->d_name, 0) != 0) continue;
    struct stat info;
    uint32_t a = 0;
    if (stat((g_folder + "/" + entry->d_name).c_str(), &info) == 0 && S_ISDIR(info.st_mode))
      a |= FileAttribute::Directory;
    if (entry->d_name[0] == '.') a |= FileAttribute::Hidden;
    *name = NewText(entry->d_name);
    *attributes = a;
    return true;
  }
  FileSearchClose();
  return false;
}

void FileSearchClose() {
  if (g_search) closedir(g_search);
  g_search = nullptr;
}

}  // namespace talv::platform
