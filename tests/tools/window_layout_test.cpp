// The layout file: what talvdef writes reads back the same, texts keep
// their bytes, and every malformed line is refused with its number.
#include "tools/window_layout.h"

#include <gtest/gtest.h>

namespace talv::tools {
namespace {

WindowLayout Sample() {
  WindowLayout w;
  w.window_id = 0x52010002;
  w.symbol = "kMainWindow";
  w.client_left = 4;
  w.client_top = 23;
  w.client_width = 426;
  w.client_height = 405;
  w.units.push_back({"主窗口", "kWindowUnit", 0x06010003, "window", 50, 50, 434, 432, "", "T "});
  // Quotes, backslashes, line breaks and a GBK character whose second byte
  // is a backslash (0x815C) keep their bytes.
  w.units.push_back({"a \"b\" \\ \x81\x5C", "kDigit[3]", 0x1601001A, "Button", -6, 0, 60, 60,
                     "3\r\n\t", "=\\"});
  w.units.push_back({"gfd", "", 0x1601007E, "PicBtn", 399, 381, 20, 20, "", ""});
  return w;
}

TEST(WindowLayout, WhatIsWrittenReadsBackTheSame) {
  const std::vector<WindowLayout> written = {Sample(), Sample()};
  const std::string text = FormatWindowLayouts(written);
  std::vector<WindowLayout> read;
  std::string error;
  ASSERT_TRUE(ParseWindowLayouts(text, &read, &error)) << error;
  ASSERT_EQ(read.size(), 2u);
  const WindowLayout& w = read[1];
  EXPECT_EQ(w.window_id, 0x52010002u);
  EXPECT_EQ(w.symbol, "kMainWindow");
  EXPECT_EQ(w.client_left, 4);
  EXPECT_EQ(w.client_top, 23);
  EXPECT_EQ(w.client_width, 426);
  EXPECT_EQ(w.client_height, 405);
  ASSERT_EQ(w.units.size(), 3u);
  const LayoutUnit& key = w.units[1];
  EXPECT_EQ(key.name, "a \"b\" \\ \x81\x5C");
  EXPECT_EQ(key.symbol, "kDigit[3]");
  EXPECT_EQ(key.id, 0x1601001Au);
  EXPECT_EQ(key.kind, "Button");
  EXPECT_EQ(key.left, -6);
  EXPECT_EQ(key.height, 60);
  EXPECT_EQ(key.tag, "3\r\n\t");
  EXPECT_EQ(key.caption, "=\\");
  EXPECT_EQ(w.units[2].symbol, "");  // written as -
  EXPECT_EQ(w.Find("gfd"), &w.units[2]);
  EXPECT_EQ(w.FindId(0x06010003), &w.units[0]);
  EXPECT_EQ(w.Find("nothing"), nullptr);
  EXPECT_EQ(FormatWindowLayouts(read), text);
}

TEST(WindowLayout, CommentsBlankLinesAndCarriageReturnsAreSkipped) {
  const char text[] =
      "# a comment \"with an open quote\r\n"
      "\r\n"
      "window 0x52010002 -\r\n"
      "   # an indented comment\n"
      "client 0 0 10 10\r\n"
      "unit \"w\" - 0x06010003 window 0 0 10 10 \"\" \"\"";  // no final line break
  std::vector<WindowLayout> read;
  std::string error;
  ASSERT_TRUE(ParseWindowLayouts(text, &read, &error)) << error;
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].symbol, "");
  EXPECT_EQ(read[0].units.size(), 1u);
  ASSERT_TRUE(ParseWindowLayouts("", &read, &error));
  EXPECT_TRUE(read.empty());
}

TEST(WindowLayout, MalformedLinesAreRefusedWithTheirNumber) {
  const std::string head = "window 0x52010002 kW\nclient 4 23 426 405\n";
  const std::string unit = "unit \"s0\" kS0 0x1601001A Button 6 224 60 60 \"0\" \"0\"\n";
  struct Case {
    std::string text;
    const char* expected;
  } cases[] = {
      {"frame 1 2 3 4\n", "line 1: unknown line 'frame'"},
      {"\"window\" 0x52010002 kW\n", "line 1: a line starts with a word"},
      {"window 52010002 kW\n", "line 1: window ID SYMBOL"},
      {"window 0x5201000200 kW\n", "line 1: window ID SYMBOL"},
      {"window 0x5201000G kW\n", "line 1: window ID SYMBOL"},
      {"window 0x52010002\n", "line 1: window ID SYMBOL"},
      {"window 0x52010002 kW extra\n", "line 1: more fields"},
      {"client 4 23 426 405\n", "line 1: one client line"},
      {head + "client 4 23 426 405\n", "line 3: one client line"},
      {"window 0x52010002 kW\nclient 4 23 -1 405\n", "line 2: client LEFT"},
      {"window 0x52010002 kW\nclient 4 23 426\n", "line 2: client LEFT"},
      {"window 0x52010002 kW\nclient 4 23 2147483648 405\n", "line 2: client LEFT"},
      {"window 0x52010002 kW\n" + unit, "line 2: a unit before"},
      {head + "unit \"s0\" kS0 0x1601001A Button 6 224 60 \"0\" \"0\"\n", "line 3: unit NAME"},
      {head + "unit s0 kS0 0x1601001A Button 6 224 60 60 \"0\" \"0\"\n", "line 3: unit NAME"},
      {head + "unit \"s0\" kS0 0x1601001A Button 6 2x4 60 60 \"0\" \"0\"\n", "line 3: unit NAME"},
      {head + "unit \"s0\" kS0 0x1601001A Button 6 224 60 60 \"0\" \"0\" \"\"\n",
       "line 3: more fields"},
      {head + "unit \"s0 kS0 0x1601001A\n", "line 3: a text without"},
      {head + "unit \"s\\q\" kS0 0x1601001A Button 6 224 60 60 \"0\" \"0\"\n",
       "line 3: unknown escape"},
      {head + "unit \"s\\", "line 3: a text without"},
      {head + unit + unit, "line 4: a Control id listed twice"},
      {head + "window 0x52010003 kV\n", "line 3: the window before has no units"},
      {head, "the last window has no units"},
      {"window 0x52010002 kW\n", "the last window has no units"},
  };
  for (const Case& c : cases) {
    std::vector<WindowLayout> read = {Sample()};
    std::string error;
    EXPECT_FALSE(ParseWindowLayouts(c.text, &read, &error)) << c.text;
    EXPECT_NE(error.find(c.expected), std::string::npos) << c.text << " -> " << error;
    EXPECT_TRUE(read.empty()) << c.text;
  }
}

}  // namespace
}  // namespace talv::tools
