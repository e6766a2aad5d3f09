// The HyperLinker control: drawing in three colours, hover tracking through
// mouse capture, and opening the target through the shell.
#include "runtime/window/kinds/hyperlink_window_win32.h"

#include <shellapi.h>

#include <cstring>

#include "runtime/window/kinds/cursor_block_win32.h"
#include "runtime/window/kinds/font_block_win32.h"
#include "runtime/window/kinds/hyperlink_window_target.h"

namespace talv {

const char kHyperlinkClassName[] = "TalviqueHyperLinker";

namespace {

struct HyperlinkState {
  HyperlinkProps props;
  ControlEventTarget events;
  ControlFont font;
  bool visited = false;
  bool hovered = false;
};

struct CreateParams {
  const HyperlinkProps* props;
  ControlEventTarget events;
};

HyperlinkOpenerSlot g_opener;

bool Open(HWND window, const char* target) {
  if (g_opener.open) return g_opener.open(g_opener.context, window, target);
  return OpenHyperlinkWithShell(window, target);
}

HyperlinkState* StateOf(HWND window) {
  return IsWindowOfClass(window, kHyperlinkClassName)
             ? static_cast<HyperlinkState*>(ControlState(window))
             : nullptr;
}

std::string TargetOf(const HyperlinkProps& p) {
  return HyperlinkTarget(p.link_type, p.email, p.web_address);
}

std::string ShownText(const HyperlinkProps& p) { return HyperlinkShownText(p.caption, TargetOf(p)); }

void Apply(HWND window, HyperlinkState& s, const HyperlinkProps& props, bool first) {
  bool font_changed = first || props.font != s.props.font;
  bool border_changed = !first && props.border != s.props.border;
  s.props = props;
  if (font_changed) s.font.Assign(props.font.data(), props.font.size());
  if (border_changed) ApplyBorder(window, props.border);
  if (!first) SetWindowTextA(window, ShownText(props).c_str());
  InvalidateRect(window, nullptr, FALSE);
}

void Paint(const HyperlinkState& s, HDC dc, const RECT& client) {
  const HyperlinkProps& p = s.props;
  FillSolid(dc, client, ResolveBackgroundColour(p.background));
  std::string text = ShownText(p);
  if (text.empty()) return;
  uint32_t colour = s.hovered ? p.hover_colour : s.visited ? p.visited_colour : p.normal_colour;
  HGDIOBJ old_font = SelectObject(dc, s.font.handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ResolveColour(colour));
  RECT area = client;
  DrawTextA(dc, text.c_str(), int(text.size()), &area,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  SelectObject(dc, old_font);
}

bool InsideClient(HWND window, LPARAM lparam) {
  RECT client;
  GetClientRect(window, &client);
  POINT pt = {short(LOWORD(lparam)), short(HIWORD(lparam))};
  return PtInRect(&client, pt) != 0;
}

void SetHovered(HWND window, HyperlinkState& s, bool hovered) {
  if (s.hovered == hovered) return;
  s.hovered = hovered;
  InvalidateRect(window, nullptr, FALSE);
}

// The mouse entering captures it, so that leaving the client rectangle is
// seen; leaving releases it.
void OnMouseMove(HWND window, HyperlinkState& s, LPARAM lparam) {
  if (InsideClient(window, lparam)) {
    if (GetCapture() != window) SetCapture(window);
    SetHovered(window, s, true);
  } else {
    SetHovered(window, s, false);
    if (GetCapture() == window) ReleaseCapture();
  }
}

void OnButtonDown(HWND window, HyperlinkState& s, LPARAM lparam) {
  if (!InsideClient(window, lparam)) {
    // A press outside while the capture is ours: the mouse has left.
    SetHovered(window, s, false);
    if (GetCapture() == window) ReleaseCapture();
    return;
  }
  std::string target = TargetOf(s.props);
  if (target.empty()) return;
  bool opened = Open(window, target.c_str());
  if (!IsWindow(window)) return;  // the opener may have run a nested message loop
  if (opened && !s.visited) {
    s.visited = true;
    InvalidateRect(window, nullptr, FALSE);
  }
  s.events.Raise(window, kHyperlinkActivated, opened ? 1 : 0);
}

LRESULT CALLBACK HyperlinkProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* s = static_cast<HyperlinkState*>(ControlState(window));
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
      auto* params = static_cast<const CreateParams*>(create->lpCreateParams);
      auto* state = new HyperlinkState;
      state->events = params->events;
      SetControlState(window, state);
      Apply(window, *state, *params->props, true);
      break;
    }
    case WM_NCDESTROY:
      SetControlState(window, nullptr);
      delete s;
      return DefWindowProcA(window, message, wparam, lparam);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (!s) break;
      return AnswerPaintMessage(window, message, wparam,
                                [s](HDC dc, const RECT& client) { Paint(*s, dc, client); });
    case WM_MOUSEMOVE:
      if (s) OnMouseMove(window, *s, lparam);
      return 0;
    case WM_LBUTTONDOWN:
      if (s) OnButtonDown(window, *s, lparam);
      return 0;
    case WM_CAPTURECHANGED:
      // Whoever took the capture, the hover tracking has ended.
      if (s && reinterpret_cast<HWND>(lparam) != window) SetHovered(window, *s, false);
      return 0;
    case WM_GETFONT: return s ? reinterpret_cast<LRESULT>(s->font.handle()) : 0;
    default: break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

// Reads the default value of an HKEY_CLASSES_ROOT key, at most 260 bytes.
std::string ClassesRootDefault(const std::string& key) {
  char value[261];
  LONG size = 260;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size) != ERROR_SUCCESS) return {};
  value[260] = '\0';
  value[size > 0 && size <= 260 ? size : 0] = '\0';
  return std::string(value);
}

}  // namespace

