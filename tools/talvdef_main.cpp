// talvdef DESCRIPTION OUTPUT-DIR: serializes a readable window description
// into the window-definition segment and the program header, and writes
//   main_window.seg               the segment bytes
//   main_window_header.bin        the 64-byte program header
//   main_window_definition.h      their sizes, the handler table order and
//                                 the other constants' declarations
//   main_window_definition.cpp    both as constant-segment arrays, with the
//                                 picture constants and handler names
//   main_window_handlers.inc      the handler table's rows, by name
//   main_window_description.cpp   the description and its files, for tests
//   main_window_controls.h        the ids under their C++ names, for the app
//   main_window.layout            where each unit lies (tools/window_layout.h)
// The segment is read back before anything is written.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "runtime/window/definition/definition_segment.h"
#include "tools/definition_codegen.h"
#include "tools/window_description.h"

namespace {

bool ReadAll(const std::string& path, std::string* out) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return false;
  out->assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  return true;
}

bool WriteFile(const std::string& path, const std::string& content) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(content.data(), std::streamsize(content.size()));
  return bool(f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: talvdef DESCRIPTION OUTPUT-DIRECTORY\n");
    return 2;
  }
  std::string description_path = argv[1], out_dir = argv[2];
  std::string base_dir = ".";
  size_t slash = description_path.find_last_of('/');
  if (slash != std::string::npos) base_dir = description_path.substr(0, slash);

  std::string text;
  if (!ReadAll(description_path, &text)) {
    std::fprintf(stderr, "talvdef: cannot read %s\n", description_path.c_str());
    return 1;
  }
  std::map<std::string, talv::tools::Bytes> files;
  auto load = [&](const std::string& file, talv::tools::Bytes* out) {
    std::string bytes;
    if (!ReadAll(base_dir + "/" + file, &bytes)) return false;
    out->assign(bytes.begin(), bytes.end());
    files[file] = *out;
    return true;
  };
  talv::tools::Description d;
  std::string error;
  if (!talv::tools::ParseDescription(text, load, &d, &error)) {
    std::fprintf(stderr, "%s: %s\n", description_path.c_str(), error.c_str());
    return 1;
  }
  talv::tools::Bytes segment = talv::tools::BuildSegment(d);
  std::vector<talv::definition::WindowDefinition> windows;
  auto status = talv::definition::ReadDefinitionSegment(segment.data(), segment.size(),
                                                        d.handlers.size(), &windows);
  if (!status) {
    std::fprintf(stderr, "talvdef: the built segment does not read back: %s at %zu\n",
                 status.reason, status.offset);
    return 1;
  }
  talv::tools::Bytes header = talv::tools::BuildProgramHeader(d, segment.size());
  bool ok =
      WriteFile(out_dir + "/main_window.seg", std::string(segment.begin(), segment.end())) &&
      WriteFile(out_dir + "/main_window_header.bin",
                     std::string(header.begin(), header.end())) &&
      WriteFile(out_dir + "/main_window_definition.h",
                talv::tools::GenerateDefinitionHeader(d, segment.size(), header.size())) &&
      WriteFile(out_dir + "/main_window_handlers.inc", talv::tools::GenerateHandlerTable(d)) &&
      WriteFile(out_dir + "/main_window_definition.cpp",
                     talv::tools::GenerateDefinitionSource(d, segment, header)) &&
      WriteFile(out_dir + "/main_window_description.cpp",
                     talv::tools::GenerateDescriptionSource(text, files)) &&
      WriteFile(out_dir + "/main_window_controls.h", talv::tools::GenerateControlIdsHeader(d)) &&
      WriteFile(out_dir + "/main_window.layout",
                talv::tools::FormatWindowLayouts(talv::tools::LayoutOf(d)));
  if (!ok) {
    std::fprintf(stderr, "talvdef: cannot write into %s\n", out_dir.c_str());
    return 1;
  }
  size_t units = 0;
  for (const auto& w : windows) units += w.table.UnitCount();
  std::printf("talvdef: %zu window(s), %zu units, segment %zu bytes\n", windows.size(), units,
              segment.size());
  return 0;
}
