// Kind data of the eight control kinds, made from their tables
// (kind_schema_<kind>.h): one plain struct per kind with the kind's own
// defaults, what each table knows about its properties and events, and the
// stream reader and writer of a kind-data block. A block is a dword version
// followed by the kind's fields in the kind's stream order (which is not
// property-index order). An empty block leaves every field at its default;
// a version above the kind's own, a short block or bytes left over after
// the last field are refused.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "runtime/window/definition/definition_bytes.h"
#include "runtime/window/definition/schema/kind_schema.h"

namespace talv::definition {

// A font field holds nothing (the default GUI font) or a 60-byte LOGFONTA.
constexpr size_t kLogFontSize = 60;

enum class KindStatus {
  kOk,
  kVersionTooHigh,  // written by a newer kind than this reader knows
  kTruncated,       // a field runs past the end of the block
  kTrailingBytes,   // bytes left after the last field of the version
  kUnknownKind,     // the kind word names none of the eight kinds
};
const char* KindStatusText(KindStatus status);

constexpr uint32_t LatestVersion(std::initializer_list<uint32_t> versions) {
  uint32_t latest = 1;
  for (uint32_t v : versions) latest = v > latest ? v : latest;
  return latest;
}

// ---- The kind-data structs ------------------------------------------------
// WindowKind, EditBoxKind, ...: the FIELD rows of the kind's table as
// members with their defaults, in stream order. The kind's version is the
// latest version in which one of its fields appeared.

#define TALV_STRUCT_OPEN(Name, number, chinese, english, state) \
  struct Name##Kind {                                           \
    static constexpr uint32_t kKindWord = 0x00010000u | number;
#define TALV_STRUCT_MEMBER(index, Name, chinese, Type, Cpp, field, initial, since, apply) \
  Cpp field = initial;
#define TALV_STRUCT_SINCE(index, Name, chinese, Type, Cpp, field, initial, since, apply) since,
#define TALV_DECLARE_STRUCT(SCHEMA)                                                         \
  SCHEMA(TALV_STRUCT_OPEN, TALV_STRUCT_MEMBER, TALV_SCHEMA_SKIP, TALV_SCHEMA_SKIP)          \
  static constexpr uint32_t kVersion = LatestVersion(                                       \
      {SCHEMA(TALV_SCHEMA_SKIP, TALV_STRUCT_SINCE, TALV_SCHEMA_SKIP, TALV_SCHEMA_SKIP)});   \
  };

TALV_EACH_KIND_SCHEMA(TALV_DECLARE_STRUCT)

#undef TALV_DECLARE_STRUCT
#undef TALV_STRUCT_SINCE
#undef TALV_STRUCT_MEMBER
#undef TALV_STRUCT_OPEN

using KindData = std::variant<WindowKind, EditBoxKind, GroupBoxKind, LabelKind, ButtonKind,
                              DatePickerKind, HyperLinkerKind, PicBtnKind>;

// ---- What the tables say ----------------------------------------------------

// A stored field, as a visitor of the fields sees it.
struct FieldInfo {
  int32_t index;     // its property index (the first, for a run of colours)
  const char* name;  // the member's name, which the window description uses
  uint16_t type;     // PropertyType
  uint32_t since;    // the kind-data version it appeared in
  int32_t span;      // the number of property indices it holds
};

// A kind property (index 8 and up), stored or live.
struct PropertyInfo {
  int32_t index;
  const char* name;
  const char* chinese_name;
  uint16_t type;
  int32_t span;
  const char* field;  // null: only a live control has it
};

struct EventInfo {
  int32_t index;
  const char* name;  // null ends a list
  const char* chinese_name;
};

struct KindInfo {
  uint32_t kind_word;
  const char* chinese_name;
  const char* english_name;
  uint32_t state;
};

template <class T>
constexpr int32_t kFieldSpan = 1;
template <class T, size_t N>
constexpr int32_t kFieldSpan<std::array<T, N>> = int32_t(N);

// KindSchema<K> for each kind-data struct K:
//   Fields(k, f)  calls f(FieldInfo, member) for every stored field, in
//                 stream order (k may be const);
//   ApplyOf(i)    what a write of property i does to the live control;
//   kKind, kProperties, kEvents (ended by a null name).
template <class K>
struct KindSchema;

