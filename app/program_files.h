// The files the calculator keeps, steps.txt and peizi.ini. They are always
// addressed under the program's directory, whatever BaseDirectory says:
// switching the sound off must not lose the tape or the geometry.
//
// They live beside the program whenever its folder can be written (the
// portable case). Where it cannot (Program Files, a read-only share, a
// locked stick), or when a save there fails for any other reason, they are
// kept in the user's application-data folder instead, "%APPDATA%\Talvique".
// There is one live copy of each: every save tries beside the program
// first, and once a save there succeeds, the copy in the application-data
// folder is removed, so no stale copy is left to come back. A start that
// finds both joins the two tapes (TapeStore) and reads the geometry that was
// written last.
#pragma once

#include <string>

#include "app/tape_store.h"

namespace talv::app {

constexpr const char* kTapeFile = "\\steps.txt";
constexpr const char* kTapeBackupFile = "\\steps.bak";
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
// The folder of UserDataFile, created when missing; false when it cannot be
// had.
bool MakeUserDataFolder();
// The two places of the tape and of its backup.
TapePlaces TapeFilePlaces();

// Start-up's last step: the tape from its file into the tape box.
void LoadTape();

}  // namespace talv::app
