// The runtime error report text, byte for byte, with and without window lines.
#include "runtime/core/runtime_error_report.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace talv {
namespace {

const char kDetailHead[] =
    "\r\n运行时错误相关信息值(在IDE中打开对应源程序后执行\"运行->到运行时错误相关位置\""
    "菜单功能查看): ";

TEST(RuntimeErrorReport, StackErrorReportMatchesByteForByte) {
  std::string report = BuildRuntimeErrorReport(6, RuntimeErrorMessage(6), 67174431, 171);
  std::string expected = std::string("运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：") +
                         "调用DLL命令后发现堆栈错误" + "\r\n" + kDetailHead + "67174431, 171\r\n";
  EXPECT_EQ(report, expected);
  // The opening is GBK, not UTF-8: 运行时出错! and the full-width colon.
  const unsigned char head[] = {0xd4, 0xcb, 0xd0, 0xd0, 0xca, 0xb1, 0xb3, 0xf6, 0xb4,
                                0xed, 0x21, 0x0d, 0x0a, 0x0d, 0x0a, 0xb4, 0xed, 0xce,
                                0xf3, 0xb4, 0xfa, 0xc2, 0xeb, 0xa3, 0xba, 0x36};
  ASSERT_GE(report.size(), sizeof head);
  EXPECT_EQ(std::memcmp(report.data(), head, sizeof head), 0);
  EXPECT_EQ(report.substr(report.size() - 15), "67174431, 171\r\n");
}

TEST(RuntimeErrorReport, CodeAndMessageLinesOnlyWhenPresent) {
  EXPECT_EQ(BuildRuntimeErrorReport(0, "分配 16 字节内存失败!", -1, 0),
            std::string("运行时出错!\r\n\r\n错误信息：分配 16 字节内存失败!\r\n") + kDetailHead +
                "-1, 0\r\n");
  EXPECT_EQ(BuildRuntimeErrorReport(12, nullptr, 1, 2),
            std::string("运行时出错!\r\n\r\n错误代码：12\r\n") + kDetailHead + "1, 2\r\n");
  EXPECT_EQ(BuildRuntimeErrorReport(0, "", 0, 0),
            std::string("运行时出错!\r\n") + kDetailHead + "0, 0\r\n");
}

TEST(RuntimeErrorReport, WindowLocationWithoutLoadedWindows) {
  SetReportWindowLookup(nullptr);
  EXPECT_EQ(BuildRuntimeErrorReport(0, "m", 0x52010002, 0x1601001C),
            std::string("运行时出错!\r\n\r\n错误信息：m\r\n") + kDetailHead +
                "1375797250, 369164316\r\n未找到所指定的窗口\r\n");
}

// A window runtime with one window (tag "主") holding one control (tag "键").
int32_t g_asked_unit = -1;
bool FindWindow(int32_t id, const char** tag) {
  *tag = "主";
  return id == 0x52010002;
}
bool FindUnit(int32_t window, int32_t control, const char** tag) {
  g_asked_unit = control;
  if (control == 0x1601001C) {
    *tag = "键";
    return true;
  }
  if (control == 0) {
    *tag = nullptr;  // the window unit with an empty tag
    return true;
  }
  return false;
}
const ReportWindowLookup kLookup = {FindWindow, FindUnit};

class RuntimeErrorReportWithWindow : public testing::Test {
 protected:
  void SetUp() override { SetReportWindowLookup(&kLookup); }
  void TearDown() override { SetReportWindowLookup(nullptr); }
};

TEST_F(RuntimeErrorReportWithWindow, WindowAndComponentTagLines) {
  std::string report = BuildRuntimeErrorReport(0, "", 0x52010002, 0x1601001C);
  EXPECT_EQ(report, std::string("运行时出错!\r\n") + kDetailHead + "1375797250, 369164316" +
                        "\r\n所访问窗口的\"标记\"属性值: \"主\"" +
                        "\r\n所访问窗口组件的\"标记\"属性值: \"键\"\r\n");
}

TEST_F(RuntimeErrorReportWithWindow, ZeroNamesTheWindowUnitAndMissingUnitsAreSaid) {
  std::string own = BuildRuntimeErrorReport(0, "", 0x52010002, 0);
  EXPECT_EQ(g_asked_unit, 0);
  EXPECT_NE(own.find("\r\n所访问窗口组件的\"标记\"属性值: \"\"\r\n"), std::string::npos);

  std::string missing = BuildRuntimeErrorReport(0, "", 0x52010002, 0x16010099);
  EXPECT_NE(missing.find("\"主\"\r\n未找到所指定的窗口组件\r\n"), std::string::npos);

  std::string other_window = BuildRuntimeErrorReport(0, "", 0x52010003, 0);
  EXPECT_NE(other_window.find("\r\n未找到所指定的窗口\r\n"), std::string::npos);
}

TEST_F(RuntimeErrorReportWithWindow, OnlyWindowIdsGetWindowLines) {
  // 67174431 is 0x0401001F: 4 in bits 24-27, not a window id.
  std::string report = BuildRuntimeErrorReport(6, RuntimeErrorMessage(6), 67174431, 171);
  EXPECT_EQ(report.find("窗口的"), std::string::npos);
  EXPECT_TRUE(IsWindowId(0x52010002));
  EXPECT_TRUE(IsWindowId(0x02000000));
  EXPECT_FALSE(IsWindowId(0x06010003));
  EXPECT_FALSE(IsWindowId(0x16010009));
}

TEST(RuntimeErrorTable, ElevenMessagesFromOne) {
  EXPECT_EQ(RuntimeErrorMessage(0), nullptr);
  EXPECT_EQ(RuntimeErrorMessage(12), nullptr);
  EXPECT_EQ(RuntimeErrorMessage(-1), nullptr);
  EXPECT_STREQ(RuntimeErrorMessage(1), "数组成员引用下标超出定义范围");
  EXPECT_STREQ(RuntimeErrorMessage(5), "数据或数组类型不匹配");
  EXPECT_STREQ(RuntimeErrorMessage(9), "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围");
  EXPECT_STREQ(RuntimeErrorMessage(11), "所提供参数的数据类型不符合要求");
}

}  // namespace
}  // namespace talv
