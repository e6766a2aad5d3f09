#include "app/geometry.h"

#include <algorithm>
#include <cmath>

namespace talv::app {

int32_t TruncateToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return INT32_MAX;
  if (value <= -2147483648.0) return INT32_MIN;
  return int32_t(value);
}

LayoutRecord ChildRecord(int32_t handle, const ScreenRect& child, const LayoutRecord& main) {
  return LayoutRecord{
      handle,
      TruncateToInt(double(child.left) - double(main.left) - kChildOffsetX),
      TruncateToInt(double(child.top) - double(main.top) - kChildOffsetY),
      TruncateToInt(double(child.right) - double(child.left)),
      TruncateToInt(double(child.bottom) - double(child.top)),
  };
}

LayoutRecord ScaledChild(const LayoutRecord& child, const LayoutRecord& main, int32_t width,
                         int32_t height) {
  const double fx = double(width) / double(main.width);
  const double fy = double(height) / double(main.height);
  return LayoutRecord{child.handle, TruncateToInt(child.left * fx), TruncateToInt(child.top * fy),
                      TruncateToInt(child.width * fx), TruncateToInt(child.height * fy)};
}

Geometry CheckedGeometry(const Geometry& restored, const std::vector<ScreenRect>& monitors,
                         int32_t min_width, int32_t min_height) {
  if (restored.width < min_width || restored.height < min_height) return kDefaultGeometry;
  const int64_t left = restored.left, top = restored.top;
  const int64_t right = left + restored.width, bottom = top + restored.height;
  for (const ScreenRect& m : monitors) {
    const int64_t w = std::min<int64_t>(right, m.right) - std::max<int64_t>(left, m.left);
    const int64_t h = std::min<int64_t>(bottom, m.bottom) - std::max<int64_t>(top, m.top);
    if (w >= kMinimumVisibleWidth && h >= kMinimumVisibleHeight) return restored;
  }
  return kDefaultGeometry;
}

}  // namespace talv::app
