// The spoken readout: the number as a Chinese money amount, tidied, or the
// word for a result that is not an amount (readout_text.h), then one
// recording per syllable with the fixed pause after it (the pauses, not the
// recordings, set the rhythm; PlayAudio returns at once).
#include <string>

#include "app/app_commands.h"
#include "app/calculator_state.h"
#include "app/handlers.h"
#include "app/readout_schedule.h"
#include "app/readout_text.h"
#include "app/runtime_api.h"
#include "app/wait.h"

namespace talv::app {
namespace {

// A pause that ended this much later than its deadline was held up by
// work nested inside it (another readout, say): the rhythm starts afresh
// from now rather than rushing through the rest.
constexpr int64_t kLateRestartMs = 50;

void WaitForBeat(int32_t* due) {
  WaitUntilTick(*due);
  const int32_t now = TickNow();
  if (int64_t(now) - int64_t(*due) > kLateRestartMs) *due = now;
}

void PlayFrom(const std::string& directory, const char* file) {
  rt::Call(Commands().sound.PlayAudio, (directory + file).c_str());
}

// Reads the readout's text `text` (ReadoutText) aloud.
void Speak(std::string text, int32_t lead_in, bool end_mark) {
  if (end_mark) text += "!";
  const std::string directory = std::string(BaseDirectory ? BaseDirectory : "") + "\\wav\\";
  if (text == "一十") text = "十";

  // Each pause ends at its place in the rhythm, counted from the start of
  // the readout: starting a sound takes time of its own, which must not add
  // up from one syllable to the next.
  int32_t due = TickNow();
  // Once the window is closing (a pause may have run the close), nothing
  // more is played.
  if (Closing) return;
  if (const char* lead = LeadInFile(lead_in); lead && *lead) {
    PlayFrom(directory, lead);
    due = TickAfter(due, kLeadInPauseMs);
    WaitForBeat(&due);
  }
  // The syllable walk: each step plays its recording (none for the closing
  // pause) and waits its pause.
  for (const ReadoutStep& step : ScheduleReadout(text, end_mark)) {
    if (Closing) return;
    if (!step.file.empty()) PlayFrom(directory, step.file.c_str());
    due = TickAfter(due, step.pause_ms);
    WaitForBeat(&due);
  }
}

}  // namespace

void SpeakNumber(double number, int32_t lead_in, bool end_mark) {
  Speak(ReadoutText(number), lead_in, end_mark);
}

void SpeakShownResult(const char* shown) { Speak(ShownResultText(shown), 0, true); }

}  // namespace talv::app
