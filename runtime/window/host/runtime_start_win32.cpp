// Start-up and shutdown of the window runtime: runtime routine 6, the
// hidden owner window, the runtime's notification entry for support
// libraries, the services it owns, and the shutdown sequence.
#include <ole2.h>

#include <string>
#include <vector>

#include "runtime/core/dll_commands.h"
#include "runtime/core/exit_routines.h"
#include "runtime/core/gates.h"
#include "runtime/core/program_directory.h"
#include "runtime/core/program_image.h"
#include "runtime/core/property_host.h"
#include "runtime/core/runtime_error.h"
#include "runtime/core/runtime_routines.h"
#include "runtime/core/services.h"
#include "runtime/sound/sound_service.h"
#include "runtime/window/definition/definition_header.h"
#include "runtime/window/host/window_runtime_win32.h"
#include "runtime/window/kinds/kind_host_win32.h"
#include "runtime/window/kinds/kind_interfaces.h"
#include "runtime/window/kinds/kind_object_win32.h"
#include "runtime/window/model/event_dispatch.h"

namespace talv {

namespace {

constexpr char kOwnerClass[] = "TalviqueOwner";

// The application object: what start-up keeps for the process.
struct Application {
  bool initialised = false;
  HANDLE heap = nullptr;
  uint32_t program_kind = 0;
  uint32_t version = 0;  // the header's format version plus 1
  std::string file_name;
  HWND owner = nullptr;
  DWORD ui_thread = 0;
  bool ole = false;
  bool shutting_down = false;
  SoundLink sound;
};

Application& App() {
  static Application app;
  return app;
}

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kShutdownRequestMessage) ShutDown(int32_t(wparam));
  return DefWindowProcA(window, message, wparam, lparam);
}

HWND CreateOwnerWindow() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = OwnerProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kOwnerClass;
  RegisterClassExA(&wc);
  return CreateWindowExA(WS_EX_TOOLWINDOW, kOwnerClass, "", 0, 0, 0, 0, 0, nullptr, nullptr,
                         instance, nullptr);
}

// ---- What the kinds ask of the host --------------------------------------
class WindowKindHost final : public KindHost {
 public:
  bool ShuttingDown() override { return RuntimeShuttingDown(); }
  HWND OwnerWindow() override { return HiddenOwnerWindow(); }
  void FocusEventRaised() override { NoteFocusEventRaised(); }
  bool PlaySoundBytes(const void* data, size_t size, bool loop) override {
    return talv::PlaySoundBytes(data, size, loop);
  }
  void WindowDestroyed(WindowObject* window) override { talv::WindowDestroyed(window); }
};

// ---- The runtime's notification entry -----------------------------------
intptr_t RuntimeNotify(int32_t code, intptr_t arg1, intptr_t arg2) {
  switch (code) {
    case 1001: return reinterpret_cast<intptr_t>(&WindowList());
    case 1002: return reinterpret_cast<intptr_t>(kinds::FindKind(uint32_t(arg1)));
    case 2000: return 0;  // a window was destroyed: the window kind tells the runtime itself
    case 2004: return reinterpret_cast<intptr_t>(App().file_name.c_str());
    case 2005: {
      const auto* reference = reinterpret_cast<const TypedValue*>(arg1);
      return reference && LoadWindow(reference->lo) ? 0 : -1;
    }
    case 2006: return reinterpret_cast<intptr_t>(FindLiveObject(int32_t(arg1), int32_t(arg2)));
    case 2007: return reinterpret_cast<intptr_t>(RequireLiveObject(int32_t(arg1), int32_t(arg2)));
    case 2008: return RaiseEvent(reinterpret_cast<EventRecord*>(arg1));
    case 2009: SuspendEvents(); return 0;
    case 2010: ResumeEvents(); return 0;
    case 2031: {
      // The typed form: each argument a 16-byte value (low, high, type,
      // flags); the handler receives the low words.
      auto* typed = reinterpret_cast<int32_t*>(arg1);
      if (!typed) return 0;
      EventRecord r;
      r.window = typed[0];
      r.control = typed[1];
      r.index = typed[2];
      r.count = typed[3] < 0 ? 0 : typed[3] > 5 ? 5 : typed[3];
      for (int32_t i = 0; i < r.count; ++i) r.arguments[i] = typed[4 + 4 * i];
      int32_t called = RaiseEvent(&r);
      typed[4 + 4 * 5] = r.result_flag;
      typed[4 + 4 * 5 + 1] = r.result;
      return called;
    }
    default: return CommandService(code, arg1, arg2);
  }
}

// ---- Services the window runtime owns -------------------------------------
intptr_t DispatchMessagesService(intptr_t, intptr_t) {
  PumpWaitingMessages();
  return 0;
}

// (byte-array block, loop flag) -> 1 when a sound started.
intptr_t PlaySoundService(intptr_t block, intptr_t loop) {
  const void* b = reinterpret_cast<const void*>(block);
  const uint32_t* header = static_cast<const uint32_t*>(b);
  if (!header) return 0;
  return PlaySoundBytes(header + 2, header[1], loop != 0) ? 1 : 0;
}

