// The two places of the calculator's files: beside the program, and the
// user's application-data folder when the program's folder refuses them.
#include <cstdint>
#include <string>

#include "app/app_commands.h"
#include "app/app_platform.h"
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
  uint64_t beside_time = 0, kept_time = 0;
  if (kept.empty() || !FileWriteTime(kept.c_str(), &kept_time)) return beside;
  if (!FileWriteTime(beside.c_str(), &beside_time) || kept_time > beside_time) return kept;
  return beside;
}

bool MakeUserDataFolder() {
  const std::string folder = UserDataFolder();
  return !folder.empty() && MakeFolder(folder.c_str());
}

bool SaveProgramFile(const char* name, const void* bytes, size_t size) {
  if (ReplaceFileContents(ProgramFile(name).c_str(), bytes, size)) return true;
  if (!MakeUserDataFolder()) return false;
  return ReplaceFileContents(UserDataFile(name).c_str(), bytes, size);
}

}  // namespace talv::app
