// The window runtime on the target: start-up (runtime routine 6), loading
// windows from the window list, the message pre-filter, the message loop,
// idle handlers and the shutdown. Target only (Win32).
//
// The program entry registers its program image (runtime/core/program_image.h),
// calls InstallWindowRuntime() and then goes through the gates as usual:
//   talv::SetProgramImage(image);
//   talv::InstallWindowRuntime();
//   rt::InitialiseRuntime();          // runtime routine 6
//   ... rt::LoadStartupWindow(id); rt::RunMessageLoop(); rt::ExitProgram(0);
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "runtime/core/property_host.h"
#include "runtime/window/model/window_list.h"

namespace talv {

class KindObject;

// Registers the window runtime with the core: the initialisation hook of
// runtime routine 6, the start-up hooks (ExitProgram, RunMessageLoop,
// LoadStartupWindow), the property host, the services it owns (2018
// dispatch waiting messages, 2015 play sound) and the window facts of
// runtime error reports; and with the kinds below it: their interfaces in
// the kind table and the kind host. Idempotent.
void InstallWindowRuntime();

// Runtime routine 6: process heap, header words, OLE, program directory and
// file name (the current directory becomes the program directory), the
// hidden owner window, the support libraries and the window list read from
// the program image's definition segment ("载入窗口模板数据段出错!" when it
// cannot be read). A second call does nothing.
void InitialiseWindowRuntime();

// Loads window `window_id` from the window list and shows it; a live window
// is only brought to the front. False when it is not in the list or cannot
// be built.
bool LoadWindow(uint32_t window_id);

// The message loop: idle work while no message waits, then a blocking
// fetch; returns on WM_QUIT (at once when no window is live).
void RunWindowMessageLoop();
// Dispatches the messages waiting in the thread's queue (never WM_QUIT),
// each through the pre-filter; handlers run nested inside the caller.
void PumpWaitingMessages();
// The window pre-filter: common events, window keys. True when the message
// was consumed (it must not be dispatched).
bool PreFilterMessage(MSG* message);
// One fetched message: pre-filter, then translation and dispatch.
void DispatchFetchedMessage(MSG* message);

// The shutdown with its exit code; ends the process. From another thread
// than the user-interface thread it asks that thread (message 0x83E7 to the
// hidden owner window).
[[noreturn]] void ShutDown(int32_t code);
bool RuntimeShuttingDown();
bool MessageLoopRunning();

// Idle handlers: called while no message waits, the last registered first,
// as long as `window` exists.
using IdleHandler = void (*)(void* argument);
void RegisterIdleHandler(HWND window, IdleHandler handler, void* argument);
// Forgets every idle handler (the shutdown).
void ForgetIdleHandlers();

// The property host that answers the property gates for live windows
// (property_access_win32.cpp); start-up registers it.
PropertyHost& WindowPropertyHostInstance();

// The program file name (without directory) as start-up split it.
const char* ProgramFileName();
// The hidden owner window of top-level windows (null before start-up made it).
HWND HiddenOwnerWindow();
DWORD UserInterfaceThread();

// The window of `window` is gone (the window kind tells the kind host):
// the units' objects and cursors are released, and the last live window
// ends the loop.
void WindowDestroyed(WindowObject* window);

// The live object of (Window id, Control id), the window unit for Control
// id 0 or the window unit's own id; null when the window is not live, the
// unit does not exist or its window is no longer valid.
KindObject* FindLiveObject(int32_t window_id, int32_t control_id);
// As FindLiveObject; none is the runtime error
// "指定窗口或窗口组件不存在或尚未载入".
KindObject* RequireLiveObject(int32_t window_id, int32_t control_id);

// The focus events raised by controls themselves, as the kind host hears of
// them (the loader raises the got-focus event of the window's first focus
// only when none did).
void NoteFocusEventRaised();

// Sound: the runtime plays window background music and answers the
// play-sound service through these (the sound service registers them).
struct SoundLink {
  bool (*play)(const void* data, size_t size, bool loop) = nullptr;
  void (*stop_all)(bool wait) = nullptr;
};
void SetSoundLink(const SoundLink& link);
bool PlaySoundBytes(const void* data, size_t size, bool loop);

// Message numbers of the runtime.
constexpr UINT kShutdownRequestMessage = 0x83E7;

}  // namespace talv
