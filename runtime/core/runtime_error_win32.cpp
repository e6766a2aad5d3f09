// Runtime errors on the target: the report in a message box captioned "错误",
// then the process ends with exit code -1.
#include <windows.h>

#include <cstdarg>
#include <cstdio>

#include "runtime/core/runtime_error.h"

namespace talv {

void RaiseRuntimeError(int32_t code, const char* message, int32_t location1, int32_t location2) {
  char text[1024];
  std::snprintf(text, sizeof text, "运行时出错!\r\n\r\n错误代码：%d\r\n\r\n错误信息：%s\r\n(%d, %d)",
                int(code), message ? message : "", int(location1), int(location2));
  MessageBoxA(nullptr, text, "错误", MB_ICONERROR);
  ExitProcess(UINT(-1));
}

void RaiseRuntimeErrorF(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  RaiseRuntimeError(0, text, 0, 0);
}

}  // namespace talv
