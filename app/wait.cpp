// The application's pause: polls the tick count, letting waiting window
// messages through every 10 ms, so the window stays responsive and handlers
// can run nested inside the pause.
#include <cstdint>

#include "app/app_commands.h"
#include "app/handlers.h"
#include "app/runtime_api.h"

namespace talv::app {

void WaitMilliseconds(int32_t ms) {
  const double start = double(talv::AsInt(rt::Call(Commands().TickCount)));
  const int32_t end = int32_t(uint32_t(uint64_t(int64_t(start + double(ms)))));
  for (;;) {
    const int32_t now = talv::AsInt(rt::Call(Commands().TickCount));
    if (now >= end) return;
    rt::Call(Commands().ProcessEvents);
    rt::Call(Commands().SleepMilliseconds, int32_t(10));
  }
}

}  // namespace talv::app
