// The pause underneath WaitMilliseconds, for callers that keep a rhythm:
// the readout waits until deadlines counted from its own start, so the time
// that starting each sound takes does not add up from syllable to syllable.
#pragma once

#include <cstdint>

namespace talv::app {

// TickCount as a signed 32-bit value.
int32_t TickNow();
// `base` + `ms` as WaitMilliseconds counts it: added as doubles, truncated
// toward zero to 64 bits, the low 32 bits read as a signed value.
int32_t TickAfter(int32_t base, int32_t ms);
// Until TickNow() >= end (signed), letting waiting window messages through
// and sleeping 10 ms between looks (the last sleep only up to the end);
// at once when the end has passed, and as soon as Closing is set.
void WaitUntilTick(int32_t end);

}  // namespace talv::app
