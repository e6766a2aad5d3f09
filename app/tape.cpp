// The Calculation tape box and its file: start-up shows the file, every
// change of the tape is saved as it is made (TapeStore decides how), and a
// merge with another instance's lines shows in the box at once.
#include <string>

#include "app/app_commands.h"
#include "app/app_text.h"
#include "app/handlers.h"
#include "app/main_window_ids.h"
#include "app/program_files.h"
#include "app/tape_display.h"
#include "app/tape_store.h"

namespace talv::app {
namespace {

// What this instance knows of steps.txt; lives as long as the process.
TapeStore& Store() {
  static TapeStore store;
  return store;
}

std::string TapeBoxText() {
  rt::Text tape = rt::ReadText(kMainWindow, control::kTape, EditBoxProperty::Content);
  return tape.c_str();
}

// The file's bytes in the box: as text up to the first zero byte (ToText of
// the bytes), long lines broken for the box; the store learns what the box
// made of them.
void ShowTapeBytes(const std::string& bytes) {
  void* block = rt::NewByteArray(bytes.data(), bytes.size());
  rt::Text text = rt::CallText(Commands().numbers.ToText, talv::BytesValue(block));
  rt::Free(block);
  SetTapeText(BreakLongLines(text.c_str()).c_str());
  Store().Shown(TapeBoxText());
}

void SaveTapeText(const std::string& tape, bool clearing) {
  const TapeStore::Saved saved = Store().Save(TapeFilePlaces(), tape, clearing);
  if (saved.show) ShowTapeBytes(saved.bytes);
}

}  // namespace

void LoadTape() { ShowTapeBytes(Store().Load(TapeFilePlaces())); }

void SaveTape() { SaveTapeText(TapeBoxText(), false); }

void ClearTape() {
  // What the user typed into the tape goes to the file first, so that the
  // backup holds it too.
  SaveTape();
  SetTapeText("");
  SaveTapeText("", true);
}

}  // namespace talv::app
