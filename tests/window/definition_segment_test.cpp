// The window-definition segment: reading, walking records, finding units,
// editing the packed table in place, and refusing damaged segments whole.
#include "runtime/window/definition/definition_segment.h"

#include <gtest/gtest.h>

#include "runtime/window/definition/definition_encode.h"
#include "runtime/window/definition/definition_header.h"

namespace talv::definition {
namespace {

constexpr uint32_t kWindowId = 0x52010002;
constexpr size_t kHandlers = 4;

Bytes Cursor(uint32_t value) {
  StreamWriter w;
  w.Dword(value);
  return w.Take();
}

std::vector<UnitRecord> SampleUnits() {
  std::vector<UnitRecord> units(4);
  WindowKind window;
  window.caption = "Sample";
  units[0].control_id = 0x06010003;
  units[0].kind_word = WindowKind::kKindWord;
  units[0].name = "w";
  units[0].left = 50;
  units[0].top = 50;
  units[0].width = 300;
  units[0].height = 200;
  units[0].cursor_data = Cursor(0);
  units[0].bindings = {{0, 0}, {4, 1}, {2, kNoHandler}};
  units[0].kind_data = WriteKind(window);

  ButtonKind button;
  button.caption = "OK";
  units[1].control_id = 0x16010004;
  units[1].kind_word = ButtonKind::kKindWord;
  units[1].name = "ok";
  units[1].remark = "the OK key";
  units[1].left = 10;
  units[1].top = 20;
  units[1].width = 60;
  units[1].height = 24;
  units[1].cursor_data = Cursor(32649);
  units[1].tag = "1";
  units[1].flags = kFlagVisible | kFlagTabStop;
  units[1].bindings = {{0, 2}};
  units[1].kind_data = WriteKind(button);

  units[2].control_id = 0x16010005;
  units[2].kind_word = DatePickerKind::kKindWord;
  units[2].name = "date";
  units[2].left = -5;
  units[2].top = 7;
  units[2].width = 120;
  units[2].height = 24;
  units[2].children = {0x16010004, 0, 0x16010006};
  units[2].flags = kFlagVisible | kFlagDisabled;
  units[2].tab_order = 3;
  // empty kind data

  EditBoxKind edit;
  edit.content = "tape";
  edit.multi_line = true;
  units[3].control_id = 0x16010006;
  units[3].kind_word = EditBoxKind::kKindWord;
  units[3].name = "tape";
  units[3].tag = "t";
  units[3].parent = 0x16010005;
  units[3].cursor_data = Cursor(0);
  units[3].bindings = {{-1, 3}};
  units[3].kind_data = WriteKind(edit);
  return units;
}

Bytes SampleSegment() {
  WindowDefinition w;
  w.window_id = kWindowId;
  w.word1 = 0xFFFFFFFF;
  w.word2 = 0x1901001E;
  w.text1 = "one";
  w.table = BuildControlTable(SampleUnits());
  return EncodeDefinitionSegment({w});
}

void ExpectSameUnit(const UnitRecordView& a, const UnitRecordView& b) {
  EXPECT_EQ(a.kind_word, b.kind_word);
  EXPECT_EQ(a.name, b.name);
  EXPECT_EQ(a.remark, b.remark);
  EXPECT_EQ(a.left, b.left);
  EXPECT_EQ(a.top, b.top);
  EXPECT_EQ(a.width, b.width);
  EXPECT_EQ(a.height, b.height);
  EXPECT_EQ(a.parent, b.parent);
  EXPECT_EQ(a.child_count, b.child_count);
  EXPECT_EQ(a.cursor_data.ToBytes(), b.cursor_data.ToBytes());
  EXPECT_EQ(a.tag, b.tag);
  EXPECT_EQ(a.flags, b.flags);
  EXPECT_EQ(a.tab_order, b.tab_order);
  ASSERT_EQ(a.bindings.size(), b.bindings.size());
  for (size_t i = 0; i < a.bindings.size(); ++i) {
    EXPECT_EQ(a.bindings[i].event, b.bindings[i].event);
    EXPECT_EQ(a.bindings[i].handler, b.bindings[i].handler);
  }
  EXPECT_EQ(a.kind_data.ToBytes(), b.kind_data.ToBytes());
}

// Copies of every unit's walked values (the views die with the table).
struct Snapshot {
  std::vector<Bytes> records;
};
Snapshot Take(const ControlTable& t) {
  Snapshot s;
  for (uint32_t i = 0; i < t.UnitCount(); ++i) s.records.push_back(t.RecordAt(i).ToBytes());
  return s;
}

class SegmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    segment_ = SampleSegment();
    ASSERT_TRUE(ReadDefinitionSegment(segment_.data(), segment_.size(), kHandlers, &windows_));
    ASSERT_EQ(windows_.size(), 1u);
  }
  ControlTable& table() { return windows_[0].table; }
  UnitRecordView Unit(uint32_t i) {
    UnitRecordView v;
    EXPECT_TRUE(table().Walk(i, &v));
    return v;
  }
  Bytes segment_;
  std::vector<WindowDefinition> windows_;
};

