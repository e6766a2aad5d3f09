// Sound threads and the end of the process (each case runs in a child
// process: this program again, running one disabled test), and playing
// without an output device.
#include <gtest/gtest.h>

#include "runtime/sound/sound_service.h"
#include "tests/sound/sound_test_support_win32.h"

namespace talv {
namespace {
using namespace soundtest;

bool StartLoopingSound() {
  std::vector<uint8_t> wave = Tone(kRate, 0x0909);
  if (!PlaySoundData(wave.data(), wave.size(), true)) return false;
  return WaitFor([] { return GetSoundServiceCounters().buffers_written >= 4; });
}

// ---- The children ---------------------------------------------------------
TEST(SoundChild, DISABLED_ExitWithLoopingSound) {
  ASSERT_TRUE(StartLoopingSound());
  // Returning from main ends the process with the sound still playing.
}

TEST(SoundChild, DISABLED_StopAllSoundThenExit) {
  ASSERT_TRUE(StartLoopingSound());
  StopAllSound(true);
  EXPECT_EQ(GetSoundServiceCounters().live_players, 0u);
}

// ---- The parents ----------------------------------------------------------
TEST(SoundAtExit, ProcessEndsPromptlyWithALoopingSoundPlaying) {
  if (CapturePath().empty()) GTEST_SKIP() << "needs the capture device of the test run";
  EXPECT_EQ(RunChildTest("SoundChild.DISABLED_ExitWithLoopingSound", {}, 60000), 0);
}

TEST(SoundAtExit, StopAllSoundWaitsForTheWorkersThenTheProcessEnds) {
  if (CapturePath().empty()) GTEST_SKIP() << "needs the capture device of the test run";
  EXPECT_EQ(RunChildTest("SoundChild.DISABLED_StopAllSoundThenExit", {}, 60000), 0);
}

// Runs in the test run without an output device (sound_no_device_tests).
TEST(SoundWithoutDevice, WorkerEndsByItsTimeOutAndNothingIsReported) {
  if (waveOutGetNumDevs() != 0) GTEST_SKIP() << "needs the run without an output device";
  std::vector<uint8_t> wave = Tone(kRate / 4, 0x0A0A);
  ASSERT_TRUE(PlaySoundData(wave.data(), wave.size(), false));
  EXPECT_EQ(GetSoundServiceCounters().live_players, 1u);
  // No buffer ever comes back: the worker ends by its idle time-out. A
  // message box would keep this test from ending.
  ASSERT_TRUE(AllPlayersEnded(60000));
  SoundServiceCounters c = GetSoundServiceCounters();
  EXPECT_EQ(c.players_timed_out, 1u);
  EXPECT_EQ(c.devices_opened, 0u);
  EXPECT_EQ(c.buffers_written, 0u);
}

}  // namespace
}  // namespace talv
