// The Calculation tape in steps.txt: raw GBK bytes, lines ending "\r\n",
// and the will-be-destroyed handler that saves it.
#include <string>

#include "app/app_platform.h"
#include "app/app_text.h"
#include "app/calculator_state.h"
#include "app/handlers.h"
#include "app/main_window_ids.h"
#include "app/program_files.h"
#include "runtime/commands/conversion.h"
#include "runtime/commands/file_commands.h"
#include "runtime/core/blocks.h"

namespace talv::app {

std::string ProgramFile(const char* name) {
  rt::Text directory = rt::CallText(talv::GetRunDirectory);
  return std::string(directory.c_str()) + name;
}

void LoadTape() {
  const std::string path = ProgramFile(kTapeFile);
  void* bytes = talv::AsPointer(rt::Call(talv::ReadFileBytes, path.c_str()));
  rt::Text text = rt::CallText(talv::ToText, talv::BytesValue(bytes));
  SetTapeText(text.get());
  rt::Free(LoadedTapeText);
  LoadedTapeText = nullptr;
  if (talv::ByteArrayLength(bytes) > 0)
    LoadedTapeText = rt::ReadText(kMainWindow, control::kTape, property::kContent).release();
  rt::Free(bytes);
}

void SaveTape() {
  rt::Text tape = rt::ReadText(kMainWindow, control::kTape, property::kContent);
  if (LoadedTapeText == nullptr || !SameText(tape.get(), LoadedTapeText)) {
    void* bytes = talv::AsPointer(rt::Call(talv::ToByteArray, tape.c_str()));
    const std::string path = ProgramFile(kTapeFile);
    // The result is ignored: a failed save leaves the previous tape.
    ReplaceFileContents(path.c_str(), talv::ByteArrayData(bytes), talv::ByteArrayLength(bytes));
    rt::Free(bytes);
  }
  // A window that was only moved reopens where it was left.
  SaveGeometry();
}

void CloseDown() {
  StopSpeaking();
  SaveTape();
}

}  // namespace talv::app
