// Every command the calculator calls, by group. They are called through the
// command gate like every other command; the program entry (main_win32.cpp)
// fills this table with the runtime's routines, and tests fill it with the
// same routines or with stand-ins that record what the handlers asked for
// (the window and the loudspeaker are then the test's own). No other file
// of the application names a command routine of the runtime.
#pragma once

#include "runtime/core/typed_value.h"

namespace talv::app {

struct AppCommands {
  // Texts: byte counts and positions from 1; GBK characters kept whole by
  // FindText and ReplaceText.
  struct Text {
    Command TextLength = nullptr;   // (text) -> integer
    Command LeftText = nullptr;     // (text, n) -> text: the first n bytes
    Command RightText = nullptr;    // (text, n) -> text: the last n bytes
    Command FindText = nullptr;     // (text, sought, …) -> position or -1
    Command ReplaceText = nullptr;  // (text, sought, [by], [start], [times], [case]) -> text
  } text;

  // Numbers and conversions.
  struct Numbers {
    Command ToText = nullptr;             // (any value) -> text
    Command ToNumber = nullptr;           // (any value) -> double
    Command ToByteArray = nullptr;        // (any value) -> byte array
    Command ToChineseNumerals = nullptr;  // (double, [simplified]) -> text
    Command ToChineseAmount = nullptr;    // (double, [simplified]) -> text: 元, 角, 分
    Command TimeInterval = nullptr;       // (date-time, date-time, TimeUnit) -> double
  } numbers;

  // Files and folders.
  struct Files {
    Command GetRunDirectory = nullptr;         // () -> text, no trailing "\"
    Command GetSpecialFolder = nullptr;        // (SpecialFolder code) -> text ending in "\"
    Command ReadFileBytes = nullptr;           // (file) -> byte array
    Command WriteFileBytes = nullptr;          // (file, byte array) -> logical
    Command ReadSettingsItem = nullptr;        // (file, section, item, [default]) -> text
    Command WriteSettingsItem = nullptr;       // (file, section, item, value) -> logical
    Command SetDllCommandDirectory = nullptr;  // ([directory]) -> the previous one
  } files;

  // The window runtime.
  struct Window {
    Command AppendText = nullptr;          // (edit box, text, …)
    Command GetEventComponent = nullptr;   // () -> reference to the event source
    Command SetEventForwarding = nullptr;  // (component, [target]) -> logical
    Command SetShortcutKey = nullptr;      // (Button, key code or typed character) -> logical
    Command ProcessEvents = nullptr;       // ()
    Command RepaintNow = nullptr;          // (component)
    Command MoveComponent = nullptr;       // (component, [left], [top], [width], [height])
    Command SetInputFocus = nullptr;       // (component)
    Command GetWindowHandle = nullptr;     // (component) -> integer
    Command SetVisualStyle = nullptr;      // (VisualStyle) -> integer
  } window;

  // Sounds and the clock.
  struct Sound {
    Command PlayAudio = nullptr;          // (file, [loop]) -> logical
    Command StopAudio = nullptr;          // ()
    Command TickCount = nullptr;          // () -> integer milliseconds
    Command SleepMilliseconds = nullptr;  // (integer milliseconds)
  } sound;
};

void SetAppCommands(const AppCommands& commands);
const AppCommands& Commands();

}  // namespace talv::app
