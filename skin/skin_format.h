// The skin format ".SHE": what our skin library SkinH_EL.dll reads. Portable
// (no windows.h): the library, the skin compiler, the tests and the fuzz
// target all use this one reader.
//
// Layout, all integers little-endian:
//
//   header (24 bytes)
//     0   4  magic ".SHE"
//     4   2  format version, 1
//     6   2  section count, 1..16
//     8   4  total length of the data in bytes (must equal the length given)
//    12   4  CRC-32 (IEEE 802.3, reflected, as zlib computes it) of bytes 16..end
//    16   4  parts to draw: bit 0 top-level window backgrounds, bit 1 push
//            buttons, bit 2 static texts, group boxes, check boxes and radio
//            buttons, bit 3 edit fields; other bits 0
//    20   4  reserved, 0
//   directory (section count × 12 bytes, right after the header)
//     0   4  tag, four ASCII bytes
//     4   4  offset of the section from the start of the data, a multiple of 4,
//            not inside the header or the directory
//     8   4  size of the section in bytes; sections never overlap
//   sections, in any order:
//     "INFO" exactly once, 48 bytes:
//       0   1  name length, 0..39
//       1  39  name bytes (no NUL inside), the rest of the 39 bytes 0
//      40   1  corner radius of button faces in pixels, 0..12
//      41   1  border width of button faces in pixels, 1..4
//      42   1  inset of the focus frame from the face's edge, 1..8
//      43   1  text offset of a pressed button in pixels, 0..3
//      44   1  face style: 0 flat (top colour only), 1 vertical gradient
//      45   1  index of the default colour scheme among the "SCHM" sections
//      46   2  reserved, 0
//     "SCHM" 1..8 times, 128 bytes each, in the order of the directory:
//       0   1  name length, 1..31 (names unique, compared ignoring ASCII case)
//       1  31  name bytes (no NUL inside), the rest of the 31 bytes 0
//      32  32  eight colours (SkinColourRole order)
//      64  64  four button faces (SkinFaceState order), each four colours:
//              top, bottom, border, text
//     any other tag: ignored (bounds are still checked), for notes and
//     future additions that older readers can skip.
//   A colour is a COLORREF, 0x00BBGGRR: its top byte must be 0.
#pragma once

#include <cstddef>
#include <cstdint>

namespace talv::skin {

// Result codes. SkinH_AttachRes returns them as its 32-bit result: 0 means
// the skin was applied, any other value that nothing changed.
enum class SkinError : int32_t {
  kOk = 0,
  kNoData = 1,           // null data or zero length
  kTruncated = 2,        // fewer bytes than the header or its length field says
  kBadMagic = 3,         // does not start with ".SHE"
  kBadVersion = 4,       // a format version this reader does not know
  kBadLength = 5,        // length field smaller than the data, or data too large
  kBadChecksum = 6,      // CRC-32 does not match
  kBadDirectory = 7,     // section count, bounds, alignment, overlap or size wrong
  kMissingSection = 8,   // no "INFO" or no "SCHM"
  kBadValue = 9,         // a field outside its range (colour, metric, name, flag)
  kUnknownScheme = 10,   // the requested colour scheme is not in the data
  kBadArgument = 11,     // an argument of the library call is not allowed
  kSystemFailure = 12,   // the system refused a resource (hook, brush)
};

// A short English reason for a code, for tests and diagnostics.
const char* SkinErrorName(SkinError error);

constexpr uint8_t kSkinMagic[4] = {'.', 'S', 'H', 'E'};
constexpr uint16_t kSkinVersion = 1;
constexpr size_t kSkinHeaderSize = 24;
constexpr size_t kSkinDirectoryEntrySize = 12;
constexpr size_t kSkinMaxSections = 16;
constexpr size_t kSkinInfoSize = 48;
constexpr size_t kSkinSchemeSize = 128;
constexpr size_t kSkinMaxSchemes = 8;
constexpr size_t kSkinMaxNameLength = 39;
constexpr size_t kSkinMaxSchemeNameLength = 31;
// The library refuses larger data before reading it.
constexpr size_t kSkinMaxDataSize = 1u << 20;

// Parts to draw (header flags and, inverted, the library's options argument).
constexpr uint32_t kSkinPartWindows = 1u << 0;
constexpr uint32_t kSkinPartPushButtons = 1u << 1;
constexpr uint32_t kSkinPartStatics = 1u << 2;
constexpr uint32_t kSkinPartEdits = 1u << 3;
constexpr uint32_t kSkinAllParts = 0xF;

enum SkinColourRole : int {
  kWindowBackground,   // client area of top-level windows
  kWindowText,         // text drawn on the window background
  kControlBackground,  // static texts, group boxes, check boxes, radio buttons
  kControlText,
  kEditBackground,     // enabled, writable edit fields
  kEditText,
  kDisabledText,       // disabled statics and read-only or disabled edits
  kFocusFrame,         // the focus frame of a push button
  kColourRoleCount
};

enum SkinFaceState : int { kFaceNormal, kFaceHot, kFacePressed, kFaceDisabled, kFaceStateCount };

struct SkinFace {
  uint32_t top;     // fill colour at the top edge (the whole face when flat)
  uint32_t bottom;  // fill colour at the bottom edge (gradient style)
  uint32_t border;
  uint32_t text;
};

struct SkinScheme {
  char name[kSkinMaxSchemeNameLength + 1];  // NUL-terminated
  uint32_t colours[kColourRoleCount];
  SkinFace faces[kFaceStateCount];
};

enum SkinFaceStyle : uint8_t { kFaceFlat = 0, kFaceGradient = 1 };

struct SkinMetrics {
  uint8_t corner_radius;
  uint8_t border_width;
  uint8_t focus_inset;
  uint8_t pressed_offset;
  uint8_t face_style;
};

struct Skin {
  char name[kSkinMaxNameLength + 1];  // NUL-terminated
  uint32_t parts;                      // kSkinPart* bits
  SkinMetrics metrics;
  uint32_t default_scheme;
  uint32_t scheme_count;
  SkinScheme schemes[kSkinMaxSchemes];
};

// What went wrong and where: `offset` is the byte offset of the field that
// was refused (the data length for truncation).
struct SkinParseResult {
  SkinError error;
  size_t offset;
  const char* reason;  // a static English sentence
  bool ok() const { return error == SkinError::kOk; }
};

// Reads and checks the whole data. On success fills *out; on failure leaves
// *out in an unspecified but harmless state. Never reads outside
// [data, data + size).
SkinParseResult ParseSkin(const uint8_t* data, size_t size, Skin* out);

// The index of the scheme called `name` (ASCII case ignored); null or empty
// selects the default scheme. -1 when there is no such scheme.
int FindScheme(const Skin& skin, const char* name);

// CRC-32 (IEEE) as the header uses it.
uint32_t SkinCrc32(const uint8_t* data, size_t size);

}  // namespace talv::skin
