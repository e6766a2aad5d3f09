// The EditBox kind (编辑框): a standard "EDIT" control. The table's shape is
// described in kind_schema.h.
#pragma once

#include <cstdint>

namespace talv::definition {

// What a write of an EditBox property does to the live box.
enum class EditBoxApply : uint8_t {
  Stored,             // kept in the kind data only
  Content,            // the text, set without raising ContentChanged
  Border,             // frame styles
  Colours,            // the colour brush remade, the box repainted
  Font,               // WM_SETFONT
  TypingLimit,        // EM_LIMITTEXT
  PasswordCharacter,  // EM_SETPASSWORDCHAR in password mode
  SpinRange,          // the spin control's range
  Selection,          // EM_SETSEL
  Rebuild,            // a style that needs a new window
};

// clang-format off
#define TALV_SCHEMA_EDITBOX(KIND, FIELD, LIVE, EVENT)                                                                    \
  KIND(EditBox, 5, "编辑框", "EditBox", 0x80000040)                                                                      \
  /*    index Name               中文名          Type              C++ type     field               default         since Apply */ \
  FIELD(9,  Border,            "边框",          Choice,           uint32_t,    border,             1,              1, Border)      \
  FIELD(10, TextColour,        "文本颜色",      Colour,           uint32_t,    text_colour,        0,              1, Colours)     \
  FIELD(11, BackgroundColour,  "背景颜色",      BackgroundColour, uint32_t,    background_colour,  kDefaultColour, 1, Colours)     \
  FIELD(13, HideSelection,     "隐藏选择",      Logical,          bool,        hide_selection,     true,           1, Rebuild)     \
  FIELD(14, TypingLimit,       "最大允许长度",  Integer,          int32_t,     typing_limit,       0,              1, TypingLimit) \
  FIELD(15, MultiLine,         "是否允许多行",  Logical,          bool,        multi_line,         false,          1, Rebuild)     \
  FIELD(16, ScrollBars,        "滚动条",        Choice,           uint32_t,    scroll_bars,        0,              1, Rebuild)     \
  FIELD(17, Alignment,         "对齐方式",      Choice,           uint32_t,    alignment,          0,              1, Rebuild)     \
  FIELD(18, InputMode,         "输入方式",      Choice,           uint32_t,    input_mode,         0,              1, Rebuild)     \
  FIELD(19, PasswordCharacter, "密码遮盖字符",  Text,             uint16_t,    password_character, '*',            1, PasswordCharacter) \
  FIELD(20, CaseConversion,    "转换方式",      Choice,           uint32_t,    case_conversion,    0,              1, Rebuild)     \
  FIELD(21, SpinControl,       "调节器方式",    Choice,           uint32_t,    spin_control,       0,              1, Rebuild)     \
  FIELD(22, SpinMinimum,       "调节器底限值",  Integer,          int32_t,     spin_minimum,       0,              1, SpinRange)   \
  FIELD(23, SpinMaximum,       "调节器上限值",  Integer,          int32_t,     spin_maximum,       100,            1, SpinRange)   \
  FIELD(24, SelectionStart,    "起始选择位置",  Integer,          int32_t,     selection_start,    0,              1, Selection)   \
  FIELD(25, SelectionLength,   "被选择字符数",  Integer,          int32_t,     selection_length,   0,              1, Selection)   \
  FIELD(12, Font,              "字体",          Font,             Bytes,       font,               {},             1, Font)        \
  FIELD(8,  Content,           "内容",          Text,             std::string, content,            {},             1, Content)     \
  FIELD(27, DataSource,        "数据源",        DataSource,       std::string, data_source,        {},             2, Stored)      \
  FIELD(28, DataColumn,        "数据列",        DataColumn,       std::string, data_column,        {},             2, Stored)      \
  LIVE(26,  SelectedText,      "被选择文本",    Text)                                                                    \
  EVENT(0,  ContentChanged,    "内容被改变") /* not for changes the runtime makes itself */
// clang-format on

}  // namespace talv::definition
