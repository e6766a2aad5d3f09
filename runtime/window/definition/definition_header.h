// The 64-byte program header: the fixed descriptor of the program that the
// runtime reads at start-up. Address fields hold addresses in the loaded
// image; the build step cannot know them and stores 0, and start-up takes
// the addresses from the linked arrays themselves (see
// resources/main_window_definition.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/window/definition/definition_bytes.h"

namespace talv::definition {

constexpr size_t kProgramHeaderSize = 64;

struct ProgramHeader {
  uint32_t program_kind = 0;        // offset 12
  uint32_t format_version = 0;      // 20 (the runtime keeps it plus 1)
  uint32_t code_base = 0;           // 24
  uint32_t constants_address = 0;   // 28
  uint32_t constants_size = 0;      // 32
  uint32_t definition_address = 0;  // 36
  uint32_t definition_size = 0;     // 40
  uint32_t library_count = 0;       // 44
  uint32_t library_table = 0;       // 48
  uint32_t dll_command_count = 0;   // 52
  uint32_t dll_library_names = 0;   // 56
  uint32_t dll_function_names = 0;  // 60
};

Bytes EncodeProgramHeader(const ProgramHeader& header);
// False when fewer than 64 bytes are given or a reserved field is not zero.
bool ReadProgramHeader(const uint8_t* data, size_t size, ProgramHeader* out);

}  // namespace talv::definition
