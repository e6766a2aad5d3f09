#include "runtime/core/runtime_error_report.h"

#include <cstdio>

namespace talv {
namespace {

const char* const kMessages[kRuntimeErrorCount] = {
    "数组成员引用下标超出定义范围",
    "未得到所需要的数值型数据",
    "引用数组成员时维数不为1且不等于该数组目前所具有的维数",
    "数组成员引用下标必须大于等于1",
    "数据或数组类型不匹配",
    "调用DLL命令后发现堆栈错误",
    "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",
    "被比较数据只能使用等于或不等于命令比较",
    "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围",
    "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零",
    "所提供参数的数据类型不符合要求",
};

bool NoWindow(int32_t, const char**) { return false; }
bool NoUnit(int32_t, int32_t, const char**) { return false; }
const ReportWindowLookup kNoWindows = {NoWindow, NoUnit};
const ReportWindowLookup* g_lookup = &kNoWindows;

std::string Decimal(int32_t value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%d", int(value));
  return digits;
}

// The window and component lines for a location that names a window.
void AppendWindowLines(std::string& detail, int32_t window_id, int32_t control_id) {
  const char* tag = nullptr;
  if (!g_lookup->find_window(window_id, &tag)) {
    detail += "\r\n未找到所指定的窗口";
    return;
  }
  detail += "\r\n所访问窗口的\"标记\"属性值: \"";
  if (tag) detail += tag;
  detail += '"';
  const char* unit_tag = nullptr;
  if (g_lookup->find_unit(window_id, control_id, &unit_tag)) {
    detail += "\r\n所访问窗口组件的\"标记\"属性值: \"";
    if (unit_tag) detail += unit_tag;
    detail += '"';
  } else {
    detail += "\r\n未找到所指定的窗口组件";
  }
}

}  // namespace

const char* RuntimeErrorMessage(int32_t index) {
  return index >= 1 && index <= kRuntimeErrorCount ? kMessages[index - 1] : nullptr;
}

void SetReportWindowLookup(const ReportWindowLookup* lookup) {
  g_lookup = lookup && lookup->find_window && lookup->find_unit ? lookup : &kNoWindows;
}

std::string BuildRuntimeErrorReport(int32_t code, const char* message, int32_t location1,
                                    int32_t location2) {
  std::string detail =
      "\r\n运行时错误相关信息值(在IDE中打开对应源程序后执行\"运行->到运行时错误相关位置\""
      "菜单功能查看): " +
      Decimal(location1) + ", " + Decimal(location2);
  if (IsWindowId(location1)) AppendWindowLines(detail, location1, location2);
  detail += "\r\n";

  std::string report = "运行时出错!\r\n";
  if (code != 0) report += "\r\n错误代码：" + Decimal(code) + "\r\n";
  if (message && *message) {
    report += "\r\n错误信息：";
    report += message;
    report += "\r\n";
  }
  return report + detail;
}

}  // namespace talv
