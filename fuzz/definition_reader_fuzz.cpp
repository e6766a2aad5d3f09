// Arbitrary bytes as a window-definition segment: the read either fails
// whole (and hands out nothing) or gives tables on which every record
// walks, every kind's data reads, and tag, cursor and kind-data edits keep
// the table consistent. The bytes are also tried as a bare record and as
// kind data of each of the eight kinds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/window/definition/definition_encode.h"
#include "runtime/window/definition/definition_segment.h"

using namespace talv::definition;

namespace {

constexpr size_t kHandlers = 16;
const uint32_t kKinds[] = {WindowKind::kKindWord,     EditBoxKind::kKindWord,
                           GroupBoxKind::kKindWord,   LabelKind::kKindWord,
                           ButtonKind::kKindWord,     DatePickerKind::kKindWord,
                           HyperLinkerKind::kKindWord, PicBtnKind::kKindWord};

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

void ExerciseTable(ControlTable table) {
  for (uint32_t i = 0; i < table.UnitCount(); ++i) {
    ByteView record = table.RecordAt(i);
    Require(record.data != nullptr);
    if (UnitSort(table.ControlIdAt(i)) == kUnitSortMenu) {
      MenuRecordView m;
      Require(WalkMenuRecord(record.data, record.size, &m));
      continue;
    }
    UnitRecordView v;
    Require(table.Walk(i, &v));
    Require(table.FindUnit(table.ControlIdAt(i)) == int32_t(i));
    for (const EventBinding& b : v.bindings) {
      int32_t h = v.HandlerFor(b.event);
      Require(h == kNoHandler || (h >= 0 && size_t(h) < kHandlers));
    }
    for (uint32_t c = 0; c < v.child_count; ++c) (void)v.ChildAt(c);
    KindData kind;
    for (uint32_t word : kKinds) (void)ReadKindData(word, v.kind_data.data, v.kind_data.size, &kind);
    if (IsKnownKind(v.kind_word)) {
      Require(ReadUnitKind(v, &kind) == KindStatus::kOk);
      Require(table.StoreKindData(i, WriteKindData(kind)));
      Require(table.Check(kHandlers).ok);
    }
  }
  // Edits: a longer tag on every unit, then a cursor file on the last one.
  for (uint32_t i = 0; i < table.UnitCount(); ++i) {
    if (UnitSort(table.ControlIdAt(i)) == kUnitSortMenu) continue;
    Require(table.SetTag(i, "a longer tag written at run time"));
  }
  uint8_t cursor[12] = {0xFF, 0xFF, 0xFF, 0xFF};
  if (table.UnitCount() > 0 && UnitSort(table.ControlIdAt(table.UnitCount() - 1)) != kUnitSortMenu) {
    Require(table.SetCursorData(table.UnitCount() - 1, cursor, sizeof cursor));
  }
  Require(table.Check(kHandlers).ok);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<WindowDefinition> windows;
  DefinitionStatus status = ReadDefinitionSegment(data, size, kHandlers, &windows);
  if (!status.ok) {
    Require(windows.empty());
    Require(status.offset <= size);
  } else {
    for (const WindowDefinition& w : windows) ExerciseTable(w.table);
    // What was read serializes back to the same bytes, but for the index's
    // per-window dwords, which the reader ignores and the writer leaves 0.
    Bytes expected(data, data + size);
    for (size_t w = 0; w < windows.size(); ++w) {
      StoreDword(expected.data() + 4 + 4 * windows.size() + 4 * w, 0);
    }
    Require(EncodeDefinitionSegment(windows) == expected);
  }

  UnitRecordView v;
  if (WalkUnitRecord(data, size, &v)) {
    Require(v.kind_data.data + v.kind_data.size == data + size);
  }
  MenuRecordView m;
  (void)WalkMenuRecord(data, size, &m);
  KindData kind;
  for (uint32_t word : kKinds) (void)ReadKindData(word, data, size, &kind);
  return 0;
}
