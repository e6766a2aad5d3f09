// The HyperLinker kind: the runtime's own link window (hyperlink_window_win32.h)
// made from the kind data. A press that had a target raises Activated with
// one argument: 1 when the target was opened, else 0.
#include "runtime/window/kinds/hyperlink_window_win32.h"
#include "runtime/window/kinds/kind_interfaces.h"
#include "runtime/window/kinds/kind_object_win32.h"

namespace talv {


namespace {

using definition::HyperLinkerKind;

HyperlinkProps PropsOf(const HyperLinkerKind& k) {
  HyperlinkProps p;
  p.caption = k.caption;
  p.link_type = int(k.link_type);
  p.email = k.email_address;
  p.web_address = k.web_address;
  p.normal_colour = k.normal_colour;
  p.visited_colour = k.visited_colour;
  p.hover_colour = k.hover_colour;
  p.background = k.background_colour;
  p.border = int(k.border);
  p.font = k.font;
  return p;
}

class HyperLinkerUnit : public KindObject {
 public:
  HyperLinkerUnit() : KindObject(HyperLinkerKind{}) {}

  bool Create(const KindCreateArgs& args) override {
    Begin(args);
    return Adopt(CreateHyperlinkWindow(PlacementForKind(args), PropsOf(kind<HyperLinkerKind>()),
                                       ControlEventTarget{&Activated, this}));
  }

 protected:
  void Apply(int32_t index) override {
    if (definition::ApplyOf<HyperLinkerKind>(index) == definition::HyperLinkerApply::Repaint)
      UpdateHyperlinkWindow(hwnd_, PropsOf(kind<HyperLinkerKind>()));
  }

 private:
  static void Activated(void* context, HWND, int notification, int argument) {
    if (notification == kHyperlinkActivated)
      static_cast<HyperLinkerUnit*>(context)->Raise(definition::HyperLinkerEvent::Activated, 1,
                                                      argument);
  }
};

}  // namespace

namespace kinds {
void* HyperLinkerKindInterface(int operation) { return KindInterfaceOf<HyperLinkerUnit>(operation); }
}  // namespace kinds

}  // namespace talv