TEST_F(SegmentTest, ReadsWindowWordsTextsAndEveryRecordField) {
  const WindowDefinition& w = windows_[0];
  EXPECT_EQ(w.window_id, kWindowId);
  EXPECT_EQ(w.word1, 0xFFFFFFFFu);
  EXPECT_EQ(w.word2, 0x1901001Eu);
  EXPECT_EQ(w.text1, "one");
  EXPECT_EQ(w.text2, "");
  ASSERT_EQ(w.table.UnitCount(), 4u);

  UnitRecordView ok = Unit(1);
  EXPECT_EQ(ok.kind_word, ButtonKind::kKindWord);
  EXPECT_EQ(ok.name, "ok");
  EXPECT_EQ(ok.remark, "the OK key");
  EXPECT_EQ(ok.forward_target, 0u);
  EXPECT_EQ(ok.object_slot, 0u);
  EXPECT_EQ(ok.left, 10);
  EXPECT_EQ(ok.top, 20);
  EXPECT_EQ(ok.width, 60);
  EXPECT_EQ(ok.height, 24);
  EXPECT_EQ(ok.cursor_data.ToBytes(), Cursor(32649));
  EXPECT_EQ(ok.tag, "1");
  EXPECT_EQ(ok.flags, kFlagVisible | kFlagTabStop);
  KindData kind;
  ASSERT_EQ(ReadUnitKind(ok, &kind), KindStatus::kOk);
  EXPECT_EQ(std::get<ButtonKind>(kind).caption, "OK");

  UnitRecordView date = Unit(2);
  EXPECT_EQ(date.left, -5);
  EXPECT_EQ(date.tab_order, 3u);
  ASSERT_EQ(date.child_count, 3u);
  EXPECT_EQ(date.ChildAt(0), 0x16010004u);
  EXPECT_EQ(date.ChildAt(1), 0u);
  EXPECT_EQ(date.ChildAt(2), 0x16010006u);
  EXPECT_EQ(date.cursor_data.size, 0u);
  EXPECT_EQ(date.bindings.size(), 0u);

  EXPECT_EQ(Unit(3).parent, 0x16010005u);
}

TEST_F(SegmentTest, FindsUnitsByControlIdAndPosition) {
  EXPECT_EQ(table().FindUnit(0x06010003), 0);
  EXPECT_EQ(table().FindUnit(0x16010006), 3);
  EXPECT_EQ(table().FindUnit(0x16010007), -1);
  EXPECT_EQ(table().ControlIdAt(2), 0x16010005u);
  EXPECT_EQ(table().RecordAt(4).data, nullptr);
  UnitRecordView v;
  EXPECT_FALSE(table().Walk(4, &v));
  EXPECT_EQ(FindWindow(windows_, kWindowId), &windows_[0]);
  EXPECT_EQ(FindWindow(windows_, 0x52010003), nullptr);
}

TEST_F(SegmentTest, BindingsGiveHandlerIndicesAndMinusOneCallsNothing) {
  UnitRecordView w = Unit(0);
  EXPECT_EQ(w.HandlerFor(0), 0);
  EXPECT_EQ(w.HandlerFor(4), 1);
  EXPECT_EQ(w.HandlerFor(2), kNoHandler);  // bound to −1
  EXPECT_FALSE(w.bindings[2].HasHandler());
  EXPECT_EQ(w.HandlerFor(3), kNoHandler);  // not bound at all
  EXPECT_EQ(Unit(3).HandlerFor(-1), 3);
}

