#include "app/keyboard_keys.h"

#include "app/app_commands.h"
#include "app/main_window_ids.h"
#include "app/runtime_api.h"

namespace talv::app {

// The number pad types its digits and operators as the main row does (with
// Num Lock on); its Enter is Enter. Its decimal key is named by its code, so
// that it gives the point also where the layout makes it type a comma.
const KeyboardKey kKeyboardKeys[] = {
    {"0", 0, control::kDigit[0]},
    {"1", 0, control::kDigit[1]},
    {"2", 0, control::kDigit[2]},
    {"3", 0, control::kDigit[3]},
    {"4", 0, control::kDigit[4]},
    {"5", 0, control::kDigit[5]},
    {"6", 0, control::kDigit[6]},
    {"7", 0, control::kDigit[7]},
    {"8", 0, control::kDigit[8]},
    {"9", 0, control::kDigit[9]},
    {".", 0, control::kPoint},
    {nullptr, virtual_key::kNumberPadDecimal, control::kPoint},
    {"+", 0, control::kPlus},
    {"-", 0, control::kMinus},
    {"*", 0, control::kTimes},
    {"/", 0, control::kDivide},
    {"=", 0, control::kEquals},
    {nullptr, virtual_key::kEnter, control::kEquals},
    {nullptr, virtual_key::kBackspace, control::kBackspace},
    {nullptr, virtual_key::kDelete, control::kClear},
    {nullptr, virtual_key::kF9, control::kSign},
};
const size_t kKeyboardKeyCount = sizeof kKeyboardKeys / sizeof kKeyboardKeys[0];

void BindKeyboardKeys() {
  for (const KeyboardKey& key : kKeyboardKeys) {
    const TypedValue button = Component(key.button, TypeCode::KindButton);
    if (key.typed)
      rt::Call(Commands().window.SetShortcutKey, button, key.typed);
    else
      rt::Call(Commands().window.SetShortcutKey, button, key.virtual_key);
  }
}

}  // namespace talv::app
