#include "app/keyboard_keys.h"

#include "app/app_commands.h"
#include "app/app_text.h"
#include "app/calculator_state.h"
#include "app/handlers.h"
#include "app/main_window_ids.h"
#include "app/runtime_api.h"

namespace talv::app {

// The number pad types its digits and operators as the main row does (with
// Num Lock on); its Enter is Enter. Its decimal key is named by its code, so
// that it gives the point also where the layout makes it type a comma. With
// Num Lock off that key sends Delete, which clears only the Entry box.
const KeyboardKey kKeyboardKeys[] = {
    {"0", 0, false, control::kDigit[0]},
    {"1", 0, false, control::kDigit[1]},
    {"2", 0, false, control::kDigit[2]},
    {"3", 0, false, control::kDigit[3]},
    {"4", 0, false, control::kDigit[4]},
    {"5", 0, false, control::kDigit[5]},
    {"6", 0, false, control::kDigit[6]},
    {"7", 0, false, control::kDigit[7]},
    {"8", 0, false, control::kDigit[8]},
    {"9", 0, false, control::kDigit[9]},
    {".", 0, false, control::kPoint},
    {nullptr, virtual_key::kNumberPadDecimal, false, control::kPoint},
    {"+", 0, false, control::kPlus},
    {"-", 0, false, control::kMinus},
    {"*", 0, false, control::kTimes},
    {"/", 0, false, control::kDivide},
    {"=", 0, false, control::kEquals},
    {nullptr, virtual_key::kEnter, false, control::kEquals},
    {nullptr, virtual_key::kBackspace, false, control::kBackspace},
    {nullptr, virtual_key::kDelete, false, kWindowUnit},
    {nullptr, virtual_key::kDelete, true, control::kClear},
    {nullptr, virtual_key::kF9, false, control::kSign},
    {nullptr, virtual_key::kF2, false, kWindowUnit},
};
const size_t kKeyboardKeyCount = sizeof kKeyboardKeys / sizeof kKeyboardKeys[0];

void BindKeyboardKeys() {
  for (const KeyboardKey& key : kKeyboardKeys) {
    const TypedValue target = key.target == kWindowUnit
                                  ? MainWindowRef()
                                  : Component(key.target, TypeCode::KindButton);
    if (key.typed)
      rt::Call(Commands().window.SetShortcutKey, target, key.typed);
    else
      rt::Call(Commands().window.SetShortcutKey, target, key.virtual_key, key.control);
  }
}

namespace {

// Set while F2's readout runs: a second F2 then is dropped (its pauses let
// keys in), as a held key's repeat is, so readouts of the same box never
// pile up inside one another.
bool g_reading_again = false;

// F2: the Entry box as it shows now, read by the rules of the equals key.
void ReadEntryAgain() {
  if (g_reading_again || Closing) return;
  g_reading_again = true;
  rt::Text shown = EntryText();
  SpeakShownResult(shown.get());
  g_reading_again = false;
}

}  // namespace

void PressWindowKey(int32_t key, int32_t control) {
  if (control) return;
  if (key == virtual_key::kDelete) ClearEntry();
  if (key == virtual_key::kF2) ReadEntryAgain();
}

}  // namespace talv::app
