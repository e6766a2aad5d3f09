#include "runtime/window/definition/definition_segment.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace talv::definition {
namespace {

constexpr size_t kMaxDword = std::numeric_limits<uint32_t>::max();

DefinitionStatus Damaged(size_t offset, const char* reason) {
  DefinitionStatus s;
  s.ok = false;
  s.offset = offset;
  s.reason = reason;
  return s;
}

// Reads `count` items of `item_size` bytes, refusing counts that do not fit.
const uint8_t* TakeItems(StreamReader& in, uint32_t count, size_t item_size) {
  if (count > in.remaining() / item_size) {
    in.Fail();
    return nullptr;
  }
  return in.Take(size_t(count) * item_size);
}

}  // namespace

int32_t UnitRecordView::HandlerFor(int32_t event) const {
  for (const EventBinding& b : bindings) {
    if (b.event == event) return b.handler;
  }
  return kNoHandler;
}

bool WalkUnitRecord(const uint8_t* record, size_t size, UnitRecordView* out) {
  StreamReader in(record, size);
  UnitRecordView v;
  v.kind_word = in.Dword();
  v.forward_offset = in.position();
  v.forward_target = in.Dword();
  in.Skip(16);
  v.name = in.CString();
  v.remark = in.CString();
  v.object_slot = in.Dword();
  v.geometry_offset = in.position();
  v.left = in.Int();
  v.top = in.Int();
  v.width = in.Int();
  v.height = in.Int();
  v.cursor_slot = in.Dword();
  v.parent = in.Dword();
  v.child_count = in.Dword();
  v.children = TakeItems(in, v.child_count, 4);
  v.cursor_offset = in.position();
  uint32_t cursor_size = in.Dword();
  v.cursor_data.data = in.Take(cursor_size);
  v.cursor_data.size = cursor_size;
  v.tag_offset = in.position();
  v.tag = in.CString();
  in.Skip(4);
  v.flags_offset = in.position();
  v.flags = in.Dword();
  v.tab_order = in.Dword();
  uint32_t binding_count = in.Dword();
  if (const uint8_t* p = TakeItems(in, binding_count, 8)) {
    v.bindings.reserve(binding_count);
    for (uint32_t i = 0; i < binding_count; ++i) {
      v.bindings.push_back({int32_t(LoadDword(p + 8 * size_t(i))),
                            int32_t(LoadDword(p + 8 * size_t(i) + 4))});
    }
  }
  in.Skip(20);
  if (!in.ok()) return false;
  v.kind_data_offset = in.position();
  v.kind_data.size = in.remaining();
  v.kind_data.data = record + in.position();
  *out = std::move(v);
  return true;
}

bool WalkMenuRecord(const uint8_t* record, size_t size, MenuRecordView* out) {
  StreamReader in(record, size);
  MenuRecordView v;
  v.kind_word = in.Dword();
  in.Skip(20);
  v.name = in.CString();
  v.remark = in.CString();
  for (uint32_t& w : v.words) w = in.Dword();
  v.text = in.CString();
  v.handler = in.Int();
  if (!in.ok() || !in.at_end()) return false;
  *out = v;
  return true;
}

// ---- Control table --------------------------------------------------------

uint32_t ControlTable::ControlIdAt(uint32_t unit) const {
  return unit < units_ ? LoadDword(body_.data() + 4 * size_t(unit)) : 0;
}

uint32_t ControlTable::OffsetAt(uint32_t unit) const {
  return LoadDword(body_.data() + 4 * (size_t(units_) + unit));
}

int32_t ControlTable::FindUnit(uint32_t control_id) const {
  for (uint32_t i = 0; i < units_; ++i) {
    if (ControlIdAt(i) == control_id) return int32_t(i);
  }
  return -1;
}

ByteView ControlTable::RecordAt(uint32_t unit) const {
  if (unit >= units_) return {};
  size_t at = RecordsStart() + OffsetAt(unit);
  if (at > body_.size() || body_.size() - at < 4) return {};
  uint32_t n = LoadDword(body_.data() + at);
  if (n > body_.size() - at - 4) return {};
  return {body_.data() + at + 4, n};
}

bool ControlTable::Walk(uint32_t unit, UnitRecordView* out) const {
  ByteView r = RecordAt(unit);
  if (!r.data || UnitSort(ControlIdAt(unit)) == kUnitSortMenu) return false;
  return WalkUnitRecord(r.data, r.size, out);
}

