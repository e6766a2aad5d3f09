// The GroupBox kind: a standard "BUTTON" with the group-box style, its
// caption aligned, in its text colour and font.
#include "runtime/window/kinds/font_block_win32.h"
#include "runtime/window/kinds/kind_interfaces.h"
#include "runtime/window/kinds/kind_object_win32.h"

namespace talv {
namespace {

using definition::GroupBoxApply;
using definition::GroupBoxKind;

DWORD AlignmentStyle(const GroupBoxKind& k) {
  return k.caption_alignment == 1 ? BS_CENTER : k.caption_alignment == 2 ? BS_RIGHT : BS_LEFT;
}

class GroupBoxUnit : public KindObject {
 public:
  GroupBoxUnit() : KindObject(GroupBoxKind{}) {}
  ~GroupBoxUnit() override {
    if (brush_) DeleteObject(brush_);
  }

  bool Create(const KindCreateArgs& args) override {
    Begin(args);
    const GroupBoxKind& k = kind<GroupBoxKind>();
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | BS_GROUPBOX | args.style | AlignmentStyle(k);
    HWND window = CreateWindowExA(0, "BUTTON", k.caption.c_str(), style, args.x, args.y,
                                  args.width, args.height, args.parent,
                                  reinterpret_cast<HMENU>(INT_PTR(args.child_id)),
                                  GetModuleHandleA(nullptr), nullptr);
    if (!Adopt(window)) return false;
    font_.Assign(k.font.data(), k.font.size());
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), FALSE);
    return true;
  }

  HBRUSH OnControlColour(HDC dc) override {
    const GroupBoxKind& k = kind<GroupBoxKind>();
    SetTextColor(dc, ColourOf(k.text_colour));
    SetBkColor(dc, ColourOf(k.background_colour));
    if (!brush_) brush_ = CreateSolidBrush(ColourOf(k.background_colour));
    return brush_;
  }

 protected:
  void Apply(int32_t index) override {
    const GroupBoxKind& k = kind<GroupBoxKind>();
    switch (definition::ApplyOf<GroupBoxKind>(index)) {
      case GroupBoxApply::Caption: SetWindowTextA(hwnd_, k.caption.c_str()); break;
      case GroupBoxApply::Alignment: {
        DWORD style = DWORD(GetWindowLongA(hwnd_, GWL_STYLE)) & ~DWORD(BS_CENTER);
        SetWindowLongA(hwnd_, GWL_STYLE, LONG(style | AlignmentStyle(k)));
        break;
      }
      case GroupBoxApply::Colours:
        if (brush_) DeleteObject(brush_);
        brush_ = nullptr;
        break;
      case GroupBoxApply::Font:
        font_.Assign(k.font.data(), k.font.size());
        SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), TRUE);
        break;
      case GroupBoxApply::Stored: break;
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
  }

 private:
  ControlFont font_;
  HBRUSH brush_ = nullptr;
};

}  // namespace

namespace kinds {
void* GroupBoxKindInterface(int operation) { return KindInterfaceOf<GroupBoxUnit>(operation); }
}  // namespace kinds

}  // namespace talv
