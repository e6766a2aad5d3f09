// Standard MIDI File reader (see midi_file.h).
#include "runtime/sound/midi_file.h"

#include <algorithm>
#include <cstring>

namespace talv::sound {
namespace {

constexpr uint32_t kOneSecondPerQuarter = 1000000;  // microseconds
constexpr uint32_t kLongestDelta = 0x0FFFFFFF;       // the largest delta a file can hold

uint32_t ReadBig32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}
uint16_t ReadBig16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }

// One event with its absolute time, before the tracks are merged.
struct TimedEvent {
  uint64_t time;
  uint32_t event;
};

class TrackReader {
 public:
  TrackReader(const uint8_t* data, size_t begin, size_t end)
      : data_(data), pos_(begin), end_(end) {}

  // Reads every event of the track, starting at absolute time `start`.
  // Returns null on success, or the reason the track is malformed.
  const char* Read(uint64_t start, bool keep_tempo, std::vector<TimedEvent>* events,
                   uint64_t* end_time, size_t* notes) {
    uint64_t time = start;
    uint8_t running = 0;
    while (pos_ < end_) {
      uint32_t delta;
      if (!ReadQuantity(&delta)) return "bad delta time";
      time += delta;
      if (pos_ >= end_) return "event missing after delta time";
      uint8_t status = data_[pos_];
      if (status & 0x80) {
        ++pos_;
      } else if (running) {
        status = running;  // running status: this byte is the first data byte
      } else {
        return "data byte without a status";
      }

      if (status < 0xF0) {
        running = status;
        const int count = (status & 0xE0) == 0xC0 ? 1 : 2;  // program change, channel pressure: 1
        if (end_ - pos_ < size_t(count)) return "channel message cut short";
        uint32_t message = status;
        for (int i = 0; i < count; ++i) {
          const uint8_t b = data_[pos_++];
          if (b & 0x80) return "status byte inside a channel message";
          message |= uint32_t(b) << (8 * (i + 1));
        }
        events->push_back({time, kStreamShortMessage << 24 | message});
        ++*notes;
      } else if (status == 0xF0 || status == 0xF7) {
        running = 0;
        uint32_t length;
        if (!ReadQuantity(&length)) return "bad sysex length";
        if (end_ - pos_ < length) return "sysex runs past its track";
        pos_ += length;  // system-exclusive data is not sent
      } else if (status == 0xFF) {
        running = 0;
        if (pos_ >= end_) return "meta event without a type";
        const uint8_t type = data_[pos_++];
        uint32_t length;
        if (!ReadQuantity(&length)) return "bad meta length";
        if (end_ - pos_ < length) return "meta event runs past its track";
        const uint8_t* body = data_ + pos_;
        pos_ += length;
        if (type == 0x2F) break;  // end of track
        if (type == 0x51 && length == 3 && keep_tempo) {
          const uint32_t tempo = uint32_t(body[0]) << 16 | uint32_t(body[1]) << 8 | body[2];
          if (tempo != 0) events->push_back({time, kStreamTempo << 24 | tempo});
        }
      } else {
        return "system message in a track";
      }
    }
    *end_time = time;
    return nullptr;
  }

  size_t position() const { return pos_; }

 private:
  // A variable-length quantity: at most four bytes of seven bits each.
  bool ReadQuantity(uint32_t* value) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      if (pos_ >= end_) return false;
      const uint8_t b = data_[pos_++];
      v = v << 7 | (b & 0x7F);
      if (!(b & 0x80)) {
        *value = v;
        return true;
      }
    }
    return false;
  }

  const uint8_t* data_;
  size_t pos_;
  size_t end_;
};

MidiRead Refuse(const char* reason, size_t offset) { return {false, reason, offset}; }

}  // namespace

MidiRead ReadMidiFile(const uint8_t* data, size_t length, MidiSequence* out) {
  *out = MidiSequence{};
  if (!data || length < 14 || std::memcmp(data, "MThd", 4) != 0) {
    return Refuse("no MThd header", 0);
  }
  if (ReadBig32(data + 4) != 6) return Refuse("MThd length is not 6", 4);
  const uint16_t format = ReadBig16(data + 8);
  const uint16_t tracks = ReadBig16(data + 10);
  const uint16_t division = ReadBig16(data + 12);
  if (format > 2) return Refuse("unknown format", 8);
  if (tracks == 0) return Refuse("no tracks", 10);

  bool keep_tempo = true;
  if (division & 0x8000) {
    // SMPTE: frames per second (negative, 29 meaning 29.97) and ticks per frame.
    const int fps = 256 - (division >> 8);
    const int ticks_per_frame = division & 0xFF;
    if ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || ticks_per_frame == 0) {
      return Refuse("bad SMPTE division", 12);
    }
    out->division = uint32_t((fps == 29 ? 30 : fps) * ticks_per_frame);
    keep_tempo = false;
  } else {
    if (division == 0) return Refuse("division is 0", 12);
    out->division = division;
  }

  std::vector<TimedEvent> timed;
  if (!keep_tempo) timed.push_back({0, kStreamTempo << 24 | kOneSecondPerQuarter});
  size_t pos = 14;
  uint64_t track_start = 0, end_time = 0;
  for (uint16_t t = 0; t < tracks; ++t) {
    if (length - pos < 8) return Refuse("missing MTrk chunk", pos);
    if (std::memcmp(data + pos, "MTrk", 4) != 0) return Refuse("chunk is not MTrk", pos);
    const uint32_t size = ReadBig32(data + pos + 4);
    const size_t body = pos + 8;
    if (length - body < size) return Refuse("MTrk runs past the end", pos + 4);
    TrackReader reader(data, body, body + size);
    uint64_t track_end = 0;
    const char* fault = reader.Read(track_start, keep_tempo, &timed, &track_end,
                                    &out->note_messages);
    if (fault) return Refuse(fault, reader.position());
    end_time = std::max(end_time, track_end);
    if (format == 2) track_start = track_end;  // sequential patterns
    pos = body + size;
  }
  if (pos != length) return Refuse("bytes after the last track", pos);

  // Merge by time; equal times keep track order, then file order.
  std::stable_sort(timed.begin(), timed.end(),
                   [](const TimedEvent& a, const TimedEvent& b) { return a.time < b.time; });
  out->events.reserve(timed.size() + 1);
  uint64_t previous = 0;
  auto append = [&](uint64_t time, uint32_t event) {
    // Dropped events can leave gaps wider than a 32-bit delta: bridge them.
    while (time - previous > kLongestDelta) {
      previous += kLongestDelta;
      out->events.push_back({kLongestDelta, 0, kStreamNop << 24});
    }
    out->events.push_back({uint32_t(time - previous), 0, event});
    previous = time;
  };
  for (const TimedEvent& e : timed) append(e.time, e.event);
  if (end_time > previous || out->events.empty()) append(end_time, kStreamNop << 24);
  out->length_ticks = end_time;
  return {true, nullptr, length};
}

}  // namespace talv::sound
