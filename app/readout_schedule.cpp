#include "app/readout_schedule.h"

#include <cstring>

namespace talv::app {
namespace {

struct Syllable {
  const char* character;  // two GBK bytes
  const char* file;
  int pause_ms;
  const char* lone_file;  // null: no lone rule
};

// 五 and 十 have rules of their own (see ScheduleReadout); their pause here is
// the plain one.
const Syllable kSyllables[] = {
    {"零", "零", 400, nullptr}, {"一", "一", 400, "一y"}, {"二", "二", 400, "二y"},
    {"三", "三", 400, "三y"},   {"四", "四", 400, "四y"}, {"五", "五", 300, "五y"},
    {"六", "六", 400, "六y"},   {"七", "七", 400, "七y"}, {"八", "八", 400, "八y"},
    {"九", "九", 400, "九y"},   {"十", "十", 350, "十y"}, {"百", "百", 350, nullptr},
    {"千", "千", 350, nullptr}, {"万", "万", 350, nullptr}, {"元", "元", 300, nullptr},
    {"角", "角", 550, nullptr}, {"分", "分", 0, nullptr},
};

const Syllable* Lookup(const std::string& character) {
  for (const Syllable& s : kSyllables) {
    if (character == s.character) return &s;
  }
  return nullptr;
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
  for (size_t i = 1; length >= 1 && i <= length - 1; i += 2) {
    const std::string current = CharacterAt(text, i);
    const Syllable* s = Lookup(current);
    if (s && s->lone_file && length == 2) {
      steps.push_back({s->lone_file, kLonePauseMs});
      return steps;
    }
    if (!s) {
      // Characters without a recording (负, 亿, 整, 溢, 出, "!") are skipped.
    } else if (current == "五") {
      const bool last = end_mark ? i + 2 == length : i + 1 == length;
      steps.push_back({last ? "五" : "伍", 300});
    } else if (current == "十") {
      const std::string next = CharacterAt(text, i + 2);
      const bool long_pause = IsOneOf(previous, "五", "八") || IsOneOf(next, "五", "八", "二");
      steps.push_back({"十", long_pause ? 550 : 350});
    } else {
      steps.push_back({s->file, s->pause_ms});
    }
    previous = current;
  }
  steps.push_back({"", kClosingPauseMs});
  return steps;
}

}  // namespace talv::app
