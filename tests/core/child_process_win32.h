// Running a case that ends its process: the test program starts itself again
// with one disabled case selected (suite DyingChild), waits for the report
// box that the case shows, reads its text, dismisses it with the Enter key as
// a person would (xdotool on the virtual display), and collects the exit code.
#pragma once

#include <windows.h>

#include <string>

namespace talv::testing_support {

struct ChildOutcome {
  bool finished = false;  // the process ended by itself
  DWORD exit_code = 0;
  bool box_shown = false;  // a top-level dialog captioned "错误" appeared
  bool box_has_icon = false;
  std::string box_text;  // the text of the box's message
};

// Runs DyingChild.DISABLED_<name> in a child process. The child sees the
// environment variable TALV_CHILD_MARKER naming `marker` (may be empty).
ChildOutcome RunDyingChild(const std::string& name, const std::string& marker);

// The child side: the marker file path, or "" when not run as a child.
std::string ChildMarker();

}  // namespace talv::testing_support
