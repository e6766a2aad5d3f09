#include "runtime/window/kinds/kind_interfaces.h"

#include "runtime/window/definition/definition_kinds.h"
#include "runtime/window/model/kind_table.h"

namespace talv::kinds {
namespace {

template <class K>
void Register(KindInterface operations) {
  RegisterKindInterface(definition::KindSchema<K>::kKind.kind_word, operations);
}

}  // namespace

void InstallKindInterfaces() {
  Register<definition::WindowKind>(WindowKindInterface);
  Register<definition::EditBoxKind>(EditBoxKindInterface);
  Register<definition::GroupBoxKind>(GroupBoxKindInterface);
  Register<definition::LabelKind>(LabelKindInterface);
  Register<definition::ButtonKind>(ButtonKindInterface);
  Register<definition::DatePickerKind>(DatePickerKindInterface);
  Register<definition::HyperLinkerKind>(HyperLinkerKindInterface);
  Register<definition::PicBtnKind>(PicBtnKindInterface);
}

}  // namespace talv::kinds
