// The kind table of the runtime's support library: for every control kind
// its Chinese and English name, its state word, the type of each of its
// properties (common properties 0-7 included) and its kind interface, the
// function that hands out the kind's operations by number. All but the
// interfaces come from the kind tables (runtime/window/definition). A unit's kind
// word selects an entry: library number in the high 16 bits, kind number
// in the low 16 bits, both counted from 1. Portable: the interfaces live in
// the target's kinds (runtime/window/kinds), which register them at
// start-up; until then, and always in the native build, no kind has
// operations.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/window/definition/definition_kinds.h"

namespace talv::kinds {

// Property type codes (the kind tables' own, runtime/window/definition).
namespace PropertyType = definition::PropertyType;

bool IsTextType(uint16_t type);       // texts, file names, data source/column names
bool IsByteArrayType(uint16_t type);  // pictures, icons, cursors, sounds, fonts

// State-word bits the window runtime tests.
namespace KindState {
constexpr uint32_t RaisesEvents = 0x00000044;  // either bit
constexpr uint32_t SeesMessagesFirst = 0x00000020;
constexpr uint32_t PagedContainer = 0x00000100;
constexpr uint32_t Mnemonic = 0x00007C00;
constexpr uint32_t NeverVisible = 0x00008000;
constexpr uint32_t NotInTabList = 0x00018000;
}  // namespace KindState

// Operation numbers of a kind interface.
namespace KindOperation {
constexpr int Create = 1, PropertyWritten = 4, KindData = 5, ReadProperty = 6, ClaimsKey = 8,
              SeeMessage = 11;
}  // namespace KindOperation

// Returns operation `operation` of the kind (null when the kind has none).
using KindInterface = void* (*)(int operation);

struct KindDescriptor {
  const char* chinese_name;  // null: the kind number is not in use
  const char* english_name;
  uint32_t state;
  const uint16_t* property_types;
  int32_t property_count;  // common properties 0-7 included
  KindInterface operations;
};

struct SupportLibrary {
  const char* name;
  const KindDescriptor* kinds;  // kind number n is kinds[n - 1]
  int32_t kind_count;
  // The library's notification entry (null: none): code, two arguments.
  intptr_t (*notify)(int32_t code, intptr_t arg1, intptr_t arg2);
};

// The support libraries of the program, numbered from 1; the runtime's own
// library (the eight kinds) is library 1.
int32_t LibraryCount();
const SupportLibrary* LibraryAt(int32_t number);

// The descriptor for a kind word: null when the library number exceeds the
// number of libraries, the kind number that library's number of kinds, or
// the entry is not in use.
const KindDescriptor* FindKind(uint32_t kind_word);

// The type of property `index` (0 when the kind has no such property).
uint16_t PropertyTypeOf(const KindDescriptor& kind, int32_t index);

// Sets the kind interface of the runtime's own library entry for
// `kind_word` (the kinds do this once at start-up). A kind word that names
// no entry in use is ignored.
void RegisterKindInterface(uint32_t kind_word, KindInterface operations);

}  // namespace talv::kinds
