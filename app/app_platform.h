// The few system facts the calculator needs beyond the runtime's commands:
// replacing a file so that a failed or killed save leaves the old content,
// reading a file that another program may be writing, file times, folders,
// holding a file against writers while it is checked and loaded, and the
// monitors, minimum window size and minimized state that decide whether a
// saved geometry may be restored and saved, and a window's text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/geometry.h"

namespace talv::app {

// Writes `size` bytes into a new file beside `path` (`path` + ".new"),
// flushes it to the disk and then puts it in place of `path` in one rename.
// On any failure the new file is removed, `path` keeps its old content and
// the result is false.
bool ReplaceFileContents(const char* path, const void* bytes, size_t size);
// Tests make the writing of the new file fail after `bytes` bytes (SIZE_MAX:
// never), as a full disk would, or with `end_process` end the process right
// there with exit code 3, as a kill in the middle of the save would.
void SetReplaceFileFaultAfter(size_t bytes, bool end_process = false);

// Reads the whole file at `path` into `bytes`, letting others go on writing
// it meanwhile. False when it cannot be opened: missing, a folder, or held
// shut by another program.
bool ReadWholeFile(const char* path, std::string* bytes);
// The time of the last write to the file at `path`, on a scale that only
// compares; false when there is no such file (a folder is none).
bool FileWriteTime(const char* path, uint64_t* time);
// Creates the folder `path` when it is missing (not its parents); true when
// it exists afterwards.
bool MakeFolder(const char* path);

// Opens `path` for reading with writers and deleters shut out, and keeps it
// open when its bytes equal `expected`: the returned token (non-zero) holds
// the file until ReleaseHeldFile. 0 when it cannot be opened or differs.
intptr_t HoldFileIfSame(const char* path, const void* expected, size_t size);
void ReleaseHeldFile(intptr_t token);

// The rectangles of the attached monitors (target only).
std::vector<ScreenRect> MonitorRects();
// The smallest outer size a sizeable window can be given (target only).
void MinimumTrackingSize(int32_t* width, int32_t* height);
// Whether window `handle` is minimized (target only).
bool IsMinimized(int32_t handle);
// Sets the window text of window `handle` (a screen reader names a control
// by it). The native build has no windows: it keeps the last text given to
// each handle instead.
void SetWindowCaption(int32_t handle, const char* text);
// The window text of `handle` (valid until the next call).
const char* WindowCaption(int32_t handle);

}  // namespace talv::app
