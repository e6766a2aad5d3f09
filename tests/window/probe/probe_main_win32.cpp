// The window runtime's probe program: the program entry as the calculator
// has it (program image, runtime installed, routine 6, exit routines, the
// start-up window, the message loop, ExitProgram(0)), with a window of two
// controls whose handlers write what happens into the file that
// TALV_PROBE_LOG names. The first argument picks a variation:
//   events       plain run (also the idle measurement)
//   error        the created handler raises a runtime error
//   thread-exit  the created handler lets another thread call ExitProgram(7)
//   close-destroys  the first close query's handler destroys the window itself
//   load-again   the created, position-changed and size-changed handlers each
//                ask for the window to be loaded again
//
// Released memory is overwritten at once and kept out of use (operator
// delete below), and a crash ends the process with exit code 98 instead of
// a debugger, so a use of an object after it was released fails the run.
#include <windows.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "app/runtime_api.h"
#include "runtime/core/program_image.h"
#include "runtime/window/host/window_runtime_win32.h"

extern const unsigned char kProbeSegment[];
extern const unsigned long kProbeSegmentSize;
extern const unsigned char kProbeHeader[];
extern const unsigned long kProbeHeaderSize;

// Released objects are overwritten and never handed out again, so that
// whatever reads one afterwards finds the pattern, not a new object.
void operator delete(void* p) noexcept {
  if (p) std::memset(p, 0xA5, _msize(p));
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

constexpr int32_t kProbeWindow = 0x52010005;
std::string g_mode;

void Log(const char* line) {
  char path[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("TALV_PROBE_LOG", path, MAX_PATH)) return;
  FILE* f = std::fopen(path, "ab");
  if (!f) return;
  std::fprintf(f, "%s\n", line);
  std::fclose(f);
}

DWORD WINAPI ExitFromWorker(void*) {
  Log("worker-exit");
  rt::ExitProgram(7);
}

// In mode load-again: asks for the probe's own window to be loaded again.
void LoadAgain() {
  if (g_mode != "load-again") return;
  rt::LoadStartupWindow(kProbeWindow);
  Log("loaded-again");
}

void Created() {
  Log("created");
  if (g_mode == "error") {
    rt::ReadInt(0x52019999, 0x16010004, 0);  // a window that does not exist
    Log("not reached");
  }
  if (g_mode == "thread-exit") {
    HANDLE worker = CreateThread(nullptr, 0, ExitFromWorker, nullptr, 0, nullptr);
    if (worker) CloseHandle(worker);
  }
  LoadAgain();
}
void Moved() {
  Log("moved");
  LoadAgain();
}
void Sized() {
  Log("sized");
  LoadAgain();
}
void Destroyed() { Log("destroyed"); }
void Clicked() { Log("clicked"); }
void Changed() { Log("changed"); }
void CloseQuery() {
  Log("close-query");
  if (g_mode == "close-destroys") {
    DestroyWindow(FindWindowA(nullptr, "TalvProbe"));
    Log("destroyed-by-query");
  }
}
void FirstExitRoutine() { Log("exit-first"); }
void SecondExitRoutine() { Log("exit-second"); }

const talv::EventHandler kHandlers[] = {
    talv::PlainHandler<Created>, talv::PlainHandler<Moved>,     talv::PlainHandler<Sized>,
    talv::PlainHandler<Destroyed>, talv::PlainHandler<Clicked>, talv::PlainHandler<Changed>,
    talv::PlainHandler<CloseQuery>};

}  // namespace

LONG WINAPI EndOnCrash(EXCEPTION_POINTERS*) {
  Log("crashed");
  ExitProcess(98);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
  SetErrorMode(SEM_NOGPFAULTERRORBOX);
  SetUnhandledExceptionFilter(EndOnCrash);
  g_mode = command_line ? command_line : "";
  while (!g_mode.empty() && g_mode.back() == ' ') g_mode.pop_back();
  talv::ProgramImage image;
  image.header = kProbeHeader;
  image.header_size = kProbeHeaderSize;
  image.definitions = kProbeSegment;
  image.definitions_size = kProbeSegmentSize;
  image.handlers = kHandlers;
  image.handler_count = int32_t(sizeof kHandlers / sizeof kHandlers[0]);
  talv::SetProgramImage(image);
  talv::InstallWindowRuntime();
  rt::InitialiseRuntime();
  rt::RegisterExitRoutine(FirstExitRoutine);
  rt::RegisterExitRoutine(SecondExitRoutine);
  rt::RegisterExitRoutine(FirstExitRoutine);  // already listed: not again
  rt::LoadStartupWindow(kProbeWindow);
  Log("loaded");
  rt::RunMessageLoop();
  Log("loop-ended");
  rt::ExitProgram(0);
}
