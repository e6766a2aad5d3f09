// Calendar arithmetic on date-times, with the proleptic Gregorian calendar
// (civil-from-days over a 400-year era).
#include "runtime/commands/calendar.h"

#include <cmath>

namespace talv {
namespace {
// Day number of 30 December 1899 counted from 1 March of year 0.
constexpr int64_t kEpochFromEra = 693899;

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += kEpochFromEra;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = int(doy - (153 * mp + 2) / 5 + 1);
  month = int(mp < 10 ? mp + 3 : mp - 9);
  year = int(yoe + era * 400 + (month <= 2 ? 1 : 0));
}
}  // namespace

double ClampDateTime(double value) {
  if (value > kLastDateTime) return kLastDateTime;
  if (value < kFirstDateTime) return kFirstDateTime;
  if (std::isnan(value)) return 0.0;
  return value;
}

double DateTimeFromCalendar(int year, int month, int day) {
  const int64_t y = year - (month <= 2 ? 1 : 0);
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t mp = month > 2 ? month - 3 : month + 9;
  const int64_t doy = (153 * mp + 2) / 5 + day - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return double(era * 146097 + doe - kEpochFromEra);
}

CalendarFields CalendarFromDateTime(double value) {
  value = ClampDateTime(value);
  double whole = std::trunc(value);
  int64_t days = int64_t(whole);
  int64_t seconds = int64_t(std::floor(std::fabs(value - whole) * 86400.0 + 0.5));
  if (seconds >= 86400) {
    seconds -= 86400;
    days += 1;
  }
  CalendarFields f{};
  CivilFromDays(days, f.year, f.month, f.day);
  // 30 December 1899 (day 0) was a Saturday.
  f.day_of_week = int(((days % 7 + 7) % 7 + 6) % 7) + 1;
  f.hour = int(seconds / 3600);
  f.minute = int(seconds / 60 % 60);
  f.second = int(seconds % 60);
  return f;
}

}  // namespace talv
