// TimeInterval through the command gate: calendar units, the week rule,
// linear day values of negative date-times, clamping, and the whole-number
// units with their sign-symmetric nudge and 32-bit wrap.
#include "runtime/commands/date_commands.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "runtime/commands/calendar.h"
#include "tests/commands/command_testing.h"

namespace talv {
namespace {

double Interval(double t1, double t2, int32_t unit) {
  return testing::CallDouble(TimeInterval, {DateTimeValue(t1), DateTimeValue(t2), IntValue(unit)});
}
double Date(int y, int m, int d) { return DateTimeFromCalendar(y, m, d); }

TEST(TimeInterval, CalendarUnitsWithinAYear) {
  const double mar1 = Date(2024, 3, 1), feb1 = Date(2024, 2, 1);
  EXPECT_EQ(Interval(mar1, feb1, TimeUnit::Days), 29);
  EXPECT_EQ(Interval(mar1, feb1, TimeUnit::Months), 1);
  EXPECT_EQ(Interval(mar1, feb1, TimeUnit::Quarters), 0);
  EXPECT_EQ(Interval(mar1, feb1, TimeUnit::Years), 0);
  EXPECT_EQ(Interval(Date(2024, 4, 1), Date(2024, 3, 31), TimeUnit::Quarters), 1);
  EXPECT_EQ(Interval(feb1, mar1, TimeUnit::Months), -1);
}

TEST(TimeInterval, OneDayAcrossTheYearEnd) {
  const double jan1 = Date(2024, 1, 1), dec31 = Date(2023, 12, 31);
  EXPECT_EQ(Interval(jan1, dec31, TimeUnit::Years), 1);
  EXPECT_EQ(Interval(jan1, dec31, TimeUnit::Months), 1);
  EXPECT_EQ(Interval(jan1, dec31, TimeUnit::Quarters), 1);
  EXPECT_EQ(Interval(jan1, dec31, TimeUnit::Days), 1);
  EXPECT_EQ(Interval(dec31, jan1, TimeUnit::Years), -1);
  EXPECT_EQ(Interval(Date(2024, 12, 31), Date(2024, 1, 1), TimeUnit::Years), 0);
}

TEST(TimeInterval, DaysKeepTheirFraction) {
  const double t2 = Date(2024, 5, 10);
  EXPECT_EQ(Interval(t2 + 1.5, t2, TimeUnit::Days), 1.5);
  EXPECT_EQ(Interval(t2 + 1.5, t2, TimeUnit::Hours), 36);
  EXPECT_EQ(Interval(t2 + 1.5, t2, TimeUnit::Minutes), 2160);
  EXPECT_EQ(Interval(t2 + 1.5, t2, TimeUnit::Seconds), 129600);
  EXPECT_EQ(Interval(t2, t2 + 1.5, TimeUnit::Days), -1.5);
}

TEST(TimeInterval, WeeksCountSundayBoundaries) {
  const double sat = Date(2024, 3, 2), sun = Date(2024, 3, 3);
  ASSERT_EQ(CalendarFromDateTime(sun).day_of_week, 1);
  ASSERT_EQ(CalendarFromDateTime(sat).day_of_week, 7);
  EXPECT_EQ(Interval(sun, sat, TimeUnit::Weeks), 1);
  EXPECT_EQ(Interval(sat, sun, TimeUnit::Weeks), -1);
  // Sunday to the Saturday of the same week: no boundary.
  EXPECT_EQ(Interval(sat + 7, sun, TimeUnit::Weeks), 0);
  EXPECT_EQ(Interval(sun, sat + 7, TimeUnit::Weeks), 0);
  EXPECT_EQ(Interval(sun + 7, sun, TimeUnit::Weeks), 1);
  EXPECT_EQ(Interval(sun + 8, sat, TimeUnit::Weeks), 2);
  EXPECT_EQ(Interval(sat, sun + 8, TimeUnit::Weeks), -2);
  // Monday to the Sunday noon 13.5 days later: one block of seven days,
  // two boundaries.
  EXPECT_EQ(Interval(sun + 14.5, sun + 1, TimeUnit::Weeks), 2);
  EXPECT_EQ(Interval(sun + 1, sun + 14.5, TimeUnit::Weeks), -2);
}

TEST(TimeInterval, NegativeDateTimesUseLinearDayValues) {
  EXPECT_EQ(LinearDayValue(-1.25), -0.75);
  EXPECT_EQ(LinearDayValue(2.25), 2.25);
  // 06:00 and 00:00 on 29 December 1899: six hours later, not earlier.
  EXPECT_EQ(Interval(-1.25, -1.0, TimeUnit::Hours), 6);
  EXPECT_EQ(Interval(-1.25, -1.0, TimeUnit::Days), 0.25);
  // 06:00 on 30 December to 06:00 on 29 December: one day.
  EXPECT_EQ(Interval(0.25, -1.25, TimeUnit::Days), 1.0);
  EXPECT_EQ(Interval(-1.25, 0.25, TimeUnit::Hours), -24);
}

TEST(TimeInterval, ArgumentsAreClampedToTheCalendarRange) {
  EXPECT_EQ(Interval(1e9, -1e9, TimeUnit::Days), kLastDateTime - kFirstDateTime);
  EXPECT_EQ(Interval(1e9, kLastDateTime, TimeUnit::Days), 0);
  EXPECT_EQ(Interval(1e9, 3e6, TimeUnit::Seconds), 0);
  EXPECT_EQ(Interval(1e9, -1e9, TimeUnit::Years), 9999 - 100);
  EXPECT_EQ(Interval(1e9, -1e9, TimeUnit::Hours), 3615899.0 * 24);
}

TEST(TimeInterval, UnitsOutsideTheRangeAreClamped) {
  const double jan1 = Date(2024, 1, 1), dec31 = Date(2023, 12, 31);
  EXPECT_EQ(Interval(jan1, dec31, 0), 1);  // years
  EXPECT_EQ(Interval(jan1, dec31, INT_MIN), 1);
  EXPECT_EQ(Interval(jan1, dec31, 9), 86400);  // seconds
  EXPECT_EQ(Interval(jan1, dec31, INT_MAX), 86400);
}

TEST(TimeInterval, IdenticalArgumentsGiveZeroInEveryUnit) {
  for (double t : {Date(2024, 3, 3) + 0.75, -1.25, 0.0, 1e9, -1e9}) {
    for (int32_t unit = 0; unit <= 9; ++unit) EXPECT_EQ(Interval(t, t, unit), 0) << t << " " << unit;
  }
}

// The half-second nudge goes onto the magnitude, so exact differences come
// out exact in both directions (adding it before truncating toward zero
// would make an exact -12 hours -11).
TEST(TimeInterval, WholeUnitsAreExactInBothDirections) {
  const double t = Date(2024, 6, 1);
  EXPECT_EQ(Interval(t, t + 0.5, TimeUnit::Hours), -12);
  EXPECT_EQ(Interval(t, t + 0.5, TimeUnit::Minutes), -720);
  EXPECT_EQ(Interval(t, t + 0.5, TimeUnit::Seconds), -43200);
  EXPECT_EQ(Interval(t + 0.5, t, TimeUnit::Hours), 12);
  EXPECT_EQ(Interval(t + 0.5, t, TimeUnit::Seconds), 43200);
  // A hair short of a whole unit still counts it, either way.
  const double hour = 1.0 / 24 - 1e-12;
  EXPECT_EQ(Interval(t + hour, t, TimeUnit::Hours), 1);
  EXPECT_EQ(Interval(t, t + hour, TimeUnit::Hours), -1);
  // Anything else is truncated toward zero.
  EXPECT_EQ(Interval(t + 0.99 / 24, t, TimeUnit::Hours), 0);
  EXPECT_EQ(Interval(t, t + 1.99 / 24, TimeUnit::Hours), -1);
}

TEST(TimeInterval, WholeUnitsWrapAt32Bits) {
  // 36,524 days = 3,155,673,600 seconds, beyond 2^31.
  const double y1900 = Date(1900, 1, 1), y2000 = Date(2000, 1, 1);
  EXPECT_EQ(Interval(y2000, y1900, TimeUnit::Seconds), 3155673600.0 - 4294967296.0);
  EXPECT_EQ(Interval(y1900, y2000, TimeUnit::Seconds), 4294967296.0 - 3155673600.0);
  // The whole range in minutes: 5,206,894,560 wraps once.
  EXPECT_EQ(Interval(1e9, -1e9, TimeUnit::Minutes), 5206894560.0 - 4294967296.0);
}

TEST(TimeInterval, NotANumberCountsAsTheEpoch) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(Interval(nan, nan, TimeUnit::Days), 0);
  EXPECT_EQ(Interval(1.0, nan, TimeUnit::Days), 1);
}

}  // namespace
}  // namespace talv
