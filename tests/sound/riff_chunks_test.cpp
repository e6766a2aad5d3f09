// Recognising sounds by content and walking the chunks of a wave file.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "runtime/sound/riff_chunks.h"

namespace talv::sound {
namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
void Chunk(Bytes& b, const char* id, uint32_t size, size_t body_bytes, uint8_t fill) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(id[i]));
  Put32(b, size);
  b.insert(b.end(), body_bytes, fill);
}
void Chunk(Bytes& b, const char* id, uint32_t size, uint8_t fill) { Chunk(b, id, size, size, fill); }
Bytes Header(uint32_t riff_size = 0) {
  Bytes b = {'R', 'I', 'F', 'F'};
  Put32(b, riff_size);
  for (char c : {'W', 'A', 'V', 'E'}) b.push_back(uint8_t(c));
  return b;
}
// The RIFF size field as a writer would set it: everything after it.
void Seal(Bytes& b) {
  uint32_t size = uint32_t(b.size() - 8);
  std::memcpy(&b[4], &size, 4);
}

TEST(ClassifySound, ByContentOnly) {
  Bytes wave = Header();
  EXPECT_EQ(ClassifySound(wave.data(), wave.size()), SoundKind::Wave);
  const uint8_t midi[] = {'M', 'T', 'h', 'd', 0};
  EXPECT_EQ(ClassifySound(midi, sizeof midi), SoundKind::Midi);
  EXPECT_EQ(ClassifySound(midi, 4), SoundKind::Unknown);  // MIDI needs more than 4 bytes
  EXPECT_EQ(ClassifySound(wave.data(), 11), SoundKind::Unknown);
  const uint8_t riff_avi[] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '};
  EXPECT_EQ(ClassifySound(riff_avi, sizeof riff_avi), SoundKind::Unknown);
  EXPECT_EQ(ClassifySound(nullptr, 0), SoundKind::Unknown);
}

TEST(WalkWaveChunks, FindsFormatAndDataInEitherOrder) {
  Bytes fmt_first = Header();
  Chunk(fmt_first, "fmt ", 16, 0x11);
  Chunk(fmt_first, "data", 100, 0x22);
  Seal(fmt_first);
  WaveChunks c;
  ASSERT_EQ(WalkWaveChunks(fmt_first.data(), fmt_first.size(), &c), WaveWalk::Ok);
  EXPECT_EQ(c.format, fmt_first.data() + 20);
  EXPECT_EQ(c.format_size, 16u);
  EXPECT_EQ(c.samples, fmt_first.data() + 44);
  EXPECT_EQ(c.sample_size, 100u);

  Bytes data_first = Header();
  Chunk(data_first, "data", 100, 0x22);
  Chunk(data_first, "fmt ", 16, 0x11);
  Seal(data_first);
  ASSERT_EQ(WalkWaveChunks(data_first.data(), data_first.size(), &c), WaveWalk::Ok);
  EXPECT_EQ(c.samples, data_first.data() + 20);
  EXPECT_EQ(c.format, data_first.data() + 128);
}

TEST(WalkWaveChunks, OddSizedChunkIsNotFollowedByAPadByte) {
  Bytes b = Header();
  Chunk(b, "LIST", 3, 0x33);  // the next chunk starts right after these 3 bytes
  Chunk(b, "fmt ", 16, 0x11);
  Chunk(b, "data", 8, 0x22);
  Seal(b);
  WaveChunks c;
  ASSERT_EQ(WalkWaveChunks(b.data(), b.size(), &c), WaveWalk::Ok);
  EXPECT_EQ(c.format, b.data() + 12 + 8 + 3 + 8);
  EXPECT_EQ(c.sample_size, 8u);
}

