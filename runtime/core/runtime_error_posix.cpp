// The native build has no message box: the report goes to standard error.
#include <cstdio>

#include "runtime/core/runtime_error.h"

namespace talv::platform {

void ShowRuntimeErrorReport(const std::string& report) {
  std::fwrite(report.data(), 1, report.size(), stderr);
  std::fflush(stderr);
}

}  // namespace talv::platform
