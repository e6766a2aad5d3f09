// The keys that edit the Entry box: digits, point, sign, backspace, clear,
// and the Sound toggle, which switches BaseDirectory between the program's
// directory and a directory that holds no sounds, and says so in its window
// text.
#include <cstring>
#include <string>

#include "app/app_commands.h"
#include "app/app_platform.h"
#include "app/app_text.h"
#include "app/calculator_state.h"
#include "app/handlers.h"
#include "app/main_window_ids.h"
#include "resources/main_window_definition.h"
#include "runtime/commands/chinese_numerals.h"
#include "runtime/commands/file_commands.h"
#include "runtime/commands/text_commands.h"
#include "runtime/core/blocks.h"
#include "runtime/core/runtime_error_report.h"

namespace talv::app {
namespace {

int32_t TextLengthOf(const char* text) { return talv::AsInt(rt::Call(talv::TextLength, text)); }

bool ContainsText(const char* text, const char* sought) {
  return talv::AsInt(rt::Call(talv::FindText, text ? text : "", sought)) != -1;
}

// Byte arrays compared length first, then byte for byte; null is empty.
bool SameBytes(const void* a, const void* b) {
  const size_t n = talv::ByteArrayLength(a);
  if (n != talv::ByteArrayLength(b)) return false;
  return n == 0 || std::memcmp(talv::ByteArrayData(a), talv::ByteArrayData(b), n) == 0;
}

}  // namespace

void PressDigit() {
  const TypedValue source = rt::Call(Commands().GetEventComponent);
  if (source.type != TypeCode::KindButton)
    rt::ReportRuntimeError(RuntimeErrorIndex::TypeMismatch, int32_t(source.lo),
                           int32_t(source.hi));
  rt::Text tag = rt::ReadText(int32_t(source.lo), int32_t(source.hi), ButtonProperty::Tag);
  rt::Text entry = EntryText();
  if (ReplaceEntry == 1 || SameText(entry.get(), "0")) {
    SetEntryText("");
    AppendToEntry(tag.c_str());
    ReplaceEntry = 0;
  } else {
    AppendToEntry(tag.c_str());
  }
  rt::Text numeral = rt::CallText(talv::ToChineseNumerals, TextToNumber(tag.get()), true);
  PlayUnderBase(std::string("\\wav\\") + numeral.c_str());
}

void PressPoint() {
  rt::Text entry = EntryText();
  if (!ContainsText(entry.get(), ".") && !entry.empty()) {
    AppendToEntry(".");
    PlayUnderBase("\\wav\\点");
  }
}

void PressSign() {
  rt::Text entry = EntryText();
  if (!ContainsText(entry.get(), "-") && !entry.empty()) {
    SetEntryText((std::string("-") + entry.c_str()).c_str());
  } else {
    rt::Text rest =
        rt::CallText(talv::RightText, entry.c_str(), TextLengthOf(entry.c_str()) - 1);
    SetEntryText(rest.c_str());
  }
}

void PressBackspace() {
  rt::Text entry = EntryText();
  rt::Text kept = rt::CallText(talv::LeftText, entry.c_str(), TextLengthOf(entry.c_str()) - 1);
  SetEntryText(kept.c_str());
}

void PressClear() {
  SetEntryText("");
  SetTapeText("");
  FirstOperand() = 0;
  SecondOperand() = 0;
  RunningResult() = 0;
  PlayUnderBase("\\wav\\清除");
}

void ToggleSound() {
  const uint64_t raw = rt::ReadProperty(kMainWindow, control::kSoundToggle, PicBtnProperty::PictureNormal);
  void* picture = reinterpret_cast<void*>(uintptr_t(raw));
  if (SameBytes(picture, talv::kSoundOnPicture)) {
    rt::WriteProperty(kMainWindow, control::kSoundToggle, PicBtnProperty::PictureNormal,
                      uint64_t(uintptr_t(talv::kSoundOffPicture)));
    SetBaseDirectory("12345");
    NameSoundToggle(false);
  } else if (SameBytes(picture, talv::kSoundOffPicture)) {
    rt::WriteProperty(kMainWindow, control::kSoundToggle, PicBtnProperty::PictureNormal,
                      uint64_t(uintptr_t(talv::kSoundOnPicture)));
    rt::Text directory = rt::CallText(talv::GetRunDirectory);
    SetBaseDirectory(directory.get());
    NameSoundToggle(true);
  }
  rt::Free(picture);
}

void NameSoundToggle(bool sound_on) {
  const int32_t handle = talv::AsInt(rt::Call(Commands().GetWindowHandle, SoundToggleRef()));
  SetWindowCaption(handle, sound_on ? "声音开" : "声音关");
}

}  // namespace talv::app
