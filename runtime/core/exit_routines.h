// The exit-routine list: application routines to call at shutdown, in
// registration order, without duplicates. Shutdown consumes it once; a
// runtime error empties it first, so no exit routine runs after an error.
#pragma once

#include <cstddef>

namespace talv {

using ExitRoutine = void (*)();

// Appends `routine` unless it is already in the list (null is ignored).
void RegisterExitRoutine(ExitRoutine routine);
// Calls the listed routines in registration order and forgets them.
// Routines registered while they run wait for a later call.
void RunExitRoutines();
void ClearExitRoutines();
size_t ExitRoutineCount();

}  // namespace talv
