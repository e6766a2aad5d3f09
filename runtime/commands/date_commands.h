// Date arithmetic on date-times (days since 30 December 1899, the time of
// day as the fraction).
#pragma once

#include "runtime/core/command_codes.h"
#include "runtime/core/typed_value.h"

namespace talv {

// (date-time t1, date-time t2, integer unit: a TimeUnit) -> double: how far t1 lies
// after t2 in the unit (negative when t1 is earlier). Days keep their
// fraction; years, quarters and months count calendar boundaries; weeks
// count Sunday-to-Saturday boundaries; hours, minutes and seconds are whole
// numbers wrapped to 32 bits.
void TimeInterval(TypedValue* result, int32_t count, TypedValue* args);

// The linear day value: the value itself when not negative; for a negative
// value, its whole part plus the (forward-counting) time of day, so that
// time always increases with it (-1.25 gives -0.75).
double LinearDayValue(double date_time);

}  // namespace talv
