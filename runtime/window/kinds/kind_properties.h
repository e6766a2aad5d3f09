// The kind properties (index 8 and up) of the eight kinds as fields of their
// kind-data structs, and the 8-byte values in which properties travel
// through the property gates. Portable, so the mapping of every index is
// tested natively; the target's kinds add what only a live window knows.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/window/definition/definition_kinds.h"

namespace talv::kinds {

// A property value in the runtime's hands: the number forms and the owned
// text or bytes, by the property's type.
struct PropertyValue {
  int32_t integer = 0;  // integers, choices, colours, logicals (0/1)
  double number = 0;    // doubles and date-times
  std::string text;
  definition::Bytes bytes;
};

// Reads kind property `index` of `data` into `out`; false when the kind has
// no such stored property.
bool GetKindProperty(const definition::KindData& data, int32_t index, PropertyValue* out);
// Stores `value` into kind property `index` of `data` (a negative choice is
// stored as 0); false when the kind has no such stored property.
bool SetKindProperty(definition::KindData* data, int32_t index, const PropertyValue& value);

// What a property read hands the caller: the 8-byte value, texts and byte
// arrays as fresh heap blocks (null when empty) that the caller frees.
uint64_t EncodePropertyValue(uint16_t type, const PropertyValue& value);
// What a property write brings: the 8-byte value read by the property's
// type; texts and byte arrays are copied (null is empty).
PropertyValue DecodePropertyValue(uint16_t type, uint64_t raw);

// Common properties: positions are held to -32627 ... 32627, sizes to
// 0 ... 32627.
constexpr int32_t kMaxCoordinate = 32627;
int32_t ClampPosition(int32_t value);
int32_t ClampSize(int32_t value);

// ---- Fonts -------------------------------------------------------------
// The record of a whole-font write: seven members, the face name a text.
struct FontRecord {
  int32_t angle;      // tenths of a degree
  int32_t bold;       // logical
  int32_t italic;
  int32_t underline;
  int32_t strike_out;
  int32_t size;       // points
  const char* face;   // GBK; empty or 32 bytes and more: "宋体"
};
namespace FontMember {
constexpr int32_t Angle = 0, Bold = 1, Italic = 2, Underline = 3, StrikeOut = 4, Size = 5,
                  Face = 6;
}  // namespace FontMember

// A whole-font write: the 60-byte LOGFONTA block made from `base` (the
// current block, or the default font's when the property held none) with
// the record's members; `pixels_per_inch` is the screen's LOGPIXELSY.
definition::Bytes ApplyFontRecord(const definition::Bytes& base, const FontRecord& record,
                                  int32_t pixels_per_inch);
// A member write: member 0-6 of `base` changed to `value` (the face name's
// bytes in `text` for member 6); the angle is taken modulo 3600.
definition::Bytes ApplyFontMember(const definition::Bytes& base, int32_t member, int32_t value,
                                  const std::string& text, int32_t pixels_per_inch);
// A member read: the member's value (the face name in *text).
int32_t FontMemberValue(const definition::Bytes& block, int32_t member, int32_t pixels_per_inch,
                        std::string* text);

}  // namespace talv::kinds
