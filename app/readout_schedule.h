// The rhythm of the spoken readout: which recording each syllable of an
// amount text plays and how long the pause after it lasts. Portable, so the
// schedule is tested without a window or a sound device.
#pragma once

#include <string>
#include <vector>

namespace talv::app {

// One step of a readout: play `file` (no file when empty), then wait `pause_ms`.
struct ReadoutStep {
  std::string file;  // GBK name inside the wav directory, e.g. "一", "伍", "十y"
  int pause_ms;
  bool operator==(const ReadoutStep& o) const { return file == o.file && pause_ms == o.pause_ms; }
};

// The named pauses of app/readout_pauses.inc: kLongTenPauseMs,
// kLeadInPauseMs, kClosingPauseMs, kLonePauseMs and kReadoutDelayMs.
#define TALV_SYLLABLE(character, file, pause_ms, lone_file)
#define TALV_PAUSE(name, ms) constexpr int name = ms;
#include "app/readout_pauses.inc"
#undef TALV_PAUSE
#undef TALV_SYLLABLE

// The lead-in recording for lead-in 1, 2 or 3 ("ys", "ss", "zh"); empty otherwise.
const char* LeadInFile(int lead_in);

// The steps for the working text `text` (GBK, walked two bytes at a time,
// the words 溢出 and 错误 four): the readout's text (readout_text.h), "!"
// appended when `end_mark` is set and "一十" turned into "十". 负 is a
// syllable like the digits. Unlisted characters play nothing and take no
// time; a lone digit (or 十) plays its "y" recording and ends the readout
// without the closing pause; otherwise the closing pause comes last.
std::vector<ReadoutStep> ScheduleReadout(const std::string& text, bool end_mark);

}  // namespace talv::app
