// How the skin reaches the windows of the process.
//
// Which windows:
//   - top-level windows of a hooked thread (not menus, tool tips, IME and
//     drop-down lists): their client background is filled with the window
//     background colour (WM_ERASEBKGND, and WM_CTLCOLORDLG for dialogs);
//   - standard controls, by class and style:
//       push buttons ("Button", BS_PUSHBUTTON / BS_DEFPUSHBUTTON without
//       BS_BITMAP / BS_ICON and without an image set): drawn completely by
//       us (skin_paint_win32.cpp) in their normal, hot, pressed or disabled
//       state; the control itself keeps handling keyboard, mouse, focus and
//       clicks, we only repaint after every message that may change its look
//       (the list the visual styles use too, runtime/paint/);
//       static texts, group boxes, check boxes and radio buttons: coloured
//       through their parent's WM_CTLCOLORSTATIC (control background and
//       text colours, the disabled text colour when disabled);
//       edit fields (not those inside combo boxes, IP address fields or date
//       pickers): WM_CTLCOLOREDIT gives the edit colours; a read-only field
//       keeps them, a disabled one gets the control background and the
//       disabled text colour;
//   - windows of other classes (the program's own kinds among them) are left
//     alone.
// Colours that the program chose itself win: the parent's own answer to a
// WM_CTLCOLOR* message is asked first, and only a default answer (no brush
// or a system-colour brush, a system text colour) is replaced by the skin's.
//
// How: a WH_CBT hook on each thread that attached the skin sees every window
// created there (HCBT_CREATEWND) and subclasses it (comctl32
// SetWindowSubclass); at attach time the thread's existing windows are
// visited too. Every subclass procedure passes on everything it does not
// change and removes itself at WM_NCDESTROY.
#include "skin/skin_apply_win32.h"

#include <commctrl.h>

#include <initializer_list>

#include "runtime/paint/button_control_win32.h"
#include "runtime/paint/paint_tools_win32.h"
#include "skin/skin_paint_win32.h"

