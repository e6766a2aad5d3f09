// What every control kind shares, and the shape of the eight kind tables
// (kind_schema_<kind>.h). Each kind is described once, in one X-macro table
// that takes four row macros:
//
//   KIND(Name, number, "中文名", "EnglishName", state word)
//       the kind itself: kind number in library 1, the kind table's names
//       and state word. The first row.
//   FIELD(index, Name, "中文名", Type, C++ type, field, default, since, Apply)
//       a property kept in the kind data. Rows stand in stream order: the
//       order of the rows is the order of the fields in the kind-data block.
//       `since` is the kind-data version the field appeared in; `Apply`
//       names what a write does to the live window (the kind's <Kind>Apply
//       enumeration). A std::array field holds consecutive indices from
//       `index` on.
//   LIVE(index, Name, "中文名", Type)
//       a property that only a live control has; its kind answers it.
//   EVENT(index, Name, "中文名")
//       an event of the kind's own (the common events are below).
//
// From the tables come the kind-data structs, the kind-data reader and
// writer, the property-type lists of the kind table, the map of property
// indices to fields, the field and event names of the window description
// and the named constants (EditBoxProperty::Content, ButtonEvent::Click).
// Pure data: no windows.h.
#pragma once

#include <array>
#include <cstdint>

namespace talv::definition {

// Property type codes.
namespace PropertyType {
constexpr uint16_t Integer = 1001, Double = 1002, Logical = 1003, DateTime = 1004, Text = 1005,
                   Choice = 1006, Picture = 1009, Icon = 1010, Cursor = 1011, Sound = 1012,
                   Font = 1013, Colour = 1014, Colour2 = 1015, FileName = 1016,
                   BackgroundColour = 1017, DataSource = 1018, DataColumn = 1020;
}  // namespace PropertyType

// The background colour that stands for the system button-face colour.
constexpr uint32_t kDefaultColour = 0xFF000000;
// Three colours of a gradient, consecutive properties.
using ColourTriple = std::array<uint32_t, 3>;

// The properties 0-7 of every kind, kept in the unit record rather than in
// the kind data: P(index, Name, "中文名", Type).
#define TALV_COMMON_PROPERTIES(P)         \
  P(0, Left, "左边", Integer)             \
  P(1, Top, "顶边", Integer)              \
  P(2, Width, "宽度", Integer)            \
  P(3, Height, "高度", Integer)           \
  P(4, Tag, "标记", Text)                 \
  P(5, Visible, "可视", Logical)          \
  P(6, Disabled, "禁止", Logical)         \
  P(7, Cursor, "鼠标指针", Cursor)

// The events that the window's message pre-filter raises for any unit, and
// the focus events of the kinds that ask for them: E(index, Name, "中文名").
#define TALV_COMMON_EVENTS(E)                     \
  E(-1, LeftButtonDown, "鼠标左键被按下")         \
  E(-2, LeftButtonUp, "鼠标左键被放开")           \
  E(-3, DoubleClick, "被双击")                    \
  E(-4, RightButtonDown, "鼠标右键被按下")        \
  E(-5, RightButtonUp, "鼠标右键被放开")          \
  E(-6, MouseMove, "鼠标位置被移动")              \
  E(-7, GotFocus, "获得焦点")                     \
  E(-8, LostFocus, "失去焦点")                    \
  E(-9, KeyDown, "按下某键")                      \
  E(-10, KeyUp, "放开某键")                       \
  E(-11, Character, "字符输入")                   \
  E(-12, MouseWheel, "滚轮被滚动")

#define TALV_COMMON_PROPERTY_CONSTANT(index, Name, chinese, Type) \
  static constexpr int32_t Name = index;
#define TALV_COMMON_EVENT_CONSTANT(index, Name, chinese) static constexpr int32_t Name = index;

struct CommonProperty {
  TALV_COMMON_PROPERTIES(TALV_COMMON_PROPERTY_CONSTANT)
};
struct CommonEvent {
  TALV_COMMON_EVENTS(TALV_COMMON_EVENT_CONSTANT)
};

#undef TALV_COMMON_PROPERTY_CONSTANT
#undef TALV_COMMON_EVENT_CONSTANT

// The eight kind tables, for code that does something with each kind.
#define TALV_EACH_KIND_SCHEMA(X)                                                        \
  X(TALV_SCHEMA_WINDOW) X(TALV_SCHEMA_EDITBOX) X(TALV_SCHEMA_GROUPBOX) X(TALV_SCHEMA_LABEL) \
  X(TALV_SCHEMA_BUTTON) X(TALV_SCHEMA_DATEPICKER) X(TALV_SCHEMA_HYPERLINKER)            \
  X(TALV_SCHEMA_PICBTN)

// A row macro that takes any row and makes nothing of it.
#define TALV_SCHEMA_SKIP(...)

}  // namespace talv::definition

#include "runtime/window/definition/schema/kind_schema_button.h"
#include "runtime/window/definition/schema/kind_schema_datepicker.h"
#include "runtime/window/definition/schema/kind_schema_editbox.h"
#include "runtime/window/definition/schema/kind_schema_groupbox.h"
#include "runtime/window/definition/schema/kind_schema_hyperlinker.h"
#include "runtime/window/definition/schema/kind_schema_label.h"
#include "runtime/window/definition/schema/kind_schema_picbtn.h"
#include "runtime/window/definition/schema/kind_schema_window.h"

namespace talv::definition {

// Named property indices and events of each kind: WindowProperty::Caption,
// EditBoxProperty::Content, WindowEvent::WillBeDestroyed, ButtonEvent::Click;
// the common ones through the base (EditBoxProperty::Left,
// PicBtnEvent::LeftButtonDown).
#define TALV_PROPERTIES_OPEN(Name, number, chinese, english, state) \
  struct Name##Property : CommonProperty {
#define TALV_EVENTS_OPEN(Name, number, chinese, english, state) struct Name##Event : CommonEvent {
#define TALV_NAMED_INDEX(index, Name, ...) static constexpr int32_t Name = index;
#define TALV_DECLARE_NAMES(SCHEMA)                                                          \
  SCHEMA(TALV_PROPERTIES_OPEN, TALV_NAMED_INDEX, TALV_NAMED_INDEX, TALV_SCHEMA_SKIP)        \
  };                                                                                        \
  SCHEMA(TALV_EVENTS_OPEN, TALV_SCHEMA_SKIP, TALV_SCHEMA_SKIP, TALV_NAMED_INDEX)            \
  };

TALV_EACH_KIND_SCHEMA(TALV_DECLARE_NAMES)

#undef TALV_DECLARE_NAMES
#undef TALV_NAMED_INDEX
#undef TALV_EVENTS_OPEN
#undef TALV_PROPERTIES_OPEN

}  // namespace talv::definition
