// The file operations that the calculator's own files need, on both
// platforms: a replacement that a failed or killed save cannot half do, an
// append, a read that tells a missing file from one that cannot be read,
// the size and write time that tell whether a file changed, an exclusive
// lock that every instance honours, and the listing and removal of leftover
// temporary files. The target uses the system's file functions
// (file_system_win32.cpp); the native build has the same behaviour on POSIX
// files (file_system_posix.cpp), so that the logic above them is tested on
// both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace talv::app {

// Replaces the content of `path` by `size` bytes. The bytes go into a new
// file of this process's own, `path` + "." + process id + ".tmp", which is
// flushed to the disk and then renamed over `path` in one step. Where the
// file system refuses that rename, the complete new file is first renamed to
// the same name ending ".new", then `path` is removed and the new file takes
// its name: a save interrupted in between leaves a complete ".new" file,
// which the next start takes (see TapeStore). On any
// failure the temporary file is removed, `path` keeps its old content and
// the result is false.
bool ReplaceFileContents(const char* path, const void* bytes, size_t size);
// `path` + "." + this process's id + `ending` (".tmp" or ".new").
std::string TemporaryName(const char* path, const char* ending);

// Appends `size` bytes to the existing file `path` and flushes them to the
// disk. False when the file is missing or held against writers, or a write
// fails (the bytes written so far stay).
bool AppendFileContents(const char* path, const void* bytes, size_t size);

// Tests make a save fail, as a full disk or a kill would:
//   SetReplaceFileFaultAfter(n)        every write (a new file's, an
//                                      append's) fails after n bytes
//                                      (SIZE_MAX: never);
//   SetReplaceFileFaultAfter(n, true)  the process ends there with exit code 3;
//   SetAtomicReplaceRefused(true)      the one-step rename is refused, as on
//                                      a file system without it; with
//                                      `end_process` the process ends with
//                                      exit code 3 right after the old file
//                                      is removed.
void SetReplaceFileFaultAfter(size_t bytes, bool end_process = false);
void SetAtomicReplaceRefused(bool refused, bool end_process = false);

enum class FileRead {
  Missing,     // no such file (or a folder of that name)
  Read,        // the whole file is in `bytes`
  Unreadable,  // it exists but cannot be read whole: held shut, or too large
};
// The largest file that ReadFileIfPresent reads (a tape larger than this is
// no tape of this program's and is left alone).
constexpr uint64_t kLargestReadFile = 64u << 20;
// Reads the whole file at `path`, letting others go on writing it.
FileRead ReadFileIfPresent(const char* path, std::string* bytes);

// What tells whether a file changed since it was last looked at.
struct FileStamp {
  bool exists = false;
  uint64_t size = 0;
  uint64_t write_time = 0;  // on a scale that only compares
  bool operator==(const FileStamp& o) const {
    return exists == o.exists && size == o.size && write_time == o.write_time;
  }
  bool operator!=(const FileStamp& o) const { return !(*this == o); }
};
FileStamp StampOf(const char* path);
// Up to `count` bytes from the end of the file at `path` (fewer when the
// file is shorter); false when it cannot be read.
bool ReadFileTail(const char* path, size_t count, std::string* bytes);

// Creates the folder `path` when it is missing (not its parents); true when
// it exists afterwards.
bool MakeFolder(const char* path);
// Removes the file `path`; true when it is gone afterwards.
bool RemoveFile(const char* path);
// The files of `folder` whose names begin with `prefix` and end with
// `ending`, as full paths (folder + "\\" + name on the target, "/" natively).
std::vector<std::string> FilesLike(const std::string& folder, const std::string& prefix,
                                   const std::string& ending);
// The folder part of `path` (without the last separator); "" when none.
std::string FolderOf(const std::string& path);

// An exclusive lock on the file `path`, which is created for it and, on the
// target, removed again when the lock is released. Every instance of the
// program takes it before it reads, merges and replaces its files.
struct FileLock {
  enum State { Held, Busy, Unavailable } state = Unavailable;
  intptr_t token = 0;
};
// Tries for up to `timeout_ms`, every 10 ms. Busy: another holder kept it
// all that time; Unavailable: the lock file cannot be created at all (a
// folder that refuses writes).
FileLock LockFile(const char* path, int timeout_ms);
void UnlockFile(FileLock* lock);

// For the two platform files (file_system_win32.cpp, file_system_posix.cpp),
// from file_system.cpp: the test faults, and the process's number for
// TemporaryName.
namespace file_faults {
// How many of the `wanted` bytes at offset `done` of a write may go now; 0
// means the write fails here (the process ends first where a test asks).
size_t AllowedBytes(size_t done, size_t wanted);
bool AtomicReplaceRefused();
// Right after the old file was removed by a replacement in two steps.
void OldFileRemoved();
}  // namespace file_faults
uint32_t ProcessNumber();  // the platform file's

}  // namespace talv::app
