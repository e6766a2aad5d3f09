// The Main window's event handlers and the application's own routines.
// Handlers return nothing and take nothing but for PressWindowKey, which
// takes its event's arguments. resources/main_window.txt names them on its
// `handlers` lines, and the program's handler table (main_win32.cpp) is
// generated from those names.
#pragma once

#include <cstdint>

namespace talv::app {

// Calculator keys.
void PressDigit();      // s0, and s1 … s9 forwarded to it
void PressPoint();      // sdian
void PressSign();       // szf
void PressBackspace();  // sqc1
void PressClear();      // sqc: the Entry box, the tape and the operands
void ClearEntry();      // the Delete key: the Entry box only
void PressPlus();       // sjia
void PressMinus();      // sjian
void PressTimes();      // scheng
void PressDivide();     // schu
void PressEquals();     // sdeng
void ToggleSound();     // gfd, left button down
// The Sound toggle's window text, by which a screen reader names it:
// "声音开" while the sound is on, "声音关" while it is off.
void NameSoundToggle(bool sound_on);

// Start-up, geometry and the tape.
void StartUp();       // window created
void ResizeWindow();  // window size changed
// The window will be destroyed: StopSpeaking, then the tape and the
// geometry are saved.
void CloseDown();
// The session ends (log-off, shutdown): what CloseDown does, before the
// system may end the process.
void EndSession();
// The session asks whether it may end: the tape and the geometry are saved
// (the session may still go on).
void SaveForSessionEnd();
// Saves the tape as it shows now (steps.txt), merging what another
// instance saved meanwhile; nothing when it did not change. Every key that
// changes the tape calls it, and the tape box when it loses the focus.
void SaveTape();
// Empties the tape; the tape it replaces is kept as steps.bak.
void ClearTape();
// A shortcut key bound to the window itself: `key` its virtual-key code,
// `control` 1 when Ctrl was held (keyboard_keys.h).
void PressWindowKey(int32_t key, int32_t control);

// 按钮1: the days between the two date pickers.
void DayCount();

// The pause that keeps dispatching window messages; at once while Closing.
void WaitMilliseconds(int32_t ms);
// Sets Closing and stops every sound that is still playing.
void StopSpeaking();
// Reads `number` aloud as a money amount, or as the word for a number that
// is not one (readout_text.h). `lead_in` 0 (none), 1, 2 or 3.
void SpeakNumber(double number, int32_t lead_in, bool end_mark);
// The equals key's readout of the result as the Entry box shows it
// (`shown`): no lead-in, the end mark set.
void SpeakShownResult(const char* shown);

}  // namespace talv::app
