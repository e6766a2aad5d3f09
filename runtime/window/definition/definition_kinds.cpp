// Kind-data streams of the eight kinds. Each kind has one field list that
// both its reader and its writer follow, so the two cannot drift apart: the
// list is a template over a "visitor" that either reads or writes a field.
#include "runtime/window/definition/definition_kinds.h"

namespace talv::definition {
namespace {

// Reads fields into a scratch copy of the kind; the caller keeps the copy
// only when the whole block was read.
class FieldReader {
 public:
  FieldReader(const uint8_t* data, size_t size) : in_(data, size) {}
  void Dword(uint32_t& v) { v = in_.Dword(); }
  void Int(int32_t& v) { v = in_.Int(); }
  void Flag(bool& v) { v = in_.Dword() != 0; }
  void Word(uint16_t& v) { v = in_.Word(); }
  void Double(double& v) { v = in_.Double(); }
  void Array(Bytes& v) { v = in_.ByteArray(); }
  void Text(std::string& v) { v = in_.Text(); }
  StreamReader& stream() { return in_; }

 private:
  StreamReader in_;
};

class FieldWriter {
 public:
  void Dword(const uint32_t& v) { out_.Dword(v); }
  void Int(const int32_t& v) { out_.Int(v); }
  void Flag(const bool& v) { out_.Dword(v ? 1 : 0); }
  void Word(const uint16_t& v) { out_.Word(v); }
  void Double(const double& v) { out_.Double(v); }
  void Array(const Bytes& v) { out_.ByteArray(v); }
  void Text(const std::string& v) { out_.Text(v); }
  StreamWriter& stream() { return out_; }

 private:
  StreamWriter out_;
};

// ---- Field lists, in stream order ---------------------------------------
// `version` is the version of the block being read or written; fields added
// in later versions are visited only when the block has them.

template <class V, class K>
void WindowFields(V& v, K& k, uint32_t version) {
  v.Dword(k.border_style);
  v.Dword(k.picture_mode);
  v.Dword(k.background_colour);
  v.Flag(k.maximize_button);
  v.Flag(k.minimize_button);
  v.Flag(k.control_box);
  v.Dword(k.position);
  v.Flag(k.movable);
  v.Dword(k.music_play_mode);
  v.Flag(k.enter_moves_focus);
  v.Flag(k.escape_closes);
  v.Flag(k.f1_opens_help);
  v.Int(k.help_context);
  if (version >= 2) v.Flag(k.own_taskbar_button);
  if (version >= 3) {
    v.Flag(k.drag_by_client_area);
    v.Dword(k.window_shape);
  }
  if (version >= 4) v.Flag(k.always_on_top);
  if (version >= 5) v.Flag(k.further_flag);
  if (version >= 6) v.Text(k.class_name);
  v.Array(k.background_picture);
  v.Array(k.icon);
  v.Array(k.background_music);
  v.Text(k.caption);
  v.Text(k.help_file);
}

template <class V, class K>
void EditBoxFields(V& v, K& k, uint32_t version) {
  v.Dword(k.border);
  v.Dword(k.text_colour);
  v.Dword(k.background_colour);
  v.Flag(k.hide_selection);
  v.Int(k.typing_limit);
  v.Flag(k.multi_line);
  v.Dword(k.scroll_bars);
  v.Dword(k.alignment);
  v.Dword(k.input_mode);
  v.Word(k.password_character);
  v.Dword(k.case_conversion);
  v.Dword(k.spin_control);
  v.Int(k.spin_minimum);
  v.Int(k.spin_maximum);
  v.Int(k.selection_start);
  v.Int(k.selection_length);
  v.Array(k.font);
  v.Text(k.content);
  if (version >= 2) {
    v.Text(k.data_source);
    v.Text(k.data_column);
  }
}

template <class V, class K>
void GroupBoxFields(V& v, K& k, uint32_t) {
  v.Dword(k.caption_alignment);
  v.Dword(k.text_colour);
  v.Dword(k.background_colour);
  v.Array(k.font);
  v.Text(k.caption);
}

template <class V, class K>
void LabelFields(V& v, K& k, uint32_t version) {
  v.Dword(k.effect);
  v.Int(k.gradient_border_width);
  v.Dword(k.border);
  for (auto& c : k.gradient_border_colours) v.Dword(c);
  v.Dword(k.text_colour);
  v.Dword(k.background_colour);
  v.Dword(k.picture_mode);
  v.Dword(k.gradient_background_mode);
  for (auto& c : k.gradient_background_colours) v.Dword(c);
  v.Dword(k.horizontal_alignment);
  v.Dword(k.vertical_alignment);
  v.Flag(k.word_wrap);
  v.Array(k.font);
  v.Array(k.picture);
  v.Text(k.caption);
  if (version >= 2) {
    v.Text(k.data_source);
    v.Text(k.data_column);
  }
}

template <class V, class K>
void ButtonFields(V& v, K& k, uint32_t) {
  v.Dword(k.type);
  v.Dword(k.horizontal_alignment);
  v.Dword(k.vertical_alignment);
  v.Array(k.picture);
  v.Array(k.font);
  v.Text(k.caption);
}

template <class V, class K>
void DatePickerFields(V& v, K& k, uint32_t version) {
  v.Flag(k.allow_typing);
  v.Dword(k.style);
  v.Double(k.current_date);
  v.Double(k.earliest_date);
  v.Double(k.latest_date);
  v.Dword(k.border);
  v.Array(k.font);
  if (version >= 2) {
    v.Text(k.data_source);
    v.Text(k.data_column);
  }
}

template <class V, class K>
void HyperLinkerFields(V& v, K& k, uint32_t) {
  v.Dword(k.link_type);
  v.Dword(k.normal_colour);
  v.Dword(k.visited_colour);
  v.Dword(k.hover_colour);
  v.Dword(k.background_colour);
  v.Dword(k.border);
  v.Array(k.font);
  v.Text(k.caption);
  v.Text(k.email_address);
  v.Text(k.web_address);
}

template <class V, class K>
void PicBtnFields(V& v, K& k, uint32_t) {
  v.Dword(k.mode);
  v.Flag(k.checked);
  v.Dword(k.background_colour);
  v.Array(k.picture_normal);
  v.Array(k.picture_mouse_over);
  v.Array(k.picture_pressed);
  v.Array(k.picture_disabled);
}

template <class K, class Fields>
KindStatus ReadBlock(const uint8_t* data, size_t size, K* out, Fields fields) {
  *out = K();
  if (size == 0) return KindStatus::kOk;  // empty block: every default
  FieldReader reader(data, size);
  uint32_t version = reader.stream().Dword();
  if (!reader.stream().ok()) return KindStatus::kTruncated;
  if (version > K::kVersion) return KindStatus::kVersionTooHigh;
  K scratch;
  fields(reader, scratch, version);
  if (!reader.stream().ok()) return KindStatus::kTruncated;
  if (!reader.stream().at_end()) return KindStatus::kTrailingBytes;
  *out = std::move(scratch);
  return KindStatus::kOk;
}

template <class K, class Fields>
Bytes WriteBlock(const K& k, Fields fields) {
  FieldWriter writer;
  writer.stream().Dword(K::kVersion);
  fields(writer, k, K::kVersion);
  return writer.stream().Take();
}

#define TALV_KIND_STREAM(Kind, Fields)                                                 \
  KindStatus Read##Kind(const uint8_t* data, size_t size, Kind* out) {                 \
    return ReadBlock(data, size, out,                                                  \
                     [](FieldReader& v, Kind& k, uint32_t ver) { Fields(v, k, ver); }); \
  }                                                                                    \
  Bytes WriteKind(const Kind& k) {                                                     \
    return WriteBlock(k, [](FieldWriter& v, const Kind& kk, uint32_t ver) {            \
      Fields(v, kk, ver);                                                              \
    });                                                                                \
  }

}  // namespace

