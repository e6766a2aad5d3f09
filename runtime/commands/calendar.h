// Calendar fields of a date-time (days since 30 December 1899, the time of
// day as the fraction; for negative values the fraction still counts forward
// from midnight of the day named by the whole part).
#pragma once

#include <cstdint>

namespace talv {

// The range of valid calendar dates: 1 January 100 … 31 December 9999.
constexpr double kFirstDateTime = -657434.0;
constexpr double kLastDateTime = 2958465.0;
double ClampDateTime(double value);

struct CalendarFields {
  int year;
  int month;        // 1 … 12
  int day;          // 1 … 31
  int day_of_week;  // 1 = Sunday … 7 = Saturday
  int hour;
  int minute;
  int second;
};

// Fields of the clamped value; the time of day is rounded to the second.
CalendarFields CalendarFromDateTime(double value);
// The date-time of a calendar date at midnight (no range check).
double DateTimeFromCalendar(int year, int month, int day);

}  // namespace talv
