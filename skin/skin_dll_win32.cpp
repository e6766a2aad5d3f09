// SkinH_EL.dll: our skin library. One export:
//
//   int __stdcall SkinH_AttachRes(const unsigned char* data, int length,
//                                 const char* scheme, int options,
//                                 int reserved1, int reserved2);
//
//   data, length  ".SHE" skin data (skin/skin_format.h); the library copies
//                 what it needs, the caller may free the data afterwards
//   scheme        name of the colour scheme to use; null or empty: the
//                 skin's default scheme
//   options       parts NOT to draw (kSkinPart* bits); 0 draws every part
//                 that the data enables
//   reserved1/2   must be 0
//
// Returns 0 when the skin is applied, otherwise a SkinError code, and then
// nothing changes (a skin attached earlier stays). The call may be repeated
// to change the skin; it covers the windows of every thread that called it.
#include <windows.h>

#include "skin/skin_apply_win32.h"
#include "skin/skin_format.h"

namespace {

using talv::skin::SkinError;

HINSTANCE g_module = nullptr;

bool ReadableAccess(DWORD protect) {
  if (protect & (PAGE_GUARD | PAGE_NOACCESS)) return false;
  return (protect & (PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                     PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY)) != 0;
}

// True when every byte of [p, p + n) lies in committed, readable memory, so
// that a wrong pointer from the caller gives an error instead of a crash.
bool IsReadable(const void* p, size_t n) {
  auto at = reinterpret_cast<uintptr_t>(p);
  if (!p || at + n < at) return false;
  uintptr_t end = at + n;
  while (at < end) {
    MEMORY_BASIC_INFORMATION info;
    if (VirtualQuery(reinterpret_cast<const void*>(at), &info, sizeof info) != sizeof info) return false;
    if (info.State != MEM_COMMIT || !ReadableAccess(info.Protect)) return false;
    uintptr_t region_end = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
    if (region_end <= at) return false;
    at = region_end;
  }
  return true;
}

// Copies a NUL-terminated name of at most `capacity` - 1 bytes, reading one
// byte at a time only from readable pages. False when it is longer or
// unreadable.
bool CopyName(const char* name, char* out, size_t capacity) {
  out[0] = '\0';
  if (!name) return true;
  for (size_t i = 0; i < capacity; ++i) {
    if (!IsReadable(name + i, 1)) return false;
    out[i] = name[i];
    if (name[i] == '\0') return true;
  }
  return false;
}

// Keeps the library in memory for good once windows call into it: a
// FreeLibrary by the host would otherwise leave subclassed windows and the
// hook pointing at unmapped code.
void PinLibrary() {
  HMODULE self;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCSTR>(&PinLibrary), &self);
}

SkinError Attach(const unsigned char* data, int length, const char* scheme_name, int options,
                 int reserved1, int reserved2) {
  using namespace talv::skin;
  if (reserved1 != 0 || reserved2 != 0) return SkinError::kBadArgument;
  if (options < 0 || (uint32_t(options) & ~kSkinAllParts)) return SkinError::kBadArgument;
  if (!data || length <= 0) return SkinError::kNoData;
  if (size_t(length) > kSkinMaxDataSize) return SkinError::kBadLength;
  if (!IsReadable(data, size_t(length))) return SkinError::kBadArgument;
  char name[kSkinMaxSchemeNameLength + 2];
  if (!CopyName(scheme_name, name, sizeof name)) return SkinError::kUnknownScheme;

  Skin* skin = static_cast<Skin*>(HeapAlloc(GetProcessHeap(), 0, sizeof(Skin)));
  if (!skin) return SkinError::kSystemFailure;
  SkinParseResult parsed = ParseSkin(data, size_t(length), skin);
  SkinError result = parsed.error;
  if (parsed.ok()) {
    int index = FindScheme(*skin, name);
    if (index < 0) {
      result = SkinError::kUnknownScheme;
    } else {
      ActiveSkin active;
      active.metrics = skin->metrics;
      active.scheme = skin->schemes[index];
      active.parts = skin->parts & ~uint32_t(options);
      result = ApplySkin(active);
      if (result == SkinError::kOk) PinLibrary();
    }
  }
  HeapFree(GetProcessHeap(), 0, skin);
  return result;
}

}  // namespace

extern "C" int __stdcall SkinH_AttachRes(const unsigned char* data, int length,
                                        const char* scheme, int options,
                                        int reserved1, int reserved2) {
  return int(Attach(data, length, scheme, options, reserved1, reserved2));
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = module;
    DisableThreadLibraryCalls(module);
    talv::skin::InitSkinState(module);
  }
  return TRUE;
}
