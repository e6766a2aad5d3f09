// The HyperLinker control: a window of the runtime's own class showing one
// centred line in the normal, visited or hover colour; a left-button press
// opens its target. Target only (Win32).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "runtime/window/kinds/control_window_win32.h"
#include "runtime/window/kinds/double_buffer_win32.h"

namespace talv {

// Everything a HyperLinker shows and opens, in the order of its kind
// properties.
struct HyperlinkProps {
  std::string caption;  // when empty the target itself is shown
  int link_type = 1;    // 1 web address, otherwise e-mail
  std::string email;
  std::string web_address;
  uint32_t normal_colour = 0xFF0000;   // COLORREF: blue
  uint32_t visited_colour = 0x800080;  // purple
  uint32_t hover_colour = 0x0000FF;    // red
  uint32_t background = kDefaultBackgroundColour;
  int border = 0;  // as ControlWindow's border values
  ByteBlock font;  // a 60-byte LOGFONTA, otherwise the default GUI font
};

extern const char kHyperlinkClassName[];

// Creates a HyperLinker window (null on failure). `events` receives
// kHyperlinkActivated after each press that had a target.
HWND CreateHyperlinkWindow(const ControlPlacement& placement, const HyperlinkProps& props,
                           ControlEventTarget events = {});

// Replaces what the link shows and opens, and repaints it. False when
// `window` is not a HyperLinker.
bool UpdateHyperlinkWindow(HWND window, const HyperlinkProps& props);

// The link's current properties; null when `window` is not a HyperLinker.
const HyperlinkProps* HyperlinkWindowProps(HWND window);

// Whether the link was opened successfully (it then shows the visited
// colour) and whether the mouse is over it (hover colour, mouse captured).
bool HyperlinkIsVisited(HWND window);
bool HyperlinkIsHovered(HWND window);

// How targets are opened. The default opens through the shell
// (OpenHyperlinkWithShell); tests put a recorder in its place. Returns the
// previous opener. A null opener restores the default.
using HyperlinkOpener = bool (*)(void* context, HWND window, const char* target);
struct HyperlinkOpenerSlot {
  HyperlinkOpener open = nullptr;
  void* context = nullptr;
};
HyperlinkOpenerSlot SetHyperlinkOpener(HyperlinkOpenerSlot opener);

// ShellExecuteA "open" with SW_SHOW; when that fails, the open command of
// the ".htm" class (HKEY_CLASSES_ROOT) run through WinExec. True when either
// succeeded.
bool OpenHyperlinkWithShell(HWND window, const char* target);

}  // namespace talv
