// What the program itself brings to the runtime, as a linker would hand it
// over: the 64-byte program header, the window-definition segment and the
// application's table of event handlers. The program entry registers it
// before the first runtime routine (initialisation) runs; handler bindings
// in the segment are positions in the handler table (-1: none).
#pragma once

#include <cstddef>
#include <cstdint>

namespace talv {

// What a handler gives back to the dispatcher: whether it returned a value,
// and the value (close queries and mouse/key events read it).
struct HandlerResult {
  bool returned;
  int32_t value;
};
constexpr HandlerResult kNoResult{false, 0};

// An event handler receives the event's (up to five) arguments as 32-bit
// values, the first argument first; unused slots are 0.
using EventHandler = HandlerResult (*)(int32_t a1, int32_t a2, int32_t a3, int32_t a4,
                                       int32_t a5);

// Adapts an application handler that takes nothing and returns nothing.
template <void (*F)()>
HandlerResult PlainHandler(int32_t, int32_t, int32_t, int32_t, int32_t) {
  F();
  return kNoResult;
}

struct ProgramImage {
  const uint8_t* header = nullptr;  // the 64-byte program header
  size_t header_size = 0;
  const uint8_t* definitions = nullptr;  // the window-definition segment
  size_t definitions_size = 0;
  const EventHandler* handlers = nullptr;  // the application's handler table
  int32_t handler_count = 0;
};

void SetProgramImage(const ProgramImage& image);
const ProgramImage& CurrentProgramImage();

}  // namespace talv
