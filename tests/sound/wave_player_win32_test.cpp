// Wave players on the target, played into the test run's capture device
// (an ALSA device writing each stream to a file; it is not paced by the
// clock, so these tests look at content, not time).
#include <gtest/gtest.h>

#include "runtime/sound/sound_commands.h"
#include "runtime/core/blocks.h"
#include "runtime/core/command_call.h"
#include "runtime/sound/sound_service.h"
#include "tests/sound/sound_test_support_win32.h"

namespace talv {
namespace {
using namespace soundtest;

class WavePlayback : public testing::Test {
 protected:
  void SetUp() override {
    if (CapturePath().empty()) GTEST_SKIP() << "needs the capture device of the test run";
    ASSERT_TRUE(AllPlayersEnded());
    ClearCapture();
  }
  void TearDown() override {
    StopAllSound(true);
  }
  static bool PlayFile(const std::string& path) {
    TypedValue args[2] = {TextValue(path.c_str()), Omitted()};
    return AsBool(InvokeCommand(&PlayAudio, 2, args));
  }
};

TEST_F(WavePlayback, FileWithoutExtensionIsRecognisedByContent) {
  const size_t samples = kRate / 2;
  // A key's word as the program names its recordings: GBK, no extension.
  std::string path = WriteFileBytes("等于", Tone(samples, 0x1111));
  ASSERT_TRUE(PlayFile(path));
  ASSERT_TRUE(AllPlayersEnded());
  // The device may drop the last few milliseconds when it is closed.
  size_t heard = CountCaptured(0x1111);
  EXPECT_GT(heard, samples * 3 / 4);
  EXPECT_LE(heard, samples);
  DeleteFileA(path.c_str());
}

TEST_F(WavePlayback, FilesThatAreNotPlayableGiveFalse) {
  std::string ten = WriteFileBytes("talv_ten_bytes", {'R', 'I', 'F', 'F', 2, 0, 0, 0, 'W', 'A'});
  EXPECT_FALSE(PlayFile(ten));
  // 36 bytes of "RIFF"…"WAVE" with a format but no data chunk.
  std::vector<uint8_t> no_data = RiffFile({PcmFormatChunk()});
  ASSERT_EQ(no_data.size(), 36u);
  std::string header_only = WriteFileBytes("talv_no_data", no_data);
  EXPECT_FALSE(PlayFile(header_only));
  std::string empty = WriteFileBytes("talv_empty", {});
  EXPECT_FALSE(PlayFile(empty));
  EXPECT_FALSE(PlayFile(TempPath("talv_no_such_sound")));
  EXPECT_EQ(GetSoundServiceCounters().live_players, 0u);
  for (const std::string& p : {ten, header_only, empty}) DeleteFileA(p.c_str());
}

TEST_F(WavePlayback, DataChunkBeforeFormatChunkPlays) {
  const size_t samples = kRate / 4;
  std::vector<uint8_t> wave = RiffFile({DataChunk(samples, 0x3333), PcmFormatChunk()});
  ASSERT_TRUE(PlaySoundData(wave.data(), wave.size(), false));
  ASSERT_TRUE(AllPlayersEnded());
  EXPECT_GT(CountCaptured(0x3333), samples / 2);
}

TEST_F(WavePlayback, ChunkSizeRunningPastTheEndPlaysOnlyTheDataPresent) {
  const size_t present = kRate / 2;
  // The data chunk claims ten times what the file holds.
  std::vector<uint8_t> wave =
      RiffFile({PcmFormatChunk(), DataChunk(present, 0x4444, uint32_t(present * 2 * 10))});
  ASSERT_TRUE(PlaySoundData(wave.data(), wave.size(), false));
  ASSERT_TRUE(AllPlayersEnded());
  size_t heard = CountCaptured(0x4444);
  EXPECT_GT(heard, present / 2);
  EXPECT_LE(heard, present);
  // Nothing but the marker and the device's own silence was played.
  for (int16_t s : ReadCapture()) ASSERT_TRUE(s == 0x4444 || s == 0) << s;
}

TEST_F(WavePlayback, CallerMayReleaseItsBytesAtOnce) {
  const size_t samples = kRate / 2;
  std::vector<uint8_t> wave = Tone(samples, 0x5555);
  uint8_t* block = NewByteArray(wave.data(), wave.size());
  TypedValue args[2] = {BytesValue(block), Omitted()};
  ASSERT_TRUE(AsBool(InvokeCommand(&PlayAudio, 2, args)));
  std::memset(ByteArrayData(block), 0x7A, wave.size());  // scribble, then free
  Free(block);
  ASSERT_TRUE(AllPlayersEnded());
  EXPECT_GT(CountCaptured(0x5555), samples * 3 / 4);
  EXPECT_EQ(CountCaptured(0x7A7A), 0u);
}

TEST_F(WavePlayback, SimultaneousSoundsAreAllPlayed) {
  const size_t samples = kRate;  // one second each
  std::vector<uint8_t> a = Tone(samples, 0x1212), b = Tone(samples, 0x2323);
  ASSERT_TRUE(PlaySoundData(a.data(), a.size(), false));
  ASSERT_TRUE(PlaySoundData(b.data(), b.size(), false));
  EXPECT_EQ(GetSoundServiceCounters().live_players, 2u);  // neither stopped the other
  ASSERT_TRUE(AllPlayersEnded());
  EXPECT_GT(CountCaptured(0x1212), samples * 3 / 4);
  EXPECT_GT(CountCaptured(0x2323), samples * 3 / 4);
}

TEST_F(WavePlayback, LongSoundIsStreamedThroughRotatingBuffers) {
  // 40 buffers' worth: every buffer is filled and sent twice over.
  const size_t samples = 15360 / 2 * 40;
  std::vector<uint8_t> wave = Tone(samples, 0x6666);
  const uint32_t before = GetSoundServiceCounters().buffers_written;
  ASSERT_TRUE(PlaySoundData(wave.data(), wave.size(), false));
  ASSERT_TRUE(AllPlayersEnded(60000));
  EXPECT_EQ(GetSoundServiceCounters().buffers_written - before, 40u);
  EXPECT_GT(CountCaptured(0x6666), samples * 9 / 10);
}

TEST_F(WavePlayback, LoopingSoundRepeatsUntilStopAllSoundWaits) {
  const size_t samples = 15360;  // two buffers a pass
  std::vector<uint8_t> wave = Tone(samples, 0x7777);
  const uint32_t before = GetSoundServiceCounters().buffers_written;
  ASSERT_TRUE(PlaySoundData(wave.data(), wave.size(), true));
  // Five passes sent: the sound started over four times.
  ASSERT_TRUE(WaitFor([&] { return GetSoundServiceCounters().buffers_written - before >= 10; }));
  EXPECT_EQ(GetSoundServiceCounters().live_players, 1u);
  StopAllSound(true);
  // Waiting means every worker has ended and cleaned up before the return.
  EXPECT_EQ(GetSoundServiceCounters().live_players, 0u);
  // At least two passes were heard (the device drops what it still holds).
  EXPECT_GE(CountCaptured(0x7777), samples * 2);
}

TEST_F(WavePlayback, StopAllSoundWithoutWaitOnlySignals) {
  std::vector<uint8_t> wave = Tone(kRate, 0x0808);
  ASSERT_TRUE(PlaySoundData(wave.data(), wave.size(), true));
  ASSERT_TRUE(PlaySoundData(wave.data(), wave.size(), true));
  StopAllSound(false);
  EXPECT_TRUE(AllPlayersEnded());
}

TEST(SoundService, DataOfOtherKindsIsRefused) {
  EXPECT_FALSE(PlaySoundData(nullptr, 0, false));
  const uint8_t text[] = "just some text, not a sound";
  EXPECT_FALSE(PlaySoundData(text, sizeof text, false));
  const uint8_t riff12[] = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'};
  EXPECT_FALSE(PlaySoundData(riff12, sizeof riff12, false));
  std::vector<uint8_t> zero_data = RiffFile({PcmFormatChunk(), DataChunk(0, 0)});
  EXPECT_FALSE(PlaySoundData(zero_data.data(), zero_data.size(), false));
  EXPECT_EQ(GetSoundServiceCounters().live_players, 0u);
}

}  // namespace
}  // namespace talv
