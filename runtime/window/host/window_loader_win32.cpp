// Loading a window from the window list, in this order: events suspended,
// working table copied, the window unit created, the controls created from
// the last unit to the first (child ids 100, 110, ...), parents, z-order in
// definition order (the first control on top), cursors, the all-created
// hooks, the visible controls shown, events resumed; then the created,
// position-changed and size-changed events, the window shown and the
// got-focus event of the unit that has the focus.
#include <algorithm>

#include "runtime/core/runtime_error.h"
#include "runtime/window/model/event_dispatch.h"
#include "runtime/window/kinds/kind_object_win32.h"
#include "runtime/window/host/window_runtime_win32.h"

namespace talv {
namespace {

using definition::UnitRecordView;

int g_focus_events = 0;

KindObject* ObjectAt(WindowObject& w, uint32_t unit) {
  return static_cast<KindObject*>(w.ObjectOf(unit));
}

// Releases what a failed load built and gives the working table up.
bool FailLoad(WindowObject& w) {
  for (size_t i = w.units.size(); i-- > 1;) {
    delete ObjectAt(w, uint32_t(i));
    w.units[i].object = nullptr;
  }
  if (auto* top = ObjectAt(w, 0)) {
    w.units[0].object = nullptr;
    w.live = nullptr;
    delete top;
  }
  w.live = nullptr;
  w.loading = false;
  w.ResetWorkingTable();
  ResumeEvents();
  return false;
}

KindObject* CreateUnit(WindowObject& w, uint32_t unit, HWND parent, int child_id) {
  UnitRecordView v;
  if (!w.Walk(unit, &v)) return nullptr;
  const kinds::KindDescriptor* kind = kinds::FindKind(v.kind_word);
  auto create = KindOperationOf<CreateOperation>(kind, kinds::KindOperation::Create);
  if (!create) return nullptr;
  KindCreateArgs args;
  args.kind_data = v.kind_data.data;
  args.kind_data_size = v.kind_data.size;
  if (v.flags & definition::kFlagDisabled) args.style |= WS_DISABLED;
  if (v.flags & definition::kFlagTabStop) args.style |= WS_TABSTOP;
  args.parent = parent;
  args.child_id = child_id;
  args.x = v.left;
  args.y = v.top;
  args.width = v.width;
  args.height = v.height;
  args.window = &w;
  args.unit = unit;
  args.control_id = w.working.ControlIdAt(unit);
  return create(args);
}

bool Exists(HWND window) { return window && IsWindow(window); }

}  // namespace

void NoteFocusEventRaised() { ++g_focus_events; }

bool LoadWindow(uint32_t window_id) {
  WindowObject* found = FindWindowObject(window_id);
  if (!found) return false;
  WindowObject& w = *found;
  if (w.IsLive()) {
    // Live, or still being loaded (asked again from its own created,
    // position-changed or size-changed handler): only brought to the
    // front. A window that the load in progress has not shown yet is left
    // for that load to show.
    HWND top = ObjectAt(w, 0)->hwnd();
    if (IsIconic(top))
      ShowWindow(top, SW_RESTORE);
    else if (!w.loading || IsWindowVisible(top))
      SetForegroundWindow(top);
    return true;
  }
  // A load that has not got as far as the window itself runs with events
  // suspended, so no handler can ask for this; refuse it all the same.
  if (w.loading) return false;
  if (w.units.empty()) return false;

  SuspendEvents();
  w.loading = true;
  w.ResetWorkingTable();

  // The window unit, then the controls from the last unit to the first.
  KindObject* top = CreateUnit(w, 0, nullptr, 0);
  if (!top) return FailLoad(w);
  w.units[0].object = top;
  w.live = top;
  HWND window = top->hwnd();
  int child_id = 100;
  for (size_t i = w.units.size(); i-- > 1;) {
    if (definition::UnitSort(w.units[i].control_id) != definition::kUnitSortControl) continue;
    KindObject* control = CreateUnit(w, uint32_t(i), window, child_id);
    if (!control) return FailLoad(w);
    w.units[i].object = control;
    child_id += 10;
  }

  // Parents, in definition order.
  for (uint32_t i = 1; i < w.units.size(); ++i) {
    KindObject* control = ObjectAt(w, i);
    UnitRecordView v;
    if (!control || !w.Walk(i, &v) || v.parent == 0) continue;
    int32_t parent = w.working.FindUnit(v.parent);
    KindObject* holder = parent > 0 ? ObjectAt(w, uint32_t(parent)) : nullptr;
    if (holder) SetParent(control->hwnd(), holder->hwnd());
  }

  // Z-order: each control directly below the nearest earlier control with
  // the same parent, or on top.
  for (uint32_t i = 1; i < w.units.size(); ++i) {
    KindObject* control = ObjectAt(w, i);
    if (!control) continue;
    HWND parent = GetParent(control->hwnd());
    HWND above = HWND_TOP;
    for (uint32_t j = i; j-- > 1;) {
      KindObject* earlier = ObjectAt(w, j);
      if (earlier && GetParent(earlier->hwnd()) == parent) {
        above = earlier->hwnd();
        break;
      }
    }
    SetWindowPos(control->hwnd(), above, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  }

  // Cursors of every unit.
  for (uint32_t i = 0; i < w.units.size(); ++i) {
    KindObject* o = ObjectAt(w, i);
    UnitRecordView v;
    if (o && w.Walk(i, &v)) o->cursor().Assign(v.cursor_data.data, v.cursor_data.size);
  }

  for (size_t i = w.units.size(); i-- > 1;)
    if (KindObject* o = ObjectAt(w, uint32_t(i))) o->AllCreated();
  top->AllCreated();

  for (uint32_t i = 1; i < w.units.size(); ++i) {
    KindObject* o = ObjectAt(w, i);
    UnitRecordView v;
    if (o && w.Walk(i, &v) && (v.flags & definition::kFlagVisible))
      ShowWindow(o->hwnd(), SW_SHOWNA);
  }
  ResumeEvents();

  const int32_t id = int32_t(w.id());
  using definition::WindowEvent;
  RaiseSimpleEvent(id, 0, WindowEvent::Created);
  if (Exists(window)) RaiseSimpleEvent(id, 0, WindowEvent::PositionChanged);
  if (Exists(window)) RaiseSimpleEvent(id, 0, WindowEvent::SizeChanged);

  UnitRecordView v;
  if (Exists(window) && w.Walk(0, &v) && (v.flags & definition::kFlagVisible)) {
    const auto& k = std::get<definition::WindowKind>(top->data());
    int show = k.position == 2 ? SW_SHOWMINIMIZED : k.position == 3 ? SW_SHOWMAXIMIZED : SW_SHOW;
    const int before = g_focus_events;
    ShowWindow(window, show);
    HWND focus = GetFocus();
    if (Exists(window) && g_focus_events == before && focus &&
        (focus == window || IsChild(window, focus))) {
      KindObject* holder = KindObject::FromWindowOrAncestor(focus);
      if (holder && holder->window() == &w)
        RaiseSimpleEvent(id, int32_t(holder->control_id()), definition::CommonEvent::GotFocus);
    }
  }
  if (Exists(window)) w.loaded = true;
  w.loading = false;
  return true;
}

void WindowDestroyed(WindowObject* window) {
  WindowObject& w = *window;
  // The controls' windows are gone already; their objects and cursors go now.
  for (size_t i = w.units.size(); i-- > 0;) {
    KindObject* o = ObjectAt(w, uint32_t(i));
    w.units[i].object = nullptr;
    delete o;
  }
  w.live = nullptr;
  w.loaded = false;
  w.loading = false;
  if (!AnyWindowLive() && MessageLoopRunning()) PostQuitMessage(0);
}

}  // namespace talv
