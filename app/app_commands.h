// The commands of the window runtime and of the sound service that the
// calculator calls. They are called through the command gate like every
// other command; the program entry fills this table with the runtime's
// routines, and tests fill it with stand-ins that record what the handlers
// asked for (the window and the loudspeaker are then the test's own).
#pragma once

#include "runtime/core/typed_value.h"

namespace talv::app {

struct AppCommands {
  Command AppendText = nullptr;         // (edit box, text, …)
  Command GetEventComponent = nullptr;  // () -> reference to the event source
  Command SetEventForwarding = nullptr; // (component, [target]) -> logical
  Command SetShortcutKey = nullptr;     // (Button, key code or typed character) -> logical
  Command ProcessEvents = nullptr;      // ()
  Command RepaintNow = nullptr;         // (component)
  Command MoveComponent = nullptr;      // (component, [left], [top], [width], [height])
  Command SetInputFocus = nullptr;      // (component)
  Command GetWindowHandle = nullptr;    // (component) -> integer
  Command GetSpecialFolder = nullptr;   // (integer code) -> text
  Command SetVisualStyle = nullptr;     // (integer style) -> integer
  Command PlayAudio = nullptr;          // (text file, [loop]) -> logical
  Command StopAudio = nullptr;          // ()
  Command TickCount = nullptr;          // () -> integer milliseconds
  Command SleepMilliseconds = nullptr;  // (integer milliseconds)
};

void SetAppCommands(const AppCommands& commands);
const AppCommands& Commands();

}  // namespace talv::app
