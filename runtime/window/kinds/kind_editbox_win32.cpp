// The EditBox kind: a standard "EDIT" control (single or multi-line), with
// its border, colours, font, typing limit, password character, optional
// spin control and initial selection. The content-changed event is raised
// for changes the runtime did not make itself.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "runtime/window/kinds/control_window_win32.h"
#include "runtime/window/kinds/font_block_win32.h"
#include "runtime/window/kinds/kind_interfaces.h"
#include "runtime/window/kinds/kind_object_win32.h"
#include "runtime/window/model/event_dispatch.h"

namespace talv {
namespace {

using definition::EditBoxApply;
using definition::EditBoxEvent;
using definition::EditBoxKind;
using definition::EditBoxProperty;

// Events are suspended while a box is rebuilt.
struct SuspendGuard {
  SuspendGuard() { SuspendEvents(); }
  ~SuspendGuard() { ResumeEvents(); }
};

std::string WindowText(HWND window) {
  int n = GetWindowTextLengthA(window);
  if (n <= 0) return std::string();
  std::string text(size_t(n) + 1, '\0');
  int got = GetWindowTextA(window, &text[0], n + 1);
  text.resize(size_t(got > 0 ? got : 0));
  return text;
}

class EditBoxUnit : public KindObject {
 public:
  EditBoxUnit() : KindObject(EditBoxKind{}) {}
  ~EditBoxUnit() override {
    if (spin_ && IsWindow(spin_)) DestroyWindow(spin_);
    if (brush_) DeleteObject(brush_);
  }

  bool Create(const KindCreateArgs& args) override {
    Begin(args);
    args_ = args;
    return Build(args.x, args.y, args.width, args.height, false);
  }

  bool ClaimsKey(UINT vk) override {
    const EditBoxKind& k = kind<EditBoxKind>();
    return vk == VK_RETURN && k.multi_line && k.input_mode != 1;
  }

  bool TakesTyping() const override { return kind<EditBoxKind>().input_mode != 1; }

  void OnCommand(WORD code) override {
    if (code == EN_CHANGE && !setting_) Raise(EditBoxEvent::ContentChanged);
  }

  HBRUSH OnControlColour(HDC dc) override {
    const EditBoxKind& k = kind<EditBoxKind>();
    SetTextColor(dc, ColourOf(k.text_colour));
    SetBkColor(dc, ColourOf(k.background_colour));
    if (!brush_) brush_ = CreateSolidBrush(ColourOf(k.background_colour));
    return brush_;
  }

  bool ReadKindProperty(int32_t index, kinds::PropertyValue* out) override {
    if (index == EditBoxProperty::SelectedText) {  // of the live box
      RefreshFromWindow();
      const EditBoxKind& k = kind<EditBoxKind>();
      size_t start = size_t(std::max(0, k.selection_start));
      size_t length = size_t(std::max(0, k.selection_length));
      std::string text = WindowText(hwnd_);
      out->text = start < text.size() ? text.substr(start, length) : std::string();
      return true;
    }
    return KindObject::ReadKindProperty(index, out);
  }

  bool WriteKindProperty(int32_t index, const kinds::PropertyValue& value) override {
    if (index == EditBoxProperty::SelectedText) {  // replaces the selection; nothing is stored
      Setting guard(this);
      SendMessageA(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(value.text.c_str()));
      return false;
    }
    return KindObject::WriteKindProperty(index, value);
  }

 protected:
  bool RaisesFocusEvents() const override { return true; }

  bool OnOwnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) override {
    if (!spin_) return false;
    if (message == WM_SHOWWINDOW) ShowWindow(spin_, wparam ? SW_SHOWNA : SW_HIDE);
    if (message == WM_WINDOWPOSCHANGED) {
      *result = CallOriginal(message, wparam, lparam);
      SendMessageA(spin_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd_), 0);
      return true;
    }
    return false;
  }

  void RefreshFromWindow() override {
    if (!hwnd_) return;
    EditBoxKind& k = kind<EditBoxKind>();
    k.content = WindowText(hwnd_);
    DWORD start = 0, end = 0;
    SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    k.selection_start = int32_t(start);
    k.selection_length = int32_t(end >= start ? end - start : 0);
  }

