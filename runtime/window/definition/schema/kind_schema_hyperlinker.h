// The HyperLinker kind (超级链接框): a link window of the runtime's own class
// that it paints itself. The table's shape is described in kind_schema.h.
#pragma once

#include <cstdint>

namespace talv::definition {

// What a write of a HyperLinker property does to the live link.
enum class HyperLinkerApply : uint8_t {
  Stored,
  Repaint,  // the painted link takes all its properties anew
};

// clang-format off
#define TALV_SCHEMA_HYPERLINKER(KIND, FIELD, LIVE, EVENT)                                                                \
  KIND(HyperLinker, 29, "超级链接框", "HyperLinker", 0x80010040)                                                         \
  /*    index Name              中文名          Type              C++ type     field              default         since Apply */ \
  FIELD(9,  LinkType,         "链接类型",      Choice,           uint32_t,    link_type,         1,              1, Repaint)     \
  FIELD(12, NormalColour,     "文本颜色",      Colour,           uint32_t,    normal_colour,     0x00FF0000,     1, Repaint)     \
  FIELD(13, VisitedColour,    "访问后颜色",    Colour,           uint32_t,    visited_colour,    0x00000080,     1, Repaint)     \
  FIELD(14, HoverColour,      "鼠标经过颜色",  Colour,           uint32_t,    hover_colour,      0x00FF9933,     1, Repaint)     \
  FIELD(15, BackgroundColour, "背景颜色",      BackgroundColour, uint32_t,    background_colour, kDefaultColour, 1, Repaint)     \
  FIELD(16, Border,           "边框",          Choice,           uint32_t,    border,            0,              1, Repaint)     \
  FIELD(17, Font,             "字体",          Font,             Bytes,       font,              {},             1, Repaint)     \
  FIELD(8,  Caption,          "标题",          Text,             std::string, caption,           {},             1, Repaint)     \
  FIELD(10, EmailAddress,     "电子邮件地址",  Text,             std::string, email_address,     {},             1, Repaint)     \
  FIELD(11, WebAddress,       "网页地址",      Text,             std::string, web_address,       {},             1, Repaint)     \
  EVENT(0,  Activated,        "被激活") /* one argument: 1 when the target was opened */
// clang-format on

}  // namespace talv::definition
