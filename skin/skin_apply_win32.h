// Applying a checked skin to the windows of the process: the active skin,
// the per-thread creation hooks and the subclassing of windows.
#pragma once

#include <windows.h>

#include "skin/skin_format.h"

namespace talv::skin {

// What the drawing needs: the metrics, the chosen scheme and the parts drawn.
struct ActiveSkin {
  SkinMetrics metrics;
  SkinScheme scheme;
  uint32_t parts;
};

// Called once from DllMain before anything else.
void InitSkinState(HINSTANCE module);

// Makes `skin` the skin of the whole process, hooks window creation on the
// calling thread (once per thread) and subclasses the thread's existing
// windows, then redraws them. kSystemFailure when the hook cannot be
// installed; the previous skin (if any) then stays.
SkinError ApplySkin(const ActiveSkin& skin);

// A copy of the active skin; false while none is attached.
bool CurrentSkin(ActiveSkin* out);

}  // namespace talv::skin
