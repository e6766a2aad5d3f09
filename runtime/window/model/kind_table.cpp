#include "runtime/window/model/kind_table.h"

#include <cstddef>

namespace talv::kinds {
namespace {

using namespace PropertyType;
using definition::KindSchema;

template <class K>
constexpr int32_t kCount = int32_t(definition::kPropertyTypes<K>.size());

constexpr int32_t kCoreKindCount = 45;

struct CoreKinds {
  KindDescriptor kinds[kCoreKindCount] = {};
  CoreKinds() {
    put<definition::WindowKind>();
    put<definition::EditBoxKind>();
    put<definition::GroupBoxKind>();
    put<definition::LabelKind>();
    put<definition::ButtonKind>();
    put<definition::DatePickerKind>();
    put<definition::HyperLinkerKind>();
    put<definition::PicBtnKind>();
  }
  // The entry of kind K: its table's names and state word and its property
  // types; its interface comes when the kinds register it.
  template <class K>
  void put() {
    const definition::KindInfo& k = KindSchema<K>::kKind;
    kinds[(k.kind_word & 0xFFFF) - 1] =
        KindDescriptor{k.chinese_name, k.english_name, k.state,
                       definition::kPropertyTypes<K>.data(), kCount<K>, nullptr};
  }
};

CoreKinds& Core() {
  static CoreKinds core;
  return core;
}

const SupportLibrary& CoreLibrary() {
  static const SupportLibrary library{"talv_core", Core().kinds, kCoreKindCount, nullptr};
  return library;
}

}  // namespace

bool IsTextType(uint16_t type) {
  return type == Text || type == FileName || type == DataSource || type == DataColumn;
}
bool IsByteArrayType(uint16_t type) {
  return type == Picture || type == Icon || type == Cursor || type == Sound || type == Font;
}

int32_t LibraryCount() { return 1; }

const SupportLibrary* LibraryAt(int32_t number) {
  return number == 1 ? &CoreLibrary() : nullptr;
}

const KindDescriptor* FindKind(uint32_t kind_word) {
  const int32_t library = int32_t(kind_word >> 16), number = int32_t(kind_word & 0xFFFF);
  if (library < 1 || library > LibraryCount()) return nullptr;
  const SupportLibrary* lib = LibraryAt(library);
  if (!lib || number < 1 || number > lib->kind_count) return nullptr;
  const KindDescriptor& kind = lib->kinds[number - 1];
  return kind.chinese_name ? &kind : nullptr;
}

void RegisterKindInterface(uint32_t kind_word, KindInterface operations) {
  const int32_t number = int32_t(kind_word & 0xFFFF);
  if ((kind_word >> 16) != 1 || number < 1 || number > kCoreKindCount) return;
  KindDescriptor& kind = Core().kinds[number - 1];
  if (kind.chinese_name) kind.operations = operations;
}

uint16_t PropertyTypeOf(const KindDescriptor& kind, int32_t index) {
  return index >= 0 && index < kind.property_count ? kind.property_types[index] : 0;
}

}  // namespace talv::kinds
