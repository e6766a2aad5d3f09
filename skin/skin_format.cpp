// Reader of the ".SHE" skin format (layout in skin_format.h). Every field is
// range-checked before it is used, and every offset is checked against the
// length before it is read, with arithmetic that cannot overflow.
#include "skin/skin_format.h"

#include <cstring>

namespace talv::skin {
namespace {

uint16_t Read16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t Read32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

SkinParseResult Fail(SkinError error, size_t offset, const char* reason) {
  return {error, offset, reason};
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool SameNameIgnoringCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    if (LowerAscii(*a) != LowerAscii(*b)) return false;
    if (*a == '\0') return true;
  }
}

// A length-prefixed name in a fixed field of 1 + `capacity` bytes: the
// length, the bytes (no NUL), then zero padding.
bool ReadName(const uint8_t* field, size_t capacity, size_t min_length, char* out) {
  size_t length = field[0];
  if (length < min_length || length > capacity) return false;
  for (size_t i = 0; i < capacity; ++i) {
    uint8_t b = field[1 + i];
    if (i < length ? b == 0 : b != 0) return false;
  }
  std::memcpy(out, field + 1, length);
  out[length] = '\0';
  return true;
}

struct Section {
  uint32_t tag;
  uint32_t offset;
  uint32_t size;
};

constexpr uint32_t Tag(const char (&t)[5]) {
  return uint32_t(uint8_t(t[0])) | (uint32_t(uint8_t(t[1])) << 8) |
         (uint32_t(uint8_t(t[2])) << 16) | (uint32_t(uint8_t(t[3])) << 24);
}
constexpr uint32_t kInfoTag = Tag("INFO");
constexpr uint32_t kSchemeTag = Tag("SCHM");

bool ValidColour(uint32_t c) { return (c >> 24) == 0; }

SkinParseResult ReadInfo(const uint8_t* data, const Section& s, Skin* out) {
  const uint8_t* p = data + s.offset;
  if (!ReadName(p, kSkinMaxNameLength, 0, out->name))
    return Fail(SkinError::kBadValue, s.offset, "skin name length or padding is wrong");
  SkinMetrics& m = out->metrics;
  m.corner_radius = p[40];
  m.border_width = p[41];
  m.focus_inset = p[42];
  m.pressed_offset = p[43];
  m.face_style = p[44];
  out->default_scheme = p[45];
  if (m.corner_radius > 12) return Fail(SkinError::kBadValue, s.offset + 40, "corner radius above 12");
  if (m.border_width < 1 || m.border_width > 4)
    return Fail(SkinError::kBadValue, s.offset + 41, "border width outside 1..4");
  if (m.focus_inset < 1 || m.focus_inset > 8)
    return Fail(SkinError::kBadValue, s.offset + 42, "focus inset outside 1..8");
  if (m.pressed_offset > 3) return Fail(SkinError::kBadValue, s.offset + 43, "pressed offset above 3");
  if (m.face_style > kFaceGradient) return Fail(SkinError::kBadValue, s.offset + 44, "unknown face style");
  if (Read16(p + 46) != 0) return Fail(SkinError::kBadValue, s.offset + 46, "reserved field not 0");
  return {SkinError::kOk, 0, "ok"};
}

SkinParseResult ReadScheme(const uint8_t* data, const Section& s, SkinScheme* out) {
  const uint8_t* p = data + s.offset;
  if (!ReadName(p, kSkinMaxSchemeNameLength, 1, out->name))
    return Fail(SkinError::kBadValue, s.offset, "scheme name empty, too long or badly padded");
  for (int i = 0; i < kColourRoleCount; ++i) {
    out->colours[i] = Read32(p + 32 + 4 * i);
    if (!ValidColour(out->colours[i]))
      return Fail(SkinError::kBadValue, s.offset + 32 + 4 * i, "colour with a non-zero top byte");
  }
  for (int f = 0; f < kFaceStateCount; ++f) {
    uint32_t c[4];
    for (int i = 0; i < 4; ++i) {
      size_t at = 64 + 16 * f + 4 * i;
      c[i] = Read32(p + at);
      if (!ValidColour(c[i]))
        return Fail(SkinError::kBadValue, s.offset + at, "colour with a non-zero top byte");
    }
    out->faces[f] = {c[0], c[1], c[2], c[3]};
  }
  return {SkinError::kOk, 0, "ok"};
}

}  // namespace

const char* SkinErrorName(SkinError error) {
  switch (error) {
    case SkinError::kOk: return "ok";
    case SkinError::kNoData: return "no data";
    case SkinError::kTruncated: return "truncated";
    case SkinError::kBadMagic: return "bad magic";
    case SkinError::kBadVersion: return "unsupported version";
    case SkinError::kBadLength: return "bad length";
    case SkinError::kBadChecksum: return "bad checksum";
    case SkinError::kBadDirectory: return "bad section directory";
    case SkinError::kMissingSection: return "missing section";
    case SkinError::kBadValue: return "value out of range";
    case SkinError::kUnknownScheme: return "unknown colour scheme";
    case SkinError::kBadArgument: return "bad argument";
    case SkinError::kSystemFailure: return "system failure";
  }
  return "unknown error";
}

namespace {
struct CrcTable {
  uint32_t entry[256];
};
constexpr CrcTable MakeCrcTable() {
  CrcTable t{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    t.entry[i] = c;
  }
  return t;
}
constexpr CrcTable kCrcTable = MakeCrcTable();
}  // namespace

