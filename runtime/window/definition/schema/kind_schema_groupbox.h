// The GroupBox kind (分组框): a "BUTTON" with the group-box style. The
// table's shape is described in kind_schema.h.
#pragma once

#include <cstdint>

namespace talv::definition {

// What a write of a GroupBox property does to the live box (which is
// repainted after each).
enum class GroupBoxApply : uint8_t {
  Stored,
  Caption,    // the text
  Alignment,  // BS_LEFT / BS_CENTER / BS_RIGHT
  Colours,    // the colour brush remade
  Font,       // WM_SETFONT
};

// clang-format off
#define TALV_SCHEMA_GROUPBOX(KIND, FIELD, LIVE, EVENT)                                                                   \
  KIND(GroupBox, 9, "分组框", "GroupBox", 0x840140C0)                                                                    \
  /*    index Name               中文名          Type              C++ type     field               default         since Apply */ \
  FIELD(9,  CaptionAlignment,  "标题对齐方式",  Choice,           uint32_t,    caption_alignment,  0,              1, Alignment)   \
  FIELD(10, TextColour,        "文本颜色",      Colour,           uint32_t,    text_colour,        0,              1, Colours)     \
  FIELD(11, BackgroundColour,  "背景颜色",      BackgroundColour, uint32_t,    background_colour,  kDefaultColour, 1, Colours)     \
  FIELD(12, Font,              "字体",          Font,             Bytes,       font,               {},             1, Font)        \
  FIELD(8,  Caption,           "标题",          Text,             std::string, caption,            {},             1, Caption)
// clang-format on

}  // namespace talv::definition
