// The exit-routine list: registration order, no duplicates, consumed once.
#include "runtime/core/exit_routines.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/core/gates.h"

namespace talv {
namespace {

std::string g_trace;
void First() { g_trace += "1"; }
void Second() { g_trace += "2"; }
void Third() { g_trace += "3"; }
void RegistersLate() {
  g_trace += "L";
  RegisterExitRoutine(Third);
}

class ExitRoutines : public testing::Test {
 protected:
  void SetUp() override {
    ClearExitRoutines();
    g_trace.clear();
  }
  void TearDown() override { ClearExitRoutines(); }
};

TEST_F(ExitRoutines, RunInRegistrationOrderWithoutDuplicates) {
  RegisterExitRoutine(Second);
  RegisterExitRoutine(First);
  RegisterExitRoutine(Second);
  RegisterExitRoutine(nullptr);
  EXPECT_EQ(ExitRoutineCount(), 2u);
  RunExitRoutines();
  EXPECT_EQ(g_trace, "21");
}

TEST_F(ExitRoutines, TheListIsConsumedOnce) {
  RegisterExitRoutine(First);
  RunExitRoutines();
  RunExitRoutines();
  EXPECT_EQ(g_trace, "1");
  EXPECT_EQ(ExitRoutineCount(), 0u);
}

TEST_F(ExitRoutines, ARoutineRegisteredWhileTheyRunWaits) {
  RegisterExitRoutine(RegistersLate);
  RunExitRoutines();
  EXPECT_EQ(g_trace, "L");
  EXPECT_EQ(ExitRoutineCount(), 1u);
}

TEST_F(ExitRoutines, ClearingForgetsThemAll) {
  RegisterExitRoutine(First);
  ClearExitRoutines();
  RunExitRoutines();
  EXPECT_EQ(g_trace, "");
}

// Through the routine gate, as the application registers its clean-up.
TEST_F(ExitRoutines, RuntimeRoutineThreeRegisters) {
  Gates().CallRuntimeRoutine(3, &First);
  Gates().CallRuntimeRoutine(3, &First);
  Gates().CallRuntimeRoutine(3, &Second);
  EXPECT_EQ(ExitRoutineCount(), 2u);
  RunExitRoutines();
  EXPECT_EQ(g_trace, "12");
}

}  // namespace
}  // namespace talv
