// Reading Standard MIDI Files into stream events.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/sound/midi_file.h"

namespace talv::sound {
namespace {

using Bytes = std::vector<uint8_t>;

void Big32(Bytes& b, uint32_t v) {
  for (int i = 3; i >= 0; --i) b.push_back(uint8_t(v >> (8 * i)));
}
Bytes Header(uint16_t format, uint16_t tracks, uint16_t division) {
  Bytes b = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
  for (uint16_t v : {format, tracks, division}) {
    b.push_back(uint8_t(v >> 8));
    b.push_back(uint8_t(v));
  }
  return b;
}
void Track(Bytes& b, const Bytes& events) {
  for (char c : {'M', 'T', 'r', 'k'}) b.push_back(uint8_t(c));
  Big32(b, uint32_t(events.size()));
  b.insert(b.end(), events.begin(), events.end());
}
const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};
Bytes WithEnd(Bytes events) {
  events.insert(events.end(), kEnd.begin(), kEnd.end());
  return events;
}
uint32_t Short(uint8_t status, uint8_t d1, uint8_t d2 = 0) {
  return kStreamShortMessage << 24 | status | d1 << 8 | d2 << 16;
}

MidiRead Read(const Bytes& b, MidiSequence* s) { return ReadMidiFile(b.data(), b.size(), s); }

TEST(ReadMidiFile, SingleTrackWithRunningStatus) {
  Bytes f = Header(0, 1, 96);
  // note on 60; 96 ticks later note on 62 by running status; then both off.
  Track(f, WithEnd({0x00, 0x90, 60, 100, 0x60, 62, 90, 0x60, 0x80, 60, 0, 0x00, 62, 0}));
  MidiSequence s;
  ASSERT_TRUE(Read(f, &s).ok);
  EXPECT_EQ(s.division, 96u);
  ASSERT_EQ(s.events.size(), 4u);
  EXPECT_EQ(s.events[0].event, Short(0x90, 60, 100));
  EXPECT_EQ(s.events[1].delta, 96u);
  EXPECT_EQ(s.events[1].event, Short(0x90, 62, 90));
  EXPECT_EQ(s.events[2].delta, 96u);
  EXPECT_EQ(s.events[3].event, Short(0x80, 62, 0));
  EXPECT_EQ(s.length_ticks, 192u);
  EXPECT_EQ(s.note_messages, 4u);
}

TEST(ReadMidiFile, TracksAreMergedByTimeAndTempoIsKept) {
  Bytes f = Header(1, 2, 480);
  Track(f, WithEnd({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,   // tempo 500,000
                    0x83, 0x60, 0xC0, 5}));                    // at 480: program change
  Track(f, WithEnd({0x81, 0x70, 0x91, 64, 80}));                // at 240: note on
  MidiSequence s;
  ASSERT_TRUE(Read(f, &s).ok);
  ASSERT_EQ(s.events.size(), 3u);
  EXPECT_EQ(s.events[0].event, kStreamTempo << 24 | 500000);
  EXPECT_EQ(s.events[1].delta, 240u);
  EXPECT_EQ(s.events[1].event, Short(0x91, 64, 80));
  EXPECT_EQ(s.events[2].delta, 240u);
  EXPECT_EQ(s.events[2].event, Short(0xC0, 5));
}

TEST(ReadMidiFile, FormatTwoPlaysTracksOneAfterAnother) {
  Bytes f = Header(2, 2, 96);
  Track(f, {0x00, 0x90, 60, 100, 0x60, 0xFF, 0x2F, 0x00});  // ends at 96
  Track(f, WithEnd({0x10, 0x90, 62, 100}));                   // 16 ticks into the second
  MidiSequence s;
  ASSERT_TRUE(Read(f, &s).ok);
  ASSERT_EQ(s.events.size(), 2u);
  EXPECT_EQ(s.events[1].delta, 96u + 16u);
}

TEST(ReadMidiFile, TrailingSilenceIsKeptForLooping) {
  Bytes f = Header(0, 1, 96);
  Track(f, {0x00, 0x90, 60, 100, 0x83, 0x00, 0xFF, 0x2F, 0x00});  // ends 384 ticks later
  MidiSequence s;
  ASSERT_TRUE(Read(f, &s).ok);
  ASSERT_EQ(s.events.size(), 2u);
  EXPECT_EQ(s.events[1].event, kStreamNop << 24);
  EXPECT_EQ(s.events[1].delta, 384u);
}

TEST(ReadMidiFile, DroppedEventsKeepTheirTime) {
  Bytes f = Header(0, 1, 96);
  // sysex at 10, text meta at 20, note at 30.
  Track(f, WithEnd({0x0A, 0xF0, 0x02, 0x7E, 0xF7, 0x0A, 0xFF, 0x01, 0x01, 'x',
                    0x0A, 0x90, 60, 1}));
  MidiSequence s;
  ASSERT_TRUE(Read(f, &s).ok);
  ASSERT_EQ(s.events.size(), 1u);
  EXPECT_EQ(s.events[0].delta, 30u);
}

TEST(ReadMidiFile, GapsWiderThanOneDeltaAreBridged) {
  Bytes f = Header(0, 1, 96);
  // Twenty dropped meta events, each 0x0FFFFFFF ticks apart, then a note.
  Bytes events;
  for (int i = 0; i < 20; ++i) {
    for (uint8_t b : Bytes{0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x01, 0x00}) events.push_back(b);
  }
  for (uint8_t b : Bytes{0x00, 0x90, 60, 1}) events.push_back(b);
  Track(f, WithEnd(events));
  MidiSequence s;
  ASSERT_TRUE(Read(f, &s).ok);
  uint64_t total = 0;
  for (const StreamEvent& e : s.events) total += e.delta;
  EXPECT_EQ(total, 20ull * 0x0FFFFFFF);
  EXPECT_EQ(s.events.back().event, Short(0x90, 60, 1));
}

TEST(ReadMidiFile, SmpteDivisionBecomesTicksPerSecond) {
  Bytes f = Header(0, 1, uint16_t(0xE728));  // -25 frames per second, 40 ticks a frame
  Track(f, WithEnd({0x00, 0xFF, 0x51, 0x03, 0x01, 0x00, 0x00, 0x00, 0x90, 60, 1}));
  MidiSequence s;
  ASSERT_TRUE(Read(f, &s).ok);
  EXPECT_EQ(s.division, 1000u);
  ASSERT_EQ(s.events.size(), 2u);  // the file's tempo is replaced by one second a quarter
  EXPECT_EQ(s.events[0].event, kStreamTempo << 24 | 1000000);
}

TEST(ReadMidiFile, RefusesEveryOtherShape) {
  MidiSequence s;
  Bytes good = Header(0, 1, 96);
  Track(good, WithEnd({0x00, 0x90, 60, 1}));
  ASSERT_TRUE(Read(good, &s).ok);

  Bytes long_header = {'M', 'T', 'h', 'd', 0, 0, 0, 8, 0, 0, 0, 1, 0, 96, 0, 0};
  Track(long_header, kEnd);
  EXPECT_FALSE(Read(long_header, &s).ok);

  Bytes too_few = Header(1, 2, 96);
  Track(too_few, kEnd);
  EXPECT_FALSE(Read(too_few, &s).ok);

  Bytes too_many = Header(0, 1, 96);
  Track(too_many, kEnd);
  Track(too_many, kEnd);
  EXPECT_FALSE(Read(too_many, &s).ok);

  Bytes other_chunk = Header(0, 1, 96);
  for (uint8_t b : Bytes{'X', 'F', 'I', 'H', 0, 0, 0, 0}) other_chunk.push_back(b);
  Track(other_chunk, kEnd);
  EXPECT_FALSE(Read(other_chunk, &s).ok);

  Bytes cut = good;
  cut.pop_back();
  EXPECT_FALSE(Read(cut, &s).ok);

  Bytes no_status = Header(0, 1, 96);
  Track(no_status, WithEnd({0x00, 60, 1}));  // data byte with no running status
  EXPECT_FALSE(Read(no_status, &s).ok);

  Bytes long_delta = Header(0, 1, 96);
  Track(long_delta, WithEnd({0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 1}));  // five bytes
  EXPECT_FALSE(Read(long_delta, &s).ok);

  Bytes zero_division = Header(0, 1, 0);
  Track(zero_division, kEnd);
  EXPECT_FALSE(Read(zero_division, &s).ok);

  const MidiRead r = Read(Bytes{'M', 'T', 'h', 'd', 0}, &s);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.reason, nullptr);
}

}  // namespace
}  // namespace talv::sound
