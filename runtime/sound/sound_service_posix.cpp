// The native build has no audio output. The play operation still checks the
// data as the target does, so callers see the same answers; nothing plays.
#include "runtime/sound/midi_file.h"
#include "runtime/sound/riff_chunks.h"
#include "runtime/sound/sound_service.h"

namespace talv {

bool PlaySoundData(const void* data, size_t size, bool loop) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  switch (sound::ClassifySound(bytes, size)) {
    case sound::SoundKind::Wave: {
      sound::WaveChunks chunks;
      return sound::WalkWaveChunks(bytes, size, &chunks) == sound::WaveWalk::Ok;
    }
    case sound::SoundKind::Midi:
      return true;
    case sound::SoundKind::Unknown:
      break;
  }
  return false;
}

void StopAllSound(bool wait) {}

SoundServiceCounters GetSoundServiceCounters() { return SoundServiceCounters{}; }

}  // namespace talv