TEST_F(SegmentTest, EmptyKindDataGivesTheKindsDefaults) {
  UnitRecordView date = Unit(2);
  EXPECT_EQ(date.kind_data.size, 0u);
  KindData kind;
  ASSERT_EQ(ReadUnitKind(date, &kind), KindStatus::kOk);
  const auto& d = std::get<DatePickerKind>(kind);
  EXPECT_EQ(d.border, 1u);
  EXPECT_EQ(d.style, 0u);
  EXPECT_EQ(d.current_date, 0.0);
  EXPECT_TRUE(d.font.empty());
}

TEST_F(SegmentTest, LongerTagMovesLaterRecordsWithoutChangingThem) {
  Snapshot snap = Take(table());
  UnitRecordView old;
  ASSERT_TRUE(WalkUnitRecord(snap.records[1].data(), snap.records[1].size(), &old));
  ASSERT_TRUE(table().SetTag(1, "a much longer tag than before"));
  EXPECT_EQ(Unit(1).tag, "a much longer tag than before");
  EXPECT_EQ(Unit(1).name, "ok");
  EXPECT_EQ(Unit(1).flags, old.flags);
  EXPECT_EQ(Unit(1).HandlerFor(0), 2);
  EXPECT_EQ(Unit(1).kind_data.ToBytes(), old.kind_data.ToBytes());
  for (uint32_t i : {0u, 2u, 3u}) {
    EXPECT_EQ(table().RecordAt(i).ToBytes(), snap.records[i]) << "unit " << i;
  }
  EXPECT_TRUE(table().Check(kHandlers));
  // And the changed table still serializes into a readable segment.
  Bytes again = EncodeDefinitionSegment(windows_);
  std::vector<WindowDefinition> reread;
  ASSERT_TRUE(ReadDefinitionSegment(again.data(), again.size(), kHandlers, &reread));
  UnitRecordView v;
  ASSERT_TRUE(reread[0].table.Walk(3, &v));
  ExpectSameUnit(v, Unit(3));
}

TEST_F(SegmentTest, ShorterAndEmptyTagsKeepTheTableConsistent) {
  Snapshot snap = Take(table());
  ASSERT_TRUE(table().SetTag(3, ""));
  EXPECT_EQ(Unit(3).tag, "");
  ASSERT_TRUE(table().SetTag(0, "window tag"));
  EXPECT_EQ(Unit(0).tag, "window tag");
  for (uint32_t i : {1u, 2u}) EXPECT_EQ(table().RecordAt(i).ToBytes(), snap.records[i]);
  EXPECT_TRUE(table().Check(kHandlers));
  EXPECT_FALSE(table().SetTag(1, std::string_view("a\0b", 3)));  // a tag cannot hold a NUL
}

TEST_F(SegmentTest, StoredBackKindDataOfAnotherLengthKeepsTheTableConsistent) {
  Snapshot snap = Take(table());
  ButtonKind button;
  button.caption = "a caption quite a lot longer than OK";
  button.font.assign(kLogFontSize, 7);
  ASSERT_TRUE(table().StoreKindData(1, WriteKind(button)));
  EXPECT_TRUE(table().Check(kHandlers));
  KindData kind;
  ASSERT_EQ(ReadUnitKind(Unit(1), &kind), KindStatus::kOk);
  EXPECT_EQ(std::get<ButtonKind>(kind).caption, button.caption);
  EXPECT_EQ(std::get<ButtonKind>(kind).font, button.font);
  EXPECT_EQ(Unit(1).tag, "1");
  for (uint32_t i : {0u, 2u, 3u}) EXPECT_EQ(table().RecordAt(i).ToBytes(), snap.records[i]);

  // Shrinking to an empty block works as well and gives the defaults.
  ASSERT_TRUE(table().StoreKindData(1, {}));
  EXPECT_TRUE(table().Check(kHandlers));
  ASSERT_EQ(ReadUnitKind(Unit(1), &kind), KindStatus::kOk);
  EXPECT_EQ(std::get<ButtonKind>(kind).horizontal_alignment, 1u);
  EXPECT_EQ(table().RecordAt(3).ToBytes(), snap.records[3]);
}

