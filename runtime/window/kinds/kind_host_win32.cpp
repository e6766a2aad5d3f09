#include "runtime/window/kinds/kind_host_win32.h"

namespace talv {
namespace {

// The host before one is registered.
class NoKindHost final : public KindHost {
 public:
  bool ShuttingDown() override { return false; }
  HWND OwnerWindow() override { return nullptr; }
  void FocusEventRaised() override {}
  bool PlaySoundBytes(const void*, size_t, bool) override { return false; }
  void WindowDestroyed(WindowObject*) override {}
};

NoKindHost g_no_host;
KindHost* g_host = nullptr;

}  // namespace

void SetKindHost(KindHost* host) { g_host = host; }
KindHost& CurrentKindHost() { return g_host ? *g_host : g_no_host; }

}  // namespace talv
