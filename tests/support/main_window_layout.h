// The Main window's layout as talvdef wrote it from the description into the
// build tree (resources/main_window.layout), for the tests that check
// positions and ids: the layout is written only in the description.
#pragma once

#include <string_view>

#include "tools/window_layout.h"

namespace talv::test {

// The Main window's layout, read once. A missing or malformed file ends the
// test program with a message: every test that relies on it would fail.
const tools::WindowLayout& MainWindowLayout();

// The unit of that name (GBK, as the segment holds it); ends the test
// program with a message when the layout has none.
const tools::LayoutUnit& MainWindowUnit(std::string_view name);

}  // namespace talv::test
