// The Button kind: a standard "BUTTON" push button (BS_MULTILINE, the
// alignment styles, optionally the default button) with its caption, font
// and picture. A click, of the mouse or by a shortcut key, raises Click.
#include "runtime/window/kinds/font_block_win32.h"
#include "runtime/window/kinds/kind_interfaces.h"
#include "runtime/window/kinds/kind_object_win32.h"
#include "runtime/window/kinds/picture_decoder_win32.h"

namespace talv {
namespace {

using definition::ButtonApply;
using definition::ButtonKind;

DWORD AlignmentStyles(const ButtonKind& k) {
  DWORD style = k.type == 1 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  style |= k.horizontal_alignment == 0 ? BS_LEFT : k.horizontal_alignment == 2 ? BS_RIGHT : BS_CENTER;
  style |= k.vertical_alignment == 0 ? BS_TOP : k.vertical_alignment == 2 ? BS_BOTTOM : BS_VCENTER;
  return style;
}

constexpr DWORD kButtonStyleBits = 0x0F | BS_LEFT | BS_RIGHT | BS_CENTER | BS_TOP | BS_BOTTOM |
                                   BS_VCENTER | BS_BITMAP;

class ButtonUnit : public KindObject {
 public:
  ButtonUnit() : KindObject(ButtonKind{}) {}

  bool Create(const KindCreateArgs& args) override {
    Begin(args);
    const ButtonKind& k = kind<ButtonKind>();
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | BS_MULTILINE | args.style | AlignmentStyles(k);
    HWND window = CreateWindowExA(0, "BUTTON", k.caption.c_str(), style, args.x, args.y,
                                  args.width, args.height, args.parent,
                                  reinterpret_cast<HMENU>(INT_PTR(args.child_id)),
                                  GetModuleHandleA(nullptr), nullptr);
    if (!Adopt(window)) return false;
    font_.Assign(k.font.data(), k.font.size());
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), FALSE);
    ShowPicture();
    return true;
  }

  void OnCommand(WORD code) override {
    if (code == BN_CLICKED) Click();
  }

  // A click of the mouse and a shortcut key both come here.
  bool Click() override {
    Raise(definition::ButtonEvent::Click);
    return true;
  }

 protected:
  bool RaisesFocusEvents() const override { return true; }

  void Apply(int32_t index) override {
    const ButtonKind& k = kind<ButtonKind>();
    switch (definition::ApplyOf<ButtonKind>(index)) {
      case ButtonApply::Picture: ShowPicture(); break;
      case ButtonApply::Restyle: Restyle(); break;
      case ButtonApply::Caption: SetWindowTextA(hwnd_, k.caption.c_str()); break;
      case ButtonApply::Font:
        font_.Assign(k.font.data(), k.font.size());
        SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), TRUE);
        break;
      case ButtonApply::Stored: break;
    }
  }

 private:
  void Restyle() {
    DWORD style = DWORD(GetWindowLongA(hwnd_, GWL_STYLE));
    DWORD mine = AlignmentStyles(kind<ButtonKind>()) | (picture_.empty() ? 0 : BS_BITMAP);
    SetWindowLongA(hwnd_, GWL_STYLE, LONG((style & ~kButtonStyleBits) | mine));
    InvalidateRect(hwnd_, nullptr, TRUE);
  }

  // The picture, decoded over the button face, is the button's image; one
  // that cannot be decoded shows nothing.
  void ShowPicture() {
    const definition::Bytes& bytes = kind<ButtonKind>().picture;
    picture_ = DecodePicture(bytes.data(), bytes.size(), GetSysColor(COLOR_BTNFACE));
    Restyle();
    SendMessageA(hwnd_, BM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(picture_.empty() ? nullptr : picture_.bitmap()));
  }

  ControlFont font_;
  DecodedPicture picture_;
};

}  // namespace

namespace kinds {
void* ButtonKindInterface(int operation) { return KindInterfaceOf<ButtonUnit>(operation); }
}  // namespace kinds

}  // namespace talv
