// talvpics DIR: writes our pictures (sound_on.bmp, sound_off.bmp,
// mouse_over.gif, talvique.ico, hand.cur) into DIR. The files in
// resources/pictures/ were made with it.
#include <cstdio>
#include <string>

#include "tools/picture_generator.h"

namespace {
bool WriteFile(const std::string& path, const talv::tools::PictureBytes& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: talvpics OUTPUT-DIRECTORY\n");
    return 2;
  }
  std::string dir = argv[1];
  using namespace talv::tools;
  struct {
    const char* name;
    PictureBytes bytes;
  } files[] = {{"sound_on.bmp", MakeSoundOnBmp()},     {"sound_off.bmp", MakeSoundOffBmp()},
               {"mouse_over.gif", MakeMouseOverGif()}, {"talvique.ico", MakeProgramIcon()},
               {"hand.cur", MakeHandCursor()}};
  for (auto& f : files) {
    if (!WriteFile(dir + "/" + f.name, f.bytes)) {
      std::fprintf(stderr, "talvpics: cannot write %s/%s\n", dir.c_str(), f.name);
      return 1;
    }
  }
  return 0;
}
