#include "tests/window/window_runtime_testing.h"

namespace talv::test {
namespace {

template <int N>
HandlerResult Record(int32_t a1, int32_t, int32_t, int32_t, int32_t) {
  static const char* const names[5] = {"created", "a", "b", "c", "edit"};
  HandlerLog& log = Log();
  const EventSource source = CurrentEventSource();
  log.events.Add(names[N], source.window, source.control, a1);
  if (log.inside) {
    auto inside = std::move(log.inside);
    log.inside = nullptr;
    inside();
  }
  return log.answer;
}

definition::Bytes Cursor0() { return {0, 0, 0, 0}; }

}  // namespace

HandlerLog& Log() {
  static HandlerLog log;
  return log;
}

const EventHandler kRecordingHandlers[5] = {Record<0>, Record<1>, Record<2>, Record<3>,
                                            Record<4>};

std::vector<definition::UnitRecord> TestUnits(const std::vector<uint32_t>& tab_orders) {
  using namespace definition;
  std::vector<UnitRecord> units(5);
  units[0].control_id = kTestWindowUnit;
  units[0].kind_word = WindowKind::kKindWord;
  units[0].name = "window";
  units[0].width = 300;
  units[0].height = 200;
  units[0].bindings = {{0, 0}};
  const uint32_t ids[4] = {kButtonA, kButtonB, kButtonC, kEdit};
  const char* names[4] = {"a", "b", "c", "edit"};
  for (int i = 0; i < 4; ++i) {
    UnitRecord& u = units[size_t(i) + 1];
    u.control_id = ids[i];
    u.kind_word = i < 3 ? ButtonKind::kKindWord : EditBoxKind::kKindWord;
    u.name = names[i];
    u.left = 10 * i;
    u.top = 5;
    u.width = 40;
    u.height = 20;
    u.tag = std::to_string(i);
    u.flags = kFlagVisible | kFlagTabStop;
    u.tab_order = i < int(tab_orders.size()) ? tab_orders[size_t(i)] : 0;
    u.cursor_data = Cursor0();
  }
  units[1].bindings = {{0, 1}};
  units[2].bindings = {{0, 2}};
  units[3].bindings = {{0, kNoHandler}};
  units[4].bindings = {{0, 4}};
  return units;
}

definition::Bytes TestSegment(const std::vector<definition::UnitRecord>& units) {
  definition::WindowDefinition w;
  w.window_id = kTestWindowId;
  w.table = definition::BuildControlTable(units);
  return definition::EncodeDefinitionSegment({w});
}

void InstallTestWindow(const std::vector<definition::UnitRecord>& units) {
  ClearWindowList();
  ResetEventDispatch();
  Log() = HandlerLog{};
  ProgramImage image;
  image.handlers = kRecordingHandlers;
  image.handler_count = 5;
  SetProgramImage(image);
  definition::Bytes segment = TestSegment(units);
  LoadWindowDefinitions(segment.data(), segment.size(), 5);
}

}  // namespace talv::test
