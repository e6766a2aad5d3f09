#include "app/runtime_command_groups.h"

#include "runtime/commands/chinese_numerals.h"
#include "runtime/commands/conversion.h"
#include "runtime/commands/date_commands.h"
#include "runtime/commands/dll_directory_commands.h"
#include "runtime/commands/file_commands.h"
#include "runtime/commands/system_folder_commands.h"
#include "runtime/commands/text_commands.h"

namespace talv::app {

void FillRuntimeCommandGroups(AppCommands* commands) {
  AppCommands& c = *commands;
  c.text.TextLength = talv::TextLength;
  c.text.LeftText = talv::LeftText;
  c.text.RightText = talv::RightText;
  c.text.FindText = talv::FindText;
  c.text.ReplaceText = talv::ReplaceText;

  c.numbers.ToText = talv::ToText;
  c.numbers.ToNumber = talv::ToNumber;
  c.numbers.ToByteArray = talv::ToByteArray;
  c.numbers.ToChineseNumerals = talv::ToChineseNumerals;
  c.numbers.ToChineseAmount = talv::ToChineseAmount;
  c.numbers.TimeInterval = talv::TimeInterval;

  c.files.GetRunDirectory = talv::GetRunDirectory;
  c.files.SetDllCommandDirectory = talv::SetDllCommandDirectory;
#if defined(_WIN32)
  c.files.GetSpecialFolder = talv::GetSpecialFolder;
  c.files.ReadFileBytes = talv::ReadFileBytes;
  c.files.WriteFileBytes = talv::WriteFileBytes;
  c.files.ReadSettingsItem = talv::ReadSettingsItem;
  c.files.WriteSettingsItem = talv::WriteSettingsItem;
#endif
}

}  // namespace talv::app
