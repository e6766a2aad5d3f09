// The native build loads no libraries: every DLL command fails to resolve
// (its runtime error), and there is no outside function to call.
#include "runtime/core/dll_commands.h"
#include "runtime/core/runtime_error.h"

namespace talv {
namespace {
void* Load(const char*) { return nullptr; }
void Unload(void*) {}
void* Find(void*, const char*, uint16_t) { return nullptr; }
const DllLoader kLoader = {Load, Unload, Find};
}  // namespace

const DllLoader& PlatformDllLoader() { return kLoader; }

namespace platform {
uint64_t CallOutsideFunction(void*, const DllWord*, int32_t, int32_t*) {
  RaiseRuntimeErrorF("本平台不能调用DLL命令");
}
}  // namespace platform

}  // namespace talv
