// What every kind's live object shares: the unit mark on its windows, the
// runtime's window procedure in front of standard controls, the got/lost
// focus events, and routing of notifications and colours to the control
// that they concern.
#include "runtime/window/kinds/kind_object_win32.h"

#include "runtime/window/kinds/double_buffer_win32.h"
#include "runtime/window/kinds/kind_host_win32.h"
#include "runtime/window/model/event_dispatch.h"

namespace talv {
namespace {
// The window property that marks a unit's window with its live object.
constexpr char kUnitProperty[] = "TalviqueUnit";
}  // namespace

KindObject::~KindObject() {
  if (HWND window = hwnd_) {
    Forget();
    if (IsWindow(window)) DestroyWindow(window);
  }
}

void KindObject::Begin(const KindCreateArgs& args) {
  window_ = args.window;
  unit_ = args.unit;
  control_id_ = args.control_id;
  definition::KindData read = data_;
  if (definition::ReadKindData(definition::KindWordOf(data_), args.kind_data,
                               args.kind_data_size, &read) == definition::KindStatus::kOk)
    data_ = std::move(read);
}

bool KindObject::Adopt(HWND window, bool subclass) {
  if (!window) return false;
  hwnd_ = window;
  SetPropA(window, kUnitProperty, this);
  if (subclass) {
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
  }
  return true;
}

void KindObject::Forget() {
  if (!hwnd_) return;
  RemovePropA(hwnd_, kUnitProperty);
  if (original_) SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  hwnd_ = nullptr;
}

LRESULT KindObject::CallOriginal(UINT message, WPARAM wparam, LPARAM lparam) {
  return original_ ? CallWindowProcA(original_, hwnd_, message, wparam, lparam)
                   : DefWindowProcA(hwnd_, message, wparam, lparam);
}

KindObject* KindObject::FromWindow(HWND window) {
  return window ? static_cast<KindObject*>(GetPropA(window, kUnitProperty)) : nullptr;
}

KindObject* KindObject::FromWindowOrAncestor(HWND window) {
  for (HWND w = window; w; w = (GetWindowLongA(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr) {
    if (KindObject* o = FromWindow(w)) return o;
  }
  return nullptr;
}

bool KindObject::ReadKindProperty(int32_t index, kinds::PropertyValue* out) {
  RefreshFromWindow();
  return kinds::GetKindProperty(data_, index, out);
}

bool KindObject::WriteKindProperty(int32_t index, const kinds::PropertyValue& value) {
  RefreshFromWindow();
  if (!kinds::SetKindProperty(&data_, index, value)) return false;
  Apply(index);
  return true;
}

definition::Bytes KindObject::ProduceKindData() {
  RefreshFromWindow();
  return definition::WriteKindData(data_);
}

COLORREF KindObject::BackdropColour() const {
  const auto* top = window_ ? static_cast<const KindObject*>(window_->live) : nullptr;
  if (top && std::holds_alternative<definition::WindowKind>(top->data_))
    return ColourOf(std::get<definition::WindowKind>(top->data_).background_colour);
  return GetSysColor(COLOR_BTNFACE);
}

KindObject::Raised KindObject::Raise(int32_t index, int32_t count, int32_t a1, int32_t a2,
                                     int32_t a3) const {
  if (!window_) return {false, false};
  EventRecord r = RaiseSimpleEvent(int32_t(window_->id()), int32_t(control_id_), index, count, a1,
                                   a2, a3);
  return {r.result_flag != 0, HandlerRefused(r)};
}

LRESULT CALLBACK KindObject::SubclassProc(HWND window, UINT message, WPARAM wparam,
                                          LPARAM lparam) {
  KindObject* o = FromWindow(window);
  if (!o) return DefWindowProcA(window, message, wparam, lparam);
  if (CurrentKindHost().ShuttingDown()) return o->CallOriginal(message, wparam, lparam);
  LRESULT result = 0;
  if (o->OnOwnMessage(message, wparam, lparam, &result)) return result;
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_SETCURSOR: {
      bool handled = false;
      result = RouteToControls(window, message, wparam, lparam, &handled);
      if (handled) return result;
      break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      result = o->CallOriginal(message, wparam, lparam);
      // The handler may destroy the control: nothing of `o` is used after it.
      if (o->RaisesFocusEvents()) {
        if (message == WM_SETFOCUS) CurrentKindHost().FocusEventRaised();
        o->Raise(message == WM_SETFOCUS ? definition::CommonEvent::GotFocus
                                        : definition::CommonEvent::LostFocus);
      }
      return result;
    }
    case WM_NCDESTROY: {
      WNDPROC original = o->original_;
      o->Forget();
      return CallWindowProcA(original, window, message, wparam, lparam);
    }
    default: break;
  }
  return o->CallOriginal(message, wparam, lparam);
}

LRESULT RouteToControls(HWND window, UINT message, WPARAM wparam, LPARAM lparam, bool* handled) {
  *handled = false;
  switch (message) {
    case WM_COMMAND: {
      KindObject* child = lparam ? KindObject::FromWindow(reinterpret_cast<HWND>(lparam)) : nullptr;
      if (!child || child->hwnd() == window) return 0;
      *handled = true;
      child->OnCommand(HIWORD(wparam));
      return 0;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      KindObject* child = header ? KindObject::FromWindow(header->hwndFrom) : nullptr;
      if (!child || child->hwnd() == window) return 0;
      *handled = true;
      return child->OnNotify(header);
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      KindObject* child = KindObject::FromWindow(reinterpret_cast<HWND>(lparam));
      HBRUSH brush = child ? child->OnControlColour(reinterpret_cast<HDC>(wparam)) : nullptr;
      if (!brush) return 0;
      *handled = true;
      return reinterpret_cast<LRESULT>(brush);
    }
    case WM_SETCURSOR: {
      if (LOWORD(lparam) != HTCLIENT) return 0;
      KindObject* under = KindObject::FromWindowOrAncestor(reinterpret_cast<HWND>(wparam));
      if (!under || !under->cursor().handle()) return 0;
      SetCursor(under->cursor().handle());
      *handled = true;
      return TRUE;
    }
    default: return 0;
  }
}

COLORREF ColourOf(uint32_t colour) { return ResolveBackgroundColour(colour); }

definition::Bytes DefaultGuiFontBlock() {
  LOGFONTA font{};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  const auto* p = reinterpret_cast<const uint8_t*>(&font);
  return definition::Bytes(p, p + sizeof font);
}

int32_t ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  int ppi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return ppi > 0 ? ppi : 96;
}

ControlPlacement PlacementForKind(const KindCreateArgs& args) {
  ControlPlacement at;
  at.parent = args.parent;
  at.id = args.child_id;
  at.x = args.x;
  at.y = args.y;
  at.width = args.width;
  at.height = args.height;
  at.style = args.style;
  return at;
}

}  // namespace talv
