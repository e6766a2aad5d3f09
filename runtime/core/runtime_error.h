// Runtime errors: what the runtime cannot continue from. A report is shown
// and the program ends with exit code -1 without running exit routines.
#pragma once

#include <cstdint>
#include <string>

namespace talv {

// Raises the runtime error with message text `message`, error code `code`
// (0 for errors that carry only a text) and the two location values.
// Never returns.
[[noreturn]] void RaiseRuntimeError(int32_t code, const char* message, int32_t location1,
                                    int32_t location2);

// Raises a code-0 runtime error whose message is printf-formatted.
[[noreturn]] void RaiseRuntimeErrorF(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Raises error `index` of the runtime error table (the report gate's body):
// the table's message with the index as the code.
[[noreturn]] void RaiseIndexedRuntimeError(int32_t index, int32_t location1, int32_t location2);

namespace platform {
// Shows the report text and returns when the person has dismissed it.
void ShowRuntimeErrorReport(const std::string& report);
}  // namespace platform

}  // namespace talv
