// Fuzz target of the skin data reader that SkinH_EL.dll applies to what the
// caller hands it. Each input is read three ways:
//   1. as it is;
//   2. resealed (length and CRC-32 rewritten), so mutations reach the checks
//      behind the checksum;
//   3. as a patch over valid data: the first two bytes give an offset into
//      a valid skin, the rest overwrite bytes from there, then it is resealed.
// The reader must never read outside its buffer, and whatever it accepts
// must satisfy the documented ranges.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "skin/skin_format.h"
#include "skin/skin_writer.h"

using namespace talv::skin;

namespace {

const std::vector<uint8_t>& ValidData() {
  static const std::vector<uint8_t> data = [] {
    Skin s;
    std::memset(&s, 0, sizeof s);
    std::strcpy(s.name, "Fuzz");
    s.parts = kSkinAllParts;
    s.metrics = {4, 1, 3, 1, kFaceGradient};
    s.scheme_count = 3;
    const char* names[] = {"One", "Two", "Three"};
    for (int i = 0; i < 3; ++i) std::strcpy(s.schemes[i].name, names[i]);
    return WriteSkin(s);
  }();
  return data;
}

void Check(const std::vector<uint8_t>& d) {
  // An exact-size heap copy, so AddressSanitizer catches any read past it.
  uint8_t* copy = static_cast<uint8_t*>(std::malloc(d.size() ? d.size() : 1));
  if (!d.empty()) std::memcpy(copy, d.data(), d.size());
  Skin skin;
  SkinParseResult r = ParseSkin(copy, d.size(), &skin);
  std::free(copy);
  if (!r.ok()) {
    if (r.reason == nullptr || r.offset > d.size()) std::abort();
    return;
  }
  if (skin.scheme_count < 1 || skin.scheme_count > kSkinMaxSchemes) std::abort();
  if (skin.default_scheme >= skin.scheme_count) std::abort();
  if (skin.metrics.corner_radius > 12 || skin.metrics.border_width < 1 || skin.metrics.border_width > 4)
    std::abort();
  if (skin.parts & ~kSkinAllParts) std::abort();
  for (uint32_t i = 0; i < skin.scheme_count; ++i) {
    if (std::strlen(skin.schemes[i].name) == 0) std::abort();
    for (uint32_t c : skin.schemes[i].colours)
      if (c >> 24) std::abort();
    if (FindScheme(skin, skin.schemes[i].name) != int(i)) std::abort();
  }
  if (FindScheme(skin, "") != int(skin.default_scheme)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> raw(data, data + size);
  Check(raw);
  if (size >= kSkinHeaderSize) {
    SealSkin(&raw);
    Check(raw);
  }
  if (size >= 2) {
    std::vector<uint8_t> patched = ValidData();
    size_t at = (size_t(data[0]) | size_t(data[1]) << 8) % patched.size();
    for (size_t i = 2; i < size && at < patched.size(); ++i, ++at) patched[at] = data[i];
    SealSkin(&patched);
    Check(patched);
  }
  return 0;
}
