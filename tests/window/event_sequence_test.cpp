// The event-sequence comparison the window tests share: order, optional
// entries, the beginning and the end of a log, and a failure message that
// shows where the sequences part.
#include "tests/window/event_sequence.h"

#include <gtest/gtest.h>

namespace talv::test {
namespace {

TEST(EventSequence, MatchesEveryRequiredEntryInOrderAndNothingElse) {
  const EventSequence log({"created", "moved", "sized"});
  EXPECT_TRUE(MatchesSequence(log, {"created", "moved", "sized"}));
  EXPECT_FALSE(MatchesSequence(log, {"created", "sized", "moved"}));
  EXPECT_FALSE(MatchesSequence(log, {"created", "moved"}));  // an event more
  EXPECT_FALSE(MatchesSequence(log, {"created", "moved", "sized", "shown"}));  // one less
  EXPECT_TRUE(MatchesSequence(EventSequence(), {}));
}

TEST(EventSequence, OptionalEntriesMayBeThereOrNot) {
  EXPECT_TRUE(MatchesSequence(EventSequence({"created", "sized"}),
                              {"created", Optional("moved"), "sized"}));
  EXPECT_TRUE(MatchesSequence(EventSequence({"created", "moved", "sized"}),
                              {"created", Optional("moved"), "sized"}));
  // An optional entry that matches a required one later still leaves it
  // to that one.
  EXPECT_TRUE(MatchesSequence(EventSequence({"a", "b"}), {"a", Optional("b"), "b"}));
  EXPECT_FALSE(MatchesSequence(EventSequence({"created", "shown", "sized"}),
                               {"created", Optional("moved"), "sized"}));
}

TEST(EventSequence, TheBeginningAndTheEndOfALog) {
  const EventSequence log({"created", "moved", "close-query", "destroyed", "exit"});
  EXPECT_TRUE(StartsWithSequence(log, {"created", Optional("shown"), "moved"}));
  EXPECT_FALSE(StartsWithSequence(log, {"moved"}));
  EXPECT_TRUE(EndsWithSequence(log, {"close-query", "destroyed", "exit"}));
  EXPECT_TRUE(EndsWithSequence(log, {"close-query", Optional("loop-ended"), "destroyed", "exit"}));
  EXPECT_FALSE(EndsWithSequence(log, {"destroyed", "close-query", "exit"}));
  EXPECT_FALSE(EndsWithSequence(EventSequence({"exit"}), {"destroyed", "exit"}));
}

TEST(EventSequence, AFailureShowsBothSequencesAndMarksWhereTheyPart) {
  const ::testing::AssertionResult r =
      MatchesSequence(EventSequence({"created", "changed", "sized"}),
                      {"created", Optional("moved"), "sized"});
  ASSERT_FALSE(r);
  const std::string text = r.message();
  EXPECT_NE(text.find("     created                   created\n"), std::string::npos) << text;
  EXPECT_NE(text.find("     (moved)                   -\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  >  sized                     changed\n"), std::string::npos) << text;
  EXPECT_NE(text.find("     -                         sized\n"), std::string::npos) << text;
}

TEST(EventSequence, KeepsTheSourceAndArgumentOfEachEvent) {
  EventSequence log;
  log.Add("a", 1, 2, 77);
  log.Add("b");
  log.Add("a");
  EXPECT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].window, 1);
  EXPECT_EQ(log[0].control, 2);
  EXPECT_EQ(log[0].argument, 77);
  EXPECT_EQ(log.back().name, "a");
  EXPECT_EQ(log.Count("a"), 2);
  EXPECT_EQ(log.Count("c"), 0);
  log.Clear();
  EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace talv::test
