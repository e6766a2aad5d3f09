// C++ sources that carry a built window definition into the program.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tools/window_description.h"
#include "tools/window_layout.h"

namespace talv::tools {

// main_window_definition.h: what the program reads of the built definition:
// the Window and window-unit ids, the segment's and the program header's
// sizes, the picture constants, the handler table order (MainHandler) and
// the DLL-command tables.
std::string GenerateDefinitionHeader(const Description& d, size_t segment_size,
                                     size_t header_size);
// main_window_definition.cpp: the segment, the program header and the
// picture constants as constant-segment arrays, the handler names and the
// DLL-command tables, as main_window_definition.h declares them.
std::string GenerateDefinitionSource(const Description& d, const Bytes& segment,
                                     const Bytes& header);
// main_window_handlers.inc: one row TALV_MAIN_HANDLER(NAME, ARGUMENTS) per
// handler in table order, for the program's table of handler functions.
std::string GenerateHandlerTable(const Description& d);
// main_window_description.cpp: the description text and the files it names,
// for tests that parse the description themselves.
std::string GenerateDescriptionSource(std::string_view text,
                                      const std::map<std::string, Bytes>& files);

// main_window_controls.h: the ids under the C++ names that the description
// gives them (`symbol`): a window's and its window unit's in talv::app, the
// controls' in talv::app::control; NAME[INDEX] names form an array.
std::string GenerateControlIdsHeader(const Description& d);

// The windows' layout at the design size, for the layout file.
std::vector<WindowLayout> LayoutOf(const Description& d);

}  // namespace talv::tools
