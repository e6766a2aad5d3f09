#include <windows.h>

#include "runtime/core/gates.h"

namespace talv::platform {
namespace {
// Static initialisation runs on the process's main thread.
const DWORD g_main_thread = GetCurrentThreadId();
}  // namespace

void EndProcess(int32_t code) { ExitProcess(UINT(code)); }
bool IsMainThread() { return GetCurrentThreadId() == g_main_thread; }
}  // namespace talv::platform