bool ControlTable::ReplaceRecordRange(uint32_t unit, size_t offset, size_t old_size,
                                      const uint8_t* bytes, size_t size) {
  ByteView r = RecordAt(unit);
  if (!r.data || offset > r.size || old_size > r.size - offset) return false;
  size_t new_length = r.size - old_size + size;
  if (size > kMaxDword || new_length > kMaxDword ||
      body_.size() - old_size + size > kMaxDword - 8) {
    return false;
  }
  // The new bytes may come from this very table: copy them first.
  Bytes replacement(bytes, bytes + size);
  size_t record_at = RecordsStart() + OffsetAt(unit);
  size_t at = record_at + 4 + offset;
  auto first = body_.begin() + ptrdiff_t(at);
  if (size <= old_size) {
    std::copy(replacement.begin(), replacement.end(), first);
    body_.erase(first + ptrdiff_t(size), first + ptrdiff_t(old_size));
  } else {
    std::copy(replacement.begin(), replacement.begin() + ptrdiff_t(old_size), first);
    body_.insert(first + ptrdiff_t(old_size), replacement.begin() + ptrdiff_t(old_size),
                 replacement.end());
  }
  StoreDword(body_.data() + record_at, uint32_t(new_length));
  uint32_t delta = uint32_t(size) - uint32_t(old_size);  // modulo 2^32, like the offsets
  for (uint32_t i = unit + 1; i < units_; ++i) {
    StoreDword(body_.data() + 4 * (size_t(units_) + i), OffsetAt(i) + delta);
  }
  return true;
}

bool ControlTable::SetTag(uint32_t unit, std::string_view tag) {
  if (tag.find('\0') != std::string_view::npos) return false;
  UnitRecordView v;
  if (!Walk(unit, &v)) return false;
  return ReplaceRecordRange(unit, v.tag_offset, v.tag.size(),
                            reinterpret_cast<const uint8_t*>(tag.data()), tag.size());
}

bool ControlTable::SetCursorData(uint32_t unit, const uint8_t* data, size_t size) {
  UnitRecordView v;
  if (!Walk(unit, &v) || size > kMaxDword) return false;
  StreamWriter w;
  w.Dword(uint32_t(size));
  w.Raw(data, size);
  return ReplaceRecordRange(unit, v.cursor_offset, 4 + v.cursor_data.size, w.bytes().data(),
                            w.bytes().size());
}

bool ControlTable::StoreKindData(uint32_t unit, const Bytes& kind_data) {
  UnitRecordView v;
  if (!Walk(unit, &v)) return false;
  return ReplaceRecordRange(unit, v.kind_data_offset, v.kind_data.size, kind_data.data(),
                            kind_data.size());
}

bool ControlTable::SetDword(uint32_t unit, size_t offset, uint32_t value) {
  ByteView r = RecordAt(unit);
  if (!r.data || offset > r.size || r.size - offset < 4) return false;
  StoreDword(const_cast<uint8_t*>(r.data) + offset, value);
  return true;
}

bool ControlTable::SetForwardTarget(uint32_t unit, uint32_t control_id) {
  UnitRecordView v;
  return Walk(unit, &v) && SetDword(unit, v.forward_offset, control_id);
}

bool ControlTable::SetGeometry(uint32_t unit, int32_t left, int32_t top, int32_t width,
                               int32_t height) {
  UnitRecordView v;
  if (!Walk(unit, &v)) return false;
  size_t at = v.geometry_offset;
  return SetDword(unit, at, uint32_t(left)) && SetDword(unit, at + 4, uint32_t(top)) &&
         SetDword(unit, at + 8, uint32_t(width)) && SetDword(unit, at + 12, uint32_t(height));
}

bool ControlTable::SetFlags(uint32_t unit, uint32_t flags) {
  UnitRecordView v;
  return Walk(unit, &v) && SetDword(unit, v.flags_offset, flags);
}

