// Recognising sound data by its content, and the chunk walk of a RIFF/WAVE
// file image. Portable: the wave player and the fuzz target share it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace talv::sound {

enum class SoundKind {
  Unknown,
  Wave,  // at least 12 bytes, "RIFF" at 0 and "WAVE" at 8
  Midi,  // not wave, more than 4 bytes, "MThd" at 0
};
SoundKind ClassifySound(const uint8_t* data, size_t length);

// The two chunks a wave player needs. Both point into the walked bytes.
struct WaveChunks {
  const uint8_t* format = nullptr;  // body of the "fmt " chunk (a WAVEFORMATEX)
  size_t format_size = 0;
  const uint8_t* samples = nullptr;  // body of the "data" chunk
  size_t sample_size = 0;
};

enum class WaveWalk {
  Ok,
  NotWave,     // shorter than 36 bytes, or no "RIFF"…"WAVE" header
  NoFormat,    // no "fmt " chunk, or one too short to describe a format
  NoData,      // no "data" chunk
  EmptyData,   // a "data" chunk with no bytes in it
};

// The smallest format body that describes PCM data (a PCMWAVEFORMAT).
constexpr size_t kMinimumFormatSize = 16;

// Walks the chunks from offset 12: 4-byte identifier, 32-bit little-endian
// size, body; the next chunk starts right after the body (no pad byte after
// an odd size). The first "fmt " and the first "data" chunk count, in either
// order. The walk stops when both are known, when the distance from offset
// 12 reaches the RIFF header's size field, or at the end of the bytes; it
// never reads past `length`. A body whose size runs past the end is cut to
// the bytes present.
WaveWalk WalkWaveChunks(const uint8_t* data, size_t length, WaveChunks* out);

}  // namespace talv::sound
