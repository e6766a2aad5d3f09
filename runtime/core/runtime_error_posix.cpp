// Runtime errors in the native build, which has no message box: the report
// goes to standard error and the process ends with exit code -1 at once,
// running no exit routine.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "runtime/core/runtime_error.h"

namespace talv {

void RaiseRuntimeError(int32_t code, const char* message, int32_t location1, int32_t location2) {
  std::fprintf(stderr, "runtime error %d: %s (%d, %d)\n", int(code), message ? message : "",
               int(location1), int(location2));
  std::fflush(stderr);
  _exit(255);
}

void RaiseRuntimeErrorF(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  RaiseRuntimeError(0, text, 0, 0);
}

}  // namespace talv
