// The target's library loader for DLL commands.
#include <windows.h>

#include "runtime/core/dll_commands.h"

namespace talv {
namespace {
void* Load(const char* path) { return reinterpret_cast<void*>(LoadLibraryA(path)); }
void Unload(void* module) { FreeLibrary(static_cast<HMODULE>(module)); }
void* Find(void* module, const char* name, uint16_t ordinal) {
  const char* key = name ? name : MAKEINTRESOURCEA(ordinal);
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), key));
}
const DllLoader kLoader = {Load, Unload, Find};
}  // namespace

const DllLoader& PlatformDllLoader() { return kLoader; }

}  // namespace talv
