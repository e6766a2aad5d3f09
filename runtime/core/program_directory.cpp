#include "runtime/core/program_directory.h"

#include <string>

namespace talv {
namespace {
std::string& Directory() {
  static std::string directory;
  return directory;
}
}  // namespace

const char* ProgramDirectory() { return Directory().c_str(); }
void SetProgramDirectory(const char* directory) { Directory() = directory ? directory : ""; }
}  // namespace talv
