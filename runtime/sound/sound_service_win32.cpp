// The sound service on the target: recognises the data by its content and
// hands it to a new wave player or to the MIDI player.
#include <windows.h>

#include "runtime/sound/players_win32.h"
#include "runtime/sound/riff_chunks.h"
#include "runtime/sound/sound_service.h"

namespace talv {
namespace sound {
ServiceCounters& Counters() {
  static ServiceCounters counters;
  return counters;
}
}  // namespace sound

bool PlaySoundData(const void* data, size_t size, bool loop) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  switch (sound::ClassifySound(bytes, size)) {
    case sound::SoundKind::Wave:
      return sound::StartWavePlayer(bytes, size, loop);
    case sound::SoundKind::Midi:
      sound::PlayMidi(bytes, size, loop);
      return true;  // whether or not the stream could be opened
    case sound::SoundKind::Unknown:
      break;
  }
  return false;
}

void StopAllSound(bool wait) {
  sound::StopMidi();
  std::vector<HANDLE> threads;
  sound::SignalWavePlayers(wait ? &threads : nullptr);
  for (HANDLE thread : threads) {
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
  }
}

SoundServiceCounters GetSoundServiceCounters() {
  sound::ServiceCounters& c = sound::Counters();
  SoundServiceCounters out;
  out.live_players = sound::CountWavePlayers();
  out.players_started = uint32_t(c.players_started);
  out.players_ended = uint32_t(c.players_ended);
  out.players_timed_out = uint32_t(c.players_timed_out);
  out.devices_opened = uint32_t(c.devices_opened);
  out.device_close_failures = uint32_t(c.device_close_failures);
  out.buffers_written = uint32_t(c.buffers_written);
  out.midi_started = uint32_t(c.midi_started);
  out.midi_playing = uint32_t(c.midi_playing);
  return out;
}

}  // namespace talv
