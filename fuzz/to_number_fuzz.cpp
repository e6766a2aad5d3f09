// ToNumber over arbitrary bytes (made NUL-terminated; an inner NUL ends the
// text as it would in the program). Besides running clean under ASan, the
// reading must not depend on which path takes it: the same bytes behind an
// ideographic space (A1 A1, white space after folding) go through the
// folding reader and must give the same bits. A finite result rendered by
// ToText reads back to within the rendering's 13 digits.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "runtime/commands/conversion.h"
#include "runtime/commands/number_text.h"
#include "runtime/core/blocks.h"
#include "runtime/core/command_call.h"
#include "runtime/core/heap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace talv;
  std::vector<char> text(size + 3);
  text[0] = '\xA1';
  text[1] = '\xA1';
  if (size) std::memcpy(text.data() + 2, data, size);
  text[size + 2] = '\0';

  TypedValue arg = TextValue(text.data() + 2);
  const double value = AsDouble(InvokeCommand(ToNumber, 1, &arg));
  if (std::isnan(value)) std::abort();
  const double behind_space = TextToNumber(text.data());
  if (std::memcmp(&value, &behind_space, sizeof value) != 0) std::abort();

  char rendered[kNumberTextCapacity];
  const size_t length = DoubleToText(value, rendered);
  if (length >= kNumberTextCapacity || std::strlen(rendered) != length) std::abort();
  if (std::isfinite(value) && std::fabs(value) >= 1e-300) {
    const double back = TextToNumber(rendered);
    if (!(std::fabs(back - value) <= std::fabs(value) * 1e-12)) std::abort();
  }
  return 0;
}
