// The window list: one window object per window of the program's window
// definition. A window object keeps the definition as read, its working
// control table (what property writes change; a fresh copy at every load),
// its live window object once loaded, and the live object of each unit.
// Portable: live objects are opaque pointers that the target's window
// runtime owns.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "runtime/core/program_image.h"
#include "runtime/window/definition/definition_segment.h"
#include "runtime/window/model/key_shortcuts.h"
#include "runtime/window/model/kind_table.h"

namespace talv {

struct WindowObject {
  definition::WindowDefinition definition;
  definition::ControlTable working;  // unit records as the program changes them
  // Per unit: its kind word, the handlers of its bindings (resolved from the
  // handler table; -1 binds nothing) and its live object (null until built).
  struct Unit {
    uint32_t control_id = 0;
    uint32_t kind_word = 0;
    std::vector<definition::EventBinding> bindings;
    void* object = nullptr;
  };
  std::vector<Unit> units;
  void* live = nullptr;  // the window's live object while it exists
  KeyShortcuts shortcuts;  // keys that press its buttons (set while it runs)
  bool loaded = false;   // the load completed (set by the loader)
  bool loading = false;

  uint32_t id() const { return definition.window_id; }
  bool IsLive() const { return live != nullptr; }
  // The unit number of a Control id (0 and the window unit's own id: the
  // window unit), or -1.
  int32_t FindUnit(uint32_t control_id) const;
  // The walked working record of a unit (false when it cannot be walked).
  bool Walk(uint32_t unit, definition::UnitRecordView* out) const { return working.Walk(unit, out); }
  // The handler table position bound to `event` of `unit` (-1: none).
  int32_t HandlerFor(uint32_t unit, int32_t event) const;
  // The live object of a unit (null when not built).
  void* ObjectOf(uint32_t unit) const { return unit < units.size() ? units[unit].object : nullptr; }
  // The working table starts again from the definition's, and the shortcut
  // keys set while the window ran are forgotten (done at each load).
  void ResetWorkingTable() {
    working = definition.table;
    shortcuts.Clear();
  }
};

// Reads the window-definition segment and appends its windows to the
// window list; false (the list unchanged) when the segment cannot be read.
bool LoadWindowDefinitions(const uint8_t* segment, size_t size, size_t handler_count);
// The window list of the process.
std::vector<std::unique_ptr<WindowObject>>& WindowList();
WindowObject* FindWindowObject(uint32_t window_id);
// Forgets every window object (the shutdown does this).
void ClearWindowList();
// Whether any window of the list is live.
bool AnyWindowLive();

// ---- Event forwarding --------------------------------------------------
// The unit whose handlers receive `unit`'s events: the forwarding targets are
// followed while each names another existing unit of the same kind word,
// at most as many steps as the window has units (a chain that comes back
// to a unit already visited stops there).
uint32_t ForwardedUnit(const WindowObject& window, uint32_t unit);
// Sets `unit`'s forwarding target to the unit `target_id` names (0 clears
// it). Refused (false, nothing changed) when the target does not exist, has
// another kind word, or the chain would lead back into itself.
bool SetForwarding(WindowObject& window, uint32_t unit, uint32_t target_id);
// Clears the forwarding of every unit of the window.
void ClearForwarding(WindowObject& window);

// ---- Keyboard order ----------------------------------------------------
struct TabCandidate {
  uint32_t unit;
  uint32_t tab_order;
};
// The tab list: candidates (units that are visible, enabled, tab stops and
// of a kind that may be in it, in unit order) sorted by tab order, equal
// values from the last unit to the first.
std::vector<uint32_t> SortTabList(std::vector<TabCandidate> candidates);
// The unit that gets the focus from `current` (forward or backward,
// wrapping); the first entry when `current` is not in the list; -1 when the
// list is empty.
int32_t NextInTabList(const std::vector<uint32_t>& list, int32_t current, bool forward);

// ---- Program path ----------------------------------------------------------
// Splits a module path at its last backslash (a GBK trail byte is no
// backslash): the directory before it, the file name after it; without one
// the directory is empty and the file name is the whole path.
void SplitModulePath(std::string_view path, std::string* directory, std::string* file_name);

// Registers the window facts of runtime error reports (the window unit's and
// the unit's tags) from the window list.
void RegisterWindowReportLookup();

}  // namespace talv
