#include "runtime/paint/button_control_win32.h"

namespace talv::paint {

ButtonType ButtonTypeOf(LONG style) {
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: return ButtonType::Push;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: return ButtonType::CheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return ButtonType::RadioButton;
    case BS_GROUPBOX: return ButtonType::GroupBox;
    default: return ButtonType::Other;
  }
}

ButtonStatus ReadButtonStatus(HWND button, ButtonAsk ask) {
  ButtonStatus s;
  LRESULT state = ask(button, BM_GETSTATE, 0, 0);
  LRESULT cues = ask(button, WM_QUERYUISTATE, 0, 0);
  s.enabled = IsWindowEnabled(button) != FALSE;
  s.pushed = (state & BST_PUSHED) != 0;
  s.checked = (state & 3) == BST_CHECKED;
  s.indeterminate = (state & 3) == BST_INDETERMINATE;
  s.focus_state = (state & BST_FOCUS) != 0;
  s.has_focus = GetFocus() == button;
  s.is_default = (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  s.hide_focus = (cues & UISF_HIDEFOCUS) != 0;
  s.hide_prefix = (cues & UISF_HIDEACCEL) != 0;
  return s;
}

bool ButtonLookMayChange(UINT message) {
  switch (message) {
    case BM_SETSTATE: case BM_SETCHECK: case BM_SETSTYLE: case BM_CLICK:
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_ENABLE: case WM_SETTEXT: case WM_SETFONT:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: case WM_KEYDOWN:
    case WM_KEYUP: case WM_CHAR: case WM_CAPTURECHANGED: case WM_UPDATEUISTATE:
    case WM_STYLECHANGED: case WM_SYSCOLORCHANGE: return true;
    default: return false;
  }
}

namespace {

struct Visitors {
  void (*visit)(HWND, bool);
  void (*done)(HWND);
};

BOOL CALLBACK VisitChild(HWND child, LPARAM visitors) {
  reinterpret_cast<const Visitors*>(visitors)->visit(child, false);
  return TRUE;
}

BOOL CALLBACK VisitTop(HWND top, LPARAM lp) {
  const auto* visitors = reinterpret_cast<const Visitors*>(lp);
  visitors->visit(top, true);
  EnumChildWindows(top, VisitChild, lp);  // every descendant
  if (visitors->done) visitors->done(top);
  return TRUE;
}

}  // namespace

void VisitThreadWindows(void (*visit)(HWND window, bool top_level), void (*done)(HWND top)) {
  Visitors visitors = {visit, done};
  EnumThreadWindows(GetCurrentThreadId(), VisitTop, reinterpret_cast<LPARAM>(&visitors));
}

}  // namespace talv::paint
