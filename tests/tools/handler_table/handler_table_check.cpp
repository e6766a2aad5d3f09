// Compiles a handler table that talvdef wrote (resources/main_window_handlers.inc,
// from the include path) against the application's handlers: every row must
// name a function of talv::app that takes as many of its event's arguments
// (int32_t each) as the row says. A name the application does not define
// fails here with that name, as it fails the program's own table.
#include <cstdint>
#include <type_traits>

#include "app/handlers.h"

namespace {

template <int Arguments>
struct HandlerOf;
template <>
struct HandlerOf<0> { using type = void(); };
template <>
struct HandlerOf<1> { using type = void(int32_t); };
template <>
struct HandlerOf<2> { using type = void(int32_t, int32_t); };
template <>
struct HandlerOf<3> { using type = void(int32_t, int32_t, int32_t); };
template <>
struct HandlerOf<4> { using type = void(int32_t, int32_t, int32_t, int32_t); };
template <>
struct HandlerOf<5> { using type = void(int32_t, int32_t, int32_t, int32_t, int32_t); };

#define TALV_MAIN_HANDLER(name, arguments)                                               \
  static_assert(std::is_same_v<decltype(talv::app::name), HandlerOf<arguments>::type>, \
                "talv::app::" #name " takes other arguments than the description says");
#include "resources/main_window_handlers.inc"
#undef TALV_MAIN_HANDLER

}  // namespace
