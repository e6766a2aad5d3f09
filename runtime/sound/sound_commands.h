// Sound playback and timing commands (Command signature, typed_value.h).
//   PlayAudio(sound, loop?)  sound: text (a GBK file name, used exactly as
//                            given) or byte array (the sound's bytes); loop:
//                            optional flag, non-zero repeats the sound.
//                            Result: logical, true if playback started.
//   StopAudio()              Stops every sound that is playing (the wave
//                            players and the MIDI player) and returns at
//                            once, without waiting for the players to end.
//   TickCount()              Result: integer, the system millisecond count.
//   SleepMilliseconds(ms)    Suspends the calling thread; negative ms is 0.
#pragma once

#include "runtime/core/typed_value.h"

namespace talv {

void PlayAudio(TypedValue* result, int32_t count, TypedValue* args);
void StopAudio(TypedValue* result, int32_t count, TypedValue* args);
void TickCount(TypedValue* result, int32_t count, TypedValue* args);
void SleepMilliseconds(TypedValue* result, int32_t count, TypedValue* args);

}  // namespace talv
