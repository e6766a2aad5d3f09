// Building window-definition segments: unit records, control tables and the
// segment itself, in exactly the layout that definition_segment.h reads.
// The build step serializes the Main window's description with these, and
// tests build damaged or unusual segments with them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/window/definition/definition_segment.h"

namespace talv::definition {

// Everything a window unit's or control's record holds, owned. Run-time
// slots (forwarding target, object and cursor slots) are 0 in a file.
struct UnitRecord {
  uint32_t control_id = 0;
  uint32_t kind_word = 0;
  std::string name;
  std::string remark;
  int32_t left = 0, top = 0, width = 0, height = 0;
  uint32_t parent = 0;
  std::vector<uint32_t> children;
  Bytes cursor_data;
  std::string tag;
  uint32_t flags = kFlagVisible;
  uint32_t tab_order = 0;
  std::vector<EventBinding> bindings;
  Bytes kind_data;
};

// The record's N bytes (without its length dword).
Bytes EncodeUnitRecord(const UnitRecord& unit);
// A packed control table for units in definition order (unit 0 the window unit).
ControlTable BuildControlTable(const std::vector<UnitRecord>& units);
// The whole segment: index, then each window's words, texts and table.
Bytes EncodeDefinitionSegment(const std::vector<WindowDefinition>& windows);

}  // namespace talv::definition
