// The DatePicker kind (日期框): the date-and-time picker common control. The
// table's shape is described in kind_schema.h.
#pragma once

#include <cstdint>

namespace talv::definition {

// What a write of a DatePicker property does to the live picker.
enum class DatePickerApply : uint8_t {
  Stored,
  Style,   // DTS_APPCANPARSE and DTS_UPDOWN
  Date,    // the selected date (0: now)
  Range,   // the earliest and latest dates
  Font,    // WM_SETFONT
  Border,  // frame styles
};

// clang-format off
#define TALV_SCHEMA_DATEPICKER(KIND, FIELD, LIVE, EVENT)                                                                 \
  KIND(DatePicker, 23, "日期框", "DatePicker", 0x80000040)                                                               \
  /*    index Name            中文名        Type        C++ type     field          default since Apply */                \
  FIELD(8,  AllowTyping,    "允许输入",    Logical,    bool,        allow_typing,  false,  1, Style)                     \
  FIELD(9,  Style,          "类型",        Choice,     uint32_t,    style,         0,      1, Style)                     \
  FIELD(10, CurrentDate,    "当前日期",    DateTime,   double,      current_date,  0,      1, Date)                      \
  FIELD(11, EarliestDate,   "最小日期",    DateTime,   double,      earliest_date, 0,      1, Range)                     \
  FIELD(12, LatestDate,     "最大日期",    DateTime,   double,      latest_date,   0,      1, Range)                     \
  FIELD(14, Border,         "边框",        Choice,     uint32_t,    border,        1,      1, Border)                    \
  FIELD(13, Font,           "字体",        Font,       Bytes,       font,          {},     1, Font)                      \
  FIELD(15, DataSource,     "数据源",      DataSource, std::string, data_source,   {},     2, Stored)                    \
  FIELD(16, DataColumn,     "数据列",      DataColumn, std::string, data_column,   {},     2, Stored)
// clang-format on

}  // namespace talv::definition
