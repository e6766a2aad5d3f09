// The Main window's created event: the skin, the recorded layout, focus,
// the digit keys wired to one handler, the keyboard's keys bound to their
// buttons, the Sound toggle's name, the sound directory, the saved
// geometry and the saved tape.
#include <cstdint>
#include <string>

#include "app/app_commands.h"
#include "app/app_platform.h"
#include "app/calculator_state.h"
#include "app/handlers.h"
#include "app/keyboard_keys.h"
#include "app/layout.h"
#include "app/main_window_ids.h"
#include "app/program_files.h"
#include "app/runtime_api.h"
#include "skin/skin_blobs.h"

namespace talv::app {
namespace {

// Writes our SkinH_EL.dll into `directory` and attaches the skin. When the
// file there cannot be replaced (a second instance has it loaded, or it is
// someone else's), it is loaded only if its bytes are ours, checked while
// writers are shut out and until it is loaded; otherwise the program runs
// without the skin.
void AttachSkin(const std::string& directory) {
  const std::string path = directory + "SkinH_EL.dll";
  rt::Call(Commands().files.WriteFileBytes, path.c_str(),
           talv::BytesValue(skin::kSkinLibraryImage));
  const rt::ByteArrayView image = rt::ByteArray(skin::kSkinLibraryImage);
  const intptr_t held = HoldFileIfSame(path.c_str(), image.data, image.size);
  if (!held) return;
  const rt::ByteArrayView skin_data = rt::ByteArray(skin::kSkinData);
  rt::CallDll(dll::kSkinAttachRes, static_cast<const void*>(skin_data.data), int32_t(skin_data.size),
              static_cast<const void*>(nullptr), int32_t(0), int32_t(0), int32_t(0));
  ReleaseHeldFile(held);
}

}  // namespace

void StartUp() {
  rt::Text temporary = rt::CallText(Commands().files.GetSpecialFolder, SpecialFolder::Temporary);
  rt::CallText(Commands().files.SetDllCommandDirectory, temporary.c_str());
  if (!temporary.empty()) AttachSkin(temporary.c_str());
  RecordLayout(talv::AsInt(rt::Call(Commands().window.GetWindowHandle, MainWindowRef())));
  rt::Call(Commands().window.SetInputFocus, MainWindowRef());
  for (int digit = 1; digit <= 9; ++digit)
    rt::Call(Commands().window.SetEventForwarding, DigitKeyRef(digit), DigitKeyRef(0));
  BindKeyboardKeys();
  NameSoundToggle(true);
  {
    rt::Text directory = rt::CallText(Commands().files.GetRunDirectory);
    SetBaseDirectory(directory.get());
  }
  RestoreGeometry();
  LoadTape();
  rt::Call(Commands().window.SetVisualStyle, VisualStyle::Jade);
}

}  // namespace talv::app
