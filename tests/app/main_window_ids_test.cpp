// The handlers' ids and table positions agree with the built window
// definition they address.
#include <gtest/gtest.h>

#include <string>

#include "app/main_window_ids.h"
#include "resources/main_window_definition.h"

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

TEST(MainWindowIds, HandlerOrderEndsWithTheDayCount) {
  EXPECT_EQ(int32_t(MainHandler::DayCount), kMainHandlerCount - 1);
  EXPECT_EQ(int32_t(MainHandler::PressDigit), 3);
}

}  // namespace
}  // namespace talv::app
