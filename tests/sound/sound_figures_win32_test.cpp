// Figures of the sound service, printed for the record (never asserted:
// they depend on the machine): how long PlayAudio takes to return, how soon
// the first buffer reaches the device, and what 200 sounds in one second
// leave behind. What is asserted is only that every sound ended.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "runtime/sound/sound_commands.h"
#include "runtime/core/blocks.h"
#include "runtime/core/command_call.h"
#include "runtime/sound/sound_service.h"
#include "tests/sound/sound_test_support_win32.h"

namespace talv {
namespace {
using namespace soundtest;

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

int ThreadCount() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 entry;
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL ok = Thread32First(snapshot, &entry); ok; ok = Thread32Next(snapshot, &entry)) {
    count += entry.th32OwnerProcessID == GetCurrentProcessId();
  }
  CloseHandle(snapshot);
  return count;
}

// GetProcessHandleCount, or where the system answers 0 (Wine), the number
// of handle values that name an open handle.
DWORD HandleCount() {
  DWORD count = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0) return count;
  DWORD flags;
  for (uintptr_t h = 4; h < 0x20000; h += 4) {
    count += GetHandleInformation(reinterpret_cast<HANDLE>(h), &flags) != 0;
  }
  return count;
}

class SoundFigures : public testing::Test {
 protected:
  void SetUp() override {
    if (CapturePath().empty()) GTEST_SKIP() << "needs the capture device of the test run";
    ASSERT_TRUE(AllPlayersEnded());
  }
  void TearDown() override {
    StopAllSound(true);
    ClearCapture();
  }
};

TEST_F(SoundFigures, PlayAudioReturnAndFirstBuffer) {
  // A 20 KB recording: 10,240 samples, about 0.46 s at 22,050 Hz.
  std::vector<uint8_t> wave = Tone(10240, 0x0B0B);
  uint8_t* block = NewByteArray(wave.data(), wave.size());
  std::string path = WriteFileBytes("talv_figure_sound", wave);
  std::vector<double> from_bytes, from_file, first_buffer;
  for (int i = 0; i < 20; ++i) {
    TypedValue bytes_args[2] = {BytesValue(block), Omitted()};
    const uint32_t written = GetSoundServiceCounters().buffers_written;
    double t0 = NowMs();
    ASSERT_TRUE(AsBool(InvokeCommand(&PlayAudio, 2, bytes_args)));
    double t1 = NowMs();
    while (GetSoundServiceCounters().buffers_written == written && NowMs() - t0 < 5000) {
    }
    double t2 = NowMs();
    from_bytes.push_back(t1 - t0);
    first_buffer.push_back(t2 - t0);
    ASSERT_TRUE(AllPlayersEnded());

    TypedValue file_args[2] = {TextValue(path.c_str()), Omitted()};
    t0 = NowMs();
    ASSERT_TRUE(AsBool(InvokeCommand(&PlayAudio, 2, file_args)));
    from_file.push_back(NowMs() - t0);
    ASSERT_TRUE(AllPlayersEnded());
  }
  Free(block);
  DeleteFileA(path.c_str());
  auto report = [](const char* what, std::vector<double> v) {
    std::sort(v.begin(), v.end());
    std::printf("[figure] %s: median %.3f ms, min %.3f, max %.3f (%zu runs)\n", what,
                v[v.size() / 2], v.front(), v.back(), v.size());
  };
  report("PlayAudio(20 KB byte array) returns after", from_bytes);
  report("PlayAudio(20 KB file) returns after", from_file);
  report("PlayAudio to first buffer written", first_buffer);
}

TEST_F(SoundFigures, TwoHundredSoundsInOneSecondLeaveNothingBehind) {
  std::vector<uint8_t> wave = Tone(10240, 0x0C0C);
  // Warm up: the first sound brings the audio system's own threads.
  ASSERT_TRUE(PlaySoundData(wave.data(), wave.size(), false));
  ASSERT_TRUE(AllPlayersEnded());
  Sleep(500);
  const int threads_before = ThreadCount();
  const DWORD handles_before = HandleCount();
  const uint32_t ended_before = GetSoundServiceCounters().players_ended;

  const double t0 = NowMs();
  uint32_t peak = 0;
  for (int i = 0; i < 200; ++i) {
    while (NowMs() - t0 < i * 4.5) Sleep(0);  // one every 4.5 ms: 200 in 0.9 s
    ASSERT_TRUE(PlaySoundData(wave.data(), wave.size(), false));
    peak = std::max(peak, GetSoundServiceCounters().live_players);
  }
  const double started = NowMs() - t0;
  ASSERT_TRUE(AllPlayersEnded(120000));
  const double ended = NowMs() - t0;
  EXPECT_EQ(GetSoundServiceCounters().players_ended - ended_before, 200u);
  // A worker leaves the list just before its thread returns.
  WaitFor([&] { return ThreadCount() <= threads_before; }, 10000);
  std::printf("[figure] 200 sounds started in %.0f ms, all ended after %.0f ms, "
              "at most %u alive at once\n", started, ended, peak);
  SoundServiceCounters c = GetSoundServiceCounters();
  std::printf("[figure] timed out %u, devices opened %u, refused to close %u\n",
              c.players_timed_out, c.devices_opened, c.device_close_failures);
  std::printf("[figure] threads %d -> %d, handles %lu -> %lu, MIDI devices %u\n",
              threads_before, ThreadCount(), handles_before, HandleCount(),
              midiOutGetNumDevs());
}

}  // namespace
}  // namespace talv
