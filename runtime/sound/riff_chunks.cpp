// RIFF/WAVE recognition and chunk walk (see riff_chunks.h).
#include "runtime/sound/riff_chunks.h"

#include <cstring>

namespace talv::sound {
namespace {

uint32_t ReadLittle32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

bool HasTag(const uint8_t* p, const char (&tag)[5]) { return std::memcmp(p, tag, 4) == 0; }

bool IsWaveHeader(const uint8_t* data, size_t length) {
  return data && length >= 12 && HasTag(data, "RIFF") && HasTag(data + 8, "WAVE");
}

}  // namespace

SoundKind ClassifySound(const uint8_t* data, size_t length) {
  if (!data || length == 0) return SoundKind::Unknown;
  if (IsWaveHeader(data, length)) return SoundKind::Wave;
  if (length > 4 && HasTag(data, "MThd")) return SoundKind::Midi;
  return SoundKind::Unknown;
}

WaveWalk WalkWaveChunks(const uint8_t* data, size_t length, WaveChunks* out) {
  *out = WaveChunks{};
  if (length < 36 || !IsWaveHeader(data, length)) return WaveWalk::NotWave;

  const uint64_t riff_size = ReadLittle32(data + 4);
  bool have_format = false, have_data = false;
  size_t pos = 12;
  while (!(have_format && have_data)) {
    if (uint64_t(pos - 12) >= riff_size) break;
    if (length - pos < 8) break;  // no room for another chunk header
    const uint8_t* id = data + pos;
    const uint32_t size = ReadLittle32(data + pos + 4);
    const size_t body = pos + 8;
    const size_t present = length - body;
    const size_t kept = size < present ? size : present;
    if (!have_format && HasTag(id, "fmt ")) {
      have_format = true;
      out->format = data + body;
      out->format_size = kept;
    } else if (!have_data && HasTag(id, "data")) {
      have_data = true;
      out->samples = data + body;
      out->sample_size = kept;
    }
    if (size >= present) break;  // this chunk reaches the end of the bytes
    pos = body + size;
  }

  if (!have_format || out->format_size < kMinimumFormatSize) return WaveWalk::NoFormat;
  if (!have_data) return WaveWalk::NoData;
  if (out->sample_size == 0) return WaveWalk::EmptyData;
  return WaveWalk::Ok;
}

}  // namespace talv::sound
