// The Main window's built definition, generated at build time from
// resources/main_window.txt (target talv_main_window): the window-definition
// segment, the 64-byte program header, the Sound toggle's two pictures as
// byte-array constants, the application handler table order and the
// DLL-command tables.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/core/heap.h"

namespace talv {

constexpr uint32_t kMainWindowId = 0x52010002;
constexpr uint32_t kMainWindowUnitId = 0x06010003;

// The window-definition segment (read with definition::ReadDefinitionSegment).
constexpr size_t kMainWindowSegmentSize = 8104;
extern const uint8_t kMainWindowSegment[kMainWindowSegmentSize];

// The program header. Its address fields (code base, constants, segment,
// library and DLL tables) are 0: start-up takes those from the arrays here
// and from its own tables; the kind, version, sizes and counts are filled.
constexpr size_t kProgramHeaderBytes = 64;
extern const uint8_t kProgramHeader[kProgramHeaderBytes];

// The Sound toggle's pictures as byte-array blocks (dimension count 1, byte
// count, then a 1194-byte BMP file image): read them with ByteArrayLength
// and ByteArrayData. The segment gives the toggle the sound-on picture.
constexpr size_t kSoundPictureBytes = 1194;
extern const uint8_t kSoundOnPicture[8 + kSoundPictureBytes];
extern const uint8_t kSoundOffPicture[8 + kSoundPictureBytes];

// The application's handler table, in this order: an event binding in the
// segment holds the position of its handler here (−1: no handler). The
// application's table of handler functions must follow the same order.
enum class MainHandler : int32_t {
  StartUp,         // window created (event 0): start-up
  ResizeWindow,    // window size changed (event 4): re-layout, save geometry
  CloseDown,       // window will be destroyed (event 2): stop the sounds, save
                   // the tape and the geometry
  PressDigit,      // s0 click; s1 … s9 are forwarded to s0 at start-up
  PressPoint,      // sdian
  PressSign,       // szf
  PressBackspace,  // sqc1
  PressClear,      // sqc
  PressPlus,       // sjia
  PressMinus,      // sjian
  PressTimes,      // scheng
  PressDivide,     // schu
  PressEquals,     // sdeng
  ToggleSound,     // gfd left button down (event −1)
  DayCount,        // 按钮1
  SaveTape,        // the tape box lost the focus: save what was typed into it
  SaveForSessionEnd,  // the session asks whether it may end: save the files
  EndSession,      // the session ends: what closing the window does
  PressWindowKey,  // a shortcut key bound to the window (Delete, F2)
};
constexpr int32_t kMainHandlerCount = 19;
extern const char* const kMainHandlerNames[kMainHandlerCount];

// DLL commands in table order: library name ("" for the system libraries)
// and function name.
constexpr size_t kDllCommandCount = 4;
extern const char* const kDllCommandLibraries[kDllCommandCount];
extern const char* const kDllCommandFunctions[kDllCommandCount];

}  // namespace talv
