// The Label kind: the runtime's own label window (label_window_win32.h) made from
// the kind data.
#include "runtime/window/kinds/kind_interfaces.h"
#include "runtime/window/kinds/kind_object_win32.h"
#include "runtime/window/kinds/label_window_win32.h"

namespace talv {
namespace {

using definition::LabelKind;

LabelProps PropsOf(const LabelKind& k) {
  LabelProps p;
  p.caption = k.caption;
  p.text_effect = int(k.effect);
  p.border = int(k.border);
  p.gradient_border_width = k.gradient_border_width;
  for (int i = 0; i < 3; ++i) {
    p.gradient_border_colours[i] = k.gradient_border_colours[i];
    p.gradient_background_colours[i] = k.gradient_background_colours[i];
  }
  p.font = k.font;
  p.text_colour = k.text_colour;
  p.background = k.background_colour;
  p.background_picture = k.picture;
  p.background_picture_mode = int(k.picture_mode);
  p.gradient_background_mode = int(k.gradient_background_mode);
  p.horizontal_alignment = int(k.horizontal_alignment);
  p.word_wrap = k.word_wrap;
  p.vertical_alignment = int(k.vertical_alignment);
  return p;
}

class LabelUnit : public KindObject {
 public:
  LabelUnit() : KindObject(LabelKind{}) {}

  bool Create(const KindCreateArgs& args) override {
    Begin(args);
    return Adopt(CreateLabelWindow(PlacementForKind(args), PropsOf(kind<LabelKind>())));
  }

 protected:
  void Apply(int32_t index) override {
    if (definition::ApplyOf<LabelKind>(index) == definition::LabelApply::Repaint)
      UpdateLabelWindow(hwnd_, PropsOf(kind<LabelKind>()));
  }
};

}  // namespace

namespace kinds {
void* LabelKindInterface(int operation) { return KindInterfaceOf<LabelUnit>(operation); }
}  // namespace kinds

}  // namespace talv
