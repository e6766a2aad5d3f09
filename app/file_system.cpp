// What the two platform files of file_system.h share: the test faults, the
// temporary names and the folder part of a path.
#include "app/file_system.h"

#include <cstdlib>
#include <string>

namespace talv::app {
namespace {

struct Faults {
  size_t after = SIZE_MAX;
  bool after_ends_process = false;
  bool atomic_refused = false;
  bool removal_ends_process = false;
};
Faults& TheFaults() {
  static Faults faults;
  return faults;
}

}  // namespace

void SetReplaceFileFaultAfter(size_t bytes, bool end_process) {
  TheFaults().after = bytes;
  TheFaults().after_ends_process = end_process;
}

void SetAtomicReplaceRefused(bool refused, bool end_process) {
  TheFaults().atomic_refused = refused;
  TheFaults().removal_ends_process = end_process;
}

namespace file_faults {

size_t AllowedBytes(size_t done, size_t wanted) {
  const Faults& f = TheFaults();
  if (f.after == SIZE_MAX) return wanted;
  if (done >= f.after) {
    // As a kill in the middle of the write would: no clean-up of any kind.
    if (f.after_ends_process) std::_Exit(3);
    return 0;
  }
  return wanted < f.after - done ? wanted : f.after - done;
}

bool AtomicReplaceRefused() { return TheFaults().atomic_refused; }

void OldFileRemoved() {
  if (TheFaults().removal_ends_process) std::_Exit(3);
}

}  // namespace file_faults

std::string TemporaryName(const char* path, const char* ending) {
  return std::string(path) + "." + std::to_string(ProcessNumber()) + ending;
}

std::string FolderOf(const std::string& path) {
  const size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

}  // namespace talv::app
