// The PicBtn kind: the runtime's own picture button (picture_button_window_win32.h)
// made from the kind data, its pictures composed over the holding window's
// background colour. A completed click raises Click with one argument, the
// checked state after the click.
#include "runtime/window/kinds/kind_interfaces.h"
#include "runtime/window/kinds/kind_object_win32.h"
#include "runtime/window/kinds/picture_button_window_win32.h"

namespace talv {


namespace {

using definition::PicBtnKind;

class PicBtnUnit : public KindObject {
 public:
  PicBtnUnit() : KindObject(PicBtnKind{}) {}

  bool Create(const KindCreateArgs& args) override {
    Begin(args);
    return Adopt(CreatePictureButtonWindow(PlacementForKind(args), Props(),
                                           ControlEventTarget{&Clicked, this}));
  }

 protected:
  void RefreshFromWindow() override {
    if (const PictureButtonProps* p = PictureButtonWindowProps(hwnd_))
      kind<PicBtnKind>().checked = p->checked;
  }
  void Apply(int32_t index) override {
    if (definition::ApplyOf<PicBtnKind>(index) == definition::PicBtnApply::Repaint)
      UpdatePictureButtonWindow(hwnd_, Props());
  }

 private:
  PictureButtonProps Props() const {
    const PicBtnKind& k = kind<PicBtnKind>();
    PictureButtonProps p;
    p.mode = int(k.mode);
    p.checked = k.checked;
    p.normal_picture = k.picture_normal;
    p.hover_picture = k.picture_mouse_over;
    p.pressed_picture = k.picture_pressed;
    p.disabled_picture = k.picture_disabled;
    p.background = k.background_colour;
    p.picture_backdrop = BackdropColour();
    return p;
  }

  static void Clicked(void* context, HWND, int notification, int argument) {
    if (notification == kPictureButtonClicked)
      static_cast<PicBtnUnit*>(context)->Raise(definition::PicBtnEvent::Click, 1, argument);
  }
};

}  // namespace

namespace kinds {
void* PicBtnKindInterface(int operation) { return KindInterfaceOf<PicBtnUnit>(operation); }
}  // namespace kinds

}  // namespace talv
