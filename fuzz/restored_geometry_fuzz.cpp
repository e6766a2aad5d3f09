// peizi.ini values as the start-up reads them: four texts through ToNumber,
// truncated to integers and checked against a set of monitors. Whatever the
// texts, the result is either the values read or the defaults, and nothing
// overflows.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "app/geometry.h"
#include "runtime/commands/conversion.h"
#include "runtime/core/command_call.h"
#include "runtime/core/heap.h"

namespace {

double ReadNumber(const std::string& text) {
  talv::TypedValue arg = talv::TextValue(text.c_str());
  return talv::AsDouble(talv::InvokeCommand(talv::ToNumber, 1, &arg));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace talv::app;
  std::string texts[4];
  int field = 0;
  for (size_t i = 0; i < size && field < 4; ++i) {
    if (data[i] == '\n') ++field;
    else if (data[i] != 0) texts[field] += char(data[i]);
  }
  const Geometry read{TruncateToInt(ReadNumber(texts[0])), TruncateToInt(ReadNumber(texts[1])),
                      TruncateToInt(ReadNumber(texts[2])), TruncateToInt(ReadNumber(texts[3]))};
  const std::vector<ScreenRect> monitors = {{0, 0, 1024, 768}, {-1280, -200, 0, 824}};
  const Geometry g = CheckedGeometry(read, monitors, 112, 27);
  if (!(g == read) && !(g == kDefaultGeometry)) __builtin_trap();
  if (g.width < 112 || g.height < 27) __builtin_trap();
  return 0;
}
