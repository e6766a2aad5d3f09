// The two kinds of player behind the sound service, and the counters they
// keep. Target only.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace talv::sound {

// Starts a WavePlayer on a RIFF/WAVE file image; false when the data has no
// usable format or samples, or when the player could not be set up.
bool StartWavePlayer(const uint8_t* data, size_t length, bool loop);
// Sets the stop event of every live wave player. With `threads`, also hands
// back a duplicate of each one's worker-thread handle (the caller closes them).
void SignalWavePlayers(std::vector<HANDLE>* threads);
uint32_t CountWavePlayers();

// For tests: a routine that the device callback of every wave player calls
// after it has counted a returned buffer and before it releases that
// buffer's permit, so that a test can widen that moment. Null (the default)
// calls nothing.
using BufferReturnHook = void (*)();
void SetBufferReturnHook(BufferReturnHook hook);

// The MIDI player: one sound at a time.
void PlayMidi(const uint8_t* data, size_t length, bool loop);
void StopMidi();

struct ServiceCounters {
  volatile LONG players_started;
  volatile LONG players_ended;
  volatile LONG players_timed_out;
  volatile LONG devices_opened;
  volatile LONG device_close_failures;
  volatile LONG buffers_written;
  volatile LONG midi_started;
  volatile LONG midi_playing;
};
ServiceCounters& Counters();

}  // namespace talv::sound
