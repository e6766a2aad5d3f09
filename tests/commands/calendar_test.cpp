// Calendar fields of date-times around the epoch and the range ends.
#include <gtest/gtest.h>

#include "runtime/commands/calendar.h"

namespace talv {
namespace {

TEST(Calendar, EpochAndKnownDates) {
  CalendarFields f = CalendarFromDateTime(0.0);
  EXPECT_EQ(f.year, 1899);
  EXPECT_EQ(f.month, 12);
  EXPECT_EQ(f.day, 30);
  EXPECT_EQ(f.day_of_week, 7);
  EXPECT_EQ(DateTimeFromCalendar(2024, 3, 1), 45352.0);
  f = CalendarFromDateTime(45352.5);
  EXPECT_EQ(f.year, 2024);
  EXPECT_EQ(f.month, 3);
  EXPECT_EQ(f.day, 1);
  EXPECT_EQ(f.day_of_week, 6);  // a Friday
  EXPECT_EQ(f.hour, 12);
}

TEST(Calendar, NegativeValuesCountTimeForwardFromTheirDay) {
  CalendarFields f = CalendarFromDateTime(-1.25);  // 06:00 on 29 December 1899
  EXPECT_EQ(f.day, 29);
  EXPECT_EQ(f.hour, 6);
  EXPECT_EQ(f.day_of_week, 6);
}

TEST(Calendar, RangeEndsAndClamping) {
  CalendarFields first = CalendarFromDateTime(-1e9);
  EXPECT_EQ(first.year, 100);
  EXPECT_EQ(first.month, 1);
  EXPECT_EQ(first.day, 1);
  CalendarFields last = CalendarFromDateTime(1e9);
  EXPECT_EQ(last.year, 9999);
  EXPECT_EQ(last.month, 12);
  EXPECT_EQ(last.day, 31);
  EXPECT_EQ(DateTimeFromCalendar(100, 1, 1), kFirstDateTime);
  EXPECT_EQ(DateTimeFromCalendar(9999, 12, 31), kLastDateTime);
}

TEST(Calendar, RoundingToTheSecondCarriesIntoTheNextDay) {
  CalendarFields f = CalendarFromDateTime(45352.0 + 86399.7 / 86400.0);
  EXPECT_EQ(f.day, 2);
  EXPECT_EQ(f.hour, 0);
  EXPECT_EQ(f.second, 0);
}

}  // namespace
}  // namespace talv
