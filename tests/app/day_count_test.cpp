// The day count between the two date pickers, shown in 标签1.
#include <gtest/gtest.h>

#include "app/handlers.h"
#include "app/main_window_ids.h"
#include "tests/app/fake_main_window.h"

namespace talv::app {
namespace {

constexpr double kMarch1st2024 = 45352;  // days since 30 December 1899

class DayCountTest : public ::testing::Test {
 protected:
  std::string Count(double first, double second) {
    window.doubles[{control::kDatePicker1, DatePickerProperty::CurrentDate}] = first;
    window.doubles[{control::kDatePicker2, DatePickerProperty::CurrentDate}] = second;
    DayCount();
    return window.texts[{control::kDayLabel, LabelProperty::Caption}];
  }
  testing::FakeMainWindow window;
};

TEST_F(DayCountTest, DaysFromTheFirstPickerToTheSecond) {
  const double at = 10.0 / 24 + 17.0 / 1440;  // both at 10:17
  EXPECT_EQ(Count(kMarch1st2024 + at, kMarch1st2024 + 31 + at), "31天");
  EXPECT_EQ(Count(kMarch1st2024 + at, kMarch1st2024 + at), "0天");
  EXPECT_EQ(Count(kMarch1st2024 + at, kMarch1st2024 - 10 + at), "-10天");
}

TEST_F(DayCountTest, TimesOfDayCountAsFractions) {
  EXPECT_EQ(Count(kMarch1st2024, kMarch1st2024 + 0.5), "0.5天");
  // Pickers created a second apart: the second shows in the count.
  const std::string apart = Count(kMarch1st2024 + 1.0 / 86400, kMarch1st2024 + 31);
  EXPECT_EQ(apart.rfind("30.9999884259", 0), 0u) << apart;
  EXPECT_EQ(apart.substr(apart.size() - 2), "天");
}

TEST_F(DayCountTest, NothingIsPlayedOrWritten) {
  Count(kMarch1st2024, kMarch1st2024 + 1);
  EXPECT_TRUE(window.sounds.empty());
  EXPECT_EQ(window.Tape(), "");
}

}  // namespace
}  // namespace talv::app
