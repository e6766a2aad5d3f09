// The Main window's event handlers and the application's own routines.
// Handlers take nothing and return nothing; the program's handler table
// binds them in the order of talv::MainHandler (main_win32.cpp).
#pragma once

#include <cstdint>

namespace talv::app {

// Calculator keys.
void PressDigit();      // s0, and s1 … s9 forwarded to it
void PressPoint();      // sdian
void PressSign();       // szf
void PressBackspace();  // sqc1
void PressClear();      // sqc
void PressPlus();       // sjia
void PressMinus();      // sjian
void PressTimes();      // scheng
void PressDivide();     // schu
void PressEquals();     // sdeng
void ToggleSound();     // gfd, left button down
// The Sound toggle's window text, by which a screen reader names it:
// "声音开" while the sound is on, "声音关" while it is off.
void NameSoundToggle(bool sound_on);

// Start-up, geometry and the tape (window unit events 0, 4 and 2).
void StartUp();
void ResizeWindow();
// The will-be-destroyed handler: StopSpeaking, then SaveTape.
void CloseDown();
// Saves the tape (steps.txt) and the geometry (peizi.ini).
void SaveTape();

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