// ---- Gate hooks -----------------------------------------------------------
void ExitProgramHook(int32_t code) { ShutDown(code); }

void LoadStartupWindowHook(int32_t window_id) {
  if (!LoadWindow(uint32_t(window_id)))
    RaiseRuntimeError(0, "载入启动窗口失败", window_id, 0);
}

}  // namespace

void InstallWindowRuntime() {
  SetInitialiseRuntimeHook(InitialiseWindowRuntime);
  StartupHooks hooks;
  hooks.exit_program = ExitProgramHook;
  hooks.run_message_loop = RunWindowMessageLoop;
  hooks.load_startup_window = LoadStartupWindowHook;
  SetStartupHooks(hooks);
  SetPropertyHost(&WindowPropertyHostInstance());
  kinds::InstallKindInterfaces();
  static WindowKindHost kind_host;
  SetKindHost(&kind_host);
  SetServiceHandler(ServiceCode::DispatchMessages, DispatchMessagesService);
  SetServiceHandler(ServiceCode::PlaySound, PlaySoundService);
  RegisterWindowReportLookup();
  if (!App().sound.play) {
    SoundLink sound;
    sound.play = PlaySoundData;
    sound.stop_all = StopAllSound;
    SetSoundLink(sound);
  }
}

void InitialiseWindowRuntime() {
  Application& app = App();
  if (app.initialised) return;
  app.initialised = true;
  const ProgramImage& image = CurrentProgramImage();

  // 1. The process heap and the header's words.
  app.heap = GetProcessHeap();
  definition::ProgramHeader header;
  if (image.header && definition::ReadProgramHeader(image.header, image.header_size, &header)) {
    app.program_kind = header.program_kind;
    app.version = header.format_version + 1;
  }
  // 2. OLE, once per process.
  if (!app.ole) app.ole = SUCCEEDED(OleInitialize(nullptr));
  // 3. The program directory and file name; the directory becomes current.
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory;
  SplitModulePath(path, &directory, &app.file_name);
  SetProgramDirectory(directory.c_str());
  if (!directory.empty()) SetCurrentDirectoryA(directory.c_str());
  // 4. The hidden owner window and the user-interface thread.
  app.ui_thread = GetCurrentThreadId();
  if (!app.owner) app.owner = CreateOwnerWindow();
  // 5-6. The constants segment is known to the heap already; the DLL
  // commands are declared by the program entry (SetDllCommands).
  // 7. Support libraries with a notification entry get the runtime's.
  for (int32_t i = 1; i <= kinds::LibraryCount(); ++i) {
    const kinds::SupportLibrary* library = kinds::LibraryAt(i);
    if (library && library->notify)
      library->notify(1, reinterpret_cast<intptr_t>(&RuntimeNotify), 0);
  }
  // 8-10. The window definitions, their handlers resolved against the
  // handler table.
  if (image.definitions && image.definitions_size != 0 &&
      !LoadWindowDefinitions(image.definitions, image.definitions_size,
                             size_t(image.handler_count > 0 ? image.handler_count : 0)))
    RaiseRuntimeError(0, "载入窗口模板数据段出错!", 0, 0);
}

HWND HiddenOwnerWindow() { return App().owner; }
const char* ProgramFileName() { return App().file_name.c_str(); }
DWORD UserInterfaceThread() { return App().ui_thread ? App().ui_thread : GetCurrentThreadId(); }
bool RuntimeShuttingDown() { return App().shutting_down; }

void SetSoundLink(const SoundLink& link) { App().sound = link; }
bool PlaySoundBytes(const void* data, size_t size, bool loop) {
  return App().sound.play && data && size && App().sound.play(data, size, loop);
}

void ShutDown(int32_t code) {
  Application& app = App();
  SuspendEventsForGood();
  if (GetCurrentThreadId() != UserInterfaceThread()) {
    // The user-interface thread does the work; this thread waits for the
    // process to end (or ends it when that thread cannot be asked).
    if (!app.shutting_down && app.owner)
      SendMessageA(app.owner, kShutdownRequestMessage, WPARAM(code), 0);
    if (!app.shutting_down) ExitProcess(UINT(code));
    for (;;) Sleep(INFINITE);
  }
  if (app.shutting_down) ExitProcess(UINT(code));  // an exit routine ended the program again
  app.shutting_down = true;

  ForgetIdleHandlers();
  // The window objects of windows still on the screen stay in memory: their
  // windows die with the process, and their procedures pass everything on.
  for (auto& w : WindowList())
    if (w->IsLive()) (void)w.release();
  ClearWindowList();

  RunExitRoutines();
  for (int32_t i = 1; i <= kinds::LibraryCount(); ++i) {
    const kinds::SupportLibrary* library = kinds::LibraryAt(i);
    if (library && library->notify) library->notify(6, 0, 0);
  }
  UnloadDllCommandLibraries();
  if (app.owner) DestroyWindow(app.owner);
  app.owner = nullptr;
  if (app.sound.stop_all) app.sound.stop_all(true);
  if (app.ole) OleUninitialize();
  app.ole = false;
  ExitProcess(UINT(code));
}

}  // namespace talv
