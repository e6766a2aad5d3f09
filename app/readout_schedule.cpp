#include "app/readout_schedule.h"

#include <cstring>

namespace talv::app {
namespace {

struct Syllable {
  const char* character;  // GBK: one character, or a word that one recording says
  const char* file;
  int pause_ms;
  const char* lone_file;  // null: no lone rule
};

// 五 and 十 have rules of their own (see ScheduleReadout); their pause here is
// the plain one.
const Syllable kSyllables[] = {
#define TALV_SYLLABLE(character, file, pause_ms, lone_file) {character, file, pause_ms, lone_file},
#define TALV_PAUSE(name, ms)
#include "app/readout_pauses.inc"
#undef TALV_PAUSE
#undef TALV_SYLLABLE
};

// The entry whose character (or word) the text holds at 1-based position i;
// the longest when several would fit.
const Syllable* Lookup(const std::string& text, size_t i) {
  const Syllable* found = nullptr;
  for (const Syllable& s : kSyllables) {
    const size_t n = std::strlen(s.character);
    if (text.compare(i - 1, n, s.character) == 0 && (!found || n > std::strlen(found->character)))
      found = &s;
  }
  return found;
}

// The two bytes at 1-based position i, fewer at the end of the text.
std::string CharacterAt(const std::string& text, size_t i) {
  if (i == 0 || i > text.size()) return std::string();
  return text.substr(i - 1, 2);
}

bool IsOneOf(const std::string& c, const char* a, const char* b, const char* d = nullptr) {
  return c == a || c == b || (d && c == d);
}

}  // namespace

const char* LeadInFile(int lead_in) {
  switch (lead_in) {
    case 1: return "ys";
    case 2: return "ss";
    case 3: return "zh";
    default: return "";
  }
}

std::vector<ReadoutStep> ScheduleReadout(const std::string& text, bool end_mark) {
  std::vector<ReadoutStep> steps;
  const size_t length = text.size();
  std::string previous;
  // Each step is one character, or a word (溢出, 错误) walked over whole.
  size_t step = 0;
  for (size_t i = 1; length >= 1 && i <= length - 1; i += step) {
    const Syllable* s = Lookup(text, i);
    const std::string current = s ? std::string(s->character) : CharacterAt(text, i);
    step = current.size();
    // The lone rule asks for a text that is exactly one character, so a
    // negative amount never takes it: 负三 (no end mark) plays 负, then the
    // plain 三 with its pause and the closing pause, as 负三! does.
    if (s && s->lone_file && length == 2) {
      steps.push_back({s->lone_file, kLonePauseMs});
      return steps;
    }
    if (!s) {
      // Characters without a recording (亿, 整, "!") are skipped.
    } else if (current == "五") {
      // Only what follows counts, so a leading 负 changes nothing: 负五! ends
      // in 五, 负五角整! plays 伍.
      const bool last = end_mark ? i + 2 == length : i + 1 == length;
      steps.push_back({last ? "五" : "伍", s->pause_ms});
    } else if (current == "十") {
      const std::string next = CharacterAt(text, i + 2);
      const bool long_pause = IsOneOf(previous, "五", "八") || IsOneOf(next, "五", "八", "二");
      steps.push_back({"十", long_pause ? kLongTenPauseMs : s->pause_ms});
    } else {
      steps.push_back({s->file, s->pause_ms});
    }
    previous = current;
  }
  steps.push_back({"", kClosingPauseMs});
  return steps;
}

}  // namespace talv::app
