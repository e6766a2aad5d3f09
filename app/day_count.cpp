// 按钮1: how many days the date of 日期框2 lies after that of 日期框1,
// fraction included, shown in 标签1.
#include <string>

#include "app/app_commands.h"
#include "app/app_text.h"
#include "app/handlers.h"
#include "app/main_window_ids.h"

namespace talv::app {

void DayCount() {
  const double t1 =
      rt::ReadDouble(kMainWindow, control::kDatePicker2, DatePickerProperty::CurrentDate);
  const double t2 =
      rt::ReadDouble(kMainWindow, control::kDatePicker1, DatePickerProperty::CurrentDate);
  const double days = talv::AsDouble(rt::Call(Commands().numbers.TimeInterval,
                                               talv::DateTimeValue(t1), talv::DateTimeValue(t2),
                                               talv::TimeUnit::Days));
  const std::string text = NumberToText(days) + "天";
  rt::WriteText(kMainWindow, control::kDayLabel, LabelProperty::Caption, text.c_str());
}

}  // namespace talv::app