TEST_F(SegmentTest, CursorDataOfAnotherLengthIsReplacedWhole) {
  Bytes file(40, 0xAB);
  ASSERT_TRUE(table().SetCursorData(2, file.data(), file.size()));
  EXPECT_EQ(Unit(2).cursor_data.ToBytes(), file);
  EXPECT_EQ(Unit(2).tag, "");
  EXPECT_EQ(Unit(3).name, "tape");
  EXPECT_TRUE(table().Check(kHandlers));
  ASSERT_TRUE(table().SetCursorData(2, nullptr, 0));
  EXPECT_EQ(Unit(2).cursor_data.size, 0u);
  EXPECT_TRUE(table().Check(kHandlers));
}

TEST_F(SegmentTest, RunTimeWordsAreWrittenInPlace) {
  Snapshot snap = Take(table());
  ASSERT_TRUE(table().SetForwardTarget(1, 0x16010006));
  ASSERT_TRUE(table().SetGeometry(1, -1, 2, 3, 4));
  ASSERT_TRUE(table().SetFlags(1, 0));
  UnitRecordView v = Unit(1);
  EXPECT_EQ(v.forward_target, 0x16010006u);
  EXPECT_EQ(v.left, -1);
  EXPECT_EQ(v.height, 4);
  EXPECT_EQ(v.flags, 0u);
  EXPECT_EQ(table().RecordAt(1).size, snap.records[1].size());
  EXPECT_EQ(table().RecordAt(2).ToBytes(), snap.records[2]);
}

TEST_F(SegmentTest, ReplaceOutsideTheRecordChangesNothing) {
  Bytes body = table().body();
  size_t size = table().RecordAt(1).size;
  uint8_t x = 1;
  EXPECT_FALSE(table().ReplaceRecordRange(1, size, 1, &x, 1));
  EXPECT_FALSE(table().ReplaceRecordRange(1, size - 2, 3, &x, 1));
  EXPECT_FALSE(table().ReplaceRecordRange(9, 0, 0, &x, 1));
  EXPECT_EQ(table().body(), body);
  EXPECT_TRUE(table().ReplaceRecordRange(1, size, 0, &x, 1));  // appending at the end is fine
  EXPECT_EQ(table().RecordAt(1).size, size + 1);
}

TEST(DefinitionSegment, EveryTruncationFailsWholeAndLeavesNothing) {
  Bytes segment = SampleSegment();
  for (size_t n = 0; n < segment.size(); ++n) {
    std::vector<WindowDefinition> out(1);
    DefinitionStatus s = ReadDefinitionSegment(segment.data(), n, kHandlers, &out);
    EXPECT_FALSE(s.ok) << "prefix " << n;
    EXPECT_TRUE(out.empty()) << "prefix " << n;
    EXPECT_LE(s.offset, n);
  }
}

// Offsets of the sample segment's parts: index 12, words 8, texts 4+3 and 4,
// unit count 4, table length 4.
constexpr size_t kBodyAt = 12 + 8 + 7 + 4 + 8;

bool Reads(const Bytes& segment, size_t handlers = kHandlers) {
  std::vector<WindowDefinition> out;
  bool ok = ReadDefinitionSegment(segment.data(), segment.size(), handlers, &out).ok;
  EXPECT_EQ(out.empty(), !ok);
  return ok;
}

TEST(DefinitionSegment, RefusesDamagedTables) {
  Bytes good = SampleSegment();
  ASSERT_TRUE(Reads(good));

  Bytes bad = good;
  StoreDword(bad.data() + kBodyAt + 4, 0x06010009);  // unit 1 given the window unit's sort
  EXPECT_FALSE(Reads(bad));

  bad = good;
  StoreDword(bad.data() + kBodyAt + 8, 0x16010004);  // the same id twice
  EXPECT_FALSE(Reads(bad));

  bad = good;
  StoreDword(bad.data() + kBodyAt + 8, 0x17010005);  // bits 24-27 not 6
  EXPECT_FALSE(Reads(bad));

  bad = good;
  StoreDword(bad.data() + kBodyAt + 16 + 8, LoadDword(bad.data() + kBodyAt + 16 + 8) + 4);
  EXPECT_FALSE(Reads(bad));  // an offset that skips bytes

  bad = good;
  bad.push_back(0);  // a byte after the last window
  EXPECT_FALSE(Reads(bad));

  bad = good;
  StoreDword(bad.data(), 7);  // an index length that is no multiple of 8
  EXPECT_FALSE(Reads(bad));
}

