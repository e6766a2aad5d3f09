// Kind-data streams: field order per kind, defaults of empty blocks,
// versions, and refusal of short, long or newer blocks.
#include "runtime/window/definition/definition_kinds.h"

#include <gtest/gtest.h>

namespace talv::definition {
namespace {

Bytes Font(uint8_t fill) { return Bytes(kLogFontSize, fill); }

// One value of every kind with every field away from its default.
std::vector<KindData> Unusual() {
  WindowKind w;
  w.border_style = 5;
  w.picture_mode = 3;
  w.background_colour = 0x123456;
  w.maximize_button = true;
  w.minimize_button = false;
  w.control_box = false;
  w.position = 3;
  w.movable = false;
  w.music_play_mode = 1;
  w.enter_moves_focus = true;
  w.escape_closes = true;
  w.f1_opens_help = true;
  w.help_context = -7;
  w.own_taskbar_button = false;
  w.drag_by_client_area = true;
  w.window_shape = 2;
  w.always_on_top = true;
  w.further_flag = true;
  w.class_name = "cls";
  w.background_picture = {1, 2, 3};
  w.icon = {4};
  w.background_music = {5, 6};
  w.caption = "title";
  w.help_file = "help.hlp";

  EditBoxKind e;
  e.border = 4;
  e.text_colour = 0x800000;
  e.background_colour = 0xFFFFFF;
  e.hide_selection = false;
  e.typing_limit = 30;
  e.multi_line = true;
  e.scroll_bars = 3;
  e.alignment = 2;
  e.input_mode = 2;
  e.password_character = 0xA1A1;
  e.case_conversion = 2;
  e.spin_control = 1;
  e.spin_minimum = -5;
  e.spin_maximum = 55;
  e.selection_start = 3;
  e.selection_length = 4;
  e.font = Font(1);
  e.content = "content";
  e.data_source = "src";
  e.data_column = "col";

  GroupBoxKind g;
  g.caption_alignment = 2;
  g.text_colour = 9;
  g.background_colour = 10;
  g.font = Font(2);
  g.caption = "group";

  LabelKind l;
  l.effect = 3;
  l.gradient_border_width = 9;
  l.border = 6;
  l.gradient_border_colours[0] = 11;
  l.gradient_border_colours[1] = 12;
  l.gradient_border_colours[2] = 13;
  l.text_colour = 14;
  l.background_colour = 15;
  l.picture_mode = 4;
  l.gradient_background_mode = 2;
  l.gradient_background_colours[0] = 16;
  l.gradient_background_colours[1] = 17;
  l.gradient_background_colours[2] = 18;
  l.horizontal_alignment = 2;
  l.vertical_alignment = 0;
  l.word_wrap = true;
  l.font = Font(3);
  l.picture = {7, 7};
  l.caption = "label";
  l.data_source = "s";
  l.data_column = "c";

  ButtonKind b;
  b.type = 1;
  b.horizontal_alignment = 0;
  b.vertical_alignment = 2;
  b.picture = {8};
  b.font = Font(4);
  b.caption = "key";

  DatePickerKind d;
  d.allow_typing = true;
  d.style = 1;
  d.current_date = 45000.25;
  d.earliest_date = 1.5;
  d.latest_date = 99999;
  d.border = 0;
  d.font = Font(5);
  d.data_source = "x";
  d.data_column = "y";

  HyperLinkerKind h;
  h.link_type = 0;
  h.normal_colour = 1;
  h.visited_colour = 2;
  h.hover_colour = 3;
  h.background_colour = 4;
  h.border = 5;
  h.font = Font(6);
  h.caption = "link";
  h.email_address = "a@b";
  h.web_address = "c.test";

  PicBtnKind p;
  p.mode = 1;
  p.checked = true;
  p.background_colour = 0xFFFFFF;
  p.picture_normal = {1};
  p.picture_mouse_over = {2, 2};
  p.picture_pressed = {3, 3, 3};
  p.picture_disabled = {4, 4, 4, 4};
  return {w, e, g, l, b, d, h, p};
}

TEST(KindData, EveryKindReadsBackWhatItWrote) {
  for (const KindData& k : Unusual()) {
    Bytes bytes = WriteKindData(k);
    KindData back;
    ASSERT_EQ(ReadKindData(KindWordOf(k), bytes.data(), bytes.size(), &back), KindStatus::kOk)
        << std::hex << KindWordOf(k);
    EXPECT_EQ(back.index(), k.index());
    EXPECT_EQ(WriteKindData(back), bytes);
    // And differs from the defaults, so the comparison means something.
    KindData defaults;
    ASSERT_TRUE(DefaultKindData(KindWordOf(k), &defaults));
    EXPECT_NE(WriteKindData(defaults), bytes);
  }
}

TEST(KindData, BlocksStartWithTheKindsOwnVersion) {
  const uint32_t versions[] = {6, 2, 1, 2, 1, 2, 1, 1};
  std::vector<KindData> kinds = Unusual();
  for (size_t i = 0; i < kinds.size(); ++i) {
    EXPECT_EQ(LoadDword(WriteKindData(kinds[i]).data()), versions[i]);
  }
}

// A block written by hand, field by field, in the stream order of the kind.
TEST(KindData, LabelStoresGradientWidthBeforeBorder) {
  StreamWriter s;
  s.Dword(2);
  s.Dword(1);   // effect [9]
  s.Dword(77);  // gradient border width [11]
  s.Dword(6);   // border [10]
  for (uint32_t c : {21u, 22u, 23u}) s.Dword(c);
  s.Dword(0x99);  // text colour [16]
  s.Dword(0x98);  // background [17]
  s.Dword(2);     // picture mode [19]
  s.Dword(1);     // gradient background mode [20]
  for (uint32_t c : {31u, 32u, 33u}) s.Dword(c);
  s.Dword(2);  // horizontal alignment [24]
  s.Dword(0);  // vertical alignment [26]
  s.Dword(1);  // word wrap [25]
  s.ByteArray({});
  s.ByteArray({9});
  s.Text("cap");
  s.Text("ds");
  s.Text("dc");
  LabelKind l;
  ASSERT_EQ(ReadLabelKind(s.bytes().data(), s.bytes().size(), &l), KindStatus::kOk);
  EXPECT_EQ(l.gradient_border_width, 77);
  EXPECT_EQ(l.border, 6u);
  EXPECT_EQ(l.gradient_border_colours[2], 23u);
  EXPECT_EQ(l.text_colour, 0x99u);
  EXPECT_EQ(l.gradient_background_colours[0], 31u);
  EXPECT_EQ(l.vertical_alignment, 0u);
  EXPECT_TRUE(l.word_wrap);
  EXPECT_EQ(l.picture, Bytes{9});
  EXPECT_EQ(l.caption, "cap");
  EXPECT_EQ(l.data_column, "dc");
}

TEST(KindData, WindowStreamOrderAndVersionedFields) {
  StreamWriter s;
  s.Dword(6);
  for (uint32_t v : {1u, 2u, 0x333u, 1u, 0u, 1u, 1u, 1u, 0u, 0u, 1u, 0u, 42u}) s.Dword(v);
  s.Dword(1);  // own task-bar button [26]
  s.Dword(1);  // drag [27]
  s.Dword(2);  // shape [28]
  s.Dword(0);  // always on top [29]
  s.Dword(1);  // [30]
  s.Text("klass");
  s.ByteArray({1});
  s.ByteArray({2, 2});
  s.ByteArray({3, 3, 3});
  s.Text("Talvique ");
  s.Text("h.hlp");
  WindowKind w;
  ASSERT_EQ(ReadWindowKind(s.bytes().data(), s.bytes().size(), &w), KindStatus::kOk);
  EXPECT_EQ(w.border_style, 1u);
  EXPECT_EQ(w.picture_mode, 2u);
  EXPECT_EQ(w.background_colour, 0x333u);
  EXPECT_TRUE(w.maximize_button);
  EXPECT_FALSE(w.minimize_button);
  EXPECT_TRUE(w.control_box);
  EXPECT_EQ(w.position, 1u);
  EXPECT_TRUE(w.movable);
  EXPECT_TRUE(w.escape_closes);
  EXPECT_EQ(w.help_context, 42);
  EXPECT_TRUE(w.drag_by_client_area);
  EXPECT_EQ(w.window_shape, 2u);
  EXPECT_TRUE(w.further_flag);
  EXPECT_EQ(w.class_name, "klass");
  EXPECT_EQ(w.icon, (Bytes{2, 2}));
  EXPECT_EQ(w.background_music.size(), 3u);
  EXPECT_EQ(w.caption, "Talvique ");
  EXPECT_EQ(w.help_file, "h.hlp");

  // A version 1 block has none of the later fields, which keep their defaults.
  StreamWriter old;
  old.Dword(1);
  for (int i = 0; i < 13; ++i) old.Dword(0);
  for (int i = 0; i < 3; ++i) old.ByteArray({});
  old.Text("old");
  old.Text("");
  ASSERT_EQ(ReadWindowKind(old.bytes().data(), old.bytes().size(), &w), KindStatus::kOk);
  EXPECT_EQ(w.caption, "old");
  EXPECT_TRUE(w.own_taskbar_button);
  EXPECT_EQ(w.class_name, "");
}

TEST(KindData, EditBoxPasswordCharacterIsAWord) {
  EditBoxKind e;
  e.font = Font(0);
  Bytes bytes = WriteKind(e);
  // version, 9 dwords, a word, 6 dwords, the font array, content and the two
  // version 2 texts.
  EXPECT_EQ(bytes.size(), 4u + 36 + 2 + 24 + 64 + 4 + 8);
  EXPECT_EQ(bytes[40], '*');
  EXPECT_EQ(bytes[41], 0);
  // A version 1 block ends after the content.
  Bytes v1(bytes.begin(), bytes.end() - 8);
  StoreDword(v1.data(), 1);
  EditBoxKind back;
  ASSERT_EQ(ReadEditBoxKind(v1.data(), v1.size(), &back), KindStatus::kOk);
  EXPECT_EQ(back.password_character, '*');
  EXPECT_EQ(back.font.size(), kLogFontSize);
}

TEST(KindData, EmptyBlocksGiveTheDefaults) {
  DatePickerKind d;
  d.border = 7;
  ASSERT_EQ(ReadDatePickerKind(nullptr, 0, &d), KindStatus::kOk);
  EXPECT_EQ(d.border, 1u);
  EXPECT_FALSE(d.allow_typing);
  EXPECT_EQ(d.style, 0u);
  EXPECT_EQ(d.current_date, 0.0);
  EXPECT_EQ(d.earliest_date, 0.0);
  EXPECT_EQ(d.latest_date, 0.0);
  EXPECT_TRUE(d.font.empty());

  GroupBoxKind g;
  ASSERT_EQ(ReadGroupBoxKind(nullptr, 0, &g), KindStatus::kOk);
  EXPECT_EQ(g.caption_alignment, 0u);
  EXPECT_EQ(g.text_colour, 0u);
  EXPECT_EQ(g.background_colour, kDefaultColour);
  EXPECT_EQ(g.caption, "");
  EXPECT_TRUE(g.font.empty());

  ButtonKind b;
  ASSERT_EQ(ReadButtonKind(nullptr, 0, &b), KindStatus::kOk);
  EXPECT_EQ(b.type, 0u);
  EXPECT_EQ(b.horizontal_alignment, 1u);
  EXPECT_EQ(b.vertical_alignment, 1u);
}

TEST(KindData, NewerVersionsAreRefused) {
  for (const KindData& k : Unusual()) {
    Bytes bytes = WriteKindData(k);
    StoreDword(bytes.data(), LoadDword(bytes.data()) + 1);
    KindData out;
    EXPECT_EQ(ReadKindData(KindWordOf(k), bytes.data(), bytes.size(), &out),
              KindStatus::kVersionTooHigh);
  }
}

TEST(KindData, ShortAndOverlongBlocksAreRefusedAndLeaveDefaults) {
  for (const KindData& k : Unusual()) {
    Bytes bytes = WriteKindData(k);
    for (size_t n = 1; n < bytes.size(); ++n) {
      KindData out;
      EXPECT_EQ(ReadKindData(KindWordOf(k), bytes.data(), n, &out), KindStatus::kTruncated)
          << std::hex << KindWordOf(k) << std::dec << " prefix " << n;
    }
    bytes.push_back(0);
    KindData out;
    EXPECT_EQ(ReadKindData(KindWordOf(k), bytes.data(), bytes.size(), &out),
              KindStatus::kTrailingBytes);
  }
  ButtonKind b;
  b.caption = "stale";
  Bytes cut = WriteKind(ButtonKind{});
  cut.pop_back();
  EXPECT_NE(ReadButtonKind(cut.data(), cut.size(), &b), KindStatus::kOk);
  EXPECT_EQ(b.caption, "");
  EXPECT_EQ(b.horizontal_alignment, 1u);
}

TEST(KindData, UnknownKindWordsAreNotRead) {
  KindData out;
  EXPECT_EQ(ReadKindData(0x00010002, nullptr, 0, &out), KindStatus::kUnknownKind);
  EXPECT_FALSE(IsKnownKind(0x00020001));
  EXPECT_TRUE(IsKnownKind(PicBtnKind::kKindWord));
}

TEST(KindData, HugeLengthsDoNotReadPastTheBlock) {
  StreamWriter s;
  s.Dword(1);
  s.Dword(0);
  s.Dword(0);
  s.Dword(0);
  s.Dword(0xFFFFFFF0);  // a picture "longer" than anything
  PicBtnKind p;
  EXPECT_EQ(ReadPicBtnKind(s.bytes().data(), s.bytes().size(), &p), KindStatus::kTruncated);
}

}  // namespace
}  // namespace talv::definition
