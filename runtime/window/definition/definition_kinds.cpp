// Kind-data streams of the eight kinds. A kind's reader and writer both walk
// the FIELD rows of its table (KindSchema<K>::Fields), so the two cannot
// drift apart: the walk hands each field to a visitor that either reads or
// writes it, by the field's C++ type.
#include "runtime/window/definition/definition_kinds.h"

#include <type_traits>

namespace talv::definition {
namespace {

template <class K>
constexpr bool kDense = IndicesAreDense<K>();
static_assert(kDense<WindowKind> && kDense<EditBoxKind> && kDense<GroupBoxKind> &&
                  kDense<LabelKind> && kDense<ButtonKind> && kDense<DatePickerKind> &&
                  kDense<HyperLinkerKind> && kDense<PicBtnKind>,
              "every kind's property indices run from 8 without a gap or a repeat");

// Reads fields into a scratch copy of the kind; the caller keeps the copy
// only when the whole block was read.
class FieldReader {
 public:
  FieldReader(const uint8_t* data, size_t size) : in_(data, size) {}
  void Field(uint32_t& v) { v = in_.Dword(); }
  void Field(int32_t& v) { v = in_.Int(); }
  void Field(bool& v) { v = in_.Dword() != 0; }
  void Field(uint16_t& v) { v = in_.Word(); }
  void Field(double& v) { v = in_.Double(); }
  void Field(Bytes& v) { v = in_.ByteArray(); }
  void Field(std::string& v) { v = in_.Text(); }
  void Field(ColourTriple& v) {
    for (uint32_t& c : v) c = in_.Dword();
  }
  StreamReader& stream() { return in_; }

 private:
  StreamReader in_;
};

class FieldWriter {
 public:
  void Field(const uint32_t& v) { out_.Dword(v); }
  void Field(const int32_t& v) { out_.Int(v); }
  void Field(const bool& v) { out_.Dword(v ? 1 : 0); }
  void Field(const uint16_t& v) { out_.Word(v); }
  void Field(const double& v) { out_.Double(v); }
  void Field(const Bytes& v) { out_.ByteArray(v); }
  void Field(const std::string& v) { out_.Text(v); }
  void Field(const ColourTriple& v) {
    for (uint32_t c : v) out_.Dword(c);
  }
  StreamWriter& stream() { return out_; }

 private:
  StreamWriter out_;
};

// The fields of a block of `version`, in stream order. Fields of the first
// version are in every block (a block of version 0 is read as version 1);
// later ones only in blocks of their version and up.
template <class V, class K>
void VisitFields(V& v, K& k, uint32_t version) {
  KindSchema<std::remove_const_t<K>>::Fields(k, [&](const FieldInfo& info, auto& member) {
    if (info.since <= 1 || info.since <= version) v.Field(member);
  });
}

template <class K>
KindStatus ReadBlock(const uint8_t* data, size_t size, K* out) {
  *out = K();
  if (size == 0) return KindStatus::kOk;  // empty block: every default
  FieldReader reader(data, size);
  uint32_t version = reader.stream().Dword();
  if (!reader.stream().ok()) return KindStatus::kTruncated;
  if (version > K::kVersion) return KindStatus::kVersionTooHigh;
  K scratch;
  VisitFields(reader, scratch, version);
  if (!reader.stream().ok()) return KindStatus::kTruncated;
  if (!reader.stream().at_end()) return KindStatus::kTrailingBytes;
  *out = std::move(scratch);
  return KindStatus::kOk;
}

template <class K>
Bytes WriteBlock(const K& k) {
  FieldWriter writer;
  writer.stream().Dword(K::kVersion);
  VisitFields(writer, k, K::kVersion);
  return writer.stream().Take();
}

#define TALV_EVENT_ROW(index, Name, chinese) {index, #Name, chinese},
constexpr EventInfo kCommonEvents[] = {TALV_COMMON_EVENTS(TALV_EVENT_ROW){0, nullptr, nullptr}};
#undef TALV_EVENT_ROW

bool FindEventIn(const EventInfo* events, std::string_view name, int32_t* index) {
  for (const EventInfo* e = events; e->name; ++e) {
    if (name == e->name) {
      *index = e->index;
      return true;
    }
  }
  return false;
}

}  // namespace

#define TALV_DEFINE_STREAM(Name, number, chinese, english, state)                  \
  KindStatus Read##Name##Kind(const uint8_t* data, size_t size, Name##Kind* out) { \
    return ReadBlock(data, size, out);                                             \
  }                                                                                \
  Bytes WriteKind(const Name##Kind& k) { return WriteBlock(k); }
#define TALV_DEFINE_STREAMS(SCHEMA) \
  SCHEMA(TALV_DEFINE_STREAM, TALV_SCHEMA_SKIP, TALV_SCHEMA_SKIP, TALV_SCHEMA_SKIP)

TALV_EACH_KIND_SCHEMA(TALV_DEFINE_STREAMS)

#undef TALV_DEFINE_STREAMS
#undef TALV_DEFINE_STREAM

const char* KindStatusText(KindStatus status) {
  switch (status) {
    case KindStatus::kOk: return "ok";
    case KindStatus::kVersionTooHigh: return "kind data of a newer version";
    case KindStatus::kTruncated: return "kind data cut short";
    case KindStatus::kTrailingBytes: return "bytes after the last field of the kind data";
    case KindStatus::kUnknownKind: return "unknown kind";
  }
  return "?";
}

Bytes WriteKindData(const KindData& k) {
  return std::visit([](const auto& kind) { return WriteKind(kind); }, k);
}

uint32_t KindWordOf(const KindData& k) {
  return std::visit([](const auto& kind) { return std::decay_t<decltype(kind)>::kKindWord; }, k);
}

KindStatus ReadKindData(uint32_t kind_word, const uint8_t* data, size_t size, KindData* out) {
  KindStatus status = KindStatus::kUnknownKind;
  ForEachKind([&](auto tag) {
    using K = typename decltype(tag)::type;
    if (kind_word != K::kKindWord) return;
    K k;
    status = ReadBlock(data, size, &k);
    if (status == KindStatus::kOk) *out = std::move(k);
  });
  return status;
}

bool IsKnownKind(uint32_t kind_word) {
  KindData ignored;
  return DefaultKindData(kind_word, &ignored);
}

bool DefaultKindData(uint32_t kind_word, KindData* out) {
  return ReadKindData(kind_word, nullptr, 0, out) == KindStatus::kOk;
}

const KindInfo* FindKindByName(std::string_view name) {
  const KindInfo* found = nullptr;
  ForEachKind([&](auto tag) {
    const KindInfo& kind = KindSchema<typename decltype(tag)::type>::kKind;
    if (name == kind.english_name) found = &kind;
  });
  return found;
}

bool FindEventByName(uint32_t kind_word, std::string_view name, int32_t* index) {
  bool found = false;
  ForEachKind([&](auto tag) {
    using Schema = KindSchema<typename decltype(tag)::type>;
    if (Schema::kKind.kind_word == kind_word) found = FindEventIn(Schema::kEvents, name, index);
  });
  return found || FindEventIn(kCommonEvents, name, index);
}

}  // namespace talv::definition
