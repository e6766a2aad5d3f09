// The application's view of the runtime: thin typed calls over the gate
// table, so that handlers read like their algorithms. Everything here goes
// through the gates; nothing calls the runtime around them. The commands
// themselves come from the application's command table (app_commands.h).
//
//   rt::Text entry = rt::ReadText(kMainWindow, kEntryBox, 8);
//   rt::Call(Commands().files.SetDllCommandDirectory, folder.c_str());
//
// Commands are called with plain C++ values, which become typed arguments:
// int32_t -> integer, double -> double, bool -> logical, const char* ->
// text, rt::Omit -> an omitted argument, a TypedValue as it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "runtime/core/blocks.h"
#include "runtime/core/command_codes.h"
#include "runtime/core/dll_commands.h"
#include "runtime/core/exit_routines.h"
#include "runtime/core/gates.h"
#include "runtime/core/typed_value.h"

namespace rt {

using talv::Command;
using talv::TypedValue;

inline const talv::GateTable& Gate() { return talv::Gates(); }

// ---- Owned texts -----------------------------------------------------
// A text block that the runtime handed over; freed through the free gate.
// Null is the empty text.
class Text {
 public:
  Text() = default;
  explicit Text(char* owned) : text_(owned) {}
  Text(Text&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
  Text& operator=(Text&& other) noexcept {
    if (this != &other) {
      Gate().Free(text_);
      text_ = std::exchange(other.text_, nullptr);
    }
    return *this;
  }
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  ~Text() { Gate().Free(text_); }

  const char* get() const { return text_; }  // null when empty
  const char* c_str() const { return text_ ? text_ : ""; }
  bool empty() const { return !text_ || !*text_; }
  char* release() { return std::exchange(text_, nullptr); }

 private:
  char* text_ = nullptr;
};

// ---- Byte arrays ---------------------------------------------------------
// A byte-array block read in place (null is the empty byte array): its
// bytes stay the block's.
struct ByteArrayView {
  const uint8_t* data;  // null when empty
  size_t size;
};
inline ByteArrayView ByteArray(const void* block) {
  return {talv::ByteArrayData(block), talv::ByteArrayLength(block)};
}
// A fresh byte-array block of `size` bytes copied from `bytes`, from the
// runtime heap (rt::Free frees it); null when empty.
inline void* NewByteArray(const void* bytes, size_t size) {
  if (size == 0) return nullptr;
  return talv::FillByteArray(Gate().Allocate(talv::kByteArrayHeader + size), bytes, size);
}

// ---- Typed arguments ---------------------------------------------------
struct OmitTag {};
constexpr OmitTag Omit{};

inline TypedValue Arg(const TypedValue& v) { return v; }
inline TypedValue Arg(OmitTag) { return talv::Omitted(); }
inline TypedValue Arg(int32_t x) { return talv::IntValue(x); }
inline TypedValue Arg(double x) { return talv::DoubleValue(x); }
inline TypedValue Arg(bool b) { return talv::BoolValue(b); }
inline TypedValue Arg(const char* text) { return talv::TextValue(text); }

// ---- Commands (gate 3) ---------------------------------------------------
template <class... A>
TypedValue Call(Command command, const A&... args) {
  return Gate().CallCommand(command, int32_t(sizeof...(A)), Arg(args)...);
}
// A command whose result is a text: the caller owns it.
template <class... A>
Text CallText(Command command, const A&... args) {
  return Text(static_cast<char*>(talv::AsPointer(Call(command, args...))));
}
// A command of a support library (gate 2), with the library's position.
template <class... A>
TypedValue CallLibrary(int32_t library, Command command, const A&... args) {
  return Gate().CallLibraryCommand(command, int32_t(sizeof...(A)), Arg(args)..., library);
}

// ---- DLL commands (gate 1) -----------------------------------------------
// Each argument is one word as the declaration passes it: a 32-bit integer
// (a signed one is sign-extended to the word, as a window handle must be on
// x64, an unsigned one zero-extended) or a pointer, data or function.
using talv::DllWord;
inline DllWord Word(int32_t x) { return DllWord(intptr_t(x)); }
inline DllWord Word(uint32_t x) { return DllWord(x); }
inline DllWord Word(const void* p) { return reinterpret_cast<DllWord>(p); }
template <class F, class = std::enable_if_t<std::is_function_v<std::remove_pointer_t<F>>>>
inline DllWord Word(F* function) {
  return reinterpret_cast<DllWord>(function);
}
// The convention of a function of ours that an outside function calls back
// (stdcall on the 32-bit target; x64 has one convention).
#if defined(__i386__)
#define RT_CALLBACK __attribute__((stdcall))
#else
#define RT_CALLBACK
#endif
template <class... A>
uint32_t CallDll(int32_t index, A... words) {
  return uint32_t(Gate().CallDllCommand(index, Word(words)...));
}

// ---- Properties (gates 4, 5) ---------------------------------------------
inline uint64_t ReadProperty(int32_t window, int32_t control, int32_t property,
                             int32_t member = -1) {
  return Gate().ReadProperty(window, control, property, member);
}
inline int32_t ReadInt(int32_t window, int32_t control, int32_t property, int32_t member = -1) {
  return int32_t(uint32_t(ReadProperty(window, control, property, member)));
}
inline double ReadDouble(int32_t window, int32_t control, int32_t property, int32_t member = -1) {
  TypedValue v{};
  talv::SetRawBits(v, ReadProperty(window, control, property, member));
  return talv::AsDouble(v);
}
inline Text ReadText(int32_t window, int32_t control, int32_t property, int32_t member = -1) {
  TypedValue v{};
  talv::SetRawBits(v, ReadProperty(window, control, property, member));
  return Text(static_cast<char*>(talv::AsPointer(v)));
}
inline void WriteProperty(int32_t window, int32_t control, int32_t property, uint64_t value,
                          int32_t member = -1) {
  Gate().WriteProperty(window, control, property, member, uint32_t(value), uint32_t(value >> 32));
}
inline void WriteInt(int32_t window, int32_t control, int32_t property, int32_t value) {
  WriteProperty(window, control, property, uint64_t(uint32_t(value)));
}
inline void WriteDouble(int32_t window, int32_t control, int32_t property, double value) {
  TypedValue v = talv::DoubleValue(value);
  WriteProperty(window, control, property, talv::RawBits(v));
}
// The runtime copies the text; the caller keeps its own.
inline void WriteText(int32_t window, int32_t control, int32_t property, const char* text) {
  TypedValue v = talv::TextValue(text);
  WriteProperty(window, control, property, talv::RawBits(v));
}

// ---- Memory (gates 6, 7, 8) ----------------------------------------------
inline void* Allocate(size_t bytes) { return Gate().Allocate(bytes); }
inline void* Reallocate(void* block, size_t bytes) { return Gate().Reallocate(block, bytes); }
inline void Free(void* block) { Gate().Free(block); }

// ---- Errors, start-up and the end (gates 0, 9, 10, 11) ---------------------
[[noreturn]] inline void ReportRuntimeError(int32_t index, int32_t location1, int32_t location2) {
  Gate().ReportRuntimeError(index, location1, location2);
  __builtin_unreachable();
}
[[noreturn]] inline void ExitProgram(int32_t code) {
  Gate().ExitProgram(code);
  __builtin_unreachable();
}
inline void RunMessageLoop() { Gate().RunMessageLoop(); }
inline void LoadStartupWindow(int32_t window_id) { Gate().LoadStartupWindow(window_id); }

// ---- Runtime routines (gate 12) --------------------------------------------
inline void InitialiseRuntime() {
  Gate().CallRuntimeRoutine(talv::RuntimeRoutine::InitialiseRuntime);
}
inline void RegisterExitRoutine(talv::ExitRoutine routine) {
  Gate().CallRuntimeRoutine(talv::RuntimeRoutine::RegisterExitRoutine, routine);
}
// Copies an array that still lies among the constants before it is changed.
inline void MakeArrayPrivate(int32_t element_width, void** variable) {
  Gate().CallRuntimeRoutine(talv::RuntimeRoutine::MakeArrayPrivate, element_width, variable);
}

}  // namespace rt
