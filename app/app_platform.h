// The few system facts the calculator needs beyond the runtime's commands
// and its own files (file_system.h): holding a file against writers while
// it is checked and loaded, the monitors, minimum window size and minimized
// state that decide whether a saved geometry may be restored and saved, and
// a window's text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/geometry.h"

namespace talv::app {

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
