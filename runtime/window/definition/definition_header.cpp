#include "runtime/window/definition/definition_header.h"

namespace talv::definition {

Bytes EncodeProgramHeader(const ProgramHeader& h) {
  StreamWriter w;
  for (int i = 0; i < 3; ++i) w.Dword(0);
  w.Dword(h.program_kind);
  w.Dword(0);
  for (uint32_t v : {h.format_version, h.code_base, h.constants_address, h.constants_size,
                     h.definition_address, h.definition_size, h.library_count, h.library_table,
                     h.dll_command_count, h.dll_library_names, h.dll_function_names}) {
    w.Dword(v);
  }
  return w.Take();
}

bool ReadProgramHeader(const uint8_t* data, size_t size, ProgramHeader* out) {
  if (size < kProgramHeaderSize) return false;
  StreamReader in(data, kProgramHeaderSize);
  ProgramHeader h;
  uint32_t reserved = in.Dword() | in.Dword() | in.Dword();
  h.program_kind = in.Dword();
  reserved |= in.Dword();
  for (uint32_t* field : {&h.format_version, &h.code_base, &h.constants_address,
                          &h.constants_size, &h.definition_address, &h.definition_size,
                          &h.library_count, &h.library_table, &h.dll_command_count,
                          &h.dll_library_names, &h.dll_function_names}) {
    *field = in.Dword();
  }
  if (!in.ok() || reserved != 0) return false;
  *out = h;
  return true;
}

}  // namespace talv::definition
