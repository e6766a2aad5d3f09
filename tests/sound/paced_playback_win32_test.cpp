// Wave players against a capture device paced by the clock (the test run
// started by paced_capture.sh): sounds take their real time to play.
#include <gtest/gtest.h>

#include "runtime/sound/sound_service.h"
#include "tests/sound/sound_test_support_win32.h"

namespace talv {
namespace {
using namespace soundtest;

bool Paced() { return GetEnvironmentVariableA("TALV_PACED_CAPTURE", nullptr, 0) != 0; }

TEST(PacedPlayback, Probe) {
  if (!Paced()) GTEST_SKIP() << "needs the paced capture run";
  auto wave = Tone(kRate, 2222);
  DWORD t0 = GetTickCount();
  ASSERT_TRUE(PlaySoundData(wave.data(), wave.size(), false));
  ASSERT_TRUE(AllPlayersEnded());
  printf("took %lu ms, written %u, captured %zu of %u\n", GetTickCount() - t0,
         GetSoundServiceCounters().buffers_written, CountCaptured(2222), kRate);
}

}  // namespace
}  // namespace talv
