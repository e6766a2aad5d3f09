#include "skin/skin_writer.h"

#include <cstring>

namespace talv::skin {
namespace {

void Put16(std::vector<uint8_t>* out, size_t at, uint32_t v) {
  (*out)[at] = uint8_t(v);
  (*out)[at + 1] = uint8_t(v >> 8);
}
void Put32(std::vector<uint8_t>* out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*out)[at + i] = uint8_t(v >> (8 * i));
}
void PutName(std::vector<uint8_t>* out, size_t at, const char* name, size_t capacity) {
  size_t length = strnlen(name, capacity);
  (*out)[at] = uint8_t(length);
  std::memcpy(out->data() + at + 1, name, length);
}

}  // namespace

std::vector<uint8_t> WriteSkin(const Skin& skin) {
  size_t schemes = skin.scheme_count <= kSkinMaxSchemes ? skin.scheme_count : kSkinMaxSchemes;
  size_t count = 1 + schemes;
  size_t body = kSkinHeaderSize + count * kSkinDirectoryEntrySize;
  size_t total = body + kSkinInfoSize + schemes * kSkinSchemeSize;
  std::vector<uint8_t> out(total, 0);
  std::memcpy(out.data(), kSkinMagic, 4);
  Put16(&out, 4, kSkinVersion);
  Put16(&out, 6, uint32_t(count));
  Put32(&out, 16, skin.parts);

  size_t offset = body;
  for (size_t i = 0; i < count; ++i) {
    size_t at = kSkinHeaderSize + i * kSkinDirectoryEntrySize;
    size_t size = i == 0 ? kSkinInfoSize : kSkinSchemeSize;
    std::memcpy(out.data() + at, i == 0 ? "INFO" : "SCHM", 4);
    Put32(&out, at + 4, uint32_t(offset));
    Put32(&out, at + 8, uint32_t(size));
    if (i == 0) {
      PutName(&out, offset, skin.name, kSkinMaxNameLength);
      const SkinMetrics& m = skin.metrics;
      out[offset + 40] = m.corner_radius;
      out[offset + 41] = m.border_width;
      out[offset + 42] = m.focus_inset;
      out[offset + 43] = m.pressed_offset;
      out[offset + 44] = m.face_style;
      out[offset + 45] = uint8_t(skin.default_scheme);
    } else {
      const SkinScheme& s = skin.schemes[i - 1];
      PutName(&out, offset, s.name, kSkinMaxSchemeNameLength);
      for (int c = 0; c < kColourRoleCount; ++c) Put32(&out, offset + 32 + 4 * c, s.colours[c]);
      for (int f = 0; f < kFaceStateCount; ++f) {
        const SkinFace& face = s.faces[f];
        uint32_t colours[4] = {face.top, face.bottom, face.border, face.text};
        for (int c = 0; c < 4; ++c) Put32(&out, offset + 64 + 16 * f + 4 * c, colours[c]);
      }
    }
    offset += size;
  }
  SealSkin(&out);
  return out;
}

void SealSkin(std::vector<uint8_t>* data) {
  if (data->size() < kSkinHeaderSize) return;
  Put32(data, 8, uint32_t(data->size()));
  Put32(data, 12, SkinCrc32(data->data() + 16, data->size() - 16));
}

}  // namespace talv::skin
