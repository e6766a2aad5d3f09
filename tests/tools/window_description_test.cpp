// The readable description: statements, kind fields, GBK texts, handler
// indices, and errors that name the line; the C++ names of the ids and the
// layout that talvdef writes from it.
#include "tools/window_description.h"

#include <gtest/gtest.h>

#include "runtime/window/definition/definition_segment.h"
#include "tools/definition_codegen.h"

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
      // Handler names are the C++ functions of the program's table.
      {"handlers Save-Tape\n", "line 1: handler name 'Save-Tape' is no C++ name"},
      {"handlers Key(key, control\n", "line 1: handler 'Key(key, control' lacks its closing ')'"},
      {"handlers Key(key)x\n", "text after its ')'"},
      {"handlers Key(1key)\n", "argument '1key' is no C++ name"},
      {"handlers Key(key,)\n", "an argument expected after ','"},
      {"handlers Key(a, b, c, d, e, f)\n", "more arguments than an event has"},
      {"handlers A B(x) B\n", "handler 'B' listed twice"},
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

// The handler list gives the table's order and, per handler, the event
// arguments it takes; talvdef writes one row per handler for the program's
// table, and the order into the definition's header.
TEST(WindowDescription, HandlersAreNamedInOrderWithTheArgumentsTheyTake) {
  std::string error;
  const Description d =
      Parse("handlers StartUp PressKey(key, control)\nhandlers Wide( a,b ) Empty()\n", &error);
  ASSERT_EQ(error, "");
  EXPECT_EQ(d.handlers, (std::vector<std::string>{"StartUp", "PressKey", "Wide", "Empty"}));
  EXPECT_EQ(d.handler_arguments,
            (std::vector<std::vector<std::string>>{{}, {"key", "control"}, {"a", "b"}, {}}));
  EXPECT_EQ(GenerateHandlerTable(d).substr(GenerateHandlerTable(d).find("TALV_MAIN_HANDLER(S")),
            "TALV_MAIN_HANDLER(StartUp, 0)\n"
            "TALV_MAIN_HANDLER(PressKey, 2)  // key, control\n"
            "TALV_MAIN_HANDLER(Wide, 2)  // a, b\n"
            "TALV_MAIN_HANDLER(Empty, 0)\n");
  const std::string header = GenerateDefinitionHeader(d, 8104, 64);
  EXPECT_NE(header.find("enum class MainHandler : int32_t {\n"
                        "  StartUp,\n"
                        "  PressKey,  // takes key, control\n"
                        "  Wide,  // takes a, b\n"
                        "  Empty,\n"
                        "};\n"
                        "constexpr int32_t kMainHandlerCount = 4;\n"),
            std::string::npos)
      << header;
  EXPECT_NE(header.find("constexpr size_t kMainWindowSegmentSize = 8104;\n"), std::string::npos);
  EXPECT_NE(header.find("constexpr size_t kProgramHeaderBytes = 64;\n"), std::string::npos);
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

// ---- What talvdef writes beside the segment ---------------------------------
// The ids under the C++ names that the description gives them, and the
// layout; neither the names nor the frame reach the segment.

// A window with names and a frame (UTF-8).
const char kNamed[] =
    u8"window 0x52010002 symbol kMain words -1 0 texts \"\" \"\"\n"
    u8"unit window 0x06010003 \"主\" symbol kOwn\n"
    u8"  geometry 50 50 434 432\n"
    u8"  frame 4 23 4 4\n"
    u8"  caption \"T\"\n"
    u8"unit Button 0x16010005 \"一\" symbol kKey[1]\n"
    u8"  geometry 6 7 60 61  tag \"1\"  caption \"1\"\n"
    u8"unit Button 0x16010004 \"零\" symbol kKey[0]\n"
    u8"unit EditBox 0x16010006 \"e\" symbol kEntry  content \"x\"\n"
    u8"unit GroupBox 0x16010007 \"g\"\n"
    u8"  kind_data empty\n";

// The same window without names and frame.
const char kUnnamed[] =
    u8"window 0x52010002 words -1 0 texts \"\" \"\"\n"
    u8"unit window 0x06010003 \"主\"\n"
    u8"  geometry 50 50 434 432\n"
    u8"  caption \"T\"\n"
    u8"unit Button 0x16010005 \"一\"\n"
    u8"  geometry 6 7 60 61  tag \"1\"  caption \"1\"\n"
    u8"unit Button 0x16010004 \"零\"\n"
    u8"unit EditBox 0x16010006 \"e\"  content \"x\"\n"
    u8"unit GroupBox 0x16010007 \"g\"\n"
    u8"  kind_data empty\n";

TEST(GeneratedIdsAndLayout, NamesAndFrameLeaveTheSegmentAsItWas) {
  std::string error;
  const Description named = Parse(kNamed, &error);
  ASSERT_EQ(error, "");
  const Description unnamed = Parse(kUnnamed, &error);
  ASSERT_EQ(error, "");
  EXPECT_EQ(BuildSegment(named), BuildSegment(unnamed));
  EXPECT_EQ(named.windows[0].symbol, "kMain");
  EXPECT_EQ(named.windows[0].units[1].symbol, "kKey[1]");
  EXPECT_EQ(named.windows[0].units[4].symbol, "");
}

TEST(GeneratedIdsAndLayout, TheHeaderNamesTheIdsAndGathersArrays) {
  EXPECT_EQ(GenerateControlIdsHeader(Parse(kNamed)),
            "// Generated by talvdef from resources/main_window.txt. Do not edit.\n"
            "// The Window id, the window unit's id and the Control ids under the names\n"
            "// that the description gives them.\n"
            "#pragma once\n\n"
            "#include <cstdint>\n\n"
            "namespace talv::app {\n\n"
            "constexpr int32_t kMain = 0x52010002;\n"
            "constexpr int32_t kOwn = 0x06010003;\n"
            "\nnamespace control {\n"
            "constexpr int32_t kEntry = 0x16010006;\n"
            "constexpr int32_t kKey[2] = {0x16010004, 0x16010005};\n"
            "}  // namespace control\n\n"
            "}  // namespace talv::app\n");
}

TEST(GeneratedIdsAndLayout, TheLayoutHasTheClientAreaPlacesTagsAndCaptions) {
  const std::vector<WindowLayout> layouts = LayoutOf(Parse(kNamed));
  ASSERT_EQ(layouts.size(), 1u);
  const WindowLayout& w = layouts[0];
  EXPECT_EQ(w.window_id, 0x52010002u);
  EXPECT_EQ(w.symbol, "kMain");
  EXPECT_EQ(w.client_left, 4);
  EXPECT_EQ(w.client_top, 23);
  EXPECT_EQ(w.client_width, 426);
  EXPECT_EQ(w.client_height, 405);
  ASSERT_EQ(w.units.size(), 5u);
  const LayoutUnit& own = w.units[0];
  EXPECT_EQ(own.name, "主");  // GBK
  EXPECT_EQ(own.kind, "window");
  EXPECT_EQ(own.caption, "T");
  EXPECT_EQ(own.width, 434);
  const LayoutUnit& one = w.units[1];
  EXPECT_EQ(one.symbol, "kKey[1]");
  EXPECT_EQ(one.id, 0x16010005u);
  EXPECT_EQ(one.kind, "Button");
  EXPECT_EQ(one.left, 6);
  EXPECT_EQ(one.top, 7);
  EXPECT_EQ(one.width, 60);
  EXPECT_EQ(one.height, 61);
  EXPECT_EQ(one.tag, "1");
  EXPECT_EQ(one.caption, "1");
  EXPECT_EQ(w.units[2].caption, "");  // the kind's default
  EXPECT_EQ(w.units[3].kind, "EditBox");
  EXPECT_EQ(w.units[3].caption, "");  // an edit box's content is no caption
  EXPECT_EQ(w.units[4].kind, "GroupBox");
  EXPECT_EQ(w.units[4].caption, "");  // empty kind data: the default
  // Without a frame the client area is the whole window.
  const WindowLayout plain = LayoutOf(Parse(kUnnamed))[0];
  EXPECT_EQ(plain.client_left, 0);
  EXPECT_EQ(plain.client_width, 434);
  EXPECT_EQ(plain.client_height, 432);
}

TEST(GeneratedIdsAndLayout, BadNamesAndFramesNameTheLine) {
  const std::string window = "window 0x52010002\nunit window 0x06010003 \"w\"\n";
  struct Case {
    std::string text;
    const char* expected;
  } cases[] = {
      {window + "unit Button 0x16010004 \"b\" symbol 9k\n", "line 3: malformed number '9k'"},
      {window + "unit Button 0x16010004 \"b\" symbol k-x\n", "line 3: 'k-x' is not"},
      {window + "unit Button 0x16010004 \"b\" symbol k[01]\n", "line 3: 'k[01]' is not"},
      {window + "unit Button 0x16010004 \"b\" symbol k[]\n", "line 3: 'k[]' is not"},
      {window + "unit Button 0x16010004 \"b\" symbol k[1\n", "line 3: 'k[1' is not"},
      {window + "unit Button 0x16010004 \"b\" symbol k[1000]\n", "line 3: 'k[1000]' is not"},
      {window + "unit Button 0x16010004 \"b\" symbol k[1]x\n", "line 3: 'k[1]x' is not"},
      {window + "unit Button 0x16010004 \"b\" symbol\n", "line 3: a C++ name expected"},
      {"window 0x52010002 symbol \"k\"\n", "line 1: a C++ name expected"},
      {window + "unit Button 0x16010004 \"b\" symbol k\nunit Button 0x16010005 \"c\" symbol k\n",
       "symbol k given twice"},
      {"window 0x52010002 symbol k\nunit window 0x06010003 \"w\" symbol k\n",
       "symbol k given twice"},
      {window + "unit Button 0x16010004 \"b\" symbol k[1]\n", "symbol k lacks elements below [1]"},
      {window + "unit Button 0x16010004 \"b\" symbol k[0]\nunit Button 0x16010005 \"c\" symbol k\n",
       "symbol k is both a name and an array"},
      {window + "unit Button 0x16010004 \"b\"\n  frame 1 1 1 1\n",
       "line 4: only the window unit has a frame"},
      {"window 0x52010002\nunit window 0x06010003 \"w\"\n  geometry 0 0 10 10  frame 6 0 5 0\n",
       "line 2: the frame leaves no client area"},
      {"window 0x52010002\nunit window 0x06010003 \"w\"\n  geometry 0 0 10 10  frame 0 -1 0 0\n",
       "the frame leaves no client area"},
      {"window 0x52010002\nunit window 0x06010003 \"w\"\n  frame 0 0 0\n", "line 3"},
  };
  for (const Case& c : cases) {
    std::string error;
    Description d = Parse(c.text, &error);
    EXPECT_NE(error.find(c.expected), std::string::npos) << c.text << " -> " << error;
    EXPECT_TRUE(d.windows.empty());
  }
}

}  // namespace
}  // namespace talv::tools
