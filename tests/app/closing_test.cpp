// Closing the Main window stops the talking: once the will-be-destroyed
// event has run, readouts in progress (nested ones too) play nothing more,
// their pauses end at once and nothing touches the gone window again.
// On a virtual clock; the window closes from inside a pause, as Esc does.
#include <gtest/gtest.h>

#include "app/calculator_state.h"
#include "app/handlers.h"
#include "tests/app/fake_main_window.h"

namespace talv::app {
namespace {

using testing::FakeMainWindow;

class ClosingWindow : public ::testing::Test {
 protected:
  // Closes the window `after_ms` from now, from inside whatever pause is
  // running then, as the will-be-destroyed handler does first.
  void CloseAfter(int64_t after_ms) {
    window.pending.push_back({window.now_ms + after_ms, [this] {
                                closed_at = window.now_ms;
                                StopSpeaking();
                                window.destroyed = true;
                              }});
  }
  size_t SoundsAfterClose() const {
    size_t n = 0;
    for (const auto& s : window.sounds) n += s.at_ms > closed_at ? 1 : 0;
    return n;
  }
  FakeMainWindow window;
  int64_t closed_at = -1;
};

TEST_F(ClosingWindow, EscDuringAReadoutEndsItAtOnce) {
  window.PressAll({"9", "8", "7", "6", "5", "4", "3", ".", "2", "1", "*", "3"});
  const size_t before = window.sounds.size();
  const int64_t start = window.now_ms;
  CloseAfter(1500);  // 1 s into the readout, which starts 500 ms after 等于
  window.Press("=");
  ASSERT_GE(closed_at, start + 1500);
  // The handler returned within one look of the pause after the close.
  EXPECT_LE(window.now_ms - closed_at, 10);
  EXPECT_EQ(SoundsAfterClose(), 0u);
  // 等于 and the syllables of the first second were played, no more.
  EXPECT_GT(window.sounds.size(), before + 1);
  EXPECT_LT(window.sounds.size(), before + 6);
  EXPECT_EQ(window.stops, (std::vector<int64_t>{closed_at}));
  EXPECT_EQ(window.used_after_destroyed, 0);
  EXPECT_EQ(window.Tape(), "9876543.21×3=29629629.63\r\n");
}

TEST_F(ClosingWindow, NestedReadoutsOfFastEqualsPressesAllUnwind) {
  // 30 presses of = at 10 a second, each nested inside the pauses of the
  // one before, then Esc: with the window open, every readout would have
  // run to its end, one after the other, for about a minute.
  window.PressAll({"2", "4", "6", "8"});
  for (int i = 1; i <= 30; ++i)
    window.pending.push_back({window.now_ms + 100 * i, [this] { window.Press("="); }});
  CloseAfter(3500);
  const int64_t start = window.now_ms;
  window.Press("=");
  EXPECT_TRUE(window.pending.empty());
  EXPECT_LE(window.now_ms - start, 3500 + 10);
  EXPECT_EQ(SoundsAfterClose(), 0u);
  EXPECT_EQ(window.used_after_destroyed, 0);
}

TEST_F(ClosingWindow, CloseDuringTheHalfSecondAfterEqualsReadsNothing) {
  window.PressAll({"5", "+", "3"});
  CloseAfter(200);
  window.Press("=");
  EXPECT_EQ(window.SoundNames().back(), "等于");
  EXPECT_EQ(SoundsAfterClose(), 0u);
  // The Entry box is not read again for the readout: the window is gone.
  EXPECT_EQ(window.used_after_destroyed, 0);
}

TEST_F(ClosingWindow, PausesEndAtOnceOnceClosed) {
  StopSpeaking();
  const int64_t start = window.now_ms;
  int ran = 0;
  window.pending.push_back({window.now_ms, [&] { ++ran; }});
  WaitMilliseconds(5000);
  SpeakNumber(1234.5, 2, true);
  EXPECT_EQ(window.now_ms, start);
  EXPECT_EQ(ran, 0);  // no messages are let through either
  EXPECT_TRUE(window.sounds.empty());
}

}  // namespace
}  // namespace talv::app
