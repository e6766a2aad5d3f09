// The window-definition segment: the window index, then per window two
// words, two texts and its control table. A control table stays in its
// packed form (ids, offsets, length-prefixed unit records) all the time; the
// runtime edits it in place, moving later records when one changes length.
//
// Reading is all or nothing: a short read anywhere, a record that cannot be
// walked, kind data that its kind refuses or a binding to a handler that does
// not exist makes the whole read fail, and nothing is handed out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/window/definition/definition_bytes.h"
#include "runtime/window/definition/definition_kinds.h"

namespace talv::definition {

// A binding's handler is an index into the application's handler table;
// kNoHandler (−1 in the segment) binds nothing.
constexpr int32_t kNoHandler = -1;

struct EventBinding {
  int32_t event;    // signed event index of the kind
  int32_t handler;  // handler table index, or kNoHandler
  bool HasHandler() const { return handler != kNoHandler; }
};

// Control ids: bits 24–27 are 6; the top four bits tell the unit's sort.
constexpr uint32_t kUnitSortWindow = 0;
constexpr uint32_t kUnitSortControl = 1;
constexpr uint32_t kUnitSortMenu = 2;
inline uint32_t UnitSort(uint32_t control_id) { return control_id >> 28; }
inline bool IsValidControlId(uint32_t id) {
  return ((id >> 24) & 0xF) == 6 && (id & 0xFFFFFF) != 0;
}

// Unit flags.
constexpr uint32_t kFlagVisible = 1;
constexpr uint32_t kFlagDisabled = 2;
constexpr uint32_t kFlagTabStop = 4;

struct ByteView {
  const uint8_t* data = nullptr;
  size_t size = 0;
  Bytes ToBytes() const { return data ? Bytes(data, data + size) : Bytes(); }
};

// One walked record of a window unit or control. The views point into the
// table's bytes and are valid until the table next changes. Offsets count
// from the record's first byte after its length dword.
struct UnitRecordView {
  uint32_t kind_word = 0;
  uint32_t forward_target = 0;
  std::string_view name;
  std::string_view remark;
  uint32_t object_slot = 0;
  int32_t left = 0, top = 0, width = 0, height = 0;
  uint32_t cursor_slot = 0;
  uint32_t parent = 0;
  uint32_t child_count = 0;
  const uint8_t* children = nullptr;  // child_count dwords; use ChildAt
  ByteView cursor_data;
  std::string_view tag;
  uint32_t flags = 0;
  uint32_t tab_order = 0;
  std::vector<EventBinding> bindings;
  ByteView kind_data;

  size_t forward_offset = 0;    // the forwarding dword
  size_t geometry_offset = 0;   // left, top, width, height
  size_t cursor_offset = 0;     // the cursor data's length dword
  size_t tag_offset = 0;        // the tag's first byte (its NUL follows)
  size_t flags_offset = 0;      // the flags dword
  size_t kind_data_offset = 0;

  uint32_t ChildAt(uint32_t i) const { return LoadDword(children + 4 * size_t(i)); }
  // The handler bound to an event, or kNoHandler.
  int32_t HandlerFor(int32_t event) const;
};

// A menu unit (top four bits 2): kind word, five reserved dwords, name,
// remark, three dwords, a text and one handler.
struct MenuRecordView {
  uint32_t kind_word = 0;
  std::string_view name;
  std::string_view remark;
  uint32_t words[3] = {};
  std::string_view text;
  int32_t handler = kNoHandler;
};

// Walks a record (the N bytes after its length dword); false when a field
// runs past the record's end.
bool WalkUnitRecord(const uint8_t* record, size_t size, UnitRecordView* out);
bool WalkMenuRecord(const uint8_t* record, size_t size, MenuRecordView* out);

struct DefinitionStatus {
  bool ok = true;
  size_t offset = 0;          // where the damage was found (segment or table offset)
  const char* reason = "";    // what was wrong
  explicit operator bool() const { return ok; }
};

// A window's control table in its packed form: the B bytes after U and B.
class ControlTable {
 public:
  ControlTable() = default;
  // Adopts packed table bytes; call Check() before trusting them.
  ControlTable(uint32_t unit_count, Bytes body) : units_(unit_count), body_(std::move(body)) {}

  uint32_t UnitCount() const { return units_; }
  const Bytes& body() const { return body_; }
  uint32_t ControlIdAt(uint32_t unit) const;
  // The unit number of a Control id (0 means the window unit), or −1.
  int32_t FindUnit(uint32_t control_id) const;
  // The record of a unit (after its length dword).
  ByteView RecordAt(uint32_t unit) const;
  bool Walk(uint32_t unit, UnitRecordView* out) const;

  // Replaces `old_size` bytes at `offset` of a unit's record with `bytes`:
  // the record's length changes, later records move and their offsets
  // change by the same amount. False (and nothing changed) when the range
  // lies outside the record or the table would outgrow 32-bit sizes.
  bool ReplaceRecordRange(uint32_t unit, size_t offset, size_t old_size, const uint8_t* bytes,
                          size_t size);
  bool SetTag(uint32_t unit, std::string_view tag);  // the tag may not hold a NUL
  bool SetCursorData(uint32_t unit, const uint8_t* data, size_t size);
  bool StoreKindData(uint32_t unit, const Bytes& kind_data);
  bool SetDword(uint32_t unit, size_t offset, uint32_t value);
  bool SetForwardTarget(uint32_t unit, uint32_t control_id);
  bool SetGeometry(uint32_t unit, int32_t left, int32_t top, int32_t width, int32_t height);
  bool SetFlags(uint32_t unit, uint32_t flags);

  // Full consistency check: ids valid and distinct (unit 0 the window unit),
  // records packed in unit order and ending with the table, every record
  // walkable, every binding's handler below `handler_count` (or none), and
  // every known kind's data readable.
  DefinitionStatus Check(size_t handler_count) const;

 private:
  uint32_t OffsetAt(uint32_t unit) const;
  size_t RecordsStart() const { return size_t(units_) * 8; }

  uint32_t units_ = 0;
  Bytes body_;
};

struct WindowDefinition {
  uint32_t window_id = 0;
  uint32_t word1 = 0;
  uint32_t word2 = 0;
  std::string text1;
  std::string text2;
  ControlTable table;
};

// Reads a whole segment. `handler_count` is the size of the application's
// handler table; a binding to an index at or above it makes the read fail.
// On failure `out` is left empty.
DefinitionStatus ReadDefinitionSegment(const uint8_t* data, size_t size, size_t handler_count,
                                       std::vector<WindowDefinition>* out);
const WindowDefinition* FindWindow(const std::vector<WindowDefinition>& windows,
                                   uint32_t window_id);

// Reads a unit's kind data into its kind struct (defaults for an empty block).
KindStatus ReadUnitKind(const UnitRecordView& unit, KindData* out);

}  // namespace talv::definition
