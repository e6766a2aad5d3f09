// Writes a Skin as ".SHE" data (layout in skin_format.h): the header, a
// directory of one "INFO" and one "SCHM" per scheme, then the sections in
// that order. Used by the skin compiler, the tests and the fuzz target.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/skin_format.h"

namespace talv::skin {

// The data for `skin`. It is only as valid as the skin's fields: the writer
// copies them without checking, so that tests can write bad values too.
std::vector<uint8_t> WriteSkin(const Skin& skin);

// Rewrites the length and CRC-32 fields of data that has at least a header,
// after a test or the fuzz target changed other bytes.
void SealSkin(std::vector<uint8_t>* data);

}  // namespace talv::skin
