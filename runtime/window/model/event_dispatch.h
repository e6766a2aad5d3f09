// Raising events: the event record, the suspension counter, the event
// source and the handler call. Portable: the handlers come from the
// program image's handler table, the units from the window list.
#pragma once

#include <cstdint>

namespace talv {

// One event as the kinds and the message pre-filter describe it to the
// dispatcher (all fields 32-bit).
struct EventRecord {
  int32_t window = 0;   // Window id
  int32_t control = 0;  // Control id; 0 the window unit
  int32_t index = 0;    // event index of the kind
  int32_t count = 0;    // arguments used, at most 5
  int32_t arguments[5] = {};
  int32_t result_flag = 0;  // set to 1 when the handler returned a value
  int32_t result = 0;
};

// Raises the event: nothing while events are suspended (0). A window or
// unit that is not in the window list, or a unit whose kind cannot raise
// events, is a runtime error. The handler bound to the event of the unit
// reached by forwarding is called with the arguments; the event source is
// the raising unit meanwhile. Returns 1 when a handler was called.
int32_t RaiseEvent(EventRecord* record);
// A convenience for kinds: raises (window, control, index, args...) and
// gives the record back for its result.
EventRecord RaiseSimpleEvent(int32_t window, int32_t control, int32_t index, int32_t count = 0,
                             int32_t a1 = 0, int32_t a2 = 0, int32_t a3 = 0);
// Whether a raised event's handler returned false (a value of 0): the
// default action is then cancelled.
inline bool HandlerRefused(const EventRecord& r) { return r.result_flag && r.result == 0; }

// Suspension: while the counter is above 0 no event reaches a handler.
void SuspendEvents();
void ResumeEvents();  // never below 0
bool EventsSuspended();
// From the start of shutdown: suspended for good.
void SuspendEventsForGood();

// The event source: the unit whose event is being handled (window 0: none).
struct EventSource {
  int32_t window = 0;
  int32_t control = 0;
};
EventSource CurrentEventSource();

// Forgets the suspension and the source (tests).
void ResetEventDispatch();

}  // namespace talv
