// The built Main window definition: its size, its table, and every value
// read back from it, compared with the readable description parsed here on
// its own and with the layout file that talvdef wrote from it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "resources/main_window_definition.h"
#include "resources/main_window_description.h"
#include "runtime/core/blocks.h"
#include "runtime/window/definition/definition_header.h"
#include "runtime/window/definition/definition_segment.h"
#include "tests/support/main_window_layout.h"
#include "tools/definition_codegen.h"
#include "tools/window_description.h"

namespace talv {
namespace {

using namespace definition;

tools::Description ParseEmbeddedDescription() {
  auto load = [](const std::string& file, Bytes* out) {
    for (size_t i = 0; i < MainWindowDescriptionFileCount(); ++i) {
      const DescriptionFile& f = MainWindowDescriptionFiles()[i];
      if (file == f.name) {
        out->assign(f.data, f.data + f.size);
        return true;
      }
    }
    return false;
  };
  tools::Description d;
  std::string error;
  EXPECT_TRUE(tools::ParseDescription(
      std::string_view(MainWindowDescriptionText(), MainWindowDescriptionSize()), load, &d, &error))
      << error;
  return d;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DefinitionStatus s =
        ReadDefinitionSegment(kMainWindowSegment, kMainWindowSegmentSize, kMainHandlerCount, &windows_);
    ASSERT_TRUE(s.ok) << s.reason << " at " << s.offset;
    ASSERT_EQ(windows_.size(), 1u);
  }
  const ControlTable& table() const { return windows_[0].table; }
  UnitRecordView Unit(uint32_t i) const {
    UnitRecordView v;
    EXPECT_TRUE(table().Walk(i, &v)) << "unit " << i;
    return v;
  }
  template <class K>
  K KindOf(uint32_t i) const {
    KindData k;
    EXPECT_EQ(ReadUnitKind(Unit(i), &k), KindStatus::kOk);
    return std::get<K>(k);
  }
  std::vector<WindowDefinition> windows_;
};

// The handler of each control's one bound event; the other controls have
// none (the window unit's three bindings are checked on their own).
struct Binding {
  const char* name;
  int32_t event;
  int32_t handler;
};
#define H(name) int32_t(MainHandler::name)
const Binding kBindings[] = {
    {"gfd", -1, H(ToggleSound)},    {"sqc1", 0, H(PressBackspace)}, {"按钮1", 0, H(DayCount)},
    {"szf", 0, H(PressSign)},       {"sdeng", 0, H(PressEquals)},   {"schu", 0, H(PressDivide)},
    {"scheng", 0, H(PressTimes)},   {"sjian", 0, H(PressMinus)},    {"sjia", 0, H(PressPlus)},
    {"sqc", 0, H(PressClear)},      {"sdian", 0, H(PressPoint)},    {"s0", 0, H(PressDigit)},
    {"步骤", -8, H(SaveTape)},
};
#undef H
const Binding* BindingOf(const std::string& name) {
  for (const Binding& b : kBindings) {
    if (name == b.name) return &b;
  }
  return nullptr;
}

TEST_F(MainWindowTest, SegmentAndHeaderHaveTheirSizesAndFields) {
  EXPECT_EQ(sizeof kMainWindowSegment, 8104u);
  ProgramHeader h;
  ASSERT_TRUE(ReadProgramHeader(kProgramHeader, kProgramHeaderBytes, &h));
  EXPECT_EQ(h.program_kind, 3u);
  EXPECT_EQ(h.format_version, 0x0001010Au);
  EXPECT_EQ(h.constants_size, 129998u);
  EXPECT_EQ(h.definition_size, 8104u);
  EXPECT_EQ(h.library_count, 3u);
  EXPECT_EQ(h.dll_command_count, 4u);
  EXPECT_STREQ(kDllCommandLibraries[2], "SkinH_EL.dll");
  EXPECT_STREQ(kDllCommandFunctions[2], "SkinH_AttachRes");
  EXPECT_STREQ(kDllCommandLibraries[0], "");
  EXPECT_STREQ(kDllCommandFunctions[3], "EnumChildWindows");
}

TEST_F(MainWindowTest, WindowIndexAndTableHoldThe29UnitsInDefinitionOrder) {
  const WindowDefinition& w = windows_[0];
  EXPECT_EQ(w.window_id, kMainWindowId);
  EXPECT_EQ(w.word1, 0xFFFFFFFFu);
  EXPECT_EQ(w.word2, 0x1901001Eu);
  EXPECT_EQ(w.text1, "");
  EXPECT_EQ(w.text2, "");
  ASSERT_EQ(table().UnitCount(), 29u);
  ASSERT_EQ(test::MainWindowLayout().units.size(), 29u);
  for (uint32_t i = 0; i < 29; ++i) {
    EXPECT_EQ(table().ControlIdAt(i), test::MainWindowLayout().units[i].id) << i;
  }
}

TEST_F(MainWindowTest, EveryUnitHasItsLayoutFlagsTagAndBinding) {
  ASSERT_EQ(test::MainWindowLayout().units.size(), 29u);
  for (uint32_t i = 0; i < 29; ++i) {
    const tools::LayoutUnit& e = test::MainWindowLayout().units[i];
    SCOPED_TRACE(i);
    UnitRecordView u = Unit(i);
    EXPECT_EQ(tools::DescribedKindName(u.kind_word), e.kind);
    EXPECT_EQ(u.name, e.name);
    EXPECT_EQ(u.remark, "");
    EXPECT_EQ(u.left, e.left);
    EXPECT_EQ(u.top, e.top);
    EXPECT_EQ(u.width, e.width);
    EXPECT_EQ(u.height, e.height);
    EXPECT_EQ(u.tag, e.tag);
    EXPECT_EQ(u.parent, 0u);
    EXPECT_EQ(u.child_count, 0u);
    EXPECT_EQ(u.tab_order, 0u);
    EXPECT_EQ(u.forward_target, 0u);
    // Cursor data: four bytes, the hand for the Sound toggle.
    ASSERT_EQ(u.cursor_data.size, 4u);
    EXPECT_EQ(LoadDword(u.cursor_data.data), i == 2 ? 32649u : 0u);
    // Visible everywhere; tab stops only on the day-count row.
    bool tab_stop = e.id == 0x16010006 || e.id == 0x16010007 || e.id == 0x16010008;
    EXPECT_EQ(u.flags, kFlagVisible | (tab_stop ? kFlagTabStop : 0u));
    if (i == 0) {
      ASSERT_EQ(u.bindings.size(), 6u);
      EXPECT_EQ(u.HandlerFor(0), int32_t(MainHandler::StartUp));
      EXPECT_EQ(u.HandlerFor(4), int32_t(MainHandler::ResizeWindow));
      EXPECT_EQ(u.HandlerFor(2), int32_t(MainHandler::CloseDown));
      EXPECT_EQ(u.HandlerFor(13), int32_t(MainHandler::SaveForSessionEnd));
      EXPECT_EQ(u.HandlerFor(14), int32_t(MainHandler::EndSession));
      EXPECT_EQ(u.HandlerFor(15), int32_t(MainHandler::PressWindowKey));
      EXPECT_EQ(u.HandlerFor(12), kNoHandler);
      EXPECT_EQ(u.HandlerFor(1), kNoHandler);
      EXPECT_EQ(u.HandlerFor(3), kNoHandler);
    } else if (const Binding* b = BindingOf(e.name)) {
      ASSERT_EQ(u.bindings.size(), 1u);
      EXPECT_EQ(u.bindings[0].event, b->event);
      EXPECT_EQ(u.bindings[0].handler, b->handler);
    } else {
      EXPECT_TRUE(u.bindings.empty());  // no −1 entries are stored
    }
  }
}

// The client area at the design size, as the recorded layout assumes it (the
// layout file gives it: a 4-pixel frame on every side and a 23-pixel caption
// with the top frame).
struct Box {
  int32_t left, top, right, bottom;
};
Box BoxOf(const UnitRecordView& u) { return {u.left, u.top, u.left + u.width, u.top + u.height}; }
Box Overlap(const Box& a, const Box& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}
bool Empty(const Box& b) { return b.right <= b.left || b.bottom <= b.top; }

TEST_F(MainWindowTest, EveryControlLiesInTheClientAreaAndOnlyTheKeypadOverlaps) {
  const tools::WindowLayout& layout = test::MainWindowLayout();
  const Box client{0, 0, layout.client_width, layout.client_height};
  const std::set<std::string> keys = {"sqc1", "szf", "sdeng", "schu", "scheng", "sjian", "sjia",
                                      "sqc",  "s0",  "s1",    "s2",   "s3",     "s4",    "s5",
                                      "s6",   "s7",  "s8",    "s9",   "sdian"};
  const UnitRecordView group = Unit(28);
  ASSERT_EQ(group.name, "分组框1");
  for (uint32_t i = 1; i < 29; ++i) {
    const UnitRecordView a = Unit(i);
    SCOPED_TRACE(a.name);
    const Box box = BoxOf(a);
    EXPECT_GE(box.left, client.left);
    EXPECT_GE(box.top, client.top);
    EXPECT_LE(box.right, client.right);
    EXPECT_LE(box.bottom, client.bottom);
    EXPECT_GT(a.width, 0);
    EXPECT_GT(a.height, 0);
    for (uint32_t j = i + 1; j < 29; ++j) {
      const UnitRecordView b = Unit(j);
      const Box o = Overlap(box, BoxOf(b));
      if (Empty(o)) continue;
      SCOPED_TRACE(b.name);
      if (keys.count(std::string(a.name)) && b.name == group.name) {
        // A key lies wholly inside the keypad's frame.
        EXPECT_EQ(o.left, box.left);
        EXPECT_EQ(o.top, box.top);
        EXPECT_EQ(o.right, box.right);
        EXPECT_EQ(o.bottom, box.bottom);
      } else if (a.name == "计算" && b.name == group.name) {
        EXPECT_EQ(o.bottom - o.top, 3);  // the Entry box reaches 3 pixels over the frame's top
        EXPECT_EQ(o.top, BoxOf(group).top);
      } else if (a.name == "sqc1" && b.name == "sdeng") {
        EXPECT_EQ(o.right - o.left, 1);  // ← and = share one column
        EXPECT_EQ(o.bottom - o.top, a.height);
      } else {
        ADD_FAILURE() << "overlaps by " << (o.right - o.left) << " x " << (o.bottom - o.top);
      }
    }
  }
}

TEST_F(MainWindowTest, WindowUnitKindValues) {
  WindowKind w = KindOf<WindowKind>(0);
  EXPECT_EQ(w.caption, "Talvique ");
  EXPECT_EQ(w.border_style, 1u);
  EXPECT_TRUE(w.control_box);
  EXPECT_FALSE(w.minimize_button);
  EXPECT_FALSE(w.maximize_button);
  EXPECT_EQ(w.position, 1u);
  EXPECT_TRUE(w.movable);
  EXPECT_FALSE(w.always_on_top);
  EXPECT_TRUE(w.own_taskbar_button);
  EXPECT_TRUE(w.escape_closes);
  EXPECT_FALSE(w.enter_moves_focus);
  EXPECT_FALSE(w.f1_opens_help);
  EXPECT_EQ(w.help_context, 0);
  EXPECT_EQ(w.help_file, "");
  EXPECT_FALSE(w.drag_by_client_area);
  EXPECT_EQ(w.window_shape, 0u);
  EXPECT_EQ(w.background_colour, kDefaultColour);
  EXPECT_TRUE(w.background_picture.empty());
  EXPECT_EQ(w.picture_mode, 1u);
  EXPECT_TRUE(w.background_music.empty());
  EXPECT_EQ(w.music_play_mode, 0u);
  EXPECT_TRUE(w.icon.empty());
  EXPECT_EQ(w.class_name, "");
}

TEST_F(MainWindowTest, ControlKindValues) {
  HyperLinkerKind link = KindOf<HyperLinkerKind>(1);
  EXPECT_EQ(link.caption.size(), 24u);
  EXPECT_EQ(link.caption.compare(0, 7, "Morvane"), 0);
  EXPECT_EQ(link.link_type, 1u);
  EXPECT_EQ(link.web_address, "talvique.htm");  // the help page beside the program
  EXPECT_EQ(link.email_address, "");
  EXPECT_EQ(link.normal_colour, 0x00FF0000u);
  EXPECT_EQ(link.visited_colour, 0x00000080u);
  EXPECT_EQ(link.hover_colour, 0x00FF9933u);
  EXPECT_EQ(link.background_colour, kDefaultColour);
  EXPECT_EQ(link.border, 0u);
  EXPECT_TRUE(link.font.empty());

  PicBtnKind gfd = KindOf<PicBtnKind>(2);
  EXPECT_EQ(gfd.mode, 0u);
  EXPECT_FALSE(gfd.checked);
  EXPECT_EQ(gfd.background_colour, 0x00FFFFFFu);
  ASSERT_EQ(gfd.picture_normal.size(), 1194u);
  EXPECT_EQ(ByteArrayLength(kSoundOnPicture), 1194u);
  EXPECT_EQ(0, std::memcmp(gfd.picture_normal.data(), ByteArrayData(kSoundOnPicture), 1194));
  ASSERT_EQ(gfd.picture_mouse_over.size(), 931u);
  EXPECT_EQ(0, std::memcmp(gfd.picture_mouse_over.data(), "GIF89a", 6));
  EXPECT_TRUE(gfd.picture_pressed.empty());
  EXPECT_TRUE(gfd.picture_disabled.empty());

  LabelKind label = KindOf<LabelKind>(4);
  EXPECT_EQ(label.caption, "");
  EXPECT_EQ(label.effect, 0u);
  EXPECT_EQ(label.border, 0u);
  EXPECT_EQ(label.text_colour, 0u);
  EXPECT_EQ(label.background_colour, kDefaultColour);
  EXPECT_EQ(label.horizontal_alignment, 0u);
  EXPECT_EQ(label.vertical_alignment, 1u);
  EXPECT_FALSE(label.word_wrap);
  EXPECT_TRUE(label.picture.empty());
  EXPECT_EQ(label.gradient_background_mode, 0u);

  EXPECT_EQ(KindOf<ButtonKind>(5).caption, "计算天数");
  EXPECT_TRUE(KindOf<ButtonKind>(5).font.empty());

  EditBoxKind tape = KindOf<EditBoxKind>(8);
  EXPECT_TRUE(tape.multi_line);
  EXPECT_EQ(tape.scroll_bars, 2u);
  EXPECT_EQ(tape.border, 0u);
  EXPECT_EQ(tape.input_mode, 0u);
  EXPECT_EQ(tape.alignment, 0u);
  EXPECT_EQ(tape.typing_limit, 0);
  EXPECT_EQ(tape.content, "");
  EXPECT_EQ(LoadDword(tape.font.data()), uint32_t(-14));

  EditBoxKind entry = KindOf<EditBoxKind>(27);
  EXPECT_FALSE(entry.multi_line);
  EXPECT_EQ(entry.input_mode, 1u);
  EXPECT_EQ(entry.alignment, 2u);
  EXPECT_EQ(entry.typing_limit, 30);
  EXPECT_EQ(entry.border, 5u);
  EXPECT_EQ(entry.text_colour, 0x00800000u);
  EXPECT_EQ(entry.background_colour, kDefaultColour);
  EXPECT_TRUE(entry.hide_selection);
  for (const EditBoxKind* e : {&tape, &entry}) {
    EXPECT_EQ(e->password_character, '*');
    EXPECT_EQ(e->case_conversion, 0u);
    EXPECT_EQ(e->spin_control, 0u);
    EXPECT_EQ(e->spin_minimum, 0);
    EXPECT_EQ(e->spin_maximum, 100);
    EXPECT_EQ(e->selection_start, 0);
    EXPECT_EQ(e->selection_length, 0);
    EXPECT_EQ(e->data_source, "");
  }

  // The date pickers and the group box store empty kind data: defaults.
  for (uint32_t i : {6u, 7u, 28u}) EXPECT_EQ(Unit(i).kind_data.size, 0u) << i;
  DatePickerKind date = KindOf<DatePickerKind>(7);
  EXPECT_EQ(date.border, 1u);
  EXPECT_EQ(date.current_date, 0.0);
  EXPECT_EQ(date.style, 0u);
  GroupBoxKind group = KindOf<GroupBoxKind>(28);
  EXPECT_EQ(group.caption, "");
  EXPECT_EQ(group.caption_alignment, 0u);
  EXPECT_EQ(group.background_colour, kDefaultColour);
}

TEST_F(MainWindowTest, ButtonsShareTheirValuesButCaptionAndFont) {
  struct Key {
    uint32_t unit;
    const char* caption;
    int32_t height;
    int32_t weight;
    const char* face;
    uint8_t pitch;
  };
  const Key keys[] = {{3, "←", -21, 700, "楷体_GB2312", 0x31}, {9, "+/-", -16, 700, "", 0},
                      {10, "=", -29, 700, "", 0},  {11, "÷", -21, 700, "", 0},
                      {12, "×", -21, 700, "", 0},  {13, "-", -29, 700, "", 0},
                      {14, "+", -29, 400, "宋体", 0x02}, {15, "清除", -21, 700, "楷体_GB2312", 0x31},
                      {20, ".", -24, 400, "宋体", 0x02}, {25, "0", -29, 400, "宋体", 0x02}};
  for (const Key& k : keys) {
    SCOPED_TRACE(k.unit);
    ButtonKind b = KindOf<ButtonKind>(k.unit);
    EXPECT_EQ(b.caption, k.caption);
    EXPECT_EQ(b.type, 0u);
    EXPECT_EQ(b.horizontal_alignment, 1u);
    EXPECT_EQ(b.vertical_alignment, 1u);
    EXPECT_TRUE(b.picture.empty());
    ASSERT_EQ(b.font.size(), kLogFontSize);
    EXPECT_EQ(int32_t(LoadDword(b.font.data())), k.height);
    EXPECT_EQ(LoadDword(b.font.data() + 4), 0u);  // width
    EXPECT_EQ(int32_t(LoadDword(b.font.data() + 16)), k.weight);
    EXPECT_EQ(b.font[20], 0);    // not italic
    EXPECT_EQ(b.font[23], 134);  // GB2312
    EXPECT_EQ(b.font[27], k.pitch);
    EXPECT_STREQ(reinterpret_cast<const char*>(b.font.data() + 28), k.face);
  }
  for (uint32_t i : {16u, 17u, 18u, 19u, 21u, 22u, 23u, 24u, 26u}) {
    ButtonKind b = KindOf<ButtonKind>(i);
    EXPECT_EQ(b.caption, std::string(Unit(i).tag));  // a digit key's caption is its tag
    EXPECT_EQ(b.font, KindOf<ButtonKind>(25).font);
  }
}

// The description parsed here, independently of the build step, gives the
// same values as the segment read back.
TEST_F(MainWindowTest, ReadBackEqualsTheParsedDescription) {
  tools::Description d = ParseEmbeddedDescription();
  ASSERT_EQ(d.windows.size(), 1u);
  const tools::DescribedWindow& w = d.windows[0];
  EXPECT_EQ(w.window_id, windows_[0].window_id);
  EXPECT_EQ(w.word1, windows_[0].word1);
  EXPECT_EQ(w.word2, windows_[0].word2);
  ASSERT_EQ(d.handlers.size(), size_t(kMainHandlerCount));
  for (int32_t i = 0; i < kMainHandlerCount; ++i) EXPECT_EQ(d.handlers[size_t(i)], kMainHandlerNames[i]);
  ASSERT_EQ(w.units.size(), table().UnitCount());
  for (uint32_t i = 0; i < table().UnitCount(); ++i) {
    SCOPED_TRACE(i);
    const tools::DescribedUnit& want = w.units[i];
    UnitRecordView got = Unit(i);
    EXPECT_EQ(table().ControlIdAt(i), want.record.control_id);
    EXPECT_EQ(got.kind_word, want.record.kind_word);
    EXPECT_EQ(got.name, want.record.name);
    EXPECT_EQ(got.remark, want.record.remark);
    EXPECT_EQ(got.left, want.record.left);
    EXPECT_EQ(got.top, want.record.top);
    EXPECT_EQ(got.width, want.record.width);
    EXPECT_EQ(got.height, want.record.height);
    EXPECT_EQ(got.parent, want.record.parent);
    EXPECT_EQ(got.flags, want.record.flags);
    EXPECT_EQ(got.tab_order, want.record.tab_order);
    EXPECT_EQ(got.tag, want.record.tag);
    EXPECT_EQ(got.cursor_data.ToBytes(), want.record.cursor_data);
    ASSERT_EQ(got.bindings.size(), want.handler_names.size());
    for (size_t b = 0; b < got.bindings.size(); ++b) {
      EXPECT_EQ(got.bindings[b].event, want.record.bindings[b].event);
      ASSERT_TRUE(got.bindings[b].HasHandler());
      EXPECT_EQ(kMainHandlerNames[got.bindings[b].handler], want.handler_names[b]);
    }
    KindData kind;
    ASSERT_EQ(ReadUnitKind(got, &kind), KindStatus::kOk);
    if (!want.kind) {
      EXPECT_EQ(got.kind_data.size, 0u);
    } else {
      EXPECT_EQ(kind.index(), want.kind->index());
      EXPECT_EQ(WriteKindData(kind), WriteKindData(*want.kind));
    }
  }
  // The free items: the window unit's name and tag and the web address.
  EXPECT_EQ(Unit(0).name.size() + Unit(0).tag.size() +
                std::get<HyperLinkerKind>(*w.units[1].kind).web_address.size(),
            18u);
}

// The layout file in the build tree is the description's layout: the
// client area inside the design size's frame, every unit's place, tag and
// caption.
TEST_F(MainWindowTest, TheLayoutFileIsTheDescriptionsLayout) {
  const std::vector<tools::WindowLayout> described = tools::LayoutOf(ParseEmbeddedDescription());
  EXPECT_EQ(tools::FormatWindowLayouts({test::MainWindowLayout()}),
            tools::FormatWindowLayouts(described));
  const tools::WindowLayout& layout = test::MainWindowLayout();
  EXPECT_EQ(layout.window_id, kMainWindowId);
  EXPECT_EQ(layout.client_left, 4);
  EXPECT_EQ(layout.client_top, 23);
  EXPECT_EQ(layout.client_width, 426);
  EXPECT_EQ(layout.client_height, 405);
  EXPECT_EQ(test::MainWindowUnit("sdeng").caption, "=");
  EXPECT_EQ(test::MainWindowUnit("按钮1").caption, "计算天数");
  EXPECT_EQ(test::MainWindowUnit("步骤").caption, "");  // an edit box has no caption
  EXPECT_EQ(test::MainWindowUnit("s7").tag, "7");
}

TEST_F(MainWindowTest, ALongerTagLeavesEveryLaterControlAsItWas) {
  std::vector<WindowDefinition> copy = windows_;
  ControlTable& t = copy[0].table;
  const uint32_t unit = 3;  // sqc1
  ASSERT_TRUE(t.SetTag(unit, "a tag far longer than any tag of the Main window"));
  EXPECT_TRUE(t.Check(kMainHandlerCount));
  UnitRecordView changed;
  ASSERT_TRUE(t.Walk(unit, &changed));
  EXPECT_EQ(changed.tag, "a tag far longer than any tag of the Main window");
  for (uint32_t i = 0; i < 29; ++i) {
    if (i == unit) continue;
    EXPECT_EQ(t.RecordAt(i).ToBytes(), table().RecordAt(i).ToBytes()) << i;
    UnitRecordView v;
    ASSERT_TRUE(t.Walk(i, &v));
    KindData a, b;
    ASSERT_EQ(ReadUnitKind(v, &a), KindStatus::kOk);
    ASSERT_EQ(ReadUnitKind(Unit(i), &b), KindStatus::kOk);
    EXPECT_EQ(WriteKindData(a), WriteKindData(b));
  }
}

TEST_F(MainWindowTest, StoringBackKindDataKeepsTheSegmentReadable) {
  std::vector<WindowDefinition> copy = windows_;
  ControlTable& t = copy[0].table;
  EditBoxKind tape = KindOf<EditBoxKind>(8);
  tape.content = "5+3=8\r\n5-3=2\r\n";
  ASSERT_TRUE(t.StoreKindData(8, WriteKind(tape)));
  DatePickerKind date;
  date.current_date = 45000;
  ASSERT_TRUE(t.StoreKindData(7, WriteKind(date)));  // empty block becomes a full one
  Bytes segment = EncodeDefinitionSegment(copy);
  EXPECT_EQ(segment.size(), kMainWindowSegmentSize + 14 + WriteKind(date).size());
  std::vector<WindowDefinition> reread;
  ASSERT_TRUE(ReadDefinitionSegment(segment.data(), segment.size(), kMainHandlerCount, &reread));
  UnitRecordView v;
  ASSERT_TRUE(reread[0].table.Walk(8, &v));
  KindData k;
  ASSERT_EQ(ReadUnitKind(v, &k), KindStatus::kOk);
  EXPECT_EQ(std::get<EditBoxKind>(k).content, tape.content);
  ASSERT_TRUE(reread[0].table.Walk(28, &v));
  EXPECT_EQ(v.name, "分组框1");
}

TEST_F(MainWindowTest, SoundPicturesAreTwoDifferentConstantBlocks) {
  EXPECT_TRUE(IsInConstantSegment(kSoundOnPicture));
  EXPECT_TRUE(IsInConstantSegment(kSoundOffPicture));
  EXPECT_TRUE(IsInConstantSegment(kMainWindowSegment));
  EXPECT_EQ(ByteArrayLength(kSoundOffPicture), 1194u);
  EXPECT_NE(0, std::memcmp(ByteArrayData(kSoundOnPicture), ByteArrayData(kSoundOffPicture), 1194));
}

TEST(MainWindowSegment, EveryPrefixIsRefused) {
  std::vector<WindowDefinition> out;
  for (size_t n = 0; n < kMainWindowSegmentSize; ++n) {
    DefinitionStatus s = ReadDefinitionSegment(kMainWindowSegment, n, kMainHandlerCount, &out);
    ASSERT_FALSE(s.ok) << n;
    ASSERT_TRUE(out.empty()) << n;
  }
}

}  // namespace
}  // namespace talv
