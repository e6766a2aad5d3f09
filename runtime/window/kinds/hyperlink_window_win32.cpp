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

struct HyperlinkState : PaintedControlState<HyperlinkProps> {
  ControlFont font;
  bool visited = false;
  bool hovered = false;

  void Apply(HWND window, const HyperlinkProps& next, bool first);
  void Paint(HWND window, HDC dc, const RECT& client) const;
  bool OnMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
};

using HyperlinkClass = PaintedControlClass<HyperlinkState, kHyperlinkClassName>;

HyperlinkOpenerSlot g_opener;

bool Open(HWND window, const char* target) {
  if (g_opener.open) return g_opener.open(g_opener.context, window, target);
  return OpenHyperlinkWithShell(window, target);
}

std::string TargetOf(const HyperlinkProps& p) {
  return HyperlinkTarget(p.link_type, p.email, p.web_address);
}

std::string ShownText(const HyperlinkProps& p) { return HyperlinkShownText(p.caption, TargetOf(p)); }

void HyperlinkState::Apply(HWND window, const HyperlinkProps& next, bool first) {
  bool font_changed = first || next.font != props.font;
  bool border_changed = !first && next.border != props.border;
  props = next;
  if (font_changed) font.Assign(next.font.data(), next.font.size());
  if (border_changed) ApplyBorder(window, next.border);
  if (!first) SetWindowTextA(window, ShownText(next).c_str());
  InvalidateRect(window, nullptr, FALSE);
}

void HyperlinkState::Paint(HWND, HDC dc, const RECT& client) const {
  const HyperlinkProps& p = props;
  FillSolid(dc, client, ResolveBackgroundColour(p.background));
  std::string text = ShownText(p);
  if (text.empty()) return;
  uint32_t colour = hovered ? p.hover_colour : visited ? p.visited_colour : p.normal_colour;
  HGDIOBJ old_font = SelectObject(dc, font.handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ResolveColour(colour));
  RECT area = client;
  DrawTextA(dc, text.c_str(), int(text.size()), &area,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  SelectObject(dc, old_font);
}

void SetHovered(HWND window, HyperlinkState& s, bool hovered) {
  if (s.hovered == hovered) return;
  s.hovered = hovered;
  InvalidateRect(window, nullptr, FALSE);
}

// The mouse entering captures it, so that leaving the client rectangle is
// seen; leaving releases it.
void OnMouseMove(HWND window, HyperlinkState& s, LPARAM lparam) {
  if (InClientArea(window, MousePosition(lparam))) {
    if (GetCapture() != window) SetCapture(window);
    SetHovered(window, s, true);
  } else {
    SetHovered(window, s, false);
    ReleaseCaptureOf(window);
  }
}

void OnButtonDown(HWND window, HyperlinkState& s, LPARAM lparam) {
  if (!InClientArea(window, MousePosition(lparam))) {
    // A press outside while the capture is ours: the mouse has left.
    SetHovered(window, s, false);
    ReleaseCaptureOf(window);
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

bool HyperlinkState::OnMessage(HWND window, UINT message, WPARAM, LPARAM lparam, LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(window, *this, lparam); return true;
    case WM_LBUTTONDOWN: OnButtonDown(window, *this, lparam); return true;
    case WM_CAPTURECHANGED:
      // Whoever took the capture, the hover tracking has ended.
      if (reinterpret_cast<HWND>(lparam) != window) SetHovered(window, *this, false);
      return true;
    case WM_GETFONT: *result = reinterpret_cast<LRESULT>(font.handle()); return true;
    default: return false;
  }
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
  return HyperlinkClass::Create(WithBorder(placement, props.border), ShownText(props).c_str(),
                                ProgramHandCursor(), props, events);
}

bool UpdateHyperlinkWindow(HWND window, const HyperlinkProps& props) {
  return HyperlinkClass::Update(window, props);
}

const HyperlinkProps* HyperlinkWindowProps(HWND window) { return HyperlinkClass::PropsOf(window); }

bool HyperlinkIsVisited(HWND window) {
  HyperlinkState* s = HyperlinkClass::Of(window);
  return s && s->visited;
}

bool HyperlinkIsHovered(HWND window) {
  HyperlinkState* s = HyperlinkClass::Of(window);
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
