// Wave players against a capture device paced by the clock (the test run
// that paced_capture.sh starts): sounds take their real time to play.
#include <gtest/gtest.h>

#include "runtime/sound/sound_service.h"
#include "tests/sound/sound_test_support_win32.h"

namespace talv {
namespace {
using namespace soundtest;

class PacedPlayback : public testing::Test {
 protected:
  void SetUp() override {
    if (GetEnvironmentVariableA("TALV_PACED_CAPTURE", nullptr, 0) == 0) {
      GTEST_SKIP() << "needs the paced capture run (sound_paced_tests)";
    }
    ASSERT_TRUE(AllPlayersEnded());
  }
  void TearDown() override { StopAllSound(true); }
};

TEST_F(PacedPlayback, TwoOneSecondSoundsStartedApartOverlap) {
  std::vector<uint8_t> a = Tone(kRate, 0x1111), b = Tone(kRate, 0x2222);
  ASSERT_TRUE(PlaySoundData(a.data(), a.size(), false));
  Sleep(300);  // the second sound starts 300 ms into the first
  ASSERT_TRUE(PlaySoundData(b.data(), b.size(), false));
  EXPECT_EQ(GetSoundServiceCounters().live_players, 2u);
  ASSERT_TRUE(WaitFor([] {
    // Both streams have reached the device while both players are alive.
    return GetSoundServiceCounters().live_players < 2 ||
           (CountCaptured(0x1111) > 0 && CountCaptured(0x2222) > 0);
  }));
  EXPECT_EQ(GetSoundServiceCounters().live_players, 2u);
  ASSERT_TRUE(AllPlayersEnded());
  EXPECT_GT(CountCaptured(0x1111), kRate * 3 / 4);
  EXPECT_GT(CountCaptured(0x2222), kRate * 3 / 4);
}

}  // namespace
}  // namespace talv
