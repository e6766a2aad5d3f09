// The program directory, as start-up keeps it (the exe's folder without a
// trailing backslash). Start-up sets it; commands and services read it.
#pragma once

namespace talv {
const char* ProgramDirectory();  // never null; "" until start-up sets it
void SetProgramDirectory(const char* directory);
}  // namespace talv
