#include "app/tape_store.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/tape_merge.h"

namespace talv::app {
namespace {

// How much of the file's end is compared when its stamp says it is unchanged:
// enough to tell another instance's line from ours on a file system whose
// write times are coarse.
constexpr size_t kTailChecked = 256;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

std::string_view Tail(std::string_view bytes) {
  return bytes.size() > kTailChecked ? bytes.substr(bytes.size() - kTailChecked) : bytes;
}

// The lock file beside the program's tape, or, where that folder refuses
// files, beside the application-data copy. Released when it goes out of scope.
class TapeLock {
 public:
  TapeLock(const TapePlaces& places, int wait_ms) {
    lock_ = LockFile((places.beside + ".lock").c_str(), wait_ms);
    if (lock_.state != FileLock::Unavailable || places.kept.empty()) return;
    MakeFolder(FolderOf(places.kept).c_str());
    lock_ = LockFile((places.kept + ".lock").c_str(), wait_ms);
  }
  ~TapeLock() { UnlockFile(&lock_); }
  TapeLock(const TapeLock&) = delete;
  TapeLock& operator=(const TapeLock&) = delete;

 private:
  FileLock lock_;
};

// A save interrupted where the file system replaces files in two steps
// leaves its complete new file as "<place>.<process>.new": it is joined
// into the place. Half-written ".tmp" files of crashed saves are removed.
void FoldLeftovers(const std::string& place) {
  if (place.empty()) return;
  const std::string folder = FolderOf(place);
  const std::string name = place.substr(folder.empty() ? 0 : folder.size() + 1) + ".";
  for (const std::string& leftover : FilesLike(folder, name, ".new")) {
    std::string copy, current;
    if (ReadFileIfPresent(leftover.c_str(), &copy) != FileRead::Read) continue;
    const FileRead now = ReadFileIfPresent(place.c_str(), &current);
    if (now == FileRead::Unreadable) continue;
    const std::string joined = now == FileRead::Read ? MergeCopies(current, copy) : copy;
    if (joined == current || ReplaceFileContents(place.c_str(), joined.data(), joined.size()))
      RemoveFile(leftover.c_str());
  }
  for (const std::string& leftover : FilesLike(folder, name, ".tmp")) RemoveFile(leftover.c_str());
}

}  // namespace

// The two places as they are now, and the tape they hold together.
struct TapeStore::Disk {
  FileRead beside = FileRead::Missing;
  FileRead kept = FileRead::Missing;
  std::string bytes;
};

TapeStore::Disk TapeStore::ReadDisk(const TapePlaces& places, bool trust_stamps) const {
  Disk disk;
  const FileStamp beside = StampOf(places.beside.c_str());
  const FileStamp kept = places.kept.empty() ? FileStamp{} : StampOf(places.kept.c_str());
  // Unchanged since the last load or save, by size, write time and end: the
  // file is not read again, however long the tape.
  if (trust_stamps && synced_ && beside == beside_stamp_ && kept == kept_stamp_ &&
      beside.exists != kept.exists) {
    std::string tail;
    const std::string& where = beside.exists ? places.beside : places.kept;
    if (ReadFileTail(where.c_str(), kTailChecked, &tail) && tail == Tail(base_)) {
      disk.beside = beside.exists ? FileRead::Read : FileRead::Missing;
      disk.kept = kept.exists ? FileRead::Read : FileRead::Missing;
      disk.bytes = base_;
      return disk;
    }
  }
  std::string beside_bytes, kept_bytes;
  disk.beside = ReadFileIfPresent(places.beside.c_str(), &beside_bytes);
  if (!places.kept.empty()) disk.kept = ReadFileIfPresent(places.kept.c_str(), &kept_bytes);
  if (disk.beside == FileRead::Read && disk.kept == FileRead::Read) {
    // The copy written first comes first.
    disk.bytes = kept.write_time < beside.write_time ? MergeCopies(kept_bytes, beside_bytes)
                                                     : MergeCopies(beside_bytes, kept_bytes);
  } else if (disk.beside == FileRead::Read) {
    disk.bytes = std::move(beside_bytes);
  } else if (disk.kept == FileRead::Read) {
    disk.bytes = std::move(kept_bytes);
  }
  return disk;
}

namespace {

// Writes `bytes` beside the program (by appending `added` where given),
// else in the application-data folder. A place whose file exists but could
// not be read is never written. Once the tape is beside the program, the
// copy in the other place, which `bytes` holds, is removed.
bool WriteTape(const TapePlaces& places, FileRead beside, FileRead kept, const std::string& bytes,
               const std::string* added, std::string* written_to) {
  if (beside != FileRead::Unreadable) {
    bool ok = added && AppendFileContents(places.beside.c_str(), added->data(), added->size());
    if (!ok) ok = ReplaceFileContents(places.beside.c_str(), bytes.data(), bytes.size());
    if (ok) {
      if (kept == FileRead::Read) RemoveFile(places.kept.c_str());
      *written_to = places.beside;
      return true;
    }
  }
  if (places.kept.empty() || kept == FileRead::Unreadable) return false;
  if (!MakeFolder(FolderOf(places.kept).c_str())) return false;
  if (!ReplaceFileContents(places.kept.c_str(), bytes.data(), bytes.size())) return false;
  *written_to = places.kept;
  return true;
}

// steps.bak beside the tape, else in the other place; false when neither
// takes it.
bool WriteBackup(const TapePlaces& places, FileRead beside, const std::string& bytes) {
  if (beside != FileRead::Unreadable &&
      ReplaceFileContents(places.beside_backup.c_str(), bytes.data(), bytes.size()))
    return true;
  return !places.kept_backup.empty() && MakeFolder(FolderOf(places.kept_backup).c_str()) &&
         ReplaceFileContents(places.kept_backup.c_str(), bytes.data(), bytes.size());
}

}  // namespace

void TapeStore::Remember(const TapePlaces& places, const std::string& bytes) {
  synced_ = true;
  base_ = bytes;
  beside_stamp_ = StampOf(places.beside.c_str());
  kept_stamp_ = places.kept.empty() ? FileStamp{} : StampOf(places.kept.c_str());
}

std::string TapeStore::Load(const TapePlaces& places) {
  TapeLock lock(places, lock_wait_ms);
  FoldLeftovers(places.beside);
  FoldLeftovers(places.kept);
  Disk disk = ReadDisk(places, false);
  // The copy in the application data goes back beside the program as soon
  // as the folder takes it; two copies become one, in whichever place.
  if (disk.kept == FileRead::Read && disk.beside != FileRead::Unreadable) {
    if (ReplaceFileContents(places.beside.c_str(), disk.bytes.data(), disk.bytes.size()))
      RemoveFile(places.kept.c_str());
    else if (disk.beside == FileRead::Read)
      ReplaceFileContents(places.kept.c_str(), disk.bytes.data(), disk.bytes.size());
  }
  Remember(places, disk.bytes);
  shown_.clear();
  return disk.bytes;
}

void TapeStore::Shown(std::string shown) { shown_ = std::move(shown); }

TapeStore::Saved TapeStore::Save(const TapePlaces& places, const std::string& tape, bool clearing) {
  Saved saved;
  if (!Changed(tape)) return saved;
  clearing = clearing || clear_pending_;
  TapeLock lock(places, lock_wait_ms);
  const Disk disk = ReadDisk(places, true);
  const bool others_wrote = disk.bytes != base_;
  std::string merged = others_wrote ? MergeTape(base_, shown_, tape, disk.bytes) : tape;
  // The usual step: the box showed the file whole and only lines were added.
  std::optional<std::string> added;
  if (!others_wrote && disk.beside == FileRead::Read && disk.kept == FileRead::Missing &&
      shown_ == base_ && StartsWith(tape, shown_))
    added = tape.substr(shown_.size());
  // What is about to be dropped for good is kept once: the tape before a
  // clear, and a file that the box could not show whole. Where no backup
  // can be written, nothing is dropped: the old content stays in the file,
  // followed by the tape, and the box shows it again.
  if ((clearing || shown_ != base_) && !disk.bytes.empty() && !StartsWith(merged, disk.bytes) &&
      !WriteBackup(places, disk.beside, disk.bytes))
    merged = MergeCopies(disk.bytes, merged);
  std::string written_to;
  if (!WriteTape(places, disk.beside, disk.kept, merged, added ? &*added : nullptr, &written_to)) {
    clear_pending_ = clearing;
    return saved;
  }
  clear_pending_ = false;
  Remember(places, merged);
  saved.written = true;
  if (merged == tape) {
    shown_ = tape;
  } else {
    saved.show = true;
    saved.bytes = merged;
  }
  return saved;
}

}  // namespace talv::app
