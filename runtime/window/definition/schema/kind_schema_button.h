// The Button kind (按钮): a standard "BUTTON" push button. The table's shape
// is described in kind_schema.h.
#pragma once

#include <cstdint>

namespace talv::definition {

// What a write of a Button property does to the live button.
enum class ButtonApply : uint8_t {
  Stored,
  Picture,  // decoded anew and set as the button's image
  Restyle,  // type and alignment styles
  Caption,  // the text
  Font,     // WM_SETFONT
};

// clang-format off
#define TALV_SCHEMA_BUTTON(KIND, FIELD, LIVE, EVENT)                                                                     \
  KIND(Button, 11, "按钮", "Button", 0x80000840)                                                                         \
  /*    index Name                 中文名          Type      C++ type     field                 default since Apply */   \
  FIELD(9,  Type,                "类型",          Choice,   uint32_t,    type,                 0,      1, Restyle)      \
  FIELD(11, HorizontalAlignment, "横向对齐方式",  Choice,   uint32_t,    horizontal_alignment, 1,      1, Restyle)      \
  FIELD(12, VerticalAlignment,   "纵向对齐方式",  Choice,   uint32_t,    vertical_alignment,   1,      1, Restyle)      \
  FIELD(8,  Picture,             "图片",          Picture,  Bytes,       picture,              {},     1, Picture)      \
  FIELD(13, Font,                "字体",          Font,     Bytes,       font,                 {},     1, Font)         \
  FIELD(10, Caption,             "标题",          Text,     std::string, caption,              {},     1, Caption)      \
  EVENT(0,  Click,               "被单击") /* the mouse or a shortcut key */
// clang-format on

}  // namespace talv::definition
