// Fuzzes the recognition of sound data and the RIFF/WAVE chunk walk: the
// chunks found must lie inside the input, and a wave the walk accepts must
// have a usable format and a non-empty data chunk.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "runtime/sound/riff_chunks.h"

static volatile uint8_t g_sink;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace talv::sound;
  const SoundKind kind = ClassifySound(data, size);
  WaveChunks c;
  const WaveWalk walk = WalkWaveChunks(data, size, &c);
  if (walk == WaveWalk::Ok) {
    if (kind != SoundKind::Wave) std::abort();
    if (c.format_size < kMinimumFormatSize || c.sample_size == 0) std::abort();
    const uint8_t* end = data + size;
    if (c.format < data + 12 || c.format + c.format_size > end) std::abort();
    if (c.samples < data + 12 || c.samples + c.sample_size > end) std::abort();
    // Touch every byte the player would copy.
    uint8_t sum = 0;
    for (size_t i = 0; i < c.format_size; ++i) sum ^= c.format[i];
    for (size_t i = 0; i < c.sample_size; ++i) sum ^= c.samples[i];
    g_sink = sum;
  }
  return 0;
}
