#include "tests/support/main_window_layout.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace talv::test {
namespace {

[[noreturn]] void Stop(const std::string& why) {
  std::fprintf(stderr, "the Main window's layout (%s): %s\n", TALV_MAIN_WINDOW_LAYOUT, why.c_str());
  std::exit(1);
}

tools::WindowLayout Load() {
  std::ifstream f(TALV_MAIN_WINDOW_LAYOUT, std::ios::binary);
  if (!f) Stop("cannot be read");
  const std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  std::vector<tools::WindowLayout> windows;
  std::string error;
  if (!tools::ParseWindowLayouts(text, &windows, &error)) Stop(error);
  if (windows.size() != 1) Stop("one window expected");
  return windows[0];
}

}  // namespace

const tools::WindowLayout& MainWindowLayout() {
  static const tools::WindowLayout layout = Load();
  return layout;
}

const tools::LayoutUnit& MainWindowUnit(std::string_view name) {
  const tools::LayoutUnit* u = MainWindowLayout().Find(name);
  if (!u) Stop("no unit named " + std::string(name));
  return *u;
}

}  // namespace talv::test