#define TALV_SCHEMA_OPEN(Name, number, chinese, english, state)       \
  template <>                                                         \
  struct KindSchema<Name##Kind> {                                     \
    using Apply = Name##Apply;                                        \
    static constexpr KindInfo kKind{Name##Kind::kKindWord, chinese, english, state};
#define TALV_VISIT_FIELD(index, Name, chinese, Type, Cpp, field, initial, since, apply) \
  f(FieldInfo{index, #field, PropertyType::Type, since, kFieldSpan<Cpp>}, k.field);
#define TALV_APPLY_OF(index, Name, chinese, Type, Cpp, field, initial, since, apply) \
  if (i >= index && i < index + kFieldSpan<Cpp>) return Apply::apply;
#define TALV_FIELD_ROW(index, Name, chinese, Type, Cpp, field, initial, since, apply) \
  {index, #Name, chinese, PropertyType::Type, kFieldSpan<Cpp>, #field},
#define TALV_LIVE_ROW(index, Name, chinese, Type) \
  {index, #Name, chinese, PropertyType::Type, 1, nullptr},
#define TALV_EVENT_ROW(index, Name, chinese) {index, #Name, chinese},
#define TALV_DECLARE_SCHEMA(SCHEMA)                                                           \
  SCHEMA(TALV_SCHEMA_OPEN, TALV_SCHEMA_SKIP, TALV_SCHEMA_SKIP, TALV_SCHEMA_SKIP)              \
  template <class K, class F>                                                                 \
  static void Fields(K& k, F&& f) {                                                           \
    SCHEMA(TALV_SCHEMA_SKIP, TALV_VISIT_FIELD, TALV_SCHEMA_SKIP, TALV_SCHEMA_SKIP)            \
  }                                                                                           \
  static constexpr Apply ApplyOf(int32_t i) {                                                 \
    SCHEMA(TALV_SCHEMA_SKIP, TALV_APPLY_OF, TALV_SCHEMA_SKIP, TALV_SCHEMA_SKIP)               \
    return Apply::Stored;                                                                     \
  }                                                                                           \
  static constexpr PropertyInfo kProperties[] = {                                             \
      SCHEMA(TALV_SCHEMA_SKIP, TALV_FIELD_ROW, TALV_LIVE_ROW, TALV_SCHEMA_SKIP)};             \
  static constexpr EventInfo kEvents[] = {                                                    \
      SCHEMA(TALV_SCHEMA_SKIP, TALV_SCHEMA_SKIP, TALV_SCHEMA_SKIP, TALV_EVENT_ROW){0, nullptr, \
                                                                                  nullptr}};  \
  };

TALV_EACH_KIND_SCHEMA(TALV_DECLARE_SCHEMA)

#undef TALV_DECLARE_SCHEMA
#undef TALV_EVENT_ROW
#undef TALV_LIVE_ROW
#undef TALV_FIELD_ROW
#undef TALV_APPLY_OF
#undef TALV_VISIT_FIELD
#undef TALV_SCHEMA_OPEN

// What a write of kind property `index` does to a live control of kind K.
template <class K>
constexpr typename KindSchema<K>::Apply ApplyOf(int32_t index) {
  return KindSchema<K>::ApplyOf(index);
}

// The common properties' types, then each kind property's type by index.
template <class K>
constexpr int32_t PropertyCount() {
  int32_t count = 8;
  for (const PropertyInfo& p : KindSchema<K>::kProperties) count += p.span;
  return count;
}
template <class K>
constexpr std::array<uint16_t, size_t(PropertyCount<K>())> MakePropertyTypes() {
#define TALV_COMMON_TYPE(index, Name, chinese, Type) PropertyType::Type,
  std::array<uint16_t, size_t(PropertyCount<K>())> types{TALV_COMMON_PROPERTIES(TALV_COMMON_TYPE)};
#undef TALV_COMMON_TYPE
  for (const PropertyInfo& p : KindSchema<K>::kProperties) {
    for (int32_t i = 0; i < p.span; ++i) types[size_t(p.index + i)] = p.type;
  }
  return types;
}
// Whether the kind's indices run 8, 9, ... without a gap or a repeat.
template <class K>
constexpr bool IndicesAreDense() {
  std::array<int32_t, size_t(PropertyCount<K>())> seen{};
  for (const PropertyInfo& p : KindSchema<K>::kProperties) {
    for (int32_t i = 0; i < p.span; ++i) {
      const int32_t at = p.index + i;
      if (at < 8 || at >= PropertyCount<K>() || seen[size_t(at)]++) return false;
    }
  }
  return true;
}
template <class K>
inline constexpr std::array<uint16_t, size_t(PropertyCount<K>())> kPropertyTypes =
    MakePropertyTypes<K>();

// Calls f(KindTag<K>{}) for each of the eight kinds.
template <class K>
struct KindTag {
  using type = K;
};
template <class F, size_t... I>
constexpr void ForEachKindOf(F&& f, std::index_sequence<I...>) {
  (f(KindTag<std::variant_alternative_t<I, KindData>>{}), ...);
}
template <class F>
constexpr void ForEachKind(F&& f) {
  ForEachKindOf(f, std::make_index_sequence<std::variant_size_v<KindData>>{});
}

// The kind whose English name is `name` (null when none is).
const KindInfo* FindKindByName(std::string_view name);
// The index of the event named `name` of a kind, its own or a common one;
// false when the kind has no such event.
bool FindEventByName(uint32_t kind_word, std::string_view name, int32_t* index);

// ---- Streams ------------------------------------------------------------------

// Per-kind readers: `out` starts from the kind's defaults; on failure it is
// left at the defaults (never half-read).
#define TALV_DECLARE_STREAM(Name, number, chinese, english, state)              \
  KindStatus Read##Name##Kind(const uint8_t* data, size_t size, Name##Kind* out); \
  Bytes WriteKind(const Name##Kind& k);  // complete, at the kind's own version
#define TALV_DECLARE_STREAMS(SCHEMA) \
  SCHEMA(TALV_DECLARE_STREAM, TALV_SCHEMA_SKIP, TALV_SCHEMA_SKIP, TALV_SCHEMA_SKIP)

TALV_EACH_KIND_SCHEMA(TALV_DECLARE_STREAMS)

#undef TALV_DECLARE_STREAMS
#undef TALV_DECLARE_STREAM

Bytes WriteKindData(const KindData& k);

// Reads the kind data of a unit by its kind word.
KindStatus ReadKindData(uint32_t kind_word, const uint8_t* data, size_t size, KindData* out);
bool IsKnownKind(uint32_t kind_word);
// The defaults of a kind (what an empty block gives).
bool DefaultKindData(uint32_t kind_word, KindData* out);
uint32_t KindWordOf(const KindData& k);

}  // namespace talv::definition
