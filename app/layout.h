// The Main window's geometry as the program keeps it (layout_win32.cpp):
// the recorded layout of its descendants, their proportional re-scaling,
// and the window's place in peizi.ini.
#pragma once

#include <cstdint>

namespace talv::app {

// Fills MainLayout from window `handle` and ChildLayouts from its
// descendants, as they are now.
void RecordLayout(int32_t handle);
// Moves and sizes every recorded descendant for the window's current size.
void ScaleChildren();
// The window's place from peizi.ini, checked against the monitors.
void RestoreGeometry();
// The window's place into peizi.ini (not while it is minimized).
void SaveGeometry();

}  // namespace talv::app