HWND CreateHyperlinkWindow(const ControlPlacement& placement, const HyperlinkProps& props,
                           ControlEventTarget events) {
  if (!RegisterControlClass(kHyperlinkClassName, HyperlinkProc, ProgramHandCursor())) return nullptr;
  ControlPlacement styled = placement;
  DWORD ex_style = 0;
  StyleForBorder(props.border, &styled.style, &ex_style);
  CreateParams params = {&props, events};
  return CreateControlWindow(kHyperlinkClassName, styled, ex_style, ShownText(props).c_str(), &params);
}

bool UpdateHyperlinkWindow(HWND window, const HyperlinkProps& props) {
  HyperlinkState* s = StateOf(window);
  if (!s) return false;
  Apply(window, *s, props, false);
  return true;
}

const HyperlinkProps* HyperlinkWindowProps(HWND window) {
  HyperlinkState* s = StateOf(window);
  return s ? &s->props : nullptr;
}

bool HyperlinkIsVisited(HWND window) {
  HyperlinkState* s = StateOf(window);
  return s && s->visited;
}

bool HyperlinkIsHovered(HWND window) {
  HyperlinkState* s = StateOf(window);
  return s && s->hovered;
}

HyperlinkOpenerSlot SetHyperlinkOpener(HyperlinkOpenerSlot opener) {
  HyperlinkOpenerSlot previous = g_opener;
  g_opener = opener;
  return previous;
}

bool OpenHyperlinkWithShell(HWND window, const char* target) {
  if (!target || !*target) return false;
  HINSTANCE result = ShellExecuteA(window, "open", target, nullptr, nullptr, SW_SHOW);
  if (reinterpret_cast<INT_PTR>(result) > 32) return true;
  std::string html_class = ClassesRootDefault(".htm");
  if (html_class.empty()) return false;
  std::string command = ClassesRootDefault(html_class + "\\shell\\open\\command");
  std::string line = FallbackOpenCommandLine(command, target);
  if (line.empty()) return false;
  return WinExec(line.c_str(), SW_SHOW) > 32;
}

}  // namespace talv
