// The window list's reading of definitions, the keyboard order and the
// split of the program's path.
#include "runtime/window/model/window_list.h"

#include <gtest/gtest.h>

#include "runtime/core/runtime_error_report.h"
#include "tests/window/window_runtime_testing.h"

namespace talv {
namespace {

TEST(WindowList, ReadsUnitsKindsAndBindings) {
  test::InstallTestWindow();
  WindowObject* w = FindWindowObject(test::kTestWindowId);
  ASSERT_NE(w, nullptr);
  ASSERT_EQ(w->units.size(), 5u);
  EXPECT_EQ(w->units[4].kind_word, definition::EditBoxKind::kKindWord);
  EXPECT_EQ(w->HandlerFor(1, 0), 1);
  EXPECT_EQ(w->HandlerFor(3, 0), definition::kNoHandler);
  EXPECT_EQ(w->HandlerFor(1, -1), definition::kNoHandler);
  EXPECT_FALSE(w->IsLive());
  EXPECT_FALSE(AnyWindowLive());
  ClearWindowList();
  EXPECT_EQ(FindWindowObject(test::kTestWindowId), nullptr);
}

TEST(WindowList, ABindingBeyondTheHandlerTableRefusesTheWholeSegment) {
  ClearWindowList();
  definition::Bytes segment = test::TestSegment(test::TestUnits());
  EXPECT_FALSE(LoadWindowDefinitions(segment.data(), segment.size(), 3));
  EXPECT_TRUE(WindowList().empty());
  segment.resize(segment.size() - 7);
  EXPECT_FALSE(LoadWindowDefinitions(segment.data(), segment.size(), 5));
  EXPECT_TRUE(WindowList().empty());
}

TEST(WindowList, ResetWorkingTableForgetsWrites) {
  test::InstallTestWindow();
  WindowObject* w = FindWindowObject(test::kTestWindowId);
  w->working.SetTag(1, "a much longer tag than before");
  definition::UnitRecordView v;
  ASSERT_TRUE(w->Walk(2, &v));
  EXPECT_EQ(v.tag, "1");  // later units unaffected
  w->ResetWorkingTable();
  ASSERT_TRUE(w->Walk(1, &v));
  EXPECT_EQ(v.tag, "0");
  ClearWindowList();
}

TEST(WindowList, ReportLookupGivesTheTagsOfWindowAndUnit) {
  test::InstallTestWindow();
  RegisterWindowReportLookup();
  std::string report = BuildRuntimeErrorReport(0, "x", int32_t(test::kTestWindowId),
                                               int32_t(test::kButtonB));
  EXPECT_NE(report.find("\"1\""), std::string::npos);
  ClearWindowList();
  SetReportWindowLookup(nullptr);
}

TEST(TabList, SortedByTabOrderWithEqualValuesFromTheLastUnit) {
  EXPECT_EQ(SortTabList({{5, 0}, {6, 0}, {7, 0}}), (std::vector<uint32_t>{7, 6, 5}));
  EXPECT_EQ(SortTabList({{1, 2}, {2, 1}, {3, 2}, {4, 0}}), (std::vector<uint32_t>{4, 2, 3, 1}));
  EXPECT_TRUE(SortTabList({}).empty());
}

TEST(TabList, NextAndPreviousWrapAndStartAtTheFirst) {
  const std::vector<uint32_t> list = {7, 6, 5};
  EXPECT_EQ(NextInTabList(list, 7, true), 6);
  EXPECT_EQ(NextInTabList(list, 5, true), 7);
  EXPECT_EQ(NextInTabList(list, 7, false), 5);
  EXPECT_EQ(NextInTabList(list, 6, false), 7);
  EXPECT_EQ(NextInTabList(list, 2, true), 7);  // not in the list
  EXPECT_EQ(NextInTabList(list, -1, false), 7);
  EXPECT_EQ(NextInTabList({}, 1, true), -1);
}

TEST(ModulePath, CutAtTheLastBackslash) {
  std::string dir, file;
  SplitModulePath("C:\\a\\b\\talvique.exe", &dir, &file);
  EXPECT_EQ(dir, "C:\\a\\b");
  EXPECT_EQ(file, "talvique.exe");
  SplitModulePath("plain.exe", &dir, &file);
  EXPECT_EQ(dir, "");
  EXPECT_EQ(file, "plain.exe");
}

TEST(ModulePath, ATrailByteThatLooksLikeABackslashIsNoSeparator) {
  // 0x955C is one double-byte character whose second byte is '\'.
  std::string dir, file;
  SplitModulePath("C:\\d\\\x95\x5Cx.exe", &dir, &file);
  EXPECT_EQ(dir, "C:\\d");
  EXPECT_EQ(file, "\x95\x5Cx.exe");
  SplitModulePath("\x95\x5C.exe", &dir, &file);
  EXPECT_EQ(dir, "");
}

}  // namespace
}  // namespace talv
