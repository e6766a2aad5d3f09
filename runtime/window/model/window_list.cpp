#include "runtime/window/model/window_list.h"

#include <algorithm>
#include <string>

#include "runtime/core/runtime_error_report.h"

namespace talv {

using definition::UnitRecordView;

int32_t WindowObject::FindUnit(uint32_t control_id) const {
  if (control_id == 0) return 0;
  return working.FindUnit(control_id);
}

int32_t WindowObject::HandlerFor(uint32_t unit, int32_t event) const {
  if (unit >= units.size()) return definition::kNoHandler;
  for (const definition::EventBinding& b : units[unit].bindings)
    if (b.event == event) return b.handler;
  return definition::kNoHandler;
}

std::vector<std::unique_ptr<WindowObject>>& WindowList() {
  static std::vector<std::unique_ptr<WindowObject>> list;
  return list;
}

bool LoadWindowDefinitions(const uint8_t* segment, size_t size, size_t handler_count) {
  std::vector<definition::WindowDefinition> read;
  if (!definition::ReadDefinitionSegment(segment, size, handler_count, &read)) return false;
  std::vector<std::unique_ptr<WindowObject>> made;
  for (definition::WindowDefinition& d : read) {
    auto w = std::make_unique<WindowObject>();
    w->definition = std::move(d);
    w->ResetWorkingTable();
    const definition::ControlTable& t = w->definition.table;
    w->units.resize(t.UnitCount());
    for (uint32_t i = 0; i < t.UnitCount(); ++i) {
      UnitRecordView v;
      if (!t.Walk(i, &v)) return false;
      w->units[i].control_id = t.ControlIdAt(i);
      w->units[i].kind_word = v.kind_word;
      w->units[i].bindings = v.bindings;
    }
    made.push_back(std::move(w));
  }
  for (auto& w : made) WindowList().push_back(std::move(w));
  return true;
}

WindowObject* FindWindowObject(uint32_t window_id) {
  for (auto& w : WindowList())
    if (w->id() == window_id) return w.get();
  return nullptr;
}

void ClearWindowList() { WindowList().clear(); }

bool AnyWindowLive() {
  for (auto& w : WindowList())
    if (w->IsLive()) return true;
  return false;
}

// ---- Event forwarding --------------------------------------------------
namespace {

// The unit that `unit`'s forwarding field names, when it is another unit of
// the same kind word; -1 otherwise.
int32_t NextInChain(const WindowObject& window, uint32_t unit) {
  UnitRecordView v;
  if (!window.Walk(unit, &v) || v.forward_target == 0) return -1;
  int32_t next = window.working.FindUnit(v.forward_target);
  if (next < 0 || uint32_t(next) == unit) return -1;
  if (window.units[size_t(next)].kind_word != window.units[unit].kind_word) return -1;
  return next;
}

}  // namespace

uint32_t ForwardedUnit(const WindowObject& window, uint32_t unit) {
  uint32_t at = unit;
  for (size_t steps = 0; steps < window.units.size(); ++steps) {
    int32_t next = NextInChain(window, at);
    if (next < 0 || uint32_t(next) == unit) break;
    at = uint32_t(next);
  }
  return at;
}

bool SetForwarding(WindowObject& window, uint32_t unit, uint32_t target_id) {
  if (unit >= window.units.size()) return false;
  if (target_id == 0) return window.working.SetForwardTarget(unit, 0);
  int32_t target = window.working.FindUnit(target_id);
  if (target < 0 || uint32_t(target) == unit) return false;
  if (window.units[size_t(target)].kind_word != window.units[unit].kind_word) return false;
  // Follow the chain from the target: reaching `unit` again is a cycle.
  uint32_t at = uint32_t(target);
  for (size_t steps = 0; steps < window.units.size(); ++steps) {
    int32_t next = NextInChain(window, at);
    if (next < 0) break;
    if (uint32_t(next) == unit) return false;
    at = uint32_t(next);
  }
  return window.working.SetForwardTarget(unit, target_id);
}

void ClearForwarding(WindowObject& window) {
  for (uint32_t i = 0; i < window.units.size(); ++i) window.working.SetForwardTarget(i, 0);
}

// ---- Keyboard order ----------------------------------------------------
std::vector<uint32_t> SortTabList(std::vector<TabCandidate> candidates) {
  std::reverse(candidates.begin(), candidates.end());
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const TabCandidate& a, const TabCandidate& b) {
                     return a.tab_order < b.tab_order;
                   });
  std::vector<uint32_t> list;
  for (const TabCandidate& c : candidates) list.push_back(c.unit);
  return list;
}

int32_t NextInTabList(const std::vector<uint32_t>& list, int32_t current, bool forward) {
  if (list.empty()) return -1;
  auto it = std::find(list.begin(), list.end(), uint32_t(current));
  if (current < 0 || it == list.end()) return int32_t(list.front());
  size_t i = size_t(it - list.begin());
  size_t n = list.size();
  return int32_t(list[forward ? (i + 1) % n : (i + n - 1) % n]);
}

// ---- Program path ----------------------------------------------------------
void SplitModulePath(std::string_view path, std::string* directory, std::string* file_name) {
  size_t cut = std::string_view::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    auto byte = static_cast<unsigned char>(path[i]);
    if (byte >= 0x81 && byte <= 0xFE && i + 1 < path.size()) {
      ++i;  // a double-byte character: its trail byte is never a separator
    } else if (byte == '\\') {
      cut = i;
    }
  }
  if (cut == std::string_view::npos) {
    directory->clear();
    file_name->assign(path);
    return;
  }
  directory->assign(path.substr(0, cut));
  file_name->assign(path.substr(cut + 1));
}

// ---- Report lookup ---------------------------------------------------------
namespace {

// Tags handed to the report must stay valid while it is built.
std::string& TagBuffer(int which) {
  static std::string buffers[2];
  return buffers[which];
}

bool UnitTag(int32_t window_id, int32_t control_id, int which, const char** tag) {
  WindowObject* w = FindWindowObject(uint32_t(window_id));
  if (!w) return false;
  int32_t unit = w->FindUnit(uint32_t(control_id));
  if (unit < 0) return false;
  if (definition::UnitSort(w->working.ControlIdAt(uint32_t(unit))) == definition::kUnitSortMenu)
    return false;
  UnitRecordView v;
  if (!w->Walk(uint32_t(unit), &v)) return false;
  TagBuffer(which).assign(v.tag);
  *tag = TagBuffer(which).c_str();
  return true;
}

bool FindWindowForReport(int32_t window_id, const char** tag) {
  return UnitTag(window_id, 0, 0, tag);
}
bool FindUnitForReport(int32_t window_id, int32_t control_id, const char** tag) {
  return UnitTag(window_id, control_id, 1, tag);
}

const ReportWindowLookup kLookup = {FindWindowForReport, FindUnitForReport};

}  // namespace

void RegisterWindowReportLookup() { SetReportWindowLookup(&kLookup); }

}  // namespace talv
