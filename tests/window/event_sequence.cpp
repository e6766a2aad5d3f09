#include "tests/window/event_sequence.h"

#include <algorithm>
#include <sstream>
#include <utility>

namespace talv::test {

EventSequence::EventSequence(const std::vector<std::string>& names) {
  for (const std::string& name : names) Add(name);
}

void EventSequence::Add(std::string name, int32_t window, int32_t control, int32_t argument) {
  events_.push_back({std::move(name), window, control, argument});
}

int EventSequence::Count(std::string_view name) const {
  return int(std::count_if(events_.begin(), events_.end(),
                           [&](const SequenceEvent& e) { return e.name == name; }));
}

std::vector<std::string> EventSequence::Names() const {
  std::vector<std::string> names;
  for (const SequenceEvent& e : events_) names.push_back(e.name);
  return names;
}

ExpectedEvent Optional(std::string name) {
  ExpectedEvent e(std::move(name));
  e.optional = true;
  return e;
}

namespace {

using Names = std::vector<std::string>;
using Expected = std::vector<ExpectedEvent>;

// Whether actual[a..] matches expected[e..] entirely; an optional entry is
// tried present first, then absent.
bool MatchFrom(const Names& actual, size_t a, const Expected& expected, size_t e) {
  if (e == expected.size()) return a == actual.size();
  if (a < actual.size() && actual[a] == expected[e].name &&
      MatchFrom(actual, a + 1, expected, e + 1))
    return true;
  return expected[e].optional && MatchFrom(actual, a, expected, e + 1);
}

// The two sequences side by side, walked in step: an optional entry that
// is not there shows against "-", and the first row where they part is
// marked with ">".
std::string Difference(const Names& actual, const Expected& expected, const char* how) {
  std::ostringstream out;
  out << "the recorded events do not " << how << " the expected sequence\n"
      << "     expected                  recorded\n";
  auto row = [&](bool mark, std::string want, const std::string& got) {
    if (want.size() < 26) want.resize(26, ' ');
    out << (mark ? "  >  " : "     ") << want << got << "\n";
  };
  auto name = [&](size_t e) {
    return expected[e].optional ? "(" + expected[e].name + ")" : expected[e].name;
  };
  size_t a = 0, e = 0;
  bool parted = false;
  while (a < actual.size() || e < expected.size()) {
    if (a < actual.size() && e < expected.size() && actual[a] == expected[e].name) {
      row(false, name(e), actual[a]);
      ++a, ++e;
    } else if (e < expected.size() && expected[e].optional) {
      row(false, name(e), "-");
      ++e;
    } else {
      row(!parted, e < expected.size() ? name(e) : "-", a < actual.size() ? actual[a] : "-");
      parted = true;
      if (a < actual.size()) ++a;
      if (e < expected.size()) ++e;
    }
  }
  return out.str();
}

}  // namespace

::testing::AssertionResult MatchesSequence(const EventSequence& actual, const Expected& expected) {
  const Names names = actual.Names();
  if (MatchFrom(names, 0, expected, 0)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << Difference(names, expected, "match");
}

::testing::AssertionResult StartsWithSequence(const EventSequence& actual,
                                              const Expected& expected) {
  const Names names = actual.Names();
  for (size_t n = 0; n <= names.size(); ++n) {
    if (MatchFrom(Names(names.begin(), names.begin() + ptrdiff_t(n)), 0, expected, 0))
      return ::testing::AssertionSuccess();
  }
  const size_t shown = std::min(names.size(), expected.size());
  return ::testing::AssertionFailure()
         << Difference(Names(names.begin(), names.begin() + ptrdiff_t(shown)), expected,
                       "begin with");
}

::testing::AssertionResult EndsWithSequence(const EventSequence& actual, const Expected& expected) {
  const Names names = actual.Names();
  for (size_t start = 0; start <= names.size(); ++start) {
    if (MatchFrom(names, start, expected, 0)) return ::testing::AssertionSuccess();
  }
  const size_t shown = std::min(names.size(), expected.size());
  return ::testing::AssertionFailure()
         << Difference(Names(names.end() - ptrdiff_t(shown), names.end()), expected, "end with");
}

}  // namespace talv::test
