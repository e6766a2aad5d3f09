// The sound service: plays sound data handed to it by PlayAudio (and by the
// runtime's play-sound service), and stops every sound at exit.
//
// Wave data ("RIFF"…"WAVE") is streamed through the waveform-audio output
// functions by one WavePlayer per sound, each with a worker thread of its
// own, so sounds play simultaneously and never stop one another. MIDI data
// ("MThd") goes to the single MIDI player: a new MIDI sound replaces the old.
#pragma once

#include <cstddef>
#include <cstdint>

namespace talv {

// Plays `size` bytes of a sound file image. The service keeps its own copy,
// so the caller may release the bytes at once; the call never waits for
// playback. Returns true when a wave player was started, and for any MIDI
// data (whether or not it could be played); false for no data, for wave data
// without a usable format or data chunk, and for data of any other kind.
// With `loop` the sound repeats until StopAllSound.
bool PlaySoundData(const void* data, size_t size, bool loop);

// Stops the MIDI player and signals every live wave player to stop. With
// `wait`, returns only after each of those players' worker threads has
// ended (the shutdown sequence calls it so).
void StopAllSound(bool wait);

// What the service has done so far, for tests and measurements.
struct SoundServiceCounters {
  uint32_t live_players;       // wave players not yet cleaned up
  uint32_t players_started;
  uint32_t players_ended;
  uint32_t players_timed_out;  // ended because no buffer came back in time
  uint32_t devices_opened;     // wave players whose output device opened
  uint32_t device_close_failures;  // output devices that refused to close
  uint32_t buffers_written;    // buffers handed to a wave output device
  uint32_t midi_started;       // MIDI sounds that started playing
  uint32_t midi_playing;       // 1 while a MIDI sound is in the player
};
SoundServiceCounters GetSoundServiceCounters();

}  // namespace talv
