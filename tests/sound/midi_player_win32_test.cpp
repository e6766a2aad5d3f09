// The MIDI side of the sound service on the target. Whether the test
// machine has a MIDI output device decides only what can be heard: the
// answers of the play operation are the same either way.
#include <gtest/gtest.h>

#include "runtime/sound/sound_service.h"
#include "tests/sound/sound_test_support_win32.h"

namespace talv {
namespace {

std::vector<uint8_t> OneNoteMidi() {
  // Format 0, one track, 96 ticks per quarter: note on, a quarter later off.
  return {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
          'M', 'T', 'r', 'k', 0, 0, 0, 12,
          0x00, 0x90, 60, 100,  0x60, 0x80, 60, 0,  0x00, 0xFF, 0x2F, 0x00};
}

TEST(MidiPlayback, MidiDataIsAcceptedWhetherOrNotItCanBePlayed) {
  std::vector<uint8_t> good = OneNoteMidi();
  EXPECT_TRUE(PlaySoundData(good.data(), good.size(), false));
  const uint8_t bad[] = {'M', 'T', 'h', 'd', 0, 0, 0, 9, 1, 2, 3};
  EXPECT_TRUE(PlaySoundData(bad, sizeof bad, false));  // plays nothing
  EXPECT_EQ(GetSoundServiceCounters().midi_playing, 0u);
  EXPECT_EQ(GetSoundServiceCounters().live_players, 0u);  // no wave player for it
  StopAllSound(true);
}

TEST(MidiPlayback, NewSoundReplacesTheOldAndStopAllStopsIt) {
  std::vector<uint8_t> song = OneNoteMidi();
  const uint32_t before = GetSoundServiceCounters().midi_started;
  ASSERT_TRUE(PlaySoundData(song.data(), song.size(), true));
  ASSERT_TRUE(PlaySoundData(song.data(), song.size(), true));
  const bool has_device = midiOutGetNumDevs() > 0;
  if (has_device) {
    EXPECT_EQ(GetSoundServiceCounters().midi_started - before, 2u);
    EXPECT_EQ(GetSoundServiceCounters().midi_playing, 1u);
  }
  StopAllSound(true);
  EXPECT_EQ(GetSoundServiceCounters().midi_playing, 0u);
}

}  // namespace
}  // namespace talv
