// The readable description: statements, kind fields, GBK texts, handler
// indices, and errors that name the line.
#include "tools/window_description.h"

#include <gtest/gtest.h>

#include "runtime/window/definition/definition_segment.h"

namespace talv::tools {
namespace {

using namespace definition;

bool NoFiles(const std::string&, Bytes*) { return false; }

// UTF-8, as description files are (plain literals here are GBK).
const char kSmall[] =
    u8"handlers First Second\n"
    u8"logfont F face \"宋体\" height -12 weight 700 pitch 0x31\n"
    u8"window 0x52010002 words -1 7 texts \"a\" \"\"\n"
    u8"unit window 0x06010003 \"主\"  # the window unit\n"
    u8"  geometry 1 2 3 4  flags visible  cursor 0\n"
    u8"  on Created Second  on PositionChanged none\n"
    u8"  caption \"T \\\"q\\\"\"  border_style 1  background_colour default\n"
    u8"unit Button 0x16010004 \"k\"\n"
    u8"  geometry -1 -2 30 40  flags visible tabstop disabled  tag \"9\"\n"
    u8"  on Click First  caption \"÷\"  font F  picture none\n"
    u8"unit DatePicker 0x16010005 \"d\"\n"
    u8"  flags none  cursor none\n"
    u8"  kind_data empty\n";

Description Parse(const std::string& text, std::string* error = nullptr) {
  Description d;
  std::string e;
  bool ok = ParseDescription(text, NoFiles, &d, &e);
  if (error) *error = ok ? "" : e;
  return d;
}

TEST(WindowDescription, ParsesUnitsFieldsAndBindings) {
  std::string error;
  Description d = Parse(kSmall, &error);
  ASSERT_EQ(error, "");
  ASSERT_EQ(d.windows.size(), 1u);
  const DescribedWindow& w = d.windows[0];
  EXPECT_EQ(w.word1, 0xFFFFFFFFu);
  EXPECT_EQ(w.word2, 7u);
  EXPECT_EQ(w.text1, "a");
  ASSERT_EQ(w.units.size(), 3u);

  const DescribedUnit& win = w.units[0];
  EXPECT_EQ(win.record.name, "主");  // GBK bytes, as the literal here
  EXPECT_EQ(win.record.width, 3);
  ASSERT_EQ(win.record.bindings.size(), 2u);
  EXPECT_EQ(win.record.bindings[0].event, WindowEvent::Created);
  EXPECT_EQ(win.record.bindings[0].handler, 1);  // Second
  EXPECT_EQ(win.record.bindings[1].event, WindowEvent::PositionChanged);
  EXPECT_EQ(win.record.bindings[1].handler, kNoHandler);
  const auto& wk = std::get<WindowKind>(*win.kind);
  EXPECT_EQ(wk.caption, "T \"q\"");
  EXPECT_EQ(wk.border_style, 1u);
  EXPECT_EQ(wk.background_colour, kDefaultColour);

  const DescribedUnit& key = w.units[1];
  EXPECT_EQ(key.record.left, -1);
  EXPECT_EQ(key.record.flags, kFlagVisible | kFlagTabStop | kFlagDisabled);
  EXPECT_EQ(key.record.tag, "9");
  EXPECT_EQ(key.record.bindings[0].event, ButtonEvent::Click);
  EXPECT_EQ(key.record.bindings[0].handler, 0);
  const auto& bk = std::get<ButtonKind>(*key.kind);
  EXPECT_EQ(bk.caption, "÷");
  ASSERT_EQ(bk.font.size(), kLogFontSize);
  EXPECT_EQ(int32_t(LoadDword(bk.font.data())), -12);
  EXPECT_EQ(bk.font[27], 0x31);
  EXPECT_EQ(bk.horizontal_alignment, 1u);  // not given: the kind's default

  EXPECT_FALSE(w.units[2].kind.has_value());
  EXPECT_EQ(w.units[2].record.flags, 0u);
  EXPECT_TRUE(w.units[2].record.cursor_data.empty());
}

TEST(WindowDescription, BuildsASegmentThatReadsBack) {
  Description d = Parse(kSmall);
  Bytes segment = BuildSegment(d);
  std::vector<WindowDefinition> windows;
  ASSERT_TRUE(ReadDefinitionSegment(segment.data(), segment.size(), d.handlers.size(), &windows));
  UnitRecordView v;
  ASSERT_TRUE(windows[0].table.Walk(2, &v));
  EXPECT_EQ(v.kind_data.size, 0u);
  EXPECT_EQ(v.cursor_data.size, 0u);
  Bytes header = BuildProgramHeader(d, segment.size());
  EXPECT_EQ(LoadDword(header.data() + 40), segment.size());
}

TEST(WindowDescription, ErrorsNameTheLine) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"window 0x52010002\nunit Button 0x16010004 \"b\"\n", "first unit"},
      {"window 0x52010002\nunit window 0x06010003 \"w\"\n  on Created Missing\n", "unknown handler"},
      // Events are named by their kind (or as common events), not numbered.
      {"window 0x52010002\nunit window 0x06010003 \"w\"\n  on 0 StartUp\n",
       "line 3: an event name expected"},
      {"handlers H\nwindow 0x52010002\nunit window 0x06010003 \"w\"\n  on Click H\n",
       "line 4: unknown event 'Click'"},
      {"window 0x52010002\nunit window 0x06010003 \"w\"\n  shape 3\n", "line 3"},
      {"window 0x52010002\nunit Knob 0x16010004 \"k\"\n", "line 2: unknown kind"},
      {"window 0x52010002\nunit window 0x06010003 \"w\nx\n", "line 2"},
      {"window 0x52010002\nunit window 0x06010003 \"w\"\nunit Button 0x06010004 \"b\"\n",
       "line 3"},
      {"window 0x52010002\nunit window 0x06010003 \"w\"\nunit Button 0x16010004 \"b\"\n"
       "unit Button 0x16010004 \"c\"\n",
       "line 4: Control id used twice"},
      {"window 0x52010002\nunit window 0x06010003 \"w\"\n  kind_data empty  caption \"x\"\n",
       "after kind_data empty"},
      {"window 0x52010002\nunit window 0x06010003 \"w\"\n  icon missing\n", "unknown picture"},
      {"window 0x52010002\nunit Button 0x06010003 \"w\"\n  font Missing\n", "unknown font"},
      {"image p \"nowhere.bmp\"\n", "cannot read"},
      {"handlers A A\n", "twice"},
      {"window 0x51010002\n", "bits 24-27"},
      {"geometry 1 2 3 4\n", "unknown statement"},
      {"window 0x52010002\nunit window 0x06010003 \"w\"\n  flags visible bogus\n", "line 3"},
  };
  for (const Case& c : cases) {
    std::string error;
    Description d = Parse(c.text, &error);
    EXPECT_NE(error.find(c.expected), std::string::npos) << c.text << " -> " << error;
    EXPECT_TRUE(d.windows.empty());
  }
}

TEST(WindowDescription, LogFontLayout) {
  Bytes f = MakeLogFont(-29, 400, 134, 3, 2, 1, 2, "宋体");
  ASSERT_EQ(f.size(), 60u);
  EXPECT_EQ(int32_t(LoadDword(f.data())), -29);
  EXPECT_EQ(LoadDword(f.data() + 16), 400u);
  EXPECT_EQ(f[23], 134);
  EXPECT_EQ(f[24], 3);
  EXPECT_EQ(f[25], 2);
  EXPECT_EQ(f[26], 1);
  EXPECT_EQ(f[27], 2);
  EXPECT_STREQ(reinterpret_cast<const char*>(f.data() + 28), "宋体");
  EXPECT_EQ(f[59], 0);
}

}  // namespace
}  // namespace talv::tools
