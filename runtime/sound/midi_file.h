// Standard MIDI File reader. It turns the file image into one time-ordered
// list of stream events in the layout that the system's MIDI stream
// functions take (delta ticks, stream id, event word), so the player only
// cuts the list into buffers. Portable: the fuzz target shares it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace talv::sound {

// Event kinds, in the top byte of the event word.
constexpr uint32_t kStreamShortMessage = 0x00;  // low 24 bits: status | data1 << 8 | data2 << 16
constexpr uint32_t kStreamTempo = 0x01;         // low 24 bits: microseconds per quarter note
constexpr uint32_t kStreamNop = 0x02;           // nothing; keeps the time of a track's end

struct StreamEvent {
  uint32_t delta;      // ticks since the previous event
  uint32_t stream_id;  // always 0
  uint32_t event;      // kind << 24 | parameters
};
static_assert(sizeof(StreamEvent) == 12, "the stream functions take 12-byte events");

struct MidiSequence {
  uint32_t division = 0;             // ticks per quarter note (1 … 0x7FFF)
  std::vector<StreamEvent> events;   // every track merged, in time order
  uint64_t length_ticks = 0;         // time of the last track's end
  size_t note_messages = 0;          // short messages among the events
};

struct MidiRead {
  bool ok;
  const char* reason;  // why the data was refused (null when ok)
  size_t offset;       // the byte at which reading stopped
};

// Accepts exactly: an "MThd" chunk of big-endian length 6 (format, track
// count, division, each big-endian 16-bit), followed by exactly that many
// "MTrk" chunks and nothing else. Formats 0 and 1 merge the tracks by time;
// format 2 plays them one after another. SMPTE divisions become ticks per
// second (with a fixed tempo of one quarter note per second). Sysex and
// meta events other than tempo are dropped; running status is honoured.
MidiRead ReadMidiFile(const uint8_t* data, size_t length, MidiSequence* out);

}  // namespace talv::sound
