// The application's pause: polls the tick count, letting waiting window
// messages through every 10 ms, so the window stays responsive and handlers
// can run nested inside the pause. Once the Main window is closing, pauses
// end at once: the handlers nested in them unwind and the program ends.
#include "app/wait.h"

#include "app/app_commands.h"
#include "app/calculator_state.h"
#include "app/handlers.h"
#include "app/runtime_api.h"

namespace talv::app {

int32_t TickNow() { return talv::AsInt(rt::Call(Commands().sound.TickCount)); }

int32_t TickAfter(int32_t base, int32_t ms) {
  return int32_t(uint32_t(uint64_t(int64_t(double(base) + double(ms)))));
}

void WaitUntilTick(int32_t end) {
  for (int32_t now = TickNow(); now < end && !Closing; now = TickNow()) {
    rt::Call(Commands().window.ProcessEvents);
    // The window may have closed inside: then nothing is waited for.
    if (Closing) return;
    // Looks every 10 ms; the last sleep ends at the deadline rather than
    // up to 10 ms past it.
    const int64_t left = int64_t(end) - int64_t(TickNow());
    if (left > 0) rt::Call(Commands().sound.SleepMilliseconds, int32_t(left < 10 ? left : 10));
  }
}

void WaitMilliseconds(int32_t ms) { WaitUntilTick(TickAfter(TickNow(), ms)); }

void StopSpeaking() {
  Closing = 1;
  rt::Call(Commands().sound.StopAudio);
}

}  // namespace talv::app
