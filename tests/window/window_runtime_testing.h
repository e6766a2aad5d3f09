// A small window definition built in memory for the tests of the window
// list and the event dispatcher, and a recording handler table: each
// handler appends its name, the event source and its first argument to an
// event sequence and returns what the test asks for.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/core/program_image.h"
#include "runtime/window/definition/definition_encode.h"
#include "runtime/window/model/event_dispatch.h"
#include "runtime/window/model/window_list.h"
#include "tests/window/event_sequence.h"

namespace talv::test {

constexpr uint32_t kTestWindowId = 0x52010009;
constexpr uint32_t kTestWindowUnit = 0x06010003;
constexpr uint32_t kButtonA = 0x16010004, kButtonB = 0x16010005, kButtonC = 0x16010006,
                   kEdit = 0x16010007;

// The recording handlers: 0 "created", 1 "a", 2 "b", 3 "c", 4 "edit".
struct HandlerLog {
  EventSequence events;
  HandlerResult answer = kNoResult;
  std::function<void()> inside;  // runs inside the next handler
};
HandlerLog& Log();
extern const EventHandler kRecordingHandlers[5];

// Window unit (created → 0), three Buttons A (click → 1), B (→ 2), C (no
// binding) and an EditBox (content changed → 4); tab orders as given.
std::vector<definition::UnitRecord> TestUnits(const std::vector<uint32_t>& tab_orders = {0, 0, 0, 0});
definition::Bytes TestSegment(const std::vector<definition::UnitRecord>& units);

// Replaces the window list with the test window and installs the recording
// handlers as the program image's handler table.
void InstallTestWindow(const std::vector<definition::UnitRecord>& units = TestUnits());

}  // namespace talv::test
