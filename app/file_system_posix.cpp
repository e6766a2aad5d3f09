// The native build's files, with the behaviour of the target's: the
// replacement, the lock (flock) and the rest are tested on both platforms.
// The calculator writes its paths with the system's "\\"; here they are
// POSIX paths, each "\\" a "/".
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/file_system.h"

namespace talv::app {
namespace {

std::string Native(const std::string& path) {
  std::string out = path;
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

bool WriteAll(int fd, const uint8_t* bytes, size_t size) {
  size_t done = 0;
  while (done < size) {
    const size_t chunk = file_faults::AllowedBytes(done, size - done);
    if (chunk == 0) return false;
    const ssize_t n = write(fd, bytes + done, chunk);
    if (n <= 0) return false;
    done += size_t(n);
  }
  return true;
}

bool IsFile(const char* path) {
  struct stat info;
  return stat(Native(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool PutInPlace(const std::string& fresh, const char* path) {
  if (!file_faults::AtomicReplaceRefused() && rename(Native(fresh).c_str(), Native(path).c_str()) == 0) return true;
  const std::string complete = TemporaryName(path, ".new");
  if (rename(Native(fresh).c_str(), Native(complete).c_str()) != 0) return false;
  if (IsFile(path) && unlink(Native(path).c_str()) != 0) {
    unlink(Native(complete).c_str());
    return false;
  }
  file_faults::OldFileRemoved();
  return rename(Native(complete).c_str(), Native(path).c_str()) == 0;
}

}  // namespace

uint32_t ProcessNumber() { return uint32_t(getpid()); }

bool ReplaceFileContents(const char* path, const void* bytes, size_t size) {
  const std::string fresh = TemporaryName(path, ".tmp");
  const int fd = open(Native(fresh).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, static_cast<const uint8_t*>(bytes), size);
  ok = fsync(fd) == 0 && ok;
  ok = close(fd) == 0 && ok;
  if (ok) ok = PutInPlace(fresh, path);
  if (!ok) unlink(Native(fresh).c_str());
  return ok;
}

bool AppendFileContents(const char* path, const void* bytes, size_t size) {
  if (!IsFile(path)) return false;
  const int fd = open(Native(path).c_str(), O_WRONLY | O_APPEND);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, static_cast<const uint8_t*>(bytes), size);
  ok = fsync(fd) == 0 && ok;
  ok = close(fd) == 0 && ok;
  return ok;
}

FileRead ReadFileIfPresent(const char* path, std::string* bytes) {
  bytes->clear();
  struct stat info;
  if (stat(Native(path).c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return FileRead::Missing;
  const int fd = open(Native(path).c_str(), O_RDONLY);
  if (fd < 0) return FileRead::Unreadable;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || uint64_t(info.st_size) > kLargestReadFile) {
    close(fd);
    return FileRead::Unreadable;
  }
  bytes->reserve(size_t(info.st_size));
  char buffer[65536];
  ssize_t n;
  bool ok = true;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) {
    bytes->append(buffer, size_t(n));
    if (bytes->size() > kLargestReadFile) {
      ok = false;
      break;
    }
  }
  close(fd);
  ok = ok && n == 0;
  if (!ok) bytes->clear();
  return ok ? FileRead::Read : FileRead::Unreadable;
}

FileStamp StampOf(const char* path) {
  FileStamp stamp;
  struct stat info;
  if (stat(Native(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return stamp;
  stamp.exists = true;
  stamp.size = uint64_t(info.st_size);
  stamp.write_time = uint64_t(info.st_mtim.tv_sec) * 1000000000u + uint64_t(info.st_mtim.tv_nsec);
  return stamp;
}

bool ReadFileTail(const char* path, size_t count, std::string* bytes) {
  bytes->clear();
  const int fd = open(Native(path).c_str(), O_RDONLY);
  if (fd < 0) return false;
  struct stat info;
  bool ok = fstat(fd, &info) == 0;
  if (ok) {
    const uint64_t size = uint64_t(info.st_size);
    const uint64_t want = size < count ? size : count;
    bytes->resize(size_t(want));
    size_t done = 0;
    while (ok && done < want) {
      const ssize_t n = pread(fd, &(*bytes)[done], size_t(want - done), off_t(size - want + done));
      ok = n > 0;
      if (ok) done += size_t(n);
    }
  }
  close(fd);
  return ok;
}

bool MakeFolder(const char* path) {
  if (mkdir(Native(path).c_str(), 0755) == 0) return true;
  struct stat info;
  return stat(Native(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool RemoveFile(const char* path) { return unlink(Native(path).c_str()) == 0 || !IsFile(path); }

std::vector<std::string> FilesLike(const std::string& folder, const std::string& prefix,
                                   const std::string& ending) {
  std::vector<std::string> found;
  DIR* dir = opendir(folder.empty() ? "." : Native(folder).c_str());
  if (!dir) return found;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() < prefix.size() + ending.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - ending.size(), ending.size(), ending) != 0)
      continue;
    const std::string path = folder + "/" + name;
    if (IsFile(path.c_str())) found.push_back(path);
  }
  closedir(dir);
  return found;
}

FileLock LockFile(const char* path, int timeout_ms) {
  FileLock lock;
  const int fd = open(Native(path).c_str(), O_RDWR | O_CREAT, 0644);
  if (fd < 0) return lock;  // Unavailable
  timespec start;
  clock_gettime(CLOCK_MONOTONIC, &start);
  for (;;) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
      lock.state = FileLock::Held;
      lock.token = intptr_t(fd) + 1;
      return lock;
    }
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const int64_t waited = (now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000;
    if (waited >= timeout_ms) {
      close(fd);
      lock.state = FileLock::Busy;
      return lock;
    }
    usleep(10000);
  }
}

void UnlockFile(FileLock* lock) {
  if (lock->state == FileLock::Held && lock->token) close(int(lock->token - 1));
  lock->state = FileLock::Unavailable;
  lock->token = 0;
}

}  // namespace talv::app
