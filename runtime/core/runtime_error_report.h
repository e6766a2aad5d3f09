// The text of a runtime error report, built apart from the box that shows
// it so that it can be checked byte for byte. Portable: the window facts the
// report mentions come through a lookup that the window runtime registers.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/core/command_codes.h"

namespace talv {

// The runtime error table: messages 1 to 11. Null for any other index.
constexpr int32_t kRuntimeErrorCount = 11;
const char* RuntimeErrorMessage(int32_t index);
// The indexes the runtime itself raises are named in command_codes.h
// (RuntimeErrorIndex).

// What the report needs to know about windows. Tags are borrowed texts
// (null is the empty tag) that must stay valid while the report is built.
struct ReportWindowLookup {
  // True when window `window_id` is loaded; *tag receives its tag.
  bool (*find_window)(int32_t window_id, const char** tag);
  // True when unit `control_id` of that window exists and is not a menu
  // item (0 names the window's own unit); *tag receives the unit's tag.
  bool (*find_unit)(int32_t window_id, int32_t control_id, const char** tag);
};
// Registers the lookup (the window runtime does, once windows exist); null
// restores the default, under which no window is loaded.
void SetReportWindowLookup(const ReportWindowLookup* lookup);

// A location value names a window when bits 24-27 hold 2.
constexpr bool IsWindowId(int32_t value) { return ((uint32_t(value) >> 24) & 0xF) == 2; }

// The report for message `message` (null or "" for none), error code `code`
// (0 for none) and the two location values, as GBK bytes.
std::string BuildRuntimeErrorReport(int32_t code, const char* message, int32_t location1,
                                    int32_t location2);

}  // namespace talv
