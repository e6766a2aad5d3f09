// The program entry and the one place where the calculator meets the
// runtime's layers: it hands the program's image (header, window
// definitions, handler table) to the runtime, fills the application's
// command table with the runtime's commands, initialises the runtime,
// creates the calculator's state, loads the Main window and runs the
// message loop until the program ends.
#include <windows.h>

#include <float.h>
#include <xmmintrin.h>

#include <array>

#include "app/app_commands.h"
#include "app/calculator_state.h"
#include "app/handlers.h"
#include "app/main_window_ids.h"
#include "app/runtime_command_groups.h"
#include "app/runtime_api.h"
#include "resources/main_window_definition.h"
#include "runtime/core/dll_commands.h"
#include "runtime/core/program_image.h"
#include "runtime/sound/sound_commands.h"
#include "runtime/styles/visual_style_commands.h"
#include "runtime/window/host/window_commands.h"
#include "runtime/window/host/window_runtime_win32.h"

namespace {

namespace app = talv::app;

// Adapts a handler of talv::app that takes the first `Arguments` of its
// event's arguments (the description names them: PressWindowKey(key,
// control)); a handler whose parameters differ does not compile.
template <int Arguments, auto F>
talv::HandlerResult EventHandlerOf([[maybe_unused]] int32_t a1, [[maybe_unused]] int32_t a2,
                                   [[maybe_unused]] int32_t a3, [[maybe_unused]] int32_t a4,
                                   [[maybe_unused]] int32_t a5) {
  static_assert(Arguments >= 0 && Arguments <= 5, "an event has at most five arguments");
  if constexpr (Arguments == 0) F();
  if constexpr (Arguments == 1) F(a1);
  if constexpr (Arguments == 2) F(a1, a2);
  if constexpr (Arguments == 3) F(a1, a2, a3);
  if constexpr (Arguments == 4) F(a1, a2, a3, a4);
  if constexpr (Arguments == 5) F(a1, a2, a3, a4, a5);
  return talv::kNoResult;
}

// The handler table, one function per handler of the description, by name,
// in the order of talv::MainHandler.
const talv::EventHandler kHandlers[] = {
#define TALV_MAIN_HANDLER(name, arguments) EventHandlerOf<arguments, talv::app::name>,
#include "resources/main_window_handlers.inc"
#undef TALV_MAIN_HANDLER
};
static_assert(sizeof kHandlers / sizeof kHandlers[0] == size_t(talv::kMainHandlerCount),
              "one handler per entry of the definition's handler order");

// The outside functions the program declares, at their positions in the
// window description's DLL-command table, with the bytes each call passes.
using DllCommandTable = std::array<talv::DllCommandDeclaration, talv::kDllCommandCount>;
DllCommandTable DllCommands() {
  DllCommandTable d{};
  d[app::dll::kGetWindowRect] = {"", "GetWindowRect", 8};
  d[app::dll::kMoveWindow] = {"", "MoveWindow", 24};
  d[app::dll::kSkinAttachRes] = {"SkinH_EL.dll", "SkinH_AttachRes", 24};
  d[app::dll::kEnumChildWindows] = {"", "EnumChildWindows", 12};
  return d;
}

// The command table: the groups without a window from the runtime's
// commands as the tests have them, then the window and sound groups.
app::AppCommands RuntimeCommands() {
  app::AppCommands c;
  app::FillRuntimeCommandGroups(&c);

  c.window.AppendText = talv::AppendText;
  c.window.GetEventComponent = talv::GetEventComponent;
  c.window.SetEventForwarding = talv::SetEventForwarding;
  c.window.SetShortcutKey = talv::SetShortcutKey;
  c.window.ProcessEvents = talv::ProcessEvents;
  c.window.RepaintNow = talv::RepaintNow;
  c.window.MoveComponent = talv::MoveComponent;
  c.window.SetInputFocus = talv::SetInputFocus;
  c.window.GetWindowHandle = talv::GetWindowHandle;
  c.window.SetVisualStyle = talv::SetVisualStyle;

  c.sound.PlayAudio = talv::PlayAudio;
  c.sound.StopAudio = talv::StopAudio;
  c.sound.TickCount = talv::TickCount;
  c.sound.SleepMilliseconds = talv::SleepMilliseconds;
  return c;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  talv::ProgramImage image;
  image.header = talv::kProgramHeader;
  image.header_size = talv::kProgramHeaderBytes;
  image.definitions = talv::kMainWindowSegment;
  image.definitions_size = talv::kMainWindowSegmentSize;
  image.handlers = kHandlers;
  image.handler_count = talv::kMainHandlerCount;
  talv::SetProgramImage(image);
  talv::InstallWindowRuntime();  // the window runtime behind the gates
  const DllCommandTable dll_commands = DllCommands();
  talv::SetDllCommands(dll_commands.data(), int32_t(dll_commands.size()));
  app::SetAppCommands(RuntimeCommands());

  rt::InitialiseRuntime();
  // The floating-point unit in its default state: every exception masked,
  // so a division by zero gives an infinity.
  _fpreset();
  _mm_setcsr(0x1F80);

  app::CreateState();
  rt::RegisterExitRoutine(app::CleanUpState);
  rt::LoadStartupWindow(app::kMainWindow);
  rt::RunMessageLoop();
  // The loop has ended: the runtime's shutdown (exit routines, sounds) with
  // the program's result 0.
  rt::ExitProgram(0);
}
