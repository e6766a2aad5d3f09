// The report box on the target: no owner window, caption "错误", error icon.
#include <windows.h>

#include "runtime/core/runtime_error.h"

namespace talv::platform {

void ShowRuntimeErrorReport(const std::string& report) {
  MessageBoxA(nullptr, report.c_str(), "错误", MB_OK | MB_ICONERROR);
}

}  // namespace talv::platform
