// C++ sources that carry a built window definition into the program.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tools/window_description.h"
#include "tools/window_layout.h"

namespace talv::tools {

// main_window_definition.cpp: the segment, the program header and the
// picture constants as constant-segment arrays, the handler-name table with
// compile-time checks against resources/main_window_definition.h, and the
// DLL-command tables.
std::string GenerateDefinitionSource(const Description& d, const Bytes& segment,
                                     const Bytes& header);
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
