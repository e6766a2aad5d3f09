#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/file_system.h"

namespace talv::app {
namespace {

bool WriteAll(HANDLE file, const uint8_t* bytes, size_t size) {
  size_t done = 0;
  while (done < size) {
    const size_t chunk = file_faults::AllowedBytes(done, size - done < 65536 ? size - done : 65536);
    if (chunk == 0) return false;
    DWORD written = 0;
    if (!WriteFile(file, bytes + done, DWORD(chunk), &written, nullptr) || written == 0)
      return false;
    done += written;
  }
  return true;
}

bool IsFile(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The one-step rename over `path`; where it is refused, the complete file
// takes a ".new" name first, so that an interruption between the removal of
// the old file and the last rename leaves it for the next start.
bool PutInPlace(const std::string& fresh, const char* path) {
  if (!file_faults::AtomicReplaceRefused() &&
      MoveFileExA(fresh.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  const std::string complete = TemporaryName(path, ".new");
  if (!MoveFileExA(fresh.c_str(), complete.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
  if (IsFile(path) && !DeleteFileA(path)) {
    DeleteFileA(complete.c_str());
    return false;
  }
  file_faults::OldFileRemoved();
  if (MoveFileExA(complete.c_str(), path, MOVEFILE_WRITE_THROUGH)) return true;
  // The old file is gone and the complete one keeps its ".new" name: the
  // next start takes it.
  return false;
}

}  // namespace

uint32_t ProcessNumber() { return GetCurrentProcessId(); }

bool ReplaceFileContents(const char* path, const void* bytes, size_t size) {
  const std::string fresh = TemporaryName(path, ".tmp");
  HANDLE file = CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = WriteAll(file, static_cast<const uint8_t*>(bytes), size);
  ok = FlushFileBuffers(file) && ok;
  ok = CloseHandle(file) && ok;
  if (ok) ok = PutInPlace(fresh, path);
  if (!ok) DeleteFileA(fresh.c_str());
  return ok;
}

bool AppendFileContents(const char* path, const void* bytes, size_t size) {
  HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = WriteAll(file, static_cast<const uint8_t*>(bytes), size);
  ok = FlushFileBuffers(file) && ok;
  ok = CloseHandle(file) && ok;
  return ok;
}

FileRead ReadFileIfPresent(const char* path, std::string* bytes) {
  bytes->clear();
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    // Missing, or a folder of that name: no file. Anything else that
    // exists but does not open is held shut by another program.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
      return FileRead::Missing;
    return FileRead::Unreadable;
  }
  LARGE_INTEGER length;
  if (!GetFileSizeEx(file, &length) || uint64_t(length.QuadPart) > kLargestReadFile) {
    CloseHandle(file);
    return FileRead::Unreadable;
  }
  bytes->reserve(size_t(length.QuadPart));
  char buffer[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != FALSE) && got > 0) {
    bytes->append(buffer, got);
    if (bytes->size() > kLargestReadFile) {
      ok = false;
      break;
    }
  }
  CloseHandle(file);
  if (!ok) bytes->clear();
  return ok ? FileRead::Read : FileRead::Unreadable;
}

FileStamp StampOf(const char* path) {
  FileStamp stamp;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return stamp;
  stamp.exists = true;
  stamp.size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  stamp.write_time =
      (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
  return stamp;
}

bool ReadFileTail(const char* path, size_t count, std::string* bytes) {
  bytes->clear();
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER length, start;
  bool ok = GetFileSizeEx(file, &length) != FALSE;
  if (ok) {
    const uint64_t size = uint64_t(length.QuadPart);
    const uint64_t want = size < count ? size : count;
    start.QuadPart = LONGLONG(size - want);
    ok = SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != FALSE;
    bytes->resize(size_t(want));
    DWORD got = 0;
    size_t done = 0;
    while (ok && done < want) {
      ok = ReadFile(file, &(*bytes)[done], DWORD(want - done), &got, nullptr) && got > 0;
      done += got;
    }
  }
  CloseHandle(file);
  return ok;
}

bool MakeFolder(const char* path) {
  if (CreateDirectoryA(path, nullptr)) return true;
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFile(const char* path) { return DeleteFileA(path) || !IsFile(path); }

std::vector<std::string> FilesLike(const std::string& folder, const std::string& prefix,
                                   const std::string& ending) {
  std::vector<std::string> found;
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((folder + "\\" + prefix + "*" + ending).c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return found;
  do {
    const std::string name = data.cFileName;
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name.size() >= prefix.size() + ending.size() &&
        name.compare(0, prefix.size(), prefix) == 0 &&
        name.compare(name.size() - ending.size(), ending.size(), ending) == 0)
      found.push_back(folder + "\\" + name);
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return found;
}

FileLock LockFile(const char* path, int timeout_ms) {
  FileLock lock;
  const DWORD start = GetTickCount();
  for (;;) {
    // No sharing: a second opener is refused until the holder closes it,
    // and the file goes with the last handle.
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      lock.state = FileLock::Held;
      lock.token = reinterpret_cast<intptr_t>(file);
      return lock;
    }
    const DWORD error = GetLastError();
    // Held by another (or on its way out, pending deletion): wait. Anything
    // else means no lock file can be made here.
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED &&
        error != ERROR_LOCK_VIOLATION) {
      lock.state = FileLock::Unavailable;
      return lock;
    }
    if (error == ERROR_ACCESS_DENIED) {
      // Access denied is also what a folder that refuses writes answers:
      // only a lock file that exists can be someone's lock.
      if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
        lock.state = FileLock::Unavailable;
        return lock;
      }
    }
    if (int(GetTickCount() - start) >= timeout_ms) {
      lock.state = FileLock::Busy;
      return lock;
    }
    Sleep(10);
  }
}

void UnlockFile(FileLock* lock) {
  if (lock->state == FileLock::Held && lock->token)
    CloseHandle(reinterpret_cast<HANDLE>(lock->token));
  lock->state = FileLock::Unavailable;
  lock->token = 0;
}

}  // namespace talv::app
