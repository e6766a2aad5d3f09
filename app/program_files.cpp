// The two places of the calculator's files: beside the program, and the
// user's application-data folder when the program's folder refuses them.
#include <string>

#include "app/app_commands.h"
#include "app/file_system.h"
#include "app/program_files.h"
#include "app/runtime_api.h"

namespace talv::app {
namespace {

// The application-data folder's Talvique folder; "" when there is none.
std::string UserDataFolder() {
  rt::Text folder = rt::CallText(Commands().files.GetSpecialFolder, SpecialFolder::AppData);
  if (folder.empty()) return "";
  return std::string(folder.c_str()) + kUserDataFolder;
}

}  // namespace

std::string ProgramFile(const char* name) {
  rt::Text directory = rt::CallText(Commands().files.GetRunDirectory);
  return std::string(directory.c_str()) + name;
}

std::string UserDataFile(const char* name) {
  const std::string folder = UserDataFolder();
  return folder.empty() ? "" : folder + name;
}

std::string NewerFile(const char* name) {
  const std::string beside = ProgramFile(name);
  const std::string kept = UserDataFile(name);
  if (kept.empty()) return beside;
  const FileStamp kept_stamp = StampOf(kept.c_str());
  if (!kept_stamp.exists) return beside;
  const FileStamp beside_stamp = StampOf(beside.c_str());
  if (!beside_stamp.exists || kept_stamp.write_time > beside_stamp.write_time) return kept;
  return beside;
}

bool MakeUserDataFolder() {
  const std::string folder = UserDataFolder();
  return !folder.empty() && MakeFolder(folder.c_str());
}

TapePlaces TapeFilePlaces() {
  TapePlaces places;
  places.beside = ProgramFile(kTapeFile);
  places.beside_backup = ProgramFile(kTapeBackupFile);
  places.kept = UserDataFile(kTapeFile);
  places.kept_backup = UserDataFile(kTapeBackupFile);
  return places;
}

}  // namespace talv::app
