#include "runtime/window/model/event_dispatch.h"

#include "runtime/core/program_image.h"
#include "runtime/core/runtime_error.h"
#include "runtime/window/model/window_list.h"

namespace talv {
namespace {

int32_t g_suspended = 0;
bool g_for_good = false;
EventSource g_source;

}  // namespace

void SuspendEvents() { ++g_suspended; }
void ResumeEvents() {
  if (g_suspended > 0) --g_suspended;
}
bool EventsSuspended() { return g_for_good || g_suspended > 0; }
void SuspendEventsForGood() { g_for_good = true; }
EventSource CurrentEventSource() { return g_source; }
void ResetEventDispatch() {
  g_suspended = 0;
  g_for_good = false;
  g_source = EventSource{};
}

int32_t RaiseEvent(EventRecord* record) {
  if (EventsSuspended()) return 0;
  WindowObject* window = FindWindowObject(uint32_t(record->window));
  if (!window) RaiseRuntimeError(0, "未找到引发事件的窗口", record->window, record->control);
  int32_t unit = window->FindUnit(uint32_t(record->control));
  if (unit < 0)
    RaiseRuntimeError(0, "未找到引发事件的窗口组件", record->window, record->control);
  const uint32_t target = ForwardedUnit(*window, uint32_t(unit));
  const kinds::KindDescriptor* kind = kinds::FindKind(window->units[target].kind_word);
  if (!kind || (kind->state & kinds::KindState::RaisesEvents) == 0)
    RaiseRuntimeError(0, "引发事件的窗口组件无效", record->window, record->control);

  const int32_t handler = window->HandlerFor(target, record->index);
  const ProgramImage& image = CurrentProgramImage();
  if (handler < 0 || handler >= image.handler_count || !image.handlers ||
      !image.handlers[handler])
    return 0;

  g_source.window = record->window;
  g_source.control = int32_t(window->units[uint32_t(unit)].control_id);
  int32_t a[5] = {};
  const int32_t n = record->count < 0 ? 0 : record->count > 5 ? 5 : record->count;
  for (int32_t i = 0; i < n; ++i) a[i] = record->arguments[i];
  HandlerResult result = image.handlers[handler](a[0], a[1], a[2], a[3], a[4]);
  g_source.window = 0;
  g_source.control = 0;
  if (result.returned) {
    record->result_flag = 1;
    record->result = result.value;
  }
  return 1;
}

EventRecord RaiseSimpleEvent(int32_t window, int32_t control, int32_t index, int32_t count,
                             int32_t a1, int32_t a2, int32_t a3) {
  EventRecord r;
  r.window = window;
  r.control = control;
  r.index = index;
  r.count = count;
  r.arguments[0] = a1;
  r.arguments[1] = a2;
  r.arguments[2] = a3;
  RaiseEvent(&r);
  return r;
}

}  // namespace talv
