// Our own small pictures, drawn in code: the Sound toggle's loudspeaker
// pictures, the program icon and the hand cursor. resources/pictures/ holds
// what these functions make (talvpics writes them there).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace talv::tools {

using PictureBytes = std::vector<uint8_t>;

constexpr int kSpeakerWidth = 20;
constexpr int kSpeakerHeight = 19;
constexpr size_t kSpeakerBmpSize = 1194;  // 54-byte header, 19 rows of 60 bytes
constexpr size_t kMouseOverGifSize = 931;

// 20 × 19, 24-bit uncompressed BMP file images: a loudspeaker with sound
// waves (sound on) and without (sound off), on white.
PictureBytes MakeSoundOnBmp();
PictureBytes MakeSoundOffBmp();
// 20 × 19 GIF89a: the loudspeaker with waves on a light blue highlight.
PictureBytes MakeMouseOverGif();
// ICO file image with a 32 × 32 and a 16 × 16 picture of a calculator.
PictureBytes MakeProgramIcon();
// CUR file image: a 32 × 32 monochrome pointing hand, hot spot at the fingertip.
PictureBytes MakeHandCursor();

// One GIF89a image from palette indices (row by row, top first). The LZW
// stream sends every pixel as a literal code and a clear code before the
// code width would grow; a comment extension pads the file to `file_size`
// bytes when that is larger than the image needs (0: no padding).
PictureBytes EncodeGif(int width, int height, const std::vector<uint32_t>& palette_rgb,
                       const std::vector<uint8_t>& indices, size_t file_size);

}  // namespace talv::tools
