// The dispatcher: handlers found through the bindings, forwarding with its
// refusals and bound, suspension, the event source, results.
#include "runtime/window/model/event_dispatch.h"

#include <gtest/gtest.h>

#include "tests/window/window_runtime_testing.h"

namespace talv {
namespace {

using test::kButtonA;
using test::kButtonB;
using test::kButtonC;
using test::kEdit;
using test::kTestWindowId;
using test::Log;
using test::MatchesSequence;

int32_t Raise(uint32_t control, int32_t index, int32_t argument = 0) {
  EventRecord r;
  r.window = int32_t(kTestWindowId);
  r.control = int32_t(control);
  r.index = index;
  r.count = 1;
  r.arguments[0] = argument;
  return RaiseEvent(&r);
}

WindowObject& TestWindow() { return *FindWindowObject(kTestWindowId); }
uint32_t UnitOf(uint32_t id) { return uint32_t(TestWindow().FindUnit(id)); }

class Dispatch : public ::testing::Test {
 protected:
  void SetUp() override { test::InstallTestWindow(); }
  void TearDown() override {
    ClearWindowList();
    ResetEventDispatch();
  }
};

TEST_F(Dispatch, CallsTheBoundHandlerWithItsArguments) {
  EXPECT_EQ(Raise(kButtonA, 0, 77), 1);
  ASSERT_TRUE(MatchesSequence(Log().events, {"a"}));
  EXPECT_EQ(Log().events[0].argument, 77);
}

TEST_F(Dispatch, UnboundEventsAndNoHandlerBindingsCallNothing) {
  EXPECT_EQ(Raise(kButtonA, -1), 0);  // no binding for the event
  EXPECT_EQ(Raise(kButtonC, 0), 0);   // bound to -1
  EXPECT_TRUE(Log().events.empty());
}

TEST_F(Dispatch, WindowUnitAnswersToZeroAndItsOwnId) {
  EXPECT_EQ(Raise(0, 0), 1);
  EXPECT_EQ(Raise(test::kTestWindowUnit, 0), 1);
  EXPECT_TRUE(MatchesSequence(Log().events, {"created", "created"}));
  EXPECT_EQ(Log().events[0].control, int32_t(test::kTestWindowUnit));
}

TEST_F(Dispatch, SuspendedEventsAreDroppedUntilResumed) {
  SuspendEvents();
  SuspendEvents();
  EXPECT_EQ(Raise(kButtonA, 0), 0);
  ResumeEvents();
  EXPECT_EQ(Raise(kButtonA, 0), 0);
  ResumeEvents();
  ResumeEvents();  // never below zero
  EXPECT_EQ(Raise(kButtonA, 0), 1);
  SuspendEvents();
  ResumeEvents();
  EXPECT_EQ(Raise(kButtonA, 0), 1);
  EXPECT_EQ(Log().events.size(), 2u);
}

TEST_F(Dispatch, SuspendedForGoodStaysSuspended) {
  SuspendEventsForGood();
  ResumeEvents();
  EXPECT_EQ(Raise(kButtonA, 0), 0);
}

TEST_F(Dispatch, ResultFlagOnlyWhenTheHandlerReturnedAValue) {
  EventRecord r;
  r.window = int32_t(kTestWindowId);
  r.control = int32_t(kButtonA);
  RaiseEvent(&r);
  EXPECT_EQ(r.result_flag, 0);
  EXPECT_FALSE(HandlerRefused(r));
  Log().answer = HandlerResult{true, 0};
  EventRecord q = r;
  RaiseEvent(&q);
  EXPECT_EQ(q.result_flag, 1);
  EXPECT_TRUE(HandlerRefused(q));
  Log().answer = HandlerResult{true, 'x'};
  EventRecord s = r;
  RaiseEvent(&s);
  EXPECT_EQ(s.result, 'x');
  EXPECT_FALSE(HandlerRefused(s));
}

TEST_F(Dispatch, ForwardedClickRunsTheTargetsHandlerWithTheRaiserAsSource) {
  ASSERT_TRUE(SetForwarding(TestWindow(), UnitOf(kButtonC), kButtonB));
  EXPECT_EQ(Raise(kButtonC, 0), 1);
  ASSERT_TRUE(MatchesSequence(Log().events, {"b"}));
  EXPECT_EQ(Log().events[0].window, int32_t(kTestWindowId));
  EXPECT_EQ(Log().events[0].control, int32_t(kButtonC));
  EXPECT_EQ(CurrentEventSource().window, 0);  // cleared afterwards
}

TEST_F(Dispatch, ForwardingChainsAreFollowedToTheirEnd) {
  ASSERT_TRUE(SetForwarding(TestWindow(), UnitOf(kButtonC), kButtonA));
  ASSERT_TRUE(SetForwarding(TestWindow(), UnitOf(kButtonA), kButtonB));
  Raise(kButtonC, 0);
  EXPECT_TRUE(MatchesSequence(Log().events, {"b"}));
}

TEST_F(Dispatch, ForwardingRefusesOtherKindsMissingUnitsAndCycles) {
  WindowObject& w = TestWindow();
  EXPECT_FALSE(SetForwarding(w, UnitOf(kButtonA), kEdit));        // another kind
  EXPECT_FALSE(SetForwarding(w, UnitOf(kButtonA), 0x16010099));   // no such unit
  EXPECT_FALSE(SetForwarding(w, UnitOf(kButtonA), kButtonA));     // itself
  ASSERT_TRUE(SetForwarding(w, UnitOf(kButtonA), kButtonB));
  ASSERT_TRUE(SetForwarding(w, UnitOf(kButtonB), kButtonC));
  EXPECT_FALSE(SetForwarding(w, UnitOf(kButtonC), kButtonA));     // would close the ring
  EXPECT_FALSE(SetForwarding(w, UnitOf(kButtonB), kButtonA));
  // Refusals changed nothing: A still reaches C's (unbound) handler, B too.
  EXPECT_EQ(ForwardedUnit(w, UnitOf(kButtonA)), UnitOf(kButtonC));
  EXPECT_TRUE(SetForwarding(w, UnitOf(kButtonB), 0));
  EXPECT_EQ(ForwardedUnit(w, UnitOf(kButtonA)), UnitOf(kButtonB));
}

TEST_F(Dispatch, AForwardingRingWrittenIntoTheTableStillEndsTheWalk) {
  // A ring that no setter would make (put straight into the records).
  WindowObject& w = TestWindow();
  w.working.SetForwardTarget(UnitOf(kButtonA), kButtonB);
  w.working.SetForwardTarget(UnitOf(kButtonB), kButtonC);
  w.working.SetForwardTarget(UnitOf(kButtonC), kButtonA);
  uint32_t end = ForwardedUnit(w, UnitOf(kButtonA));
  EXPECT_TRUE(end == UnitOf(kButtonA) || end == UnitOf(kButtonB) || end == UnitOf(kButtonC));
  Raise(kButtonA, 0);  // returns: that is the point
  EXPECT_LE(Log().events.size(), 1u);
}

TEST_F(Dispatch, ClearingForwardingOfTheWholeWindow) {
  WindowObject& w = TestWindow();
  ASSERT_TRUE(SetForwarding(w, UnitOf(kButtonC), kButtonA));
  ClearForwarding(w);
  EXPECT_EQ(ForwardedUnit(w, UnitOf(kButtonC)), UnitOf(kButtonC));
}

TEST_F(Dispatch, NestedHandlerClearsTheCallersSource) {
  Log().inside = [] { Raise(kButtonB, 0); };
  Raise(kButtonA, 0);
  EXPECT_TRUE(MatchesSequence(Log().events, {"a", "b"}));
  EXPECT_EQ(Log().events[0].control, int32_t(kButtonA));
  EXPECT_EQ(Log().events[1].control, int32_t(kButtonB));
  EXPECT_EQ(CurrentEventSource().window, 0);
}

}  // namespace
}  // namespace talv