  void Apply(int32_t index) override {
    const EditBoxKind& k = kind<EditBoxKind>();
    switch (definition::ApplyOf<EditBoxKind>(index)) {
      case EditBoxApply::Content: SetContent(k.content); break;
      case EditBoxApply::Border: ApplyBorder(hwnd_, int(k.border)); break;
      case EditBoxApply::Colours:
        if (brush_) DeleteObject(brush_);
        brush_ = nullptr;
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
      case EditBoxApply::Font:
        font_.Assign(k.font.data(), k.font.size());
        SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), TRUE);
        break;
      case EditBoxApply::TypingLimit:
        SendMessageA(hwnd_, EM_LIMITTEXT, WPARAM(std::max(0, k.typing_limit)), 0);
        break;
      case EditBoxApply::PasswordCharacter:
        if (k.input_mode == 2) {
          SendMessageA(hwnd_, EM_SETPASSWORDCHAR, WPARAM(k.password_character & 0xFF), 0);
          InvalidateRect(hwnd_, nullptr, TRUE);
        }
        break;
      case EditBoxApply::SpinRange:
        if (spin_) SetSpinRange();
        break;
      case EditBoxApply::Selection: Select(); break;
      case EditBoxApply::Rebuild: Rebuild(); break;
      case EditBoxApply::Stored: break;
    }
  }

 private:
  struct Setting {
    explicit Setting(EditBoxUnit* o) : o(o) { o->setting_ = true; }
    ~Setting() { o->setting_ = false; }
    EditBoxUnit* o;
  };

  bool Build(int x, int y, int width, int height, bool visible) {
    const EditBoxKind& k = kind<EditBoxKind>();
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | args_.style | (visible ? WS_VISIBLE : 0);
    DWORD ex_style = 0;
    if (k.multi_line) {
      style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
      if (k.scroll_bars == 1 || k.scroll_bars == 3) style |= ES_AUTOHSCROLL | WS_HSCROLL;
      if (k.scroll_bars == 2 || k.scroll_bars == 3) style |= WS_VSCROLL;
    } else {
      style |= ES_AUTOHSCROLL;
    }
    if (!k.hide_selection) style |= ES_NOHIDESEL;
    if (k.alignment == 1) style |= ES_CENTER;
    if (k.alignment == 2) style |= ES_RIGHT;
    if (k.input_mode == 1) style |= ES_READONLY;
    if (k.input_mode == 2) style |= ES_PASSWORD;
    if (k.case_conversion == 1) style |= ES_LOWERCASE;
    if (k.case_conversion == 2) style |= ES_UPPERCASE;
    StyleForBorder(int(k.border), &style, &ex_style);
    HWND window = CreateWindowExA(ex_style, "EDIT", "", style, x, y, width, height, args_.parent,
                                  reinterpret_cast<HMENU>(INT_PTR(args_.child_id)),
                                  GetModuleHandleA(nullptr), nullptr);
    if (!Adopt(window)) return false;
    font_.Assign(k.font.data(), k.font.size());
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), FALSE);
    SetContent(k.content);
    SendMessageA(window, EM_LIMITTEXT, WPARAM(std::max(0, k.typing_limit)), 0);
    if (k.input_mode == 2)
      SendMessageA(window, EM_SETPASSWORDCHAR, WPARAM(k.password_character & 0xFF), 0);
    if (!k.multi_line && k.spin_control != 0) MakeSpin(visible);
    Select();
    return true;
  }

  // Style properties need a new window: the old one's place, order and
  // content go to the new one.
  void Rebuild() {
    if (!hwnd_) return;
    HWND old = hwnd_;
    RECT r;
    GetWindowRect(old, &r);
    MapWindowPoints(nullptr, GetParent(old), reinterpret_cast<POINT*>(&r), 2);
    bool visible = (GetWindowLongA(old, GWL_STYLE) & WS_VISIBLE) != 0;
    bool enabled = IsWindowEnabled(old) != FALSE;
    HWND above = GetWindow(old, GW_HWNDPREV);
    bool focused = GetFocus() == old;
    args_.style = (args_.style & ~WS_DISABLED) | (enabled ? 0 : WS_DISABLED);
    if (spin_) DestroyWindow(spin_);
    spin_ = nullptr;
    SuspendGuard quiet;
    DestroyWindow(old);  // its final messages clear hwnd_
    hwnd_ = nullptr;
    if (!Build(r.left, r.top, r.right - r.left, r.bottom - r.top, visible)) return;
    SetWindowPos(hwnd_, above ? above : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (focused) SetFocus(hwnd_);
  }

  void SetContent(const std::string& text) {
    Setting guard(this);
    SetWindowTextA(hwnd_, text.c_str());
  }

  void Select() {
    const EditBoxKind& k = kind<EditBoxKind>();
    int start = std::max(0, k.selection_start);
    int end = start + std::max(0, k.selection_length);
    SendMessageA(hwnd_, EM_SETSEL, WPARAM(start), LPARAM(end));
    SendMessageA(hwnd_, EM_SCROLLCARET, 0, 0);
  }

  void MakeSpin(bool visible) {
    static bool registered = [] {
      INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
      return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)registered;
    spin_ = CreateWindowExA(0, UPDOWN_CLASSA, "",
                            WS_CHILD | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS |
                                UDS_NOTHOUSANDS | (visible ? WS_VISIBLE : 0),
                            0, 0, 0, 0, args_.parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!spin_) return;
    SendMessageA(spin_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hwnd_), 0);
    SetSpinRange();
  }

  void SetSpinRange() {
    const EditBoxKind& k = kind<EditBoxKind>();
    int low = std::min(k.spin_minimum, k.spin_maximum);
    int high = std::max(k.spin_minimum, k.spin_maximum);
    SendMessageA(spin_, UDM_SETRANGE32, WPARAM(low), LPARAM(high));
  }

  KindCreateArgs args_;
  ControlFont font_;
  HBRUSH brush_ = nullptr;
  HWND spin_ = nullptr;
  bool setting_ = false;
};

}  // namespace

namespace kinds {
void* EditBoxKindInterface(int operation) { return KindInterfaceOf<EditBoxUnit>(operation); }
}  // namespace kinds

}  // namespace talv
