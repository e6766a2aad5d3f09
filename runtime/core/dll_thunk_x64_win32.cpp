// The call of an outside function on x64. Every argument word is an integer
// or a pointer, so the x64 convention passes the first four in RCX, RDX, R8
// and R9 and the rest in 64-bit stack slots above the 32-byte shadow space;
// the callee leaves the stack to the caller. The compiler lays that out when
// the function is called through a pointer of the right arity, so the thunk
// picks, by the word count, a caller compiled for that many words.
#if defined(__x86_64__)
#include <array>
#include <utility>

#include "runtime/core/dll_commands.h"
#include "runtime/core/runtime_error.h"

namespace talv::platform {
namespace {

template <size_t I>
using Word = DllWord;

template <size_t... I>
uint64_t CallWithWords(void* function, const DllWord* words, std::index_sequence<I...>) {
  using Function = uint64_t (*)(Word<I>...);
  return reinterpret_cast<Function>(function)(words[I]...);
}

using Caller = uint64_t (*)(void*, const DllWord*);

template <size_t N>
uint64_t CallerOf(void* function, const DllWord* words) {
  return CallWithWords(function, words, std::make_index_sequence<N>());
}

template <size_t... N>
constexpr std::array<Caller, sizeof...(N)> MakeCallers(std::index_sequence<N...>) {
  return {&CallerOf<N>...};
}

constexpr auto kCallers = MakeCallers(std::make_index_sequence<kMaxDllWords + 1>());

}  // namespace

uint64_t CallOutsideFunction(void* function, const DllWord* words, int32_t count,
                             int32_t* stack_delta) {
  *stack_delta = 0;
  if (count < 0) count = 0;
  if (count > kMaxDllWords) RaiseRuntimeErrorF("DLL命令参数过多");
  return kCallers[size_t(count)](function, words);
}

}  // namespace talv::platform
#endif
