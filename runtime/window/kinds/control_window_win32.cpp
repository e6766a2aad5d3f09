// Border styles, creation and the mouse helpers of the runtime's control windows.
#include "runtime/window/kinds/control_window_win32.h"

#include <cstring>

namespace talv {

namespace {
constexpr DWORD kBorderStyles = WS_BORDER;
constexpr DWORD kBorderExStyles = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
}  // namespace

void StyleForBorder(int border, DWORD* style, DWORD* ex_style) {
  *style &= ~kBorderStyles;
  *ex_style &= ~kBorderExStyles;
  switch (border) {
    case 1: *ex_style |= WS_EX_CLIENTEDGE; break;
    case 2: *ex_style |= WS_EX_DLGMODALFRAME; break;
    case 3: *ex_style |= WS_EX_STATICEDGE; break;
    case 4: *ex_style |= WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME; break;
    case 5: *style |= WS_BORDER; break;
    default: break;
  }
}

void ApplyBorder(HWND window, int border) {
  DWORD style = DWORD(GetWindowLongA(window, GWL_STYLE));
  DWORD ex_style = DWORD(GetWindowLongA(window, GWL_EXSTYLE));
  DWORD new_style = style, new_ex_style = ex_style;
  StyleForBorder(border, &new_style, &new_ex_style);
  if (new_style == style && new_ex_style == ex_style) return;
  SetWindowLongA(window, GWL_STYLE, LONG(new_style));
  SetWindowLongA(window, GWL_EXSTYLE, LONG(new_ex_style));
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

FramedPlacement WithBorder(const ControlPlacement& placement, int border) {
  FramedPlacement framed{placement};
  StyleForBorder(border, &framed.placement.style, &framed.ex_style);
  return framed;
}

bool InClientArea(HWND window, POINT point) {
  RECT client;
  GetClientRect(window, &client);
  return PtInRect(&client, point) != 0;
}

bool RegisterControlClass(const char* class_name, WNDPROC procedure, HCURSOR cursor) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing;
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, class_name, &existing)) return true;
  WNDCLASSEXA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.cbSize = sizeof wc;
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = procedure;
  wc.cbWndExtra = sizeof(void*);
  wc.hInstance = instance;
  wc.hCursor = cursor;
  wc.hbrBackground = nullptr;  // the control paints its whole client area
  wc.lpszClassName = class_name;
  return RegisterClassExA(&wc) != 0;
}

HWND CreateControlWindow(const char* class_name, const ControlPlacement& placement, DWORD ex_style,
                         const char* text, void* create_param) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | placement.style;
  return CreateWindowExA(ex_style, class_name, text ? text : "", style, placement.x, placement.y, placement.width,
                         placement.height, placement.parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)),
                         GetModuleHandleA(nullptr), create_param);
}

bool IsWindowOfClass(HWND window, const char* class_name) {
  if (!window || !IsWindow(window)) return false;
  char name[64];
  int n = GetClassNameA(window, name, sizeof name);
  return n > 0 && std::strcmp(name, class_name) == 0;
}

}  // namespace talv
