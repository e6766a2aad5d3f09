// The program entry: hands the program's image (header, window definitions,
// handler table) to the runtime, initialises it, creates the calculator's
// state, loads the Main window and runs the message loop until the program
// ends.
#include <windows.h>

#include <float.h>
#include <xmmintrin.h>

#include "app/app_commands.h"
#include "app/calculator_state.h"
#include "app/handlers.h"
#include "app/main_window_ids.h"
#include "app/runtime_api.h"
#include "runtime/window/host/window_commands.h"
#include "resources/main_window_definition.h"
#include "runtime/sound/sound_commands.h"
#include "runtime/commands/system_folder_commands.h"
#include "runtime/commands/visual_style_commands.h"
#include "runtime/core/dll_commands.h"
#include "runtime/core/program_image.h"
#include "runtime/window/host/window_runtime_win32.h"

namespace {

using talv::MainHandler;
using talv::PlainHandler;
namespace app = talv::app;

// The handler table, in the order of talv::MainHandler.
const talv::EventHandler kHandlers[talv::kMainHandlerCount] = {
    PlainHandler<app::StartUp>,        PlainHandler<app::ResizeWindow>,
    PlainHandler<app::CloseDown>,      PlainHandler<app::PressDigit>,
    PlainHandler<app::PressPoint>,     PlainHandler<app::PressSign>,
    PlainHandler<app::PressBackspace>, PlainHandler<app::PressClear>,
    PlainHandler<app::PressPlus>,      PlainHandler<app::PressMinus>,
    PlainHandler<app::PressTimes>,     PlainHandler<app::PressDivide>,
    PlainHandler<app::PressEquals>,    PlainHandler<app::ToggleSound>,
    PlainHandler<app::DayCount>,
};
static_assert(int(MainHandler::DayCount) == talv::kMainHandlerCount - 1,
              "one handler per entry of the definition's handler order");

// The outside functions the program declares, in the order of the window
// description's DLL-command table, with the bytes each call passes.
const talv::DllCommandDeclaration kDllCommands[talv::kDllCommandCount] = {
    {"", "GetWindowRect", 8},
    {"", "MoveWindow", 24},
    {"SkinH_EL.dll", "SkinH_AttachRes", 24},
    {"", "EnumChildWindows", 12},
};

app::AppCommands RuntimeCommands() {
  app::AppCommands c;
  c.AppendText = talv::AppendText;
  c.GetEventComponent = talv::GetEventComponent;
  c.SetEventForwarding = talv::SetEventForwarding;
  c.SetShortcutKey = talv::SetShortcutKey;
  c.ProcessEvents = talv::ProcessEvents;
  c.RepaintNow = talv::RepaintNow;
  c.MoveComponent = talv::MoveComponent;
  c.SetInputFocus = talv::SetInputFocus;
  c.GetWindowHandle = talv::GetWindowHandle;
  c.GetSpecialFolder = talv::GetSpecialFolder;
  c.SetVisualStyle = talv::SetVisualStyle;
  c.PlayAudio = talv::PlayAudio;
  c.StopAudio = talv::StopAudio;
  c.TickCount = talv::TickCount;
  c.SleepMilliseconds = talv::SleepMilliseconds;
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
  talv::SetDllCommands(kDllCommands, int32_t(talv::kDllCommandCount));
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
