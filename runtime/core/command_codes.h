// The numbers that choose what a command or gate does: folder codes, time
// units, visual styles, runtime routines and runtime-error indexes. The
// commands that read them and the application that passes them both take
// them from here, so each number is written once.
#pragma once

#include <cstdint>

namespace talv {

// Folder codes understood by GetSpecialFolder.
namespace SpecialFolder {
constexpr int32_t Documents = 1;
constexpr int32_t Favorites = 2;
constexpr int32_t Desktop = 3;
constexpr int32_t Fonts = 4;
constexpr int32_t StartMenu = 5;
constexpr int32_t Programs = 6;
constexpr int32_t Startup = 7;
constexpr int32_t AppData = 8;
constexpr int32_t Windows = 9;
constexpr int32_t System = 10;
constexpr int32_t Temporary = 11;
}  // namespace SpecialFolder

// Units of TimeInterval; a unit above Seconds counts as seconds, one below
// Years as years.
namespace TimeUnit {
constexpr int32_t Years = 1;
constexpr int32_t Quarters = 2;
constexpr int32_t Months = 3;
constexpr int32_t Weeks = 4;
constexpr int32_t Days = 5;
constexpr int32_t Hours = 6;
constexpr int32_t Minutes = 7;
constexpr int32_t Seconds = 8;
}  // namespace TimeUnit

// The styles of SetVisualStyle; any other number turns the drawing off.
namespace VisualStyle {
constexpr int32_t Paper = 1;
constexpr int32_t Graphite = 2;
constexpr int32_t Jade = 3;
constexpr int32_t First = Paper, Last = Jade;
}  // namespace VisualStyle

// The routines behind the runtime-routine gate (runtime_routines.h).
namespace RuntimeRoutine {
constexpr int32_t FileSearchStep = 0;
constexpr int32_t CloseFileSearch = 1;
constexpr int32_t MakeArrayPrivate = 2;
constexpr int32_t RegisterExitRoutine = 3;
constexpr int32_t ReadPropertyOfReference = 4;
constexpr int32_t WritePropertyOfReference = 5;
constexpr int32_t InitialiseRuntime = 6;
constexpr int32_t Count = 7;
}  // namespace RuntimeRoutine

// Indexes of the runtime-error gate whose message is fixed.
namespace RuntimeErrorIndex {
constexpr int32_t TypeMismatch = 5;  // "数据或数组类型不匹配"
constexpr int32_t DllStack = 6;      // "调用DLL命令后发现堆栈错误"
}  // namespace RuntimeErrorIndex

}  // namespace talv
