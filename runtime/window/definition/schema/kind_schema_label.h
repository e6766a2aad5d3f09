// The Label kind (标签): a window of the runtime's own class that it paints
// itself. The table's shape is described in kind_schema.h.
#pragma once

#include <cstdint>

namespace talv::definition {

// What a write of a Label property does to the live label.
enum class LabelApply : uint8_t {
  Stored,
  Repaint,  // the painted label takes all its properties anew
};

// clang-format off
#define TALV_SCHEMA_LABEL(KIND, FIELD, LIVE, EVENT)                                                                      \
  KIND(Label, 10, "标签", "Label", 0x84012040)                                                                           \
  /*    index Name                       中文名          Type              C++ type      field                        default         since Apply */ \
  FIELD(9,  Effect,                    "效果",          Choice,           uint32_t,     effect,                      0,              1, Repaint) \
  FIELD(11, GradientBorderWidth,       "渐变边框宽度",  Integer,          int32_t,      gradient_border_width,       1,              1, Repaint) \
  FIELD(10, Border,                    "边框",          Choice,           uint32_t,     border,                      0,              1, Repaint) \
  FIELD(12, GradientBorderColours,     "渐变边框颜色",  Colour,           ColourTriple, gradient_border_colours,                     \
        (ColourTriple{0x00808080, 0x00FFFFFF, 0x00808080}),                                                    1, Repaint) /* 12-14 */ \
  FIELD(16, TextColour,                "文本颜色",      Colour,           uint32_t,     text_colour,                 0,              1, Repaint) \
  FIELD(17, BackgroundColour,          "背景颜色",      BackgroundColour, uint32_t,     background_colour,           kDefaultColour, 1, Repaint) \
  FIELD(19, PictureMode,               "底图方式",      Choice,           uint32_t,     picture_mode,                1,              1, Repaint) \
  FIELD(20, GradientBackgroundMode,    "渐变背景方式",  Choice,           uint32_t,     gradient_background_mode,    0,              1, Repaint) \
  FIELD(21, GradientBackgroundColours, "渐变背景颜色",  Colour,           ColourTriple, gradient_background_colours,                 \
        (ColourTriple{0x00FFFFFF, 0x00C0C0C0, 0x00808080}),                                                    1, Repaint) /* 21-23 */ \
  FIELD(24, HorizontalAlignment,       "横向对齐方式",  Choice,           uint32_t,     horizontal_alignment,        0,              1, Repaint) \
  FIELD(26, VerticalAlignment,         "纵向对齐方式",  Choice,           uint32_t,     vertical_alignment,          1,              1, Repaint) \
  FIELD(25, WordWrap,                  "是否自动折行",  Logical,          bool,         word_wrap,                   false,          1, Repaint) \
  FIELD(15, Font,                      "字体",          Font,             Bytes,        font,                        {},             1, Repaint) \
  FIELD(18, Picture,                   "底图",          Picture,          Bytes,        picture,                     {},             1, Repaint) \
  FIELD(8,  Caption,                   "标题",          Text,             std::string,  caption,                     {},             1, Repaint) \
  FIELD(27, DataSource,                "数据源",        DataSource,       std::string,  data_source,                 {},             2, Repaint) \
  FIELD(28, DataColumn,                "数据列",        DataColumn,       std::string,  data_column,                 {},             2, Repaint)
// clang-format on

}  // namespace talv::definition
