// The runtime error path shared by both builds: build the report, show it,
// empty the exit-routine list and end the program with exit code -1.
#include "runtime/core/runtime_error.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

#include "runtime/core/exit_routines.h"
#include "runtime/core/gates.h"
#include "runtime/core/runtime_error_report.h"

namespace talv {
namespace {
std::atomic<bool> g_reporting{false};
}  // namespace

void RaiseRuntimeError(int32_t code, const char* message, int32_t location1, int32_t location2) {
  // A second error while a report is up (raised by a handler that the box's
  // own message loop dispatched, or on another thread) must not stack more
  // boxes: the first report already decided that the program ends.
  if (g_reporting.exchange(true)) platform::EndProcess(-1);
  platform::ShowRuntimeErrorReport(BuildRuntimeErrorReport(code, message, location1, location2));
  ClearExitRoutines();
  ExitProgram(-1);
}

void RaiseRuntimeErrorF(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text(length > 0 ? size_t(length) : 0, '\0');
  if (length > 0) std::vsnprintf(&text[0], text.size() + 1, format, again);
  va_end(again);
  RaiseRuntimeError(0, text.c_str(), 0, 0);
}

void RaiseIndexedRuntimeError(int32_t index, int32_t location1, int32_t location2) {
  RaiseRuntimeError(index, RuntimeErrorMessage(index), location1, location2);
}

}  // namespace talv
