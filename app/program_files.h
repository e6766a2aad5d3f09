// The files the calculator keeps beside the program. They are always
// addressed under the program's directory, whatever BaseDirectory says:
// switching the sound off must not lose the tape or the geometry.
#pragma once

#include <string>

namespace talv::app {

// GetRunDirectory() + name, e.g. ProgramFile("\\steps.txt").
std::string ProgramFile(const char* name);

constexpr const char* kTapeFile = "\\steps.txt";
constexpr const char* kSettingsFile = "\\peizi.ini";

// Start-up's last steps and the will-be-destroyed handler's.
void LoadTape();
void RestoreGeometry();
void SaveGeometry();

}  // namespace talv::app
