#include "runtime/window/kinds/kind_properties.h"

#include <cstring>
#include <variant>

#include "runtime/core/blocks.h"
#include "runtime/core/typed_value.h"
#include "runtime/window/model/kind_table.h"

namespace talv::kinds {
namespace {

using definition::Bytes;
using definition::KindData;

// A reference to the struct field behind a property index.
using Field = std::variant<std::monostate, uint32_t*, int32_t*, bool*, double*, std::string*,
                           Bytes*, uint16_t*>;

template <class T>
Field PointerTo(T& member, int32_t) {
  return &member;
}
Field PointerTo(definition::ColourTriple& colours, int32_t offset) {
  return &colours[size_t(offset)];
}

// The field that holds property `index`, by the kind's table; none for
// common properties and for properties that only a live control has.
template <class K>
Field FieldOf(K& k, int32_t index) {
  Field found;
  definition::KindSchema<K>::Fields(k, [&](const definition::FieldInfo& info, auto& member) {
    if (index >= info.index && index < info.index + info.span)
      found = PointerTo(member, index - info.index);
  });
  return found;
}

Field FieldFor(KindData& data, int32_t index) {
  return std::visit([index](auto& k) { return FieldOf(k, index); }, data);
}

uint16_t TypeFor(const KindData& data, int32_t index) {
  const KindDescriptor* kind = FindKind(definition::KindWordOf(data));
  return kind ? PropertyTypeOf(*kind, index) : 0;
}

}  // namespace

bool GetKindProperty(const KindData& data, int32_t index, PropertyValue* out) {
  Field f = FieldFor(const_cast<KindData&>(data), index);
  PropertyValue v;
  struct Reader {
    PropertyValue& v;
    bool operator()(std::monostate) { return false; }
    bool operator()(uint32_t* p) { v.integer = int32_t(*p); return true; }
    bool operator()(int32_t* p) { v.integer = *p; return true; }
    bool operator()(bool* p) { v.integer = *p ? 1 : 0; return true; }
    bool operator()(double* p) { v.number = *p; return true; }
    bool operator()(std::string* p) { v.text = *p; return true; }
    bool operator()(Bytes* p) { v.bytes = *p; return true; }
    // The password character: a text of its one byte (none when 0).
    bool operator()(uint16_t* p) {
      if (*p & 0xFF) v.text.assign(1, char(*p & 0xFF));
      return true;
    }
  };
  if (!std::visit(Reader{v}, f)) return false;
  *out = std::move(v);
  return true;
}

bool SetKindProperty(KindData* data, int32_t index, const PropertyValue& value) {
  Field f = FieldFor(*data, index);
  const bool choice = TypeFor(*data, index) == PropertyType::Choice;
  struct Writer {
    const PropertyValue& v;
    bool choice;
    bool operator()(std::monostate) { return false; }
    bool operator()(uint32_t* p) {
      *p = uint32_t(choice && v.integer < 0 ? 0 : v.integer);
      return true;
    }
    bool operator()(int32_t* p) { *p = v.integer; return true; }
    bool operator()(bool* p) { *p = v.integer != 0; return true; }
    bool operator()(double* p) { *p = v.number; return true; }
    bool operator()(std::string* p) { *p = v.text; return true; }
    bool operator()(Bytes* p) { *p = v.bytes; return true; }
    bool operator()(uint16_t* p) {  // the first byte of the text is used
      *p = v.text.empty() ? 0 : uint16_t(uint8_t(v.text[0]));
      return true;
    }
  };
  return std::visit(Writer{value, choice}, f);
}

uint64_t EncodePropertyValue(uint16_t type, const PropertyValue& value) {
  TypedValue v{0, 0, 0};
  if (IsTextType(type)) {
    SetPointer(v, NewText(value.text.data(), value.text.size()));
  } else if (IsByteArrayType(type)) {
    SetPointer(v, NewByteArray(value.bytes.data(), value.bytes.size()));
  } else if (type == PropertyType::Double || type == PropertyType::DateTime) {
    SetDouble(v, value.number);
  } else {
    SetInt(v, value.integer);
  }
  return RawBits(v);
}

PropertyValue DecodePropertyValue(uint16_t type, uint64_t raw) {
  TypedValue v{0, 0, 0};
  SetRawBits(v, raw);
  PropertyValue out;
  if (IsTextType(type)) {
    if (const char* text = AsText(v)) out.text = text;
  } else if (IsByteArrayType(type)) {
    const void* block = AsPointer(v);
    const uint8_t* data = ByteArrayData(block);
    out.bytes.assign(data, data + ByteArrayLength(block));
  } else if (type == PropertyType::Double || type == PropertyType::DateTime) {
    out.number = AsDouble(v);
  } else if (type == PropertyType::Logical) {
    out.integer = v.lo != 0 ? 1 : 0;
  } else {
    out.integer = AsInt(v);
  }
  return out;
}

int32_t ClampPosition(int32_t value) {
  return value > kMaxCoordinate ? kMaxCoordinate : value < -kMaxCoordinate ? -kMaxCoordinate : value;
}
int32_t ClampSize(int32_t value) {
  return value > kMaxCoordinate ? kMaxCoordinate : value < 0 ? 0 : value;
}

// ---- Fonts -------------------------------------------------------------
namespace {

// LOGFONTA field offsets.
constexpr size_t kHeight = 0, kEscapement = 8, kOrientation = 12, kWeight = 16, kItalic = 20,
                 kUnderline = 21, kStrikeOut = 22, kFace = 28, kFaceSize = 32;

int32_t Load32(const Bytes& b, size_t at) {
  uint32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return int32_t(v);
}
void Store32(Bytes& b, size_t at, int32_t v) { std::memcpy(b.data() + at, &v, 4); }

Bytes Normalised(const Bytes& base) {
  Bytes b = base;
  b.resize(definition::kLogFontSize, 0);
  return b;
}

int32_t MulDivRounded(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return 0;
  int64_t p = int64_t(a) * b;
  int64_t q = (p >= 0 ? p + c / 2 : p - c / 2) / c;
  return int32_t(q);
}

void SetFace(Bytes& b, const std::string& face) {
  std::memset(b.data() + kFace, 0, kFaceSize);
  // An empty name, or one that does not fit with its NUL, becomes 宋体.
  const std::string name = face.empty() || face.size() >= kFaceSize ? "宋体" : face;
  std::memcpy(b.data() + kFace, name.data(), name.size());
}

void SetSize(Bytes& b, int32_t points, int32_t ppi) {
  const int32_t magnitude = points < 0 ? -points : points;
  Store32(b, kHeight, -MulDivRounded(magnitude, ppi, 72));
}

void SetAngle(Bytes& b, int32_t tenths) {
  Store32(b, kEscapement, tenths);
  Store32(b, kOrientation, tenths);
}

}  // namespace

Bytes ApplyFontRecord(const Bytes& base, const FontRecord& r, int32_t ppi) {
  Bytes b = Normalised(base);
  SetAngle(b, r.angle);
  Store32(b, kWeight, r.bold ? 700 : 0);
  b[kItalic] = r.italic ? 1 : 0;
  b[kUnderline] = r.underline ? 1 : 0;
  b[kStrikeOut] = r.strike_out ? 1 : 0;
  SetSize(b, r.size, ppi);
  SetFace(b, r.face ? r.face : "");
  return b;
}

Bytes ApplyFontMember(const Bytes& base, int32_t member, int32_t value, const std::string& text,
                      int32_t ppi) {
  Bytes b = Normalised(base);
  switch (member) {
    case FontMember::Angle: SetAngle(b, value % 3600); break;
    case FontMember::Bold: Store32(b, kWeight, value ? 700 : 0); break;
    case FontMember::Italic: b[kItalic] = value ? 1 : 0; break;
    case FontMember::Underline: b[kUnderline] = value ? 1 : 0; break;
    case FontMember::StrikeOut: b[kStrikeOut] = value ? 1 : 0; break;
    case FontMember::Size: SetSize(b, value, ppi); break;
    case FontMember::Face: SetFace(b, text); break;
    default: return base;
  }
  return b;
}

int32_t FontMemberValue(const Bytes& block, int32_t member, int32_t ppi, std::string* text) {
  Bytes b = Normalised(block);
  switch (member) {
    case FontMember::Angle: return Load32(b, kEscapement);
    case FontMember::Bold: return Load32(b, kWeight) >= 700 ? 1 : 0;
    case FontMember::Italic: return b[kItalic] ? 1 : 0;
    case FontMember::Underline: return b[kUnderline] ? 1 : 0;
    case FontMember::StrikeOut: return b[kStrikeOut] ? 1 : 0;
    case FontMember::Size: {
      int32_t h = Load32(b, kHeight);
      return MulDivRounded(h < 0 ? -h : h, 72, ppi);
    }
    case FontMember::Face: {
      const char* face = reinterpret_cast<const char*>(b.data() + kFace);
      text->assign(face, strnlen(face, kFaceSize));
      return 0;
    }
    default: return 0;
  }
}

}  // namespace talv::kinds
