// A wave player and its device's callbacks: the worker cleans up and frees
// its player only when no callback of the device is still using it. The
// buffer-return hook holds every callback for a while just after it has
// counted its buffer, the moment at which a worker that sees every buffer
// back, or is told to stop, must not yet go on; the hook notes any player
// that ends meanwhile. The tests play one sound at a time, so any player
// that ends is the one whose callback is held.
#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/sound/players_win32.h"
#include "runtime/sound/sound_service.h"
#include "tests/sound/sound_test_support_win32.h"

namespace talv {
namespace {
using namespace soundtest;

volatile LONG callbacks_held = 0;
volatile LONG players_ended_while_held = 0;

void HoldCallback() {
  InterlockedIncrement(&callbacks_held);
  const LONG ended = sound::Counters().players_ended;
  Sleep(15);
  if (sound::Counters().players_ended != ended) InterlockedIncrement(&players_ended_while_held);
}

class WavePlayerLifetime : public testing::Test {
 protected:
  void SetUp() override {
    if (CapturePath().empty()) GTEST_SKIP() << "needs the capture device of the test run";
    ASSERT_TRUE(AllPlayersEnded());
    ClearCapture();
    callbacks_held = 0;
    players_ended_while_held = 0;
    sound::SetBufferReturnHook(&HoldCallback);
  }
  void TearDown() override {
    StopAllSound(true);
    sound::SetBufferReturnHook(nullptr);
  }
};

TEST_F(WavePlayerLifetime, SoundsThatEndOutliveTheirLastCallback) {
  // Two buffers a sound: they come back from the device together, and the
  // worker wakes on the first one's permit while the callback is at the
  // second, the last one.
  std::vector<uint8_t> wave = Tone(15360 / 2 + 1, 0x2929);
  for (int i = 0; i < 40; ++i) {
    ASSERT_TRUE(PlaySoundData(wave.data(), wave.size(), false));
    ASSERT_TRUE(AllPlayersEnded());
  }
  EXPECT_GE(callbacks_held, 2 * 40);
  EXPECT_EQ(players_ended_while_held, 0);
  EXPECT_GT(CountCaptured(0x2929), 0u);
}

TEST_F(WavePlayerLifetime, SoundsStoppedWhileBuffersComeBackOutliveTheirCallbacks) {
  // A looping sound of one short buffer keeps buffers coming back; each is
  // stopped while the device is returning them.
  std::vector<uint8_t> wave = Tone(2000, 0x3a3a);
  for (int i = 0; i < 15; ++i) {
    const LONG held = callbacks_held;
    ASSERT_TRUE(PlaySoundData(wave.data(), wave.size(), true));
    ASSERT_TRUE(WaitFor([&] { return callbacks_held - held >= 3; }));
    StopAllSound(true);
    ASSERT_TRUE(AllPlayersEnded());
  }
  EXPECT_EQ(players_ended_while_held, 0);
}

}  // namespace
}  // namespace talv
