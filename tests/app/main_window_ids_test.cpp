// The handlers' ids and table positions agree with the built window
// definition they address.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app/main_window_ids.h"
#include "resources/main_window_definition.h"
#include "tests/support/main_window_layout.h"

namespace talv::app {
namespace {

TEST(MainWindowIds, WindowAndUnitMatchTheDefinition) {
  EXPECT_EQ(uint32_t(kMainWindow), kMainWindowId);
  EXPECT_EQ(uint32_t(kWindowUnit), kMainWindowUnitId);
}

TEST(MainWindowIds, DllCommandPositionsMatchTheDefinitionTable) {
  ASSERT_EQ(kDllCommandCount, 4u);
  EXPECT_EQ(std::string(kDllCommandFunctions[dll::kGetWindowRect]), "GetWindowRect");
  EXPECT_EQ(std::string(kDllCommandFunctions[dll::kMoveWindow]), "MoveWindow");
  EXPECT_EQ(std::string(kDllCommandFunctions[dll::kSkinAttachRes]), "SkinH_AttachRes");
  EXPECT_EQ(std::string(kDllCommandLibraries[dll::kSkinAttachRes]), "SkinH_EL.dll");
  EXPECT_EQ(std::string(kDllCommandFunctions[dll::kEnumChildWindows]), "EnumChildWindows");
}

TEST(MainWindowIds, HandlerOrderEndsWithTheWindowsKeys) {
  EXPECT_EQ(int32_t(MainHandler::PressWindowKey), kMainHandlerCount - 1);
  EXPECT_EQ(int32_t(MainHandler::DayCount), 14);
  EXPECT_EQ(int32_t(MainHandler::PressDigit), 3);
}

// The names that the description gives stand for the units the handlers
// mean: each digit key shows its digit, each operator key its sign.
TEST(MainWindowIds, GeneratedNamesStandForTheirUnits) {
  const tools::WindowLayout& layout = test::MainWindowLayout();
  auto unit = [&](int32_t id) {
    const tools::LayoutUnit* u = layout.FindId(uint32_t(id));
    EXPECT_NE(u, nullptr) << std::hex << id;
    return u ? *u : tools::LayoutUnit{};
  };
  EXPECT_EQ(unit(kWindowUnit).kind, "window");
  for (int d = 0; d < 10; ++d) {
    EXPECT_EQ(unit(control::kDigit[d]).caption, std::to_string(d));
    EXPECT_EQ(unit(control::kDigit[d]).tag, std::to_string(d));
  }
  const std::pair<int32_t, const char*> keys[] = {
      {control::kPlus, "+"},   {control::kMinus, "-"},     {control::kTimes, "×"},
      {control::kDivide, "÷"}, {control::kEquals, "="},    {control::kPoint, "."},
      {control::kSign, "+/-"}, {control::kBackspace, "←"}, {control::kClear, "清除"},
      {control::kDayButton, "计算天数"}};
  for (const auto& [id, caption] : keys) {
    EXPECT_EQ(unit(id).kind, "Button") << caption;
    EXPECT_EQ(unit(id).caption, caption);
  }
  EXPECT_EQ(unit(control::kEntry).kind, "EditBox");
  EXPECT_EQ(unit(control::kTape).kind, "EditBox");
  EXPECT_EQ(unit(control::kSoundToggle).kind, "PicBtn");
  EXPECT_EQ(unit(control::kDayLabel).kind, "Label");
  EXPECT_EQ(unit(control::kHyperlink).kind, "HyperLinker");
  EXPECT_EQ(unit(control::kGroupBox).kind, "GroupBox");
  // kDatePicker1 is 日期框1, the left picker; kDatePicker2 the right one.
  EXPECT_EQ(unit(control::kDatePicker1).kind, "DatePicker");
  EXPECT_EQ(unit(control::kDatePicker1).name, "日期框1");
  EXPECT_EQ(unit(control::kDatePicker2).kind, "DatePicker");
  EXPECT_LT(unit(control::kDatePicker1).left, unit(control::kDatePicker2).left);
}

}  // namespace
}  // namespace talv::app
