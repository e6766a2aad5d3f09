// The readable description of a program's windows (resources/main_window.txt)
// and its serialization into the window-definition segment and the program
// header. The syntax is documented at the top of the description file.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/window/definition/definition_encode.h"
#include "runtime/window/definition/definition_header.h"
#include "runtime/window/definition/definition_kinds.h"

namespace talv::tools {

using definition::Bytes;

struct DescribedUnit {
  definition::UnitRecord record;  // kind_data is filled by BuildWindows
  // The kind's values; nullopt stores an empty kind-data block.
  std::optional<definition::KindData> kind;
  std::vector<std::string> handler_names;  // per binding, "none" for −1
  std::string symbol;  // the C++ name of its id, e.g. "kEntry" or "kDigit[3]"; may be empty
  int line = 0;
};

// The frame around a window's client area at the design size, in pixels.
struct ClientFrame {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct DescribedWindow {
  uint32_t window_id = 0;
  uint32_t word1 = 0;
  uint32_t word2 = 0;
  std::string text1, text2;
  std::string symbol;  // the C++ name of its Window id; may be empty
  ClientFrame frame;
  std::vector<DescribedUnit> units;
};

struct DllCommand {
  std::string library;
  std::string function;
};

// A picture exported as a byte-array constant of the program.
struct ConstantPicture {
  std::string symbol;
  std::string picture;
};

// The most event arguments a handler can take (runtime/core/program_image.h).
constexpr size_t kEventArgumentCount = 5;

struct Description {
  // The application's handler table: the handlers' names in table order
  // (each a function of talv::app), and per handler the names of the event
  // arguments it takes, the event's first arguments in order (none for most).
  std::vector<std::string> handlers;
  std::vector<std::vector<std::string>> handler_arguments;
  definition::ProgramHeader header;   // sizes are filled when building
  std::vector<DllCommand> dll_commands;
  std::map<std::string, Bytes> fonts;  // 60-byte LOGFONTA each
  std::map<std::string, Bytes> pictures;
  std::map<std::string, std::string> picture_files;  // picture name → file name
  std::vector<ConstantPicture> constants;
  std::vector<DescribedWindow> windows;
};

// Loads a file named by the description (relative to the description).
using FileLoader = std::function<bool(const std::string& file, Bytes* out)>;

// Parses UTF-8 description text; texts become GBK. On failure `error` says
// which line was wrong and why.
bool ParseDescription(std::string_view text, const FileLoader& load, Description* out,
                      std::string* error);

// The kind's name in descriptions ("Button", "window", …); empty for an
// unknown kind word.
std::string DescribedKindName(uint32_t kind_word);

// The windows with their packed control tables (kind data serialized).
std::vector<definition::WindowDefinition> BuildWindows(const Description& d);
Bytes BuildSegment(const Description& d);
Bytes BuildProgramHeader(const Description& d, size_t segment_size);

// A LOGFONTA: height, width 0, escapement 0, orientation 0, weight, not
// italic, underlined or struck out, then the character set, precisions,
// quality, pitch and family and the NUL-padded face name (at most 31 bytes).
Bytes MakeLogFont(int32_t height, int32_t weight, uint8_t charset, uint8_t out_precision,
                  uint8_t clip_precision, uint8_t quality, uint8_t pitch_and_family,
                  std::string_view face);

}  // namespace talv::tools
