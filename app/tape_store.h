// The tape's file, kept so that no line is ever lost: loaded once at start,
// saved as it is made, one copy across the two places it may live in, and
// every read, merge and replacement done under a lock that all instances
// take. It works on bytes and knows nothing of windows: the tape box's side
// (tape.cpp) gives it the tape's text and shows what it answers. Portable.
//
// The file is steps.txt beside the program, or, where that folder refuses
// it, in the application-data folder (TapePlaces). What this instance knows
// of the file is the file's bytes at its last load or save (`base`) and what
// the tape box showed right after it (`shown`):
//
// - A tape that still shows `shown`, byte for byte, is unchanged: nothing is
//   written, so a file that the box cannot show whole (a zero byte, a lone
//   lead byte, an unbroken 64 KiB line) keeps its bytes.
// - A changed tape over an unchanged file: the lines added at the end are
//   appended (the usual step, cheap however long the tape), anything else
//   replaces the file. A file that the box could not show whole is kept as
//   steps.bak beside it before its first replacement.
// - A file that another instance (or a copy in the other place) changed
//   since: the two are merged (MergeTape) and the box then shows the merge.
// - Clearing keeps the file as it was before as steps.bak (one generation;
//   clearing an empty tape keeps the older backup).
// - A file that exists but cannot be read is never overwritten: the tape
//   goes to the other place.
#pragma once

#include <string>

#include "app/file_system.h"

namespace talv::app {

struct TapePlaces {
  std::string beside;         // the program's folder + "\steps.txt"
  std::string beside_backup;  // the program's folder + "\steps.bak"
  std::string kept;           // the application-data folder's; "" when there is none
  std::string kept_backup;
};

// How long a save waits for another instance's lock before it goes on
// without it (a holder that hangs must not stop this one from saving).
constexpr int kTapeLockWaitMs = 3000;

class TapeStore {
 public:
  // Start-up: under the lock, every copy of the tape is folded into one:
  // the complete ".new" file of a save that was interrupted, and the two
  // places (joined with MergeCopies, written beside the program, the other
  // copy removed). Returns the tape's bytes; the caller shows them and
  // tells Shown what the box made of them.
  std::string Load(const TapePlaces& places);
  void Shown(std::string shown);

  struct Saved {
    bool written = false;  // false: nothing needed writing, or no place took it
    bool show = false;     // the box must show `bytes` now (a merge)
    std::string bytes;
  };
  // Saves the tape box's text `tape`. `clearing`: the user emptied the tape;
  // the file's content before is kept as steps.bak. A save that no place
  // takes changes nothing here: the next one tries again.
  Saved Save(const TapePlaces& places, const std::string& tape, bool clearing = false);

  // Whether `tape` differs from what the box showed at the last load or save.
  bool Changed(const std::string& tape) const { return !synced_ || tape != shown_; }

  // For tests: the bounded wait for the lock.
  int lock_wait_ms = kTapeLockWaitMs;

 private:
  struct Disk;
  Disk ReadDisk(const TapePlaces& places, bool trust_stamps) const;
  void Remember(const TapePlaces& places, const std::string& bytes);

  bool synced_ = false;
  std::string base_;
  std::string shown_;
  // The files' stamps right after the last load or save: while they are
  // the same, the file is still `base_` and need not be read again.
  FileStamp beside_stamp_, kept_stamp_;
  // A clear whose save no place took: the save that does take the tape
  // still keeps the backup first.
  bool clear_pending_ = false;
};

}  // namespace talv::app
