#include "runtime/window/definition/definition_encode.h"

namespace talv::definition {

Bytes EncodeUnitRecord(const UnitRecord& u) {
  StreamWriter w;
  w.Dword(u.kind_word);
  w.Dword(0);  // forwarding target: set at run time
  for (int i = 0; i < 4; ++i) w.Dword(0);
  w.CString(u.name);
  w.CString(u.remark);
  w.Dword(0);  // object slot
  w.Int(u.left);
  w.Int(u.top);
  w.Int(u.width);
  w.Int(u.height);
  w.Dword(0);  // cursor slot
  w.Dword(u.parent);
  w.Dword(uint32_t(u.children.size()));
  for (uint32_t c : u.children) w.Dword(c);
  w.ByteArray(u.cursor_data);
  w.CString(u.tag);
  w.Dword(0);
  w.Dword(u.flags);
  w.Dword(u.tab_order);
  w.Dword(uint32_t(u.bindings.size()));
  for (const EventBinding& b : u.bindings) {
    w.Int(b.event);
    w.Int(b.handler);
  }
  for (int i = 0; i < 5; ++i) w.Dword(0);
  w.Raw(u.kind_data.data(), u.kind_data.size());
  return w.Take();
}

ControlTable BuildControlTable(const std::vector<UnitRecord>& units) {
  StreamWriter ids, offsets, records;
  for (const UnitRecord& u : units) {
    ids.Dword(u.control_id);
    offsets.Dword(uint32_t(records.bytes().size()));
    records.ByteArray(EncodeUnitRecord(u));
  }
  Bytes body = ids.Take();
  body.insert(body.end(), offsets.bytes().begin(), offsets.bytes().end());
  body.insert(body.end(), records.bytes().begin(), records.bytes().end());
  return ControlTable(uint32_t(units.size()), std::move(body));
}

Bytes EncodeDefinitionSegment(const std::vector<WindowDefinition>& windows) {
  StreamWriter w;
  w.Dword(uint32_t(windows.size() * 8));
  for (const WindowDefinition& win : windows) w.Dword(win.window_id);
  for (size_t i = 0; i < windows.size(); ++i) w.Dword(0);  // the runtime's window object
  for (const WindowDefinition& win : windows) {
    w.Dword(win.word1);
    w.Dword(win.word2);
    w.Text(win.text1);
    w.Text(win.text2);
    w.Dword(win.table.UnitCount());
    w.ByteArray(win.table.body());
  }
  return w.Take();
}

}  // namespace talv::definition
