// Fuzzes the Standard MIDI File reader: refused input says why, and an
// accepted file gives events whose deltas add up to the sequence's length
// and whose kinds are those the stream functions take.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "runtime/sound/midi_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace talv::sound;
  MidiSequence s;
  const MidiRead r = ReadMidiFile(data, size, &s);
  if (!r.ok) {
    if (!r.reason || r.offset > size) std::abort();
    return 0;
  }
  if (s.division == 0 || s.division > 0x7FFF || s.events.empty()) std::abort();
  uint64_t total = 0;
  size_t notes = 0;
  for (const StreamEvent& e : s.events) {
    const uint32_t kind = e.event >> 24;
    if (kind != kStreamShortMessage && kind != kStreamTempo && kind != kStreamNop) std::abort();
    if (kind == kStreamShortMessage) {
      ++notes;
      if (!(e.event & 0x80) || (e.event & 0x8000) || (e.event & 0x800000)) std::abort();
    }
    if (e.stream_id != 0) std::abort();
    total += e.delta;
  }
  if (total != s.length_ticks) std::abort();
  if (notes != s.note_messages) std::abort();
  return 0;
}