TEST(WalkWaveChunks, SizesRunningPastTheEndKeepOnlyTheBytesPresent) {
  Bytes b = Header(0xFFFFFFFF);
  Chunk(b, "fmt ", 16, 0x11);
  Chunk(b, "data", 0xFFFFFFF0u, 500, 0x22);  // claims almost 4 GB, holds 500 bytes
  WaveChunks c;
  ASSERT_EQ(WalkWaveChunks(b.data(), b.size(), &c), WaveWalk::Ok);
  EXPECT_EQ(c.sample_size, 500u);

  Bytes cut_format = Header(0xFFFFFFFF);
  Chunk(cut_format, "data", 4, 0x22);
  Chunk(cut_format, "fmt ", 0xFFFFFFFF, 16, 0x11);
  ASSERT_EQ(WalkWaveChunks(cut_format.data(), cut_format.size(), &c), WaveWalk::Ok);
  EXPECT_EQ(c.format_size, 16u);
}

TEST(WalkWaveChunks, StopsWhereTheRiffSizeSaysTheFileEnds) {
  // The walk ends when its distance from offset 12 reaches the RIFF size.
  Bytes b = Header(24);
  Chunk(b, "fmt ", 16, 0x11);   // 24 bytes from offset 12 …
  Chunk(b, "data", 100, 0x22);  // … so this trailing chunk is not walked
  WaveChunks c;
  EXPECT_EQ(WalkWaveChunks(b.data(), b.size(), &c), WaveWalk::NoData);
  std::memcpy(&b[4], "\x19\0\0\0", 4);  // a size of 25 takes it in
  EXPECT_EQ(WalkWaveChunks(b.data(), b.size(), &c), WaveWalk::Ok);
}

TEST(WalkWaveChunks, RefusesFilesWithoutWhatAPlayerNeeds) {
  WaveChunks c;
  Bytes header_only = Header();
  Chunk(header_only, "fmt ", 16, 0x11);
  Seal(header_only);
  ASSERT_EQ(header_only.size(), 36u);
  EXPECT_EQ(WalkWaveChunks(header_only.data(), header_only.size(), &c), WaveWalk::NoData);
  EXPECT_EQ(WalkWaveChunks(header_only.data(), 35, &c), WaveWalk::NotWave);

  Bytes no_format = Header();
  Chunk(no_format, "data", 100, 0x22);
  Seal(no_format);
  EXPECT_EQ(WalkWaveChunks(no_format.data(), no_format.size(), &c), WaveWalk::NoFormat);

  Bytes short_format = Header();
  Chunk(short_format, "fmt ", 14, 0x11);  // too short to describe samples
  Chunk(short_format, "data", 100, 0x22);
  Seal(short_format);
  EXPECT_EQ(WalkWaveChunks(short_format.data(), short_format.size(), &c), WaveWalk::NoFormat);

  Bytes empty_data = Header();
  Chunk(empty_data, "fmt ", 16, 0x11);
  Chunk(empty_data, "data", 0, 0x22);
  Chunk(empty_data, "junk", 8, 0x00);
  Seal(empty_data);
  EXPECT_EQ(WalkWaveChunks(empty_data.data(), empty_data.size(), &c), WaveWalk::EmptyData);

  Bytes ten = {'R', 'I', 'F', 'F', 2, 0, 0, 0, 'W', 'A'};
  EXPECT_EQ(WalkWaveChunks(ten.data(), ten.size(), &c), WaveWalk::NotWave);
}

TEST(WalkWaveChunks, FirstChunkOfEachKindCounts) {
  Bytes b = Header();
  Chunk(b, "fmt ", 16, 0x11);
  Chunk(b, "fmt ", 18, 0x44);
  Chunk(b, "data", 10, 0x22);
  Chunk(b, "data", 20, 0x55);
  Seal(b);
  WaveChunks c;
  ASSERT_EQ(WalkWaveChunks(b.data(), b.size(), &c), WaveWalk::Ok);
  EXPECT_EQ(c.format_size, 16u);
  EXPECT_EQ(c.sample_size, 10u);
}

}  // namespace
}  // namespace talv::sound