TALV_KIND_STREAM(WindowKind, WindowFields)
TALV_KIND_STREAM(EditBoxKind, EditBoxFields)
TALV_KIND_STREAM(GroupBoxKind, GroupBoxFields)
TALV_KIND_STREAM(LabelKind, LabelFields)
TALV_KIND_STREAM(ButtonKind, ButtonFields)
TALV_KIND_STREAM(DatePickerKind, DatePickerFields)
TALV_KIND_STREAM(HyperLinkerKind, HyperLinkerFields)
TALV_KIND_STREAM(PicBtnKind, PicBtnFields)

#undef TALV_KIND_STREAM

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

namespace {
template <class K>
KindStatus ReadInto(KindStatus (*read)(const uint8_t*, size_t, K*), const uint8_t* data,
                    size_t size, KindData* out) {
  K k;
  KindStatus status = read(data, size, &k);
  if (status == KindStatus::kOk) *out = std::move(k);
  return status;
}
}  // namespace

KindStatus ReadKindData(uint32_t kind_word, const uint8_t* data, size_t size, KindData* out) {
  switch (kind_word) {
    case WindowKind::kKindWord: return ReadInto(ReadWindowKind, data, size, out);
    case EditBoxKind::kKindWord: return ReadInto(ReadEditBoxKind, data, size, out);
    case GroupBoxKind::kKindWord: return ReadInto(ReadGroupBoxKind, data, size, out);
    case LabelKind::kKindWord: return ReadInto(ReadLabelKind, data, size, out);
    case ButtonKind::kKindWord: return ReadInto(ReadButtonKind, data, size, out);
    case DatePickerKind::kKindWord: return ReadInto(ReadDatePickerKind, data, size, out);
    case HyperLinkerKind::kKindWord: return ReadInto(ReadHyperLinkerKind, data, size, out);
    case PicBtnKind::kKindWord: return ReadInto(ReadPicBtnKind, data, size, out);
  }
  return KindStatus::kUnknownKind;
}

bool IsKnownKind(uint32_t kind_word) {
  KindData ignored;
  return DefaultKindData(kind_word, &ignored);
}

bool DefaultKindData(uint32_t kind_word, KindData* out) {
  return ReadKindData(kind_word, nullptr, 0, out) == KindStatus::kOk;
}

}  // namespace talv::definition
