// The Calculation tape in steps.txt: raw GBK bytes, lines ending "\r\n",
// and the will-be-destroyed handler that saves it.
#include <cstdint>
#include <cstring>
#include <string>

#include "app/app_commands.h"
#include "app/app_platform.h"
#include "app/app_text.h"
#include "app/calculator_state.h"
#include "app/handlers.h"
#include "app/main_window_ids.h"
#include "app/program_files.h"
#include "app/tape_merge.h"

namespace talv::app {
namespace {

std::string BytesOf(const void* block) {
  const rt::ByteArrayView bytes = rt::ByteArray(block);
  return bytes.size ? std::string(reinterpret_cast<const char*>(bytes.data), bytes.size)
                    : std::string();
}

char* CopyText(const char* text) {
  if (!text || !*text) return nullptr;
  const size_t n = std::strlen(text) + 1;
  auto* copy = static_cast<char*>(rt::Allocate(n));
  std::memcpy(copy, text, n);
  return copy;
}

// What this instance now knows of the file: the tape showed `shown` when
// the file held `bytes`.
void Remember(const char* shown, const std::string& bytes) {
  rt::Free(LoadedTapeText);
  LoadedTapeText = CopyText(shown);
  rt::Free(TapeFileBytes);
  TapeFileBytes = rt::NewByteArray(bytes.data(), bytes.size());
}

}  // namespace

void LoadTape() {
  const std::string path = NewerFile(kTapeFile);
  void* bytes = talv::AsPointer(rt::Call(Commands().files.ReadFileBytes, path.c_str()));
  rt::Text text = rt::CallText(Commands().numbers.ToText, talv::BytesValue(bytes));
  SetTapeText(text.get());
  rt::Free(LoadedTapeText);
  LoadedTapeText = nullptr;
  if (rt::ByteArray(bytes).size > 0)
    LoadedTapeText = rt::ReadText(kMainWindow, control::kTape, EditBoxProperty::Content).release();
  rt::Free(TapeFileBytes);
  TapeFileBytes = bytes;  // kept: the next save compares the file with it
}

void SaveTape() {
  rt::Text tape = rt::ReadText(kMainWindow, control::kTape, EditBoxProperty::Content);
  // The file as a start would read it now. When it is no longer what this
  // instance loaded or saved, another instance has saved its tape since:
  // both are kept (MergeTape). A file that is gone or cannot be read leaves
  // nothing to keep.
  std::string disk;
  const bool other_saved = ReadWholeFile(NewerFile(kTapeFile).c_str(), &disk) &&
                           disk != BytesOf(TapeFileBytes);
  if (other_saved) {
    const std::string merged =
        MergeTape(BytesOf(TapeFileBytes), LoadedTapeText ? LoadedTapeText : "", tape.c_str(), disk);
    // The other's file stays the base of this instance's tape: a later save
    // takes only the lines added after this one.
    if (merged != disk && SaveProgramFile(kTapeFile, merged.data(), merged.size()))
      Remember(tape.get(), disk);
  } else if (LoadedTapeText == nullptr || !SameText(tape.get(), LoadedTapeText)) {
    // A tape that still shows exactly what was loaded is not rewritten, so
    // content that a text box cannot hold survives a run untouched.
    void* bytes = talv::AsPointer(rt::Call(Commands().numbers.ToByteArray, tape.c_str()));
    const rt::ByteArrayView saved = rt::ByteArray(bytes);
    // A failed save leaves the previous tape in both places.
    if (SaveProgramFile(kTapeFile, saved.data, saved.size))
      Remember(tape.get(), BytesOf(bytes));
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