uint32_t SkinCrc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) crc = kCrcTable.entry[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

SkinParseResult ParseSkin(const uint8_t* data, size_t size, Skin* out) {
  if (!data || size == 0) return Fail(SkinError::kNoData, 0, "no data");
  if (size > kSkinMaxDataSize) return Fail(SkinError::kBadLength, 0, "data larger than 1 MiB");
  size_t magic_bytes = size < 4 ? size : 4;
  if (std::memcmp(data, kSkinMagic, magic_bytes) != 0)
    return Fail(SkinError::kBadMagic, 0, "data does not start with .SHE");
  if (size < kSkinHeaderSize) return Fail(SkinError::kTruncated, size, "shorter than the header");
  uint16_t version = Read16(data + 4);
  if (version != kSkinVersion) return Fail(SkinError::kBadVersion, 4, "unsupported format version");
  uint32_t total = Read32(data + 8);
  if (total > size) return Fail(SkinError::kTruncated, size, "shorter than its length field");
  if (total < size) return Fail(SkinError::kBadLength, 8, "length field smaller than the data");
  if (Read32(data + 12) != SkinCrc32(data + 16, size - 16))
    return Fail(SkinError::kBadChecksum, 12, "CRC-32 does not match");
  uint32_t parts = Read32(data + 16);
  if (parts & ~kSkinAllParts) return Fail(SkinError::kBadValue, 16, "unknown part bits");
  if (Read32(data + 20) != 0) return Fail(SkinError::kBadValue, 20, "reserved field not 0");

  size_t count = Read16(data + 6);
  if (count < 1 || count > kSkinMaxSections)
    return Fail(SkinError::kBadDirectory, 6, "section count outside 1..16");
  size_t body = kSkinHeaderSize + count * kSkinDirectoryEntrySize;
  if (body > size) return Fail(SkinError::kTruncated, size, "directory runs past the end");

  Section sections[kSkinMaxSections];
  size_t info_count = 0, scheme_count = 0;
  for (size_t i = 0; i < count; ++i) {
    size_t at = kSkinHeaderSize + i * kSkinDirectoryEntrySize;
    Section& s = sections[i];
    s = {Read32(data + at), Read32(data + at + 4), Read32(data + at + 8)};
    if (s.offset < body || s.offset % 4 != 0 || s.offset > size || s.size > size - s.offset)
      return Fail(SkinError::kBadDirectory, at + 4, "section outside the data or misaligned");
    for (size_t j = 0; j < i; ++j) {
      const Section& o = sections[j];
      bool apart = uint64_t(s.offset) + s.size <= o.offset || uint64_t(o.offset) + o.size <= s.offset;
      if (!apart && s.size != 0 && o.size != 0)
        return Fail(SkinError::kBadDirectory, at + 4, "sections overlap");
    }
    if (s.tag == kInfoTag) {
      if (s.size != kSkinInfoSize) return Fail(SkinError::kBadDirectory, at + 8, "INFO is not 48 bytes");
      if (++info_count > 1) return Fail(SkinError::kBadDirectory, at, "more than one INFO");
    } else if (s.tag == kSchemeTag) {
      if (s.size != kSkinSchemeSize) return Fail(SkinError::kBadDirectory, at + 8, "SCHM is not 128 bytes");
      if (++scheme_count > kSkinMaxSchemes) return Fail(SkinError::kBadDirectory, at, "more than 8 SCHM");
    }
  }
  if (info_count == 0) return Fail(SkinError::kMissingSection, 24, "no INFO section");
  if (scheme_count == 0) return Fail(SkinError::kMissingSection, 24, "no SCHM section");

  std::memset(out, 0, sizeof *out);
  out->parts = parts;
  out->scheme_count = uint32_t(scheme_count);
  size_t next_scheme = 0;
  for (size_t i = 0; i < count; ++i) {
    const Section& s = sections[i];
    SkinParseResult r{SkinError::kOk, 0, "ok"};
    if (s.tag == kInfoTag) {
      r = ReadInfo(data, s, out);
    } else if (s.tag == kSchemeTag) {
      SkinScheme& scheme = out->schemes[next_scheme];
      r = ReadScheme(data, s, &scheme);
      if (r.ok()) {
        for (size_t j = 0; j < next_scheme; ++j)
          if (SameNameIgnoringCase(out->schemes[j].name, scheme.name))
            return Fail(SkinError::kBadValue, s.offset, "two schemes of the same name");
      }
      ++next_scheme;
    }
    if (!r.ok()) return r;
  }
  if (out->default_scheme >= out->scheme_count) {
    for (size_t i = 0; i < count; ++i)
      if (sections[i].tag == kInfoTag)
        return Fail(SkinError::kBadValue, sections[i].offset + 45, "default scheme does not exist");
  }
  return {SkinError::kOk, 0, "ok"};
}

int FindScheme(const Skin& skin, const char* name) {
  if (!name || name[0] == '\0') {
    return skin.default_scheme < skin.scheme_count ? int(skin.default_scheme) : -1;
  }
  for (uint32_t i = 0; i < skin.scheme_count && i < kSkinMaxSchemes; ++i)
    if (SameNameIgnoringCase(skin.schemes[i].name, name)) return int(i);
  return -1;
}

}  // namespace talv::skin