TEST(DefinitionSegment, RefusesBindingsOutsideTheHandlerTable) {
  Bytes good = SampleSegment();
  EXPECT_TRUE(Reads(good, 4));
  EXPECT_FALSE(Reads(good, 3));  // unit 3 is bound to handler 3

  std::vector<UnitRecord> units = SampleUnits();
  units[1].bindings = {{0, -2}};
  WindowDefinition w;
  w.window_id = kWindowId;
  w.table = BuildControlTable(units);
  EXPECT_FALSE(Reads(EncodeDefinitionSegment({w})));
}

TEST(DefinitionSegment, RefusesKindDataItsKindCannotRead) {
  std::vector<UnitRecord> units = SampleUnits();
  StreamWriter newer;
  newer.Dword(ButtonKind::kVersion + 1);
  units[1].kind_data = newer.Take();
  WindowDefinition w;
  w.window_id = kWindowId;
  w.table = BuildControlTable(units);
  EXPECT_FALSE(Reads(EncodeDefinitionSegment({w})));

  units = SampleUnits();
  units[3].kind_data.pop_back();
  w.table = BuildControlTable(units);
  EXPECT_FALSE(Reads(EncodeDefinitionSegment({w})));
}

TEST(DefinitionSegment, ReadsSeveralWindowsAndAnEmptyIndex) {
  WindowDefinition a, b;
  a.window_id = 0x52010002;
  a.table = BuildControlTable(SampleUnits());
  b.window_id = 0x52010007;
  b.text2 = "second";
  b.table = BuildControlTable({SampleUnits()[0]});
  Bytes two = EncodeDefinitionSegment({a, b});
  std::vector<WindowDefinition> out;
  ASSERT_TRUE(ReadDefinitionSegment(two.data(), two.size(), kHandlers, &out));
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[1].window_id, 0x52010007u);
  EXPECT_EQ(out[1].text2, "second");
  EXPECT_EQ(out[1].table.UnitCount(), 1u);

  EXPECT_FALSE(Reads(EncodeDefinitionSegment({a, a})));  // one Window id twice
  Bytes empty = EncodeDefinitionSegment({});
  EXPECT_TRUE(ReadDefinitionSegment(empty.data(), empty.size(), kHandlers, &out));
  EXPECT_TRUE(out.empty());
}

TEST(DefinitionSegment, WalksAMenuUnit) {
  StreamWriter m;
  m.Dword(0x00010001);
  for (int i = 0; i < 5; ++i) m.Dword(0);
  m.CString("file");
  m.CString("");
  m.Dword(1);
  m.Dword(2);
  m.Dword(3);
  m.CString("&File");
  m.Int(1);
  MenuRecordView v;
  ASSERT_TRUE(WalkMenuRecord(m.bytes().data(), m.bytes().size(), &v));
  EXPECT_EQ(v.name, "file");
  EXPECT_EQ(v.words[2], 3u);
  EXPECT_EQ(v.text, "&File");
  EXPECT_EQ(v.handler, 1);
  EXPECT_FALSE(WalkMenuRecord(m.bytes().data(), m.bytes().size() - 1, &v));
}

TEST(ProgramHeader, RoundTripsAndRefusesShortOrDirtyHeaders) {
  ProgramHeader h;
  h.program_kind = 3;
  h.format_version = 0x0001010A;
  h.definition_size = 8072;
  h.dll_command_count = 4;
  Bytes bytes = EncodeProgramHeader(h);
  ASSERT_EQ(bytes.size(), kProgramHeaderSize);
  EXPECT_EQ(LoadDword(bytes.data() + 12), 3u);
  EXPECT_EQ(LoadDword(bytes.data() + 20), 0x0001010Au);
  EXPECT_EQ(LoadDword(bytes.data() + 40), 8072u);
  EXPECT_EQ(LoadDword(bytes.data() + 52), 4u);
  ProgramHeader back;
  ASSERT_TRUE(ReadProgramHeader(bytes.data(), bytes.size(), &back));
  EXPECT_EQ(back.definition_size, 8072u);
  EXPECT_FALSE(ReadProgramHeader(bytes.data(), 63, &back));
  bytes[16] = 1;
  EXPECT_FALSE(ReadProgramHeader(bytes.data(), bytes.size(), &back));
}

}  // namespace
}  // namespace talv::definition
