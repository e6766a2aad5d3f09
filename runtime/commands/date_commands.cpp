// TimeInterval: differences of clamped date-times, by calendar fields for
// years, quarters, months and weeks and by linear day values for the rest.
#include "runtime/commands/date_commands.h"

#include <cmath>

#include "runtime/core/argument_access.h"
#include "runtime/commands/calendar.h"

namespace talv {
namespace {

// 0.5 / 86400, added alike to hour, minute and second counts, so that a
// count the double arithmetic leaves a hair short of a whole number still
// counts it.
constexpr double kWholeUnitNudge = 0.5 / 86400.0;

// The scaled difference as a whole number: the nudge is added to the
// magnitude and the sign restored, so an exact -12 hours stays -12 just as
// +12 stays +12; then truncated toward zero and wrapped to the low 32 bits.
double WholeUnits(double scaled) {
  const bool negative = scaled < 0;
  double magnitude = std::trunc(std::fabs(scaled) + kWholeUnitNudge);
  int64_t whole = int64_t(magnitude);  // the clamped range keeps this below 2^39
  if (negative) whole = -whole;
  return double(int32_t(uint32_t(uint64_t(whole))));
}

int32_t ClampUnit(int32_t unit) {
  if (unit > TimeUnit::Seconds) return TimeUnit::Seconds;
  if (unit < TimeUnit::Years) return TimeUnit::Years;
  return unit;
}

}  // namespace

double LinearDayValue(double date_time) {
  if (date_time >= 0) return date_time;
  double whole = std::trunc(date_time);
  return whole + std::fabs(date_time - whole);
}

void TimeInterval(TypedValue* result, int32_t count, TypedValue* args) {
  const double raw1 = args::Number(args::At(count, args, 0));
  const double raw2 = args::Number(args::At(count, args, 1));
  const int32_t unit = ClampUnit(args::Integer(args::At(count, args, 2)));
  result->type = TypeCode::Double;
  if (raw1 == raw2) {
    SetDouble(*result, 0.0);
    return;
  }

  const double t1 = ClampDateTime(raw1);
  const double t2 = ClampDateTime(raw2);
  const double d = LinearDayValue(t1) - LinearDayValue(t2);
  double value = 0;
  switch (unit) {
    case TimeUnit::Years:
    case TimeUnit::Quarters:
    case TimeUnit::Months:
    case TimeUnit::Weeks: {
      const CalendarFields a = CalendarFromDateTime(t1);
      const CalendarFields b = CalendarFromDateTime(t2);
      const int years = a.year - b.year;
      if (unit == TimeUnit::Years) {
        value = years;
      } else if (unit == TimeUnit::Quarters) {
        value = years * 4 + (a.month - 1) / 3 - (b.month - 1) / 3;
      } else if (unit == TimeUnit::Months) {
        value = years * 12 + a.month - b.month;
      } else {
        // Whole weeks of the truncated day count, plus one more when the
        // later date's weekday comes before the earlier one's: a
        // Saturday-to-Sunday boundary was crossed inside the remainder.
        int64_t weeks = int64_t(std::trunc(d)) / 7;
        if (d > 0 && a.day_of_week < b.day_of_week) ++weeks;
        if (d < 0 && b.day_of_week < a.day_of_week) --weeks;
        value = double(weeks);
      }
      break;
    }
    case TimeUnit::Days: value = d; break;
    case TimeUnit::Hours: value = WholeUnits(d * 24.0); break;
    case TimeUnit::Minutes: value = WholeUnits(d * 1440.0); break;
    default: value = WholeUnits(d * 86400.0); break;
  }
  SetDouble(*result, value);
}

}  // namespace talv