DefinitionStatus ControlTable::Check(size_t handler_count) const {
  if (units_ == 0) return Damaged(0, "a control table without units");
  if (units_ > body_.size() / 8) return Damaged(0, "unit count larger than the table");
  size_t expected = 0;  // records are packed in unit order
  for (uint32_t i = 0; i < units_; ++i) {
    uint32_t id = ControlIdAt(i);
    if (!IsValidControlId(id)) return Damaged(4 * size_t(i), "invalid Control id");
    uint32_t sort = UnitSort(id);
    if ((i == 0) != (sort == kUnitSortWindow) || sort > kUnitSortMenu) {
      return Damaged(4 * size_t(i), "Control id of the wrong sort for its unit");
    }
    for (uint32_t j = 0; j < i; ++j) {
      if (ControlIdAt(j) == id) return Damaged(4 * size_t(i), "Control id used twice");
    }
    size_t offset_at = 4 * (size_t(units_) + i);
    if (OffsetAt(i) != expected) return Damaged(offset_at, "record offset out of order");
    size_t record_at = RecordsStart() + expected;
    if (body_.size() - record_at < 4) return Damaged(record_at, "record length cut short");
    uint32_t n = LoadDword(body_.data() + record_at);
    if (n > body_.size() - record_at - 4) return Damaged(record_at, "record runs past the table");
    const uint8_t* record = body_.data() + record_at + 4;
    if (sort == kUnitSortMenu) {
      MenuRecordView m;
      if (!WalkMenuRecord(record, n, &m)) return Damaged(record_at, "menu record damaged");
      if (m.handler != kNoHandler && (m.handler < 0 || size_t(m.handler) >= handler_count)) {
        return Damaged(record_at, "menu handler outside the handler table");
      }
    } else {
      UnitRecordView v;
      if (!WalkUnitRecord(record, n, &v)) return Damaged(record_at, "unit record damaged");
      for (const EventBinding& b : v.bindings) {
        if (b.handler != kNoHandler && (b.handler < 0 || size_t(b.handler) >= handler_count)) {
          return Damaged(record_at, "event bound to a handler outside the handler table");
        }
      }
      if (IsKnownKind(v.kind_word)) {
        KindData k;
        if (ReadUnitKind(v, &k) != KindStatus::kOk) {
          return Damaged(record_at + 4 + v.kind_data_offset, "kind data refused");
        }
      }
    }
    expected += 4 + size_t(n);
    if (expected > kMaxDword) return Damaged(record_at, "table too large");
  }
  if (RecordsStart() + expected != body_.size()) {
    return Damaged(RecordsStart() + expected, "bytes after the last record");
  }
  return {};
}

// ---- Segment ------------------------------------------------------------

DefinitionStatus ReadDefinitionSegment(const uint8_t* data, size_t size, size_t handler_count,
                                       std::vector<WindowDefinition>* out) {
  out->clear();
  StreamReader in(data, size);
  uint32_t index_length = in.Dword();
  if (!in.ok()) return Damaged(0, "window index cut short");
  if (index_length % 8 != 0) return Damaged(0, "window index length not a multiple of 8");
  const uint8_t* index = in.Take(index_length);
  if (!index) return Damaged(4, "window index cut short");
  size_t window_count = index_length / 8;

  std::vector<WindowDefinition> windows(window_count);
  for (size_t w = 0; w < window_count; ++w) {
    WindowDefinition& win = windows[w];
    win.window_id = LoadDword(index + 4 * w);
    if (((win.window_id >> 24) & 0xF) != 2) return Damaged(4 + 4 * w, "invalid Window id");
    for (size_t k = 0; k < w; ++k) {
      if (windows[k].window_id == win.window_id) return Damaged(4 + 4 * w, "Window id used twice");
    }
    size_t window_at = in.position();
    win.word1 = in.Dword();
    win.word2 = in.Dword();
    win.text1 = in.Text();
    win.text2 = in.Text();
    uint32_t units = in.Dword();
    uint32_t body_size = in.Dword();
    size_t body_at = in.position();
    const uint8_t* body = in.Take(body_size);
    if (!in.ok()) return Damaged(in.failure_position(), "window definition cut short");
    (void)window_at;
    win.table = ControlTable(units, Bytes(body, body + body_size));
    DefinitionStatus status = win.table.Check(handler_count);
    if (!status) {
      status.offset += body_at;
      return status;
    }
  }
  if (!in.at_end()) return Damaged(in.position(), "bytes after the last window");
  *out = std::move(windows);
  return {};
}

const WindowDefinition* FindWindow(const std::vector<WindowDefinition>& windows,
                                   uint32_t window_id) {
  for (const WindowDefinition& w : windows) {
    if (w.window_id == window_id) return &w;
  }
  return nullptr;
}

KindStatus ReadUnitKind(const UnitRecordView& unit, KindData* out) {
  return ReadKindData(unit.kind_word, unit.kind_data.data, unit.kind_data.size, out);
}

}  // namespace talv::definition
