// Where the calculator's handlers find things on the Main window: its
// Window id, the Control ids of the controls they use, the kinds whose
// property indexes they read and write, and the positions of the outside functions in the
// program's DLL-command table. The ids follow the Main window's description
// (resources/main_window.txt).
#pragma once

#include <cstdint>

#include "runtime/core/typed_value.h"
#include "runtime/window/definition/schema/kind_schema.h"

namespace talv::app {

constexpr int32_t kMainWindow = 0x52010002;
constexpr int32_t kWindowUnit = 0x06010003;  // the window's own properties

namespace control {
constexpr int32_t kHyperlink = 0x160100CC;  // 超级链接框1
constexpr int32_t kSoundToggle = 0x1601007E;  // gfd
constexpr int32_t kBackspace = 0x16010004;  // sqc1
constexpr int32_t kDayLabel = 0x16010005;  // 标签1
constexpr int32_t kDayButton = 0x16010006;  // 按钮1
constexpr int32_t kDatePicker2 = 0x16010007;  // 日期框2
constexpr int32_t kDatePicker1 = 0x16010008;  // 日期框1
constexpr int32_t kTape = 0x16010009;  // 步骤
constexpr int32_t kSign = 0x1601000A;  // szf
constexpr int32_t kEquals = 0x1601000B;  // sdeng
constexpr int32_t kDivide = 0x1601000C;  // schu
constexpr int32_t kTimes = 0x1601000D;  // scheng
constexpr int32_t kMinus = 0x1601000E;  // sjian
constexpr int32_t kPlus = 0x1601000F;  // sjia
constexpr int32_t kClear = 0x16010010;  // sqc
constexpr int32_t kPoint = 0x16010015;  // sdian
constexpr int32_t kEntry = 0x1601001C;  // 计算
constexpr int32_t kGroupBox = 0x1601001D;  // 分组框1
// The digit keys s0 … s9 by digit.
constexpr int32_t kDigit[10] = {0x1601001A, 0x16010018, 0x16010016, 0x16010011, 0x16010019,
                                0x16010017, 0x16010012, 0x1601001B, 0x16010014, 0x16010013};
}  // namespace control

// Property indexes by kind, from the kind tables (EditBoxProperty::Content).
using definition::ButtonProperty;
using definition::DatePickerProperty;
using definition::EditBoxProperty;
using definition::LabelProperty;
using definition::PicBtnProperty;
using definition::WindowProperty;

// Positions in the program's DLL-command table.
namespace dll {
constexpr int32_t kGetWindowRect = 0, kMoveWindow = 1, kSkinAttachRes = 2,
                  kEnumChildWindows = 3;
}  // namespace dll

// A reference to a component of the Main window, as commands take it:
// the Window id in the low word, the Control id in the high word and the
// component's kind code as the type.
inline TypedValue Component(int32_t control_id, uint32_t kind) {
  TypedValue v{};
  v.lo = uint32_t(kMainWindow);
  v.hi = uint32_t(control_id);
  v.type = kind;
  return v;
}
inline TypedValue MainWindowRef() { return Component(kWindowUnit, TypeCode::KindWindow); }
inline TypedValue EntryBoxRef() { return Component(control::kEntry, TypeCode::KindEditBox); }
inline TypedValue TapeRef() { return Component(control::kTape, TypeCode::KindEditBox); }
inline TypedValue SoundToggleRef() { return Component(control::kSoundToggle, TypeCode::KindPicBtn); }
inline TypedValue DigitKeyRef(int digit) {
  return Component(control::kDigit[digit], TypeCode::KindButton);
}

}  // namespace talv::app
