// The ".SHE" reader: valid data is read field for field; every kind of bad
// data is refused with its own code, at the right byte, without reading
// outside the buffer (the native build runs this under AddressSanitizer).
#include "skin/skin_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "skin/skin_writer.h"

namespace talv::skin {
namespace {

using Bytes = std::vector<uint8_t>;

Skin TestSkin() {
  Skin s;
  std::memset(&s, 0, sizeof s);
  std::strcpy(s.name, "Test");
  s.parts = kSkinAllParts;
  s.metrics = {4, 1, 3, 1, kFaceGradient};
  s.scheme_count = 2;
  s.default_scheme = 1;
  for (uint32_t i = 0; i < 2; ++i) {
    SkinScheme& sc = s.schemes[i];
    std::strcpy(sc.name, i == 0 ? "Jade" : "Slate");
    for (int c = 0; c < kColourRoleCount; ++c) sc.colours[c] = 0x00102030u * (i + 1) + uint32_t(c);
    for (int f = 0; f < kFaceStateCount; ++f)
      sc.faces[f] = {0x00010000u * uint32_t(f + 1) + i, 0x00000100u * uint32_t(f + 1),
                     0x00000001u * uint32_t(f + 1), 0x00ABCDEFu};
  }
  return s;
}

SkinParseResult Parse(const Bytes& d, Skin* out = nullptr) {
  Skin scratch;
  return ParseSkin(d.data(), d.size(), out ? out : &scratch);
}

void Put32(Bytes* d, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*d)[at + i] = uint8_t(v >> (8 * i));
}

// Data from raw sections, laid out one after another behind the directory.
Bytes Assemble(const std::vector<std::pair<std::string, Bytes>>& sections, uint32_t parts = 0xF) {
  size_t body = kSkinHeaderSize + sections.size() * kSkinDirectoryEntrySize;
  Bytes d(body, 0);
  std::memcpy(d.data(), ".SHE", 4);
  d[4] = 1;
  d[6] = uint8_t(sections.size());
  Put32(&d, 16, parts);
  for (size_t i = 0; i < sections.size(); ++i) {
    while (d.size() % 4) d.push_back(0);
    size_t at = kSkinHeaderSize + i * kSkinDirectoryEntrySize;
    std::memcpy(d.data() + at, sections[i].first.data(), 4);
    Put32(&d, at + 4, uint32_t(d.size()));
    Put32(&d, at + 8, uint32_t(sections[i].second.size()));
    d.insert(d.end(), sections[i].second.begin(), sections[i].second.end());
  }
  SealSkin(&d);
  return d;
}

// The INFO and scheme sections of the test skin, as written.
Bytes InfoBytes() {
  Bytes d = WriteSkin(TestSkin());
  size_t body = kSkinHeaderSize + 3 * kSkinDirectoryEntrySize;
  return Bytes(d.begin() + body, d.begin() + body + kSkinInfoSize);
}
Bytes SchemeBytes(int i) {
  Bytes d = WriteSkin(TestSkin());
  size_t at = kSkinHeaderSize + 3 * kSkinDirectoryEntrySize + kSkinInfoSize + i * kSkinSchemeSize;
  return Bytes(d.begin() + at, d.begin() + at + kSkinSchemeSize);
}

// Offsets inside WriteSkin's output for the test skin (INFO then 2 schemes).
constexpr size_t kInfo = kSkinHeaderSize + 3 * kSkinDirectoryEntrySize;
constexpr size_t kScheme0 = kInfo + kSkinInfoSize;
constexpr size_t kScheme1 = kScheme0 + kSkinSchemeSize;

Bytes WithByte(size_t at, uint8_t value) {
  Bytes d = WriteSkin(TestSkin());
  d[at] = value;
  SealSkin(&d);
  return d;
}

TEST(SkinFormatReading, ValidDataGivesBackEveryField) {
  Skin in = TestSkin(), out;
  Bytes d = WriteSkin(in);
  ASSERT_TRUE(Parse(d, &out).ok()) << Parse(d).reason;
  EXPECT_EQ(std::memcmp(d.data(), ".SHE", 4), 0);
  EXPECT_STREQ(out.name, "Test");
  EXPECT_EQ(out.parts, kSkinAllParts);
  EXPECT_EQ(out.metrics.corner_radius, 4);
  EXPECT_EQ(out.metrics.face_style, kFaceGradient);
  EXPECT_EQ(out.scheme_count, 2u);
  EXPECT_EQ(out.default_scheme, 1u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_STREQ(out.schemes[i].name, in.schemes[i].name);
    for (int c = 0; c < kColourRoleCount; ++c) EXPECT_EQ(out.schemes[i].colours[c], in.schemes[i].colours[c]);
    for (int f = 0; f < kFaceStateCount; ++f) {
      EXPECT_EQ(out.schemes[i].faces[f].top, in.schemes[i].faces[f].top);
      EXPECT_EQ(out.schemes[i].faces[f].bottom, in.schemes[i].faces[f].bottom);
      EXPECT_EQ(out.schemes[i].faces[f].border, in.schemes[i].faces[f].border);
      EXPECT_EQ(out.schemes[i].faces[f].text, in.schemes[i].faces[f].text);
    }
  }
}

TEST(SkinFormatReading, UnknownSectionsAreSkipped) {
  Bytes d = Assemble({{"NOTE", Bytes(10, 'x')}, {"INFO", InfoBytes()}, {"SCHM", SchemeBytes(0)},
                      {"SCHM", SchemeBytes(1)}, {"ZERO", Bytes()}});
  Skin out;
  ASSERT_TRUE(Parse(d, &out).ok()) << Parse(d).reason;
  EXPECT_EQ(out.scheme_count, 2u);
  EXPECT_STREQ(out.schemes[1].name, "Slate");
}

TEST(SkinFormatReading, SchemesAreFoundByNameIgnoringCase) {
  Skin out;
  ASSERT_TRUE(Parse(WriteSkin(TestSkin()), &out).ok());
  EXPECT_EQ(FindScheme(out, nullptr), 1);
  EXPECT_EQ(FindScheme(out, ""), 1);
  EXPECT_EQ(FindScheme(out, "jADE"), 0);
  EXPECT_EQ(FindScheme(out, "Slate"), 1);
  EXPECT_EQ(FindScheme(out, "Slat"), -1);
  EXPECT_EQ(FindScheme(out, "Slates"), -1);
}

TEST(SkinFormatLength, EveryTruncationIsRefused) {
  Bytes d = WriteSkin(TestSkin());
  EXPECT_EQ(ParseSkin(d.data(), 0, nullptr).error, SkinError::kNoData);
  EXPECT_EQ(Parse(Bytes()).error, SkinError::kNoData);
  for (size_t n = 1; n < d.size(); ++n) {
    // A copy of exactly n bytes, so AddressSanitizer sees any read past it.
    Bytes cut(d.begin(), d.begin() + n);
    SkinParseResult r = Parse(cut);
    ASSERT_EQ(r.error, SkinError::kTruncated) << n << " bytes";
    EXPECT_EQ(r.offset, n);
  }
}

TEST(SkinFormatLength, TrailingBytesAndHugeDataAreRefused) {
  Bytes d = WriteSkin(TestSkin());
  d.push_back(0);
  EXPECT_EQ(Parse(d).error, SkinError::kBadLength);  // length field now one short
  Bytes huge(kSkinMaxDataSize + 1, 0);
  std::memcpy(huge.data(), ".SHE", 4);
  EXPECT_EQ(Parse(huge).error, SkinError::kBadLength);
}

TEST(SkinFormatHeader, BadMagicIsRefused) {
  for (size_t i = 0; i < 4; ++i) {
    Bytes d = WriteSkin(TestSkin());
    d[i] ^= 0x20;
    EXPECT_EQ(Parse(d).error, SkinError::kBadMagic) << i;
  }
  EXPECT_EQ(Parse(Bytes{'.', 'S', 'H', 'X'}).error, SkinError::kBadMagic);
  EXPECT_EQ(Parse(Bytes{'M', 'Z'}).error, SkinError::kBadMagic);
  EXPECT_EQ(Parse(Bytes{'.', 'S'}).error, SkinError::kTruncated);
}

TEST(SkinFormatHeader, OtherVersionsAreRefused) {
  for (uint16_t v : {0, 2, 0x100, 0xFFFF}) {
    Bytes d = WriteSkin(TestSkin());
    d[4] = uint8_t(v);
    d[5] = uint8_t(v >> 8);
    SealSkin(&d);
    SkinParseResult r = Parse(d);
    EXPECT_EQ(r.error, SkinError::kBadVersion) << v;
    EXPECT_EQ(r.offset, 4u);
  }
}

TEST(SkinFormatHeader, AnyChangedByteBreaksTheChecksum) {
  Bytes good = WriteSkin(TestSkin());
  for (size_t i = 12; i < good.size(); ++i) {
    Bytes d = good;
    d[i] ^= 0x01;
    EXPECT_EQ(Parse(d).error, SkinError::kBadChecksum) << "byte " << i;
  }
}

TEST(SkinFormatHeader, UnknownPartBitsAndReservedFieldAreRefused) {
  Bytes d = WriteSkin(TestSkin());
  Put32(&d, 16, 0x10);
  SealSkin(&d);
  EXPECT_EQ(Parse(d).error, SkinError::kBadValue);
  d = WriteSkin(TestSkin());
  Put32(&d, 20, 1);
  SealSkin(&d);
  EXPECT_EQ(Parse(d).error, SkinError::kBadValue);
}

TEST(SkinFormatDirectory, SectionCountOutsideRangeIsRefused) {
  for (uint8_t count : {0, 17, 255}) {
    SkinParseResult r = Parse(WithByte(6, count));
    EXPECT_EQ(r.error, SkinError::kBadDirectory) << int(count);
    EXPECT_EQ(r.offset, 6u);
  }
  // A count that is allowed but larger than the directory that follows.
  SkinParseResult r = Parse(WithByte(6, 16));
  EXPECT_FALSE(r.ok());
}

TEST(SkinFormatDirectory, SectionsOutsideTheDataOrMisalignedAreRefused) {
  struct Case {
    size_t field;
    uint32_t value;
  };
  const size_t entry1 = kSkinHeaderSize + kSkinDirectoryEntrySize;  // first scheme
  for (Case c : {Case{entry1 + 4, 0}, Case{entry1 + 4, 24}, Case{entry1 + 4, uint32_t(kScheme0 + 2)},
                 Case{entry1 + 4, 0xFFFFFFF0u}, Case{entry1 + 8, 0xFFFFFFFFu},
                 Case{entry1 + 4, uint32_t(kScheme1 + 4)}}) {
    Bytes d = WriteSkin(TestSkin());
    Put32(&d, c.field, c.value);
    SealSkin(&d);
    SkinParseResult r = Parse(d);
    EXPECT_EQ(r.error, SkinError::kBadDirectory) << c.field << " = " << c.value << ": " << r.reason;
  }
}

TEST(SkinFormatDirectory, OverlappingSectionsAreRefused) {
  Bytes d = WriteSkin(TestSkin());
  Put32(&d, kSkinHeaderSize + 2 * kSkinDirectoryEntrySize + 4, uint32_t(kScheme0 + 64));
  SealSkin(&d);
  EXPECT_EQ(Parse(d).error, SkinError::kBadDirectory);
  // Both directory entries naming the same scheme bytes.
  Bytes same = WriteSkin(TestSkin());
  Put32(&same, kSkinHeaderSize + 2 * kSkinDirectoryEntrySize + 4, uint32_t(kScheme0));
  SealSkin(&same);
  EXPECT_EQ(Parse(same).error, SkinError::kBadDirectory);
}

TEST(SkinFormatDirectory, KnownSectionsMustHaveTheirSizeAndCount) {
  Bytes info = InfoBytes(), s0 = SchemeBytes(0), s1 = SchemeBytes(1);
  Bytes short_info(info.begin(), info.end() - 4);
  EXPECT_EQ(Parse(Assemble({{"INFO", short_info}, {"SCHM", s0}})).error, SkinError::kBadDirectory);
  Bytes long_scheme = s0;
  long_scheme.push_back(0);
  EXPECT_EQ(Parse(Assemble({{"INFO", info}, {"SCHM", long_scheme}})).error, SkinError::kBadDirectory);
  EXPECT_EQ(Parse(Assemble({{"INFO", info}, {"INFO", info}, {"SCHM", s0}})).error,
            SkinError::kBadDirectory);
  EXPECT_EQ(Parse(Assemble({{"SCHM", s0}, {"SCHM", s1}})).error, SkinError::kMissingSection);
  EXPECT_EQ(Parse(Assemble({{"INFO", info}, {"NOTE", s0}})).error, SkinError::kMissingSection);

  std::vector<std::pair<std::string, Bytes>> nine = {{"INFO", info}};
  for (int i = 0; i < 9; ++i) {
    Bytes s = s0;
    s[1] = uint8_t('a' + i);  // distinct names
    nine.push_back({"SCHM", s});
  }
  EXPECT_EQ(Parse(Assemble(nine)).error, SkinError::kBadDirectory);
  nine.pop_back();
  EXPECT_TRUE(Parse(Assemble(nine)).ok());
}

TEST(SkinFormatValues, MetricsOutsideTheirRangesAreRefusedAtTheirByte) {
  struct Case {
    size_t at;
    uint8_t value;
  };
  for (Case c : {Case{40, 13}, Case{41, 0}, Case{41, 5}, Case{42, 0}, Case{42, 9}, Case{43, 4},
                 Case{44, 2}, Case{45, 2}, Case{46, 1}}) {
    SkinParseResult r = Parse(WithByte(kInfo + c.at, c.value));
    EXPECT_EQ(r.error, SkinError::kBadValue) << "INFO+" << c.at << " = " << int(c.value);
    EXPECT_EQ(r.offset, kInfo + c.at);
  }
  for (Case c : {Case{40, 12}, Case{41, 4}, Case{42, 8}, Case{43, 3}, Case{44, 0}, Case{45, 0}})
    EXPECT_TRUE(Parse(WithByte(kInfo + c.at, c.value)).ok()) << "INFO+" << c.at;
}

TEST(SkinFormatValues, ColoursWithATopByteAreRefused) {
  for (size_t at = 32; at < kSkinSchemeSize; at += 4) {
    SkinParseResult r = Parse(WithByte(kScheme1 + at + 3, 0x01));
    EXPECT_EQ(r.error, SkinError::kBadValue) << "scheme byte " << at;
    EXPECT_EQ(r.offset, kScheme1 + at);
  }
}

TEST(SkinFormatValues, BadNamesAreRefused) {
  EXPECT_EQ(Parse(WithByte(kInfo, 40)).error, SkinError::kBadValue);            // too long
  EXPECT_EQ(Parse(WithByte(kInfo + 1 + 30, 'x')).error, SkinError::kBadValue);  // padding not 0
  EXPECT_EQ(Parse(WithByte(kInfo + 2, 0)).error, SkinError::kBadValue);         // NUL in the name
  EXPECT_EQ(Parse(WithByte(kInfo, 0)).error, SkinError::kBadValue);  // "Test" left as padding
  EXPECT_EQ(Parse(WithByte(kScheme0, 0)).error, SkinError::kBadValue);          // empty scheme name
  EXPECT_EQ(Parse(WithByte(kScheme0, 32)).error, SkinError::kBadValue);
}

TEST(SkinFormatValues, SchemeNamesMustDifferIgnoringCase) {
  Skin s = TestSkin();
  std::strcpy(s.schemes[1].name, "JADE");
  SkinParseResult r = Parse(WriteSkin(s));
  EXPECT_EQ(r.error, SkinError::kBadValue);
  EXPECT_EQ(r.offset, kScheme1);
}

TEST(SkinFormatRobustness, EverySingleByteChangeGivesADefinedOutcome) {
  // Resealed, so the change reaches the checks behind the checksum.
  Bytes good = WriteSkin(TestSkin());
  for (size_t i = 0; i < good.size(); ++i) {
    for (uint8_t v : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
      Bytes d = good;
      d[i] = v;
      SealSkin(&d);
      SkinParseResult r = Parse(d);
      EXPECT_GE(int(r.error), 0);
      EXPECT_LE(int(r.error), int(SkinError::kSystemFailure));
      EXPECT_NE(r.reason, nullptr);
      if (!r.ok()) {
        EXPECT_LE(r.offset, d.size());
      }
    }
  }
}

TEST(SkinFormatChecksum, IsTheIeeeCrc32) {
  const char* text = "123456789";
  EXPECT_EQ(SkinCrc32(reinterpret_cast<const uint8_t*>(text), 9), 0xCBF43926u);
  EXPECT_EQ(SkinCrc32(nullptr, 0), 0u);
}

}  // namespace
}  // namespace talv::skin
