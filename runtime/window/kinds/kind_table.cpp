#include "runtime/window/kinds/kind_table.h"

#include <cstddef>

namespace talv::kinds {
namespace {

using namespace PropertyType;

#define TALV_COMMON Integer, Integer, Integer, Integer, Text, Logical, Logical, Cursor

constexpr uint16_t kWindowTypes[] = {
    TALV_COMMON, Text,    Choice,  BackgroundColour, Picture, Choice,  Sound,   Choice,
    Logical,     Logical, Logical, Choice,           Logical, Icon,    Logical, Logical,
    Logical,     FileName, Integer, Logical,         Logical, Choice,  Logical, Logical, Text};
constexpr uint16_t kEditBoxTypes[] = {
    TALV_COMMON, Text,    Choice,  Colour,  BackgroundColour, Font,    Logical, Integer, Logical,
    Choice,      Choice,  Choice,  Text,    Choice,           Choice,  Integer, Integer, Integer,
    Integer,     Text,    DataSource, DataColumn};
constexpr uint16_t kGroupBoxTypes[] = {TALV_COMMON, Text, Choice, Colour, BackgroundColour, Font};
constexpr uint16_t kLabelTypes[] = {
    TALV_COMMON, Text,   Choice, Choice,  Integer, Colour, Colour,     Colour,    Font,
    Colour,      BackgroundColour, Picture, Choice, Choice, Colour,    Colour,    Colour,
    Choice,      Logical, Choice, DataSource, DataColumn};
constexpr uint16_t kButtonTypes[] = {TALV_COMMON, Picture, Choice, Text, Choice, Choice, Font};
constexpr uint16_t kDatePickerTypes[] = {TALV_COMMON, Logical,  Choice, DateTime,  DateTime,
                                         DateTime,    Font,     Choice, DataSource, DataColumn};
constexpr uint16_t kHyperLinkerTypes[] = {TALV_COMMON, Text,   Choice, Text,
                                          Text,        Colour, Colour, Colour,
                                          BackgroundColour, Choice, Font};
constexpr uint16_t kPicBtnTypes[] = {TALV_COMMON, Choice,  Logical, Picture,
                                     Picture,     Picture, Picture, BackgroundColour};
#undef TALV_COMMON

template <size_t N>
constexpr int32_t Count(const uint16_t (&)[N]) {
  return int32_t(N);
}
static_assert(Count(kWindowTypes) == 32 && Count(kEditBoxTypes) == 29 &&
                  Count(kGroupBoxTypes) == 13 && Count(kLabelTypes) == 29 &&
                  Count(kButtonTypes) == 14 && Count(kDatePickerTypes) == 17 &&
                  Count(kHyperLinkerTypes) == 18 && Count(kPicBtnTypes) == 15,
              "property counts of the eight kinds");

constexpr int32_t kCoreKindCount = 45;

struct CoreKinds {
  KindDescriptor kinds[kCoreKindCount] = {};
  CoreKinds() {
    auto put = [this](uint16_t number, const char* cn, const char* en, uint32_t state,
                      const uint16_t* types, int32_t count, KindInterface f) {
      kinds[number - 1] = KindDescriptor{cn, en, state, types, count, f};
    };
    put(KindNumber::Window, "窗口", "window", 0x800000D0, kWindowTypes, Count(kWindowTypes),
        WindowKindInterface);
    put(KindNumber::EditBox, "编辑框", "EditBox", 0x80000040, kEditBoxTypes,
        Count(kEditBoxTypes), EditBoxKindInterface);
    put(KindNumber::GroupBox, "分组框", "GroupBox", 0x840140C0, kGroupBoxTypes,
        Count(kGroupBoxTypes), GroupBoxKindInterface);
    put(KindNumber::Label, "标签", "Label", 0x84012040, kLabelTypes, Count(kLabelTypes),
        LabelKindInterface);
    put(KindNumber::Button, "按钮", "Button", 0x80000840, kButtonTypes, Count(kButtonTypes),
        ButtonKindInterface);
    put(KindNumber::DatePicker, "日期框", "DatePicker", 0x80000040, kDatePickerTypes,
        Count(kDatePickerTypes), DatePickerKindInterface);
    put(KindNumber::HyperLinker, "超级链接框", "HyperLinker", 0x80010040, kHyperLinkerTypes,
        Count(kHyperLinkerTypes), HyperLinkerKindInterface);
    put(KindNumber::PicBtn, "图形按钮", "PicBtn", 0x80010040, kPicBtnTypes,
        Count(kPicBtnTypes), PicBtnKindInterface);
  }
};

const CoreKinds& Core() {
  static const CoreKinds core;
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

uint16_t PropertyTypeOf(const KindDescriptor& kind, int32_t index) {
  return index >= 0 && index < kind.property_count ? kind.property_types[index] : 0;
}

}  // namespace talv::kinds