namespace talv::skin {
namespace {

constexpr UINT_PTR kButtonSubclass = 1;
constexpr UINT_PTR kHostSubclass = 2;
constexpr UINT_PTR kBackgroundSubclass = 3;
constexpr int kMaxThreads = 16;
constexpr char kButtonMark[] = "TalvSkin.Button";

enum class Role { kNone, kPushButton, kStatic, kEdit };

struct Brushes {
  HBRUSH window, control, edit;
};

struct ThreadHook {
  DWORD thread;
  HHOOK hook;
};

CRITICAL_SECTION g_lock;
bool g_active = false;
ActiveSkin g_skin;
Brushes g_brushes = {};
ThreadHook g_hooks[kMaxThreads];
int g_hook_count = 0;

// Per push button: whether the mouse is over it.
struct ButtonState {
  bool hot;
};

bool Snapshot(ActiveSkin* skin, Brushes* brushes) {
  EnterCriticalSection(&g_lock);
  bool active = g_active;
  if (active) {
    if (skin) *skin = g_skin;
    if (brushes) *brushes = g_brushes;
  }
  LeaveCriticalSection(&g_lock);
  return active;
}

bool IsSkinnableTopLevel(HWND hwnd) {
  char cls[64];
  if (GetClassNameA(hwnd, cls, int(sizeof cls)) == 0) return false;
  static const char* const kLeftAlone[] = {"#32768", "#32769", "#32771", "#32772",
                                           "tooltips_class32", "IME", "MSCTFIME UI",
                                           "ComboLBox", "SysShadow", "Message"};
  for (const char* name : kLeftAlone)
    if (lstrcmpiA(cls, name) == 0) return false;
  return true;
}

Role Classify(HWND hwnd, LONG style, HWND parent) {
  char cls[64];
  if (!hwnd || GetClassNameA(hwnd, cls, int(sizeof cls)) == 0) return Role::kNone;
  if (lstrcmpiA(cls, "Button") == 0) {
    switch (paint::ButtonTypeOf(style)) {
      case paint::ButtonType::Push:
        return (style & (BS_BITMAP | BS_ICON)) ? Role::kNone : Role::kPushButton;
      case paint::ButtonType::CheckBox:
      case paint::ButtonType::RadioButton:
        return (style & BS_PUSHLIKE) ? Role::kNone : Role::kStatic;
      case paint::ButtonType::GroupBox:
        return Role::kStatic;
      default:
        return Role::kNone;  // owner-drawn, user buttons, split buttons …
    }
  }
  if (lstrcmpiA(cls, "Static") == 0) {
    switch (style & SS_TYPEMASK) {
      case SS_OWNERDRAW:
      case SS_BITMAP:
      case SS_ICON:
      case SS_ENHMETAFILE:
        return Role::kNone;
      default:
        return Role::kStatic;
    }
  }
  if (lstrcmpiA(cls, "Edit") == 0) {
    static const char* const kComposite[] = {"ComboBox", "ComboBoxEx32", "SysIPAddress32",
                                             "SysDateTimePick32"};
    for (const char* name : kComposite)
      if (paint::ClassIs(parent, name)) return Role::kNone;
    return Role::kEdit;
  }
  return Role::kNone;
}

uint32_t PartOf(Role role) {
  switch (role) {
    case Role::kPushButton: return kSkinPartPushButtons;
    case Role::kStatic: return kSkinPartStatics;
    case Role::kEdit: return kSkinPartEdits;
    default: return 0;
  }
}

// ---- colours through the parent -------------------------------------------

bool IsDefaultBrush(HBRUSH b) {
  return b == nullptr || b == GetSysColorBrush(COLOR_WINDOW) || b == GetSysColorBrush(COLOR_BTNFACE) ||
         b == GetSysColorBrush(COLOR_3DFACE) || b == GetStockObject(WHITE_BRUSH);
}

bool IsDefaultTextColour(COLORREF c) {
  return c == GetSysColor(COLOR_WINDOWTEXT) || c == GetSysColor(COLOR_BTNTEXT) ||
         c == GetSysColor(COLOR_GRAYTEXT);
}

LRESULT ControlColour(HWND host, UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT theirs = DefSubclassProc(host, msg, wp, lp);
  HWND child = reinterpret_cast<HWND>(lp);
  HDC dc = reinterpret_cast<HDC>(wp);
  ActiveSkin skin;
  Brushes brushes;
  if (!dc || !Snapshot(&skin, &brushes)) return theirs;

  HBRUSH brush;
  COLORREF back, text;
  if (child == host) {  // a dialog asking for its own background
    if (msg != WM_CTLCOLORDLG || !(skin.parts & kSkinPartWindows)) return theirs;
    brush = brushes.window;
    back = skin.scheme.colours[kWindowBackground];
    text = skin.scheme.colours[kWindowText];
  } else {
    if (!child || GetParent(child) != host) return theirs;
    Role role = Classify(child, GetWindowLongA(child, GWL_STYLE), host);
    if (role == Role::kNone || !(skin.parts & PartOf(role))) return theirs;
    bool enabled = IsWindowEnabled(child) != FALSE;
    if (role == Role::kEdit && enabled) {
      brush = brushes.edit;
      back = skin.scheme.colours[kEditBackground];
      text = skin.scheme.colours[kEditText];
    } else {
      brush = brushes.control;
      back = skin.scheme.colours[kControlBackground];
      text = skin.scheme.colours[enabled ? kControlText : kDisabledText];
    }
  }
  if (!IsDefaultBrush(reinterpret_cast<HBRUSH>(theirs)) || !brush) return theirs;
  if (IsDefaultTextColour(GetTextColor(dc))) SetTextColor(dc, text);
  SetBkColor(dc, back);
  return reinterpret_cast<LRESULT>(brush);
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
  switch (msg) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
      return ControlColour(hwnd, msg, wp, lp);
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, HostProc, id);
      break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

// ---- top-level backgrounds -------------------------------------------------

LRESULT CALLBACK BackgroundProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
  switch (msg) {
    case WM_ERASEBKGND: {
      ActiveSkin skin;
      Brushes brushes;
      HDC dc = reinterpret_cast<HDC>(wp);
      if (dc && Snapshot(&skin, &brushes) && (skin.parts & kSkinPartWindows) && brushes.window) {
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(dc, &client, brushes.window);
        return 1;
      }
      break;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, BackgroundProc, id);
      break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

// ---- push buttons ------------------------------------------------------------

bool HasImage(HWND button) {
  return SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0) != 0 ||
         SendMessageA(button, BM_GETIMAGE, IMAGE_ICON, 0) != 0;
}

// True while the button is one we draw: still a plain push button (its style
// may change after creation) and push buttons are part of the skin.
bool DrawnByUs(HWND button, ActiveSkin* skin) {
  if (!Snapshot(skin, nullptr) || !(skin->parts & kSkinPartPushButtons)) return false;
  LONG style = GetWindowLongA(button, GWL_STYLE);
  if (paint::ButtonTypeOf(style) != paint::ButtonType::Push || (style & (BS_BITMAP | BS_ICON)))
    return false;
  return !HasImage(button);
}

void RepaintNow(HWND hwnd) {
  if (IsWindow(hwnd) && IsWindowVisible(hwnd))
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOERASE);
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref) {
  auto* state = reinterpret_cast<ButtonState*>(ref);
  bool hot = state && state->hot;
  ActiveSkin skin;
  switch (msg) {
    case WM_PAINT:
      if (!DrawnByUs(hwnd, &skin)) break;
      return paint::PaintOnWmPaint(hwnd, wp, [&](HDC dc) { PaintPushButton(hwnd, dc, skin, hot); });
    case WM_PRINTCLIENT:
      if (!DrawnByUs(hwnd, &skin) || !wp) break;
      PaintPushButton(hwnd, reinterpret_cast<HDC>(wp), skin, hot);
      return 0;
    case WM_ERASEBKGND:
      if (DrawnByUs(hwnd, &skin)) return 1;  // the face covers the whole client area
      break;
    case WM_MOUSEMOVE:
      if (state && !state->hot) {
        state->hot = true;
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&track);
        LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
        if (DrawnByUs(hwnd, &skin)) RepaintNow(hwnd);
        return r;
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, ButtonProc, id);
      RemovePropA(hwnd, kButtonMark);
      if (state) HeapFree(GetProcessHeap(), 0, state);
      return DefSubclassProc(hwnd, msg, wp, lp);
    default:
      if (msg == WM_MOUSELEAVE || paint::ButtonLookMayChange(msg)) {
        // The control updates itself (and may paint its classic look
        // straight away); the skinned face is drawn over it right after.
        // A disabled button gets no mouse messages: it starts cold again.
        if ((msg == WM_MOUSELEAVE || msg == WM_ENABLE) && state) state->hot = false;
        LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
        if (DrawnByUs(hwnd, &skin)) RepaintNow(hwnd);
        return r;
      }
      break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

// ---- attaching ---------------------------------------------------------------

void AttachPushButton(HWND button) {
  // A second SetWindowSubclass with the same procedure and id would only
  // replace the reference data (and leak the first); the window property
  // marks buttons that are done.
  if (GetPropA(button, kButtonMark)) return;
  auto* state = static_cast<ButtonState*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(ButtonState)));
  if (!state) return;
  if (!SetWindowSubclass(button, ButtonProc, kButtonSubclass, reinterpret_cast<DWORD_PTR>(state))) {
    HeapFree(GetProcessHeap(), 0, state);
    return;
  }
  SetPropA(button, kButtonMark, reinterpret_cast<HANDLE>(1));
}

