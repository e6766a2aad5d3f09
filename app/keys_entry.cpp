// The keys that edit the Entry box: digits, point, sign, backspace, clear
// (the tape too) and clear entry (the Delete key), and the Sound toggle, which switches BaseDirectory between the program's
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

namespace talv::app {
namespace {

int32_t TextLengthOf(const char* text) {
  return talv::AsInt(rt::Call(Commands().text.TextLength, text));
}

bool ContainsText(const char* text, const char* sought) {
  return talv::AsInt(rt::Call(Commands().text.FindText, text ? text : "", sought)) != -1;
}

// Byte arrays compared length first, then byte for byte; null is empty.
bool SameBytes(const void* a, const void* b) {
  const rt::ByteArrayView x = rt::ByteArray(a), y = rt::ByteArray(b);
  if (x.size != y.size) return false;
  return x.size == 0 || std::memcmp(x.data, y.data, x.size) == 0;
}

}  // namespace

void PressDigit() {
  const TypedValue source = rt::Call(Commands().window.GetEventComponent);
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
  rt::Text numeral =
      rt::CallText(Commands().numbers.ToChineseNumerals, TextToNumber(tag.get()), true);
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
    rt::Text rest = rt::CallText(Commands().text.RightText, entry.c_str(),
                                 TextLengthOf(entry.c_str()) - 1);
    SetEntryText(rest.c_str());
  }
}

void PressBackspace() {
  rt::Text entry = EntryText();
  rt::Text kept =
      rt::CallText(Commands().text.LeftText, entry.c_str(), TextLengthOf(entry.c_str()) - 1);
  SetEntryText(kept.c_str());
}

void PressClear() {
  SetEntryText("");
  ClearTape();
  FirstOperand() = 0;
  SecondOperand() = 0;
  RunningResult() = 0;
  PlayUnderBase("\\wav\\清除");
}

void ClearEntry() { SetEntryText(""); }

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
    rt::Text directory = rt::CallText(Commands().files.GetRunDirectory);
    SetBaseDirectory(directory.get());
    NameSoundToggle(true);
  }
  rt::Free(picture);
}

void NameSoundToggle(bool sound_on) {
  const int32_t handle =
      talv::AsInt(rt::Call(Commands().window.GetWindowHandle, SoundToggleRef()));
  SetWindowCaption(handle, sound_on ? "声音开" : "声音关");
}

}  // namespace talv::app
