// The geometry arithmetic: child records, proportional scaling from the
// recorded layout, and which saved geometries may be restored.
#include <gtest/gtest.h>

#include <cmath>

#include "app/geometry.h"

namespace talv::app {
namespace {

const LayoutRecord kRecordedMain{1, 50, 60, 434, 417};

TEST(ChildLayout, RelativeToTheWindowLessTheFrameOffsets) {
  const LayoutRecord child = ChildRecord(7, ScreenRect{60, 310, 120, 370}, kRecordedMain);
  EXPECT_EQ(child.handle, 7);
  EXPECT_EQ(child.left, 60 - 50 - 4);
  EXPECT_EQ(child.top, 310 - 60 - 23);
  EXPECT_EQ(child.width, 60);
  EXPECT_EQ(child.height, 60);
}

TEST(ChildLayout, ScalingToTheRecordedSizeKeepsEveryPlace) {
  const LayoutRecord key{9, 6, 224, 60, 60};
  const LayoutRecord same = ScaledChild(key, kRecordedMain, 434, 417);
  EXPECT_EQ(same.left, 6);
  EXPECT_EQ(same.top, 224);
  EXPECT_EQ(same.width, 60);
  EXPECT_EQ(same.height, 60);
}

TEST(ChildLayout, ScalingTruncatesEachProductFromTheRecordedLayout) {
  const LayoutRecord key{9, 6, 224, 60, 60};
  const LayoutRecord big = ScaledChild(key, kRecordedMain, 650, 500);
  EXPECT_EQ(big.left, int32_t(6 * (650.0 / 434)));
  EXPECT_EQ(big.top, int32_t(224 * (500.0 / 417)));
  EXPECT_EQ(big.width, 89);   // 60 × 1.4977 = 89.86
  EXPECT_EQ(big.height, 71);  // 60 × 1.1990 = 71.94
  // Out and back: no accumulated truncation.
  const LayoutRecord back = ScaledChild(key, kRecordedMain, 434, 417);
  EXPECT_EQ(back.width, 60);
}

TEST(ChildLayout, ZeroRecordedSizeGivesNoUndefinedArithmetic) {
  const LayoutRecord zero{1, 0, 0, 0, 0};
  const LayoutRecord key{9, 6, 224, 60, 60};
  const LayoutRecord r = ScaledChild(key, zero, 650, 500);
  EXPECT_EQ(r.left, INT32_MAX);
}

TEST(Truncation, TowardZeroAndClamped) {
  EXPECT_EQ(TruncateToInt(-2.9), -2);
  EXPECT_EQ(TruncateToInt(2.9), 2);
  EXPECT_EQ(TruncateToInt(NAN), 0);
  EXPECT_EQ(TruncateToInt(1e300), INT32_MAX);
  EXPECT_EQ(TruncateToInt(-1e300), INT32_MIN);
}

const std::vector<ScreenRect> kTwoMonitors = {{0, 0, 1024, 768}, {-1280, 0, 0, 1024}};

TEST(RestoredGeometry, OnAMonitorItIsKept) {
  EXPECT_EQ(CheckedGeometry({300, 200, 650, 500}, kTwoMonitors, 112, 27),
            (Geometry{300, 200, 650, 500}));
  // Negative coordinates of the monitor on the left are real.
  EXPECT_EQ(CheckedGeometry({-1000, 50, 650, 500}, kTwoMonitors, 112, 27),
            (Geometry{-1000, 50, 650, 500}));
}

TEST(RestoredGeometry, OffEveryMonitorGivesTheDefaults) {
  EXPECT_EQ(CheckedGeometry({-100000, 100, 650, 500}, kTwoMonitors, 112, 27), kDefaultGeometry);
  EXPECT_EQ(CheckedGeometry({5000, 5000, 650, 500}, kTwoMonitors, 112, 27), kDefaultGeometry);
  // Only a sliver on screen.
  EXPECT_EQ(CheckedGeometry({1020, 100, 650, 500}, kTwoMonitors, 112, 27), kDefaultGeometry);
  // A minimized window's place.
  EXPECT_EQ(CheckedGeometry({-32000, -32000, 160, 28}, kTwoMonitors, 112, 27), kDefaultGeometry);
  EXPECT_EQ(CheckedGeometry({100, 100, 650, 500}, {}, 112, 27), kDefaultGeometry);
}

TEST(RestoredGeometry, SmallerThanTheMinimumGivesTheDefaults) {
  EXPECT_EQ(CheckedGeometry({100, 100, 0, 500}, kTwoMonitors, 112, 27), kDefaultGeometry);
  EXPECT_EQ(CheckedGeometry({100, 100, 650, -5}, kTwoMonitors, 112, 27), kDefaultGeometry);
  EXPECT_EQ(CheckedGeometry({100, 100, 111, 500}, kTwoMonitors, 112, 27), kDefaultGeometry);
  EXPECT_EQ(CheckedGeometry({100, 100, 112, 27}, kTwoMonitors, 112, 27),
            (Geometry{100, 100, 112, 27}));
}

TEST(RestoredGeometry, HugeValuesDoNotOverflow) {
  EXPECT_EQ(CheckedGeometry({INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}, kTwoMonitors, 112, 27),
            kDefaultGeometry);
  EXPECT_EQ(CheckedGeometry({INT32_MIN, 0, INT32_MAX, 500}, kTwoMonitors, 112, 27),
            (Geometry{INT32_MIN, 0, INT32_MAX, 500}));
}

}  // namespace
}  // namespace talv::app