void AttachHost(HWND host) {
  if (host) SetWindowSubclass(host, HostProc, kHostSubclass, 0);
}

void AttachTopLevel(HWND top) {
  if (!IsSkinnableTopLevel(top)) return;
  SetWindowSubclass(top, BackgroundProc, kBackgroundSubclass, 0);
  AttachHost(top);
}

void AttachControl(HWND child, LONG style, HWND parent) {
  Role role = Classify(child, style, parent);
  if (role == Role::kNone) return;
  if (role == Role::kPushButton) AttachPushButton(child);
  AttachHost(parent);
}

LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND && lp) {
    HWND hwnd = reinterpret_cast<HWND>(wp);
    const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lp)->lpcs;
    if (cs && Snapshot(nullptr, nullptr)) {
      if (cs->style & WS_CHILD) AttachControl(hwnd, LONG(cs->style), cs->hwndParent);
      else AttachTopLevel(hwnd);
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

void AttachExisting(HWND window, bool top_level) {
  if (top_level) AttachTopLevel(window);
  else AttachControl(window, GetWindowLongA(window, GWL_STYLE), GetParent(window));
}

void RedrawTree(HWND top) {
  RedrawWindow(top, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool HookThisThread() {
  DWORD thread = GetCurrentThreadId();
  EnterCriticalSection(&g_lock);
  bool ok = false;
  for (int i = 0; i < g_hook_count; ++i)
    if (g_hooks[i].thread == thread) ok = true;
  if (!ok && g_hook_count < kMaxThreads) {
    HHOOK hook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, thread);
    if (hook) {
      g_hooks[g_hook_count++] = {thread, hook};
      ok = true;
    }
  }
  LeaveCriticalSection(&g_lock);
  return ok;
}

void DeleteBrushes(const Brushes& b) {
  for (HBRUSH brush : {b.window, b.control, b.edit})
    if (brush) DeleteObject(brush);
}

}  // namespace

void InitSkinState(HINSTANCE) { InitializeCriticalSection(&g_lock); }

bool CurrentSkin(ActiveSkin* out) { return Snapshot(out, nullptr); }

SkinError ApplySkin(const ActiveSkin& skin) {
  Brushes fresh = {CreateSolidBrush(skin.scheme.colours[kWindowBackground]),
                   CreateSolidBrush(skin.scheme.colours[kControlBackground]),
                   CreateSolidBrush(skin.scheme.colours[kEditBackground])};
  if (!fresh.window || !fresh.control || !fresh.edit || !HookThisThread()) {
    DeleteBrushes(fresh);
    return SkinError::kSystemFailure;
  }
  EnterCriticalSection(&g_lock);
  Brushes old = g_brushes;
  bool had = g_active;
  g_skin = skin;
  g_brushes = fresh;
  g_active = true;
  LeaveCriticalSection(&g_lock);
  if (had) DeleteBrushes(old);
  paint::VisitThreadWindows(AttachExisting, RedrawTree);
  return SkinError::kOk;
}

}  // namespace talv::skin
