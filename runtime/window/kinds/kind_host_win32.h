// What the kinds ask of the window host above them: whether the runtime is
// shutting down, the hidden owner window of top-level windows, the note that
// a control raised its own got-focus event, window background music, and
// the end of a window. The host implements this and registers it once at
// start-up, the way the core's property host works; until then the kinds
// see a host that is not shutting down, owns no window, plays nothing and
// lets the notes pass. Target only (Win32).
#pragma once

#include <windows.h>

#include <cstddef>

namespace talv {

struct WindowObject;

class KindHost {
 public:
  virtual ~KindHost() = default;
  // From the start of the shutdown: window procedures pass every message on.
  virtual bool ShuttingDown() = 0;
  // The owner of top-level windows that keep no taskbar button of their own.
  virtual HWND OwnerWindow() = 0;
  // A control raised its got-focus event itself.
  virtual void FocusEventRaised() = 0;
  // Plays a window's background music (loop: again and again); false when
  // it cannot be played.
  virtual bool PlaySoundBytes(const void* data, size_t size, bool loop) = 0;
  // The window of `window` is gone: the host releases its units' objects
  // (the window unit's one too) and ends the loop after the last window.
  virtual void WindowDestroyed(WindowObject* window) = 0;
};

// Registers the host (null: none).
void SetKindHost(KindHost* host);
// The registered host, or the one that does nothing.
KindHost& CurrentKindHost();

}  // namespace talv
