// The layout file: where each unit of a window lies at the design size,
// written by talvdef from the window description (build tree:
// resources/main_window.layout) and read by the tests that check positions
// and by the end-to-end driver, so that the layout is written only in the
// description.
//
// Format: text, one item a line, fields separated by spaces; '#' starts a
// comment line. Texts stand in double quotes and hold the program's GBK
// bytes, with the escapes \" \\ \r \n \t; ids are 0x-hexadecimal.
//   window ID SYMBOL
//       starts a window; SYMBOL is the C++ name of its Window id, or -
//   client LEFT TOP WIDTH HEIGHT
//       the window's client area at the design size: its offset from the
//       window's outer top-left corner and its size
//   unit NAME SYMBOL ID KIND LEFT TOP WIDTH HEIGHT TAG CAPTION
//       a unit, in definition order (the window's own unit first): its name
//       (a text), the C++ name of its id (- for none), its Control id, its
//       kind word of the description (window, Button, EditBox, …), its
//       geometry, its tag (a text) and its caption (a text; "" for kinds
//       without one)
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace talv::tools {

struct LayoutUnit {
  std::string name;    // GBK
  std::string symbol;  // empty when the unit has no C++ name
  uint32_t id = 0;
  std::string kind;
  int32_t left = 0, top = 0, width = 0, height = 0;
  std::string tag;      // GBK
  std::string caption;  // GBK
};

struct WindowLayout {
  uint32_t window_id = 0;
  std::string symbol;
  int32_t client_left = 0, client_top = 0, client_width = 0, client_height = 0;
  std::vector<LayoutUnit> units;  // units[0] is the window's own unit

  // The unit of that name or Control id; null when there is none.
  const LayoutUnit* Find(std::string_view name) const;
  const LayoutUnit* FindId(uint32_t id) const;
};

// The file's text for these windows.
std::string FormatWindowLayouts(const std::vector<WindowLayout>& windows);

// Reads a layout file. On failure `error` names the line and what was
// wrong there, and `windows` is left empty. Every window has its client
// line and at least its own unit.
bool ParseWindowLayouts(std::string_view text, std::vector<WindowLayout>* windows,
                        std::string* error);

}  // namespace talv::tools
