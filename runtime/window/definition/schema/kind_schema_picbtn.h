// The PicBtn kind (图形按钮): a picture button of the runtime's own class
// that it paints itself. The table's shape is described in kind_schema.h.
#pragma once

#include <cstdint>

namespace talv::definition {

// What a write of a PicBtn property does to the live button.
enum class PicBtnApply : uint8_t {
  Stored,
  Repaint,  // the painted button takes all its properties anew
};

// clang-format off
#define TALV_SCHEMA_PICBTN(KIND, FIELD, LIVE, EVENT)                                                                     \
  KIND(PicBtn, 45, "图形按钮", "PicBtn", 0x80010040)                                                                     \
  /*    index Name              中文名          Type              C++ type  field               default         since Apply */ \
  FIELD(8,  Mode,             "类型",          Choice,           uint32_t, mode,               0,              1, Repaint)     \
  FIELD(9,  Checked,          "选中",          Logical,          bool,     checked,            false,          1, Repaint)     \
  FIELD(14, BackgroundColour, "背景颜色",      BackgroundColour, uint32_t, background_colour,  kDefaultColour, 1, Repaint)     \
  FIELD(10, PictureNormal,    "正常图片",      Picture,          Bytes,    picture_normal,     {},             1, Repaint)     \
  FIELD(11, PictureMouseOver, "鼠标经过图片",  Picture,          Bytes,    picture_mouse_over, {},             1, Repaint)     \
  FIELD(12, PicturePressed,   "按下图片",      Picture,          Bytes,    picture_pressed,    {},             1, Repaint)     \
  FIELD(13, PictureDisabled,  "禁止图片",      Picture,          Bytes,    picture_disabled,   {},             1, Repaint)     \
  EVENT(0,  Click,            "被单击") /* one argument: 1 when a check button is now checked */
// clang-format on

}  // namespace talv::definition
