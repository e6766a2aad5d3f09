// The files the calculator keeps, steps.txt and peizi.ini. They are always
// addressed under the program's directory, whatever BaseDirectory says:
// switching the sound off must not lose the tape or the geometry.
//
// They live beside the program whenever its folder can be written (the
// portable case). Where it cannot (Program Files, a read-only share, a
// locked stick), or when a save there fails for any other reason, they are
// kept in the user's application-data folder instead, "%APPDATA%\Talvique".
// A start reads whichever of the two was written last, and every save tries
// beside the program first, so once the folder can be written again the
// files go back there and nothing is lost in between.
#pragma once

#include <cstddef>
#include <string>

namespace talv::app {

constexpr const char* kTapeFile = "\\steps.txt";
constexpr const char* kSettingsFile = "\\peizi.ini";
constexpr const char* kUserDataFolder = "Talvique";

// GetRunDirectory() + name, e.g. ProgramFile("\\steps.txt").
std::string ProgramFile(const char* name);
// The application-data folder + "Talvique" + name; "" when the system names
// no such folder.
std::string UserDataFile(const char* name);
// The place to read `name` from: the one of the two that was written last;
// beside the program when only it exists, when neither does, and when both
// were written at the same moment.
std::string NewerFile(const char* name);
// Replaces `name` beside the program (through a new file, so a failed save
// leaves the old one), else in the application-data folder, which is
// created when missing. False when neither place took it.
bool SaveProgramFile(const char* name, const void* bytes, size_t size);
// The folder of UserDataFile, created when missing; false when it cannot be
// had.
bool MakeUserDataFolder();

// Start-up's last steps and the will-be-destroyed handler's.
void LoadTape();
void RestoreGeometry();
void SaveGeometry();

}  // namespace talv::app
