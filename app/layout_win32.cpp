// The Main window's geometry: the recorded layout of its descendants, their
// proportional re-scaling on every size change, and the window's place in
// peizi.ini. The system's window functions are reached as DLL commands.
#include <cstdint>
#include <string>

#include "app/app_commands.h"
#include "app/app_platform.h"
#include "app/app_text.h"
#include "app/calculator_state.h"
#include "app/file_system.h"
#include "app/geometry.h"
#include "app/handlers.h"
#include "app/layout.h"
#include "app/main_window_ids.h"
#include "app/program_files.h"

namespace talv::app {
namespace {

// One geometry value in the settings file.
struct SettingsKey {
  const char* section;
  const char* item;
  const char* fallback;
};
const SettingsKey kLeft{"_启动窗口z", "_启动窗口.z", "100"};
const SettingsKey kTop{"_启动窗口d", "_启动窗口.d", "100"};
const SettingsKey kWidth{"_启动窗口k", "_启动窗口.k", "650"};
const SettingsKey kHeight{"_启动窗口g", "_启动窗口.g", "500"};

ScreenRect WindowRect(int32_t handle) {
  ScreenRect rect{0, 0, 0, 0};
  rt::CallDll(dll::kGetWindowRect, handle, &rect);
  return rect;
}

// EnumChildWindows' callback: every descendant gets a record.
// A window handle's significant bits fit 32 bits on both targets.
int32_t RT_CALLBACK RecordChild(intptr_t window, intptr_t) {
  const int32_t handle = int32_t(window);
  AppendChildLayout(ChildRecord(handle, WindowRect(handle), *MainLayout));
  return 1;
}

double ReadSetting(const std::string& file, const SettingsKey& key) {
  rt::Text value = rt::CallText(Commands().files.ReadSettingsItem, file.c_str(), key.section,
                                key.item, key.fallback);
  return TextToNumber(value.get());
}

bool WriteSetting(const std::string& file, const SettingsKey& key, int32_t value) {
  rt::Text text = rt::CallText(Commands().numbers.ToText, value);
  return talv::AsBool(rt::Call(Commands().files.WriteSettingsItem, file.c_str(), key.section,
                               key.item, text.c_str()));
}

// The four values into `file`; false when any of them could not be written.
bool WriteGeometry(const std::string& file, const int32_t (&values)[4]) {
  bool written = WriteSetting(file, kWidth, values[0]);
  written = WriteSetting(file, kHeight, values[1]) && written;
  written = WriteSetting(file, kLeft, values[2]) && written;
  return WriteSetting(file, kTop, values[3]) && written;
}

}  // namespace

void RecordLayout(int32_t handle) {
  const ScreenRect rect = WindowRect(handle);
  *MainLayout = LayoutRecord{handle, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top};
  ClearChildLayouts();
  rt::CallDll(dll::kEnumChildWindows, handle, &RecordChild, int32_t(0));
}

void ScaleChildren() {
  const ScreenRect now = WindowRect(MainLayout->handle);
  for (int32_t i = 0; i < ChildLayoutCount; ++i) {
    const LayoutRecord place =
        ScaledChild(*ChildLayouts[i], *MainLayout, now.right - now.left, now.bottom - now.top);
    rt::CallDll(dll::kMoveWindow, place.handle, place.left, place.top, place.width, place.height,
                int32_t(1));
  }
}

void SaveGeometry() {
  // A minimized window reports a place off every screen; keep the last real one.
  if (IsMinimized(MainLayout->handle)) return;
  const int32_t values[4] = {rt::ReadInt(kMainWindow, kWindowUnit, WindowProperty::Width),
                             rt::ReadInt(kMainWindow, kWindowUnit, WindowProperty::Height),
                             rt::ReadInt(kMainWindow, kWindowUnit, WindowProperty::Left),
                             rt::ReadInt(kMainWindow, kWindowUnit, WindowProperty::Top)};
  // Beside the program when its folder takes it, and then the copy in the
  // application-data folder goes, so that it cannot come back as the newer
  // one; else in that folder (a failure there is ignored).
  if (WriteGeometry(ProgramFile(kSettingsFile), values)) {
    const std::string kept = UserDataFile(kSettingsFile);
    if (!kept.empty()) RemoveFile(kept.c_str());
    return;
  }
  if (MakeUserDataFolder()) WriteGeometry(UserDataFile(kSettingsFile), values);
}

void ResizeWindow() {
  ScaleChildren();
  SaveGeometry();
}

void RestoreGeometry() {
  const std::string file = NewerFile(kSettingsFile);
  const Geometry saved{TruncateToInt(ReadSetting(file, kLeft)),
                       TruncateToInt(ReadSetting(file, kTop)),
                       TruncateToInt(ReadSetting(file, kWidth)),
                       TruncateToInt(ReadSetting(file, kHeight))};
  int32_t min_width = 0, min_height = 0;
  MinimumTrackingSize(&min_width, &min_height);
  const Geometry g = CheckedGeometry(saved, MonitorRects(), min_width, min_height);
  rt::Call(Commands().window.MoveComponent, MainWindowRef(), g.left, g.top, g.width, g.height);
}

}  // namespace talv::app
