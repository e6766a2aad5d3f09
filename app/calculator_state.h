// The calculator's state, shared by all handlers on the user-interface
// thread without locks. It lives in process-wide globals, as the handlers
// are plain routines that take nothing; the program entry creates it and the
// clean-up routine frees it at exit.
#pragma once

#include <cstdint>

namespace talv::app {

// A window's place: its handle and its outer rectangle (left, top, width,
// height). For the Main window in screen coordinates; for its descendants
// relative to the Main window's top-left corner less the frame offsets.
struct LayoutRecord {
  int32_t handle;
  int32_t left, top, width, height;
};

// The directory under which sounds are addressed: the program's directory
// (no trailing backslash), or "12345" while the sound is switched off.
// A runtime text block; null until start-up sets it.
extern char* BaseDirectory;
// 0 none, 1 +, 2 -, 3 ×, 4 ÷: set by every operator key, read by equals.
extern int32_t PendingOperator;
// Three doubles, used as elements 1 to 3: first operand, second operand,
// running result (a runtime block of 3 doubles).
extern double* Operands;
// 1: the next digit replaces the Entry box's text.
extern int32_t ReplaceEntry;
extern LayoutRecord* MainLayout;
// The Main window's descendants as recorded, in enumeration order; the
// array owns its records.
extern LayoutRecord** ChildLayouts;
extern int32_t ChildLayoutCount;
// 1 from the moment the Main window's will-be-destroyed event has run: the
// user asked the program to stop, so readouts still on the stack play
// nothing more and every pause ends at once.
extern int32_t Closing;

// The first operand counts as held when its magnitude exceeds 1e-7.
constexpr double kHeldOperandThreshold = 1e-7;
inline double& FirstOperand() { return Operands[0]; }
inline double& SecondOperand() { return Operands[1]; }
inline double& RunningResult() { return Operands[2]; }
bool FirstOperandHeld();

// Creates Operands (three zeros), MainLayout (all zero) and an empty
// ChildLayouts; the other globals start at zero.
void CreateState();
// The clean-up routine registered at start: frees BaseDirectory, Operands,
// MainLayout, every record of ChildLayouts and the array.
void CleanUpState();
// Frees every record of ChildLayouts and leaves the array empty.
void ClearChildLayouts();
void AppendChildLayout(const LayoutRecord& record);
// Replaces BaseDirectory by a copy of `directory` (the old text is freed).
void SetBaseDirectory(const char* directory);

}  // namespace talv::app
