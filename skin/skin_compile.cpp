// Build tool: compiles a readable skin description into ".SHE" data.
//   talv_skin_compile DESCRIPTION OUTPUT
// The output is read back with the library's own reader before it is written,
// so the build never embeds data that the library would refuse.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "skin/skin_description.h"
#include "skin/skin_format.h"
#include "skin/skin_writer.h"

int main(int argc, char** argv) {
  using namespace talv::skin;
  if (argc != 3) {
    std::fprintf(stderr, "usage: talv_skin_compile DESCRIPTION OUTPUT\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
    return 1;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Skin skin;
  DescriptionResult r = ReadSkinDescription(text, &skin);
  if (!r.ok) {
    std::fprintf(stderr, "%s:%d: %s\n", argv[1], r.line, r.message.c_str());
    return 1;
  }
  std::vector<uint8_t> data = WriteSkin(skin);
  Skin check;
  SkinParseResult parsed = ParseSkin(data.data(), data.size(), &check);
  if (!parsed.ok()) {
    std::fprintf(stderr, "%s: compiled data refused at byte %zu: %s\n", argv[1], parsed.offset,
                 parsed.reason);
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  if (!out) {
    std::fprintf(stderr, "%s: cannot be written\n", argv[2]);
    return 1;
  }
  return 0;
}
