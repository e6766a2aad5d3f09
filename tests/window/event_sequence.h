// The window tests' record of events in the order they happened, and its
// comparison with an expected sequence: entries that must come in order,
// optional entries that may be missing, and on failure both sequences side
// by side with the first difference marked.
//
//   EXPECT_TRUE(MatchesSequence(log, {"created", Optional("moved"), "sized"}));
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace talv::test {

// One recorded event: what happened (a handler's name, a probe's log line)
// and, for a handler call, the event source and the first argument.
struct SequenceEvent {
  std::string name;
  int32_t window = 0;
  int32_t control = 0;
  int32_t argument = 0;
};

class EventSequence {
 public:
  EventSequence() = default;
  // One event per name, nothing else recorded (the lines of a log file).
  explicit EventSequence(const std::vector<std::string>& names);

  void Add(std::string name, int32_t window = 0, int32_t control = 0, int32_t argument = 0);
  void Clear() { events_.clear(); }

  bool empty() const { return events_.empty(); }
  size_t size() const { return events_.size(); }
  const SequenceEvent& operator[](size_t i) const { return events_.at(i); }
  const SequenceEvent& back() const { return events_.back(); }
  // How many events have this name.
  int Count(std::string_view name) const;
  std::vector<std::string> Names() const;

 private:
  std::vector<SequenceEvent> events_;
};

// One entry of an expected sequence; a plain string is a required entry.
struct ExpectedEvent {
  ExpectedEvent(const char* n) : name(n) {}         // NOLINT: a string is an entry
  ExpectedEvent(std::string n) : name(std::move(n)) {}  // NOLINT
  std::string name;
  bool optional = false;
};
// An entry that may be missing from the recorded sequence.
ExpectedEvent Optional(std::string name);

// Whether the recorded names are the expected entries: each required one,
// in order, optional ones there or not, and nothing else.
::testing::AssertionResult MatchesSequence(const EventSequence& actual,
                                           const std::vector<ExpectedEvent>& expected);
// The same for how the sequence begins (events after it are not looked at).
::testing::AssertionResult StartsWithSequence(const EventSequence& actual,
                                              const std::vector<ExpectedEvent>& expected);
// The same for how the sequence ends (events before it are not looked at).
::testing::AssertionResult EndsWithSequence(const EventSequence& actual,
                                            const std::vector<ExpectedEvent>& expected);

}  // namespace talv::test
