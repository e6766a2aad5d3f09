// The arithmetic of the window's geometry: the child layout relative to the
// Main window, proportional re-scaling, and the check of a geometry read
// back from the settings file. Portable and free of windows.
#pragma once

#include <cstdint>
#include <vector>

#include "app/calculator_state.h"

namespace talv::app {

// A rectangle as the system gives it: right and bottom exclusive.
struct ScreenRect {
  int32_t left, top, right, bottom;
};

struct Geometry {
  int32_t left, top, width, height;
  bool operator==(const Geometry& o) const {
    return left == o.left && top == o.top && width == o.width && height == o.height;
  }
};
constexpr Geometry kDefaultGeometry{100, 100, 650, 500};

// The frame offsets subtracted from a child's position.
constexpr double kChildOffsetX = 4, kChildOffsetY = 23;

// A double truncated toward zero to a 32-bit integer; NaN gives 0 and
// values beyond the range its nearest end.
int32_t TruncateToInt(double value);

// A descendant's record: its rectangle relative to the Main window's
// recorded top-left corner, less the frame offsets.
LayoutRecord ChildRecord(int32_t handle, const ScreenRect& child, const LayoutRecord& main);

// The place of a recorded child when the Main window is `width` × `height`
// now: every field scaled by the factor of its axis and truncated, always
// from the recorded layout.
LayoutRecord ScaledChild(const LayoutRecord& child, const LayoutRecord& main, int32_t width,
                         int32_t height);

// The geometry to restore: `restored` unless it leaves the window on no
// monitor (less than a caption's worth of it on any one) or smaller than
// the minimum tracking size, in which case the defaults.
constexpr int32_t kMinimumVisibleWidth = 40, kMinimumVisibleHeight = 20;
Geometry CheckedGeometry(const Geometry& restored, const std::vector<ScreenRect>& monitors,
                         int32_t min_width, int32_t min_height);

}  // namespace talv::app
