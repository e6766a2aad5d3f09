#include "tests/app/fake_main_window.h"

#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "app/app_commands.h"
#include "app/calculator_state.h"
#include "app/handlers.h"
#include "app/main_window_ids.h"
#include "app/runtime_command_groups.h"
#include "resources/main_window_definition.h"
#include "runtime/core/blocks.h"
#include "runtime/core/command_codes.h"
#include "runtime/core/heap.h"
#include "runtime/core/program_directory.h"

namespace talv::app::testing {
namespace {

FakeMainWindow* g_current = nullptr;

std::string TextArg(const TypedValue& v) {
  const char* t = AsText(v);
  return t ? t : "";
}

void FakeAppendText(TypedValue*, int32_t count, TypedValue* args) {
  if (Current().destroyed) ++Current().used_after_destroyed;
  const int32_t control = int32_t(args[0].hi);
  for (int32_t i = 1; i < count; ++i)
    Current().texts[{control, EditBoxProperty::Content}] += TextArg(args[i]);
}
void FakeGetEventComponent(TypedValue* result, int32_t, TypedValue*) {
  result->lo = uint32_t(kMainWindow);
  result->hi = uint32_t(Current().event_source);
  result->type = Current().event_source_kind;
}
void FakeSetEventForwarding(TypedValue* result, int32_t, TypedValue*) { SetBool(*result, true); }
void FakeSetShortcutKey(TypedValue* result, int32_t count, TypedValue* args) {
  const int32_t target = int32_t(args[0].hi);
  const bool control = count > 2 && args[2].type == TypeCode::Bool && AsBool(args[2]);
  if (args[1].type == TypeCode::Text)
    Current().typed_keys[TextArg(args[1])] = target;
  else
    (control ? Current().control_keys : Current().code_keys)[AsInt(args[1])] = target;
  SetBool(*result, args[0].type == TypeCode::KindButton || args[0].type == TypeCode::KindWindow);
}
// Every component's window handle is its Control id here.
void FakeGetWindowHandle(TypedValue* result, int32_t, TypedValue* args) {
  *result = IntValue(int32_t(args[0].hi));
}
void FakeProcessEvents(TypedValue*, int32_t, TypedValue*) {
  auto& pending = Current().pending;
  for (size_t i = 0; i < pending.size();) {
    if (pending[i].first <= Current().now_ms) {
      auto work = pending[i].second;
      pending.erase(pending.begin() + long(i));
      work();
    } else {
      ++i;
    }
  }
}
void FakeRepaintNow(TypedValue*, int32_t, TypedValue*) {
  if (Current().destroyed) ++Current().used_after_destroyed;
  ++Current().repaints;
}
void FakeNothing(TypedValue*, int32_t, TypedValue*) {}
void FakePlayAudio(TypedValue* result, int32_t, TypedValue* args) {
  Current().sounds.push_back({Current().now_ms, TextArg(args[0])});
  Current().now_ms += Current().play_cost_ms;
  SetBool(*result, false);
}
void FakeStopAudio(TypedValue*, int32_t, TypedValue*) { Current().stops.push_back(Current().now_ms); }
void FakeGetSpecialFolder(TypedValue* result, int32_t, TypedValue* args) {
  const std::string& folder = Current().application_data;
  SetPointer(*result, AsInt(args[0]) == SpecialFolder::AppData && !folder.empty() ? NewText((folder + "\\").c_str())
                                                               : nullptr);
  result->type = TypeCode::Text;
}
void FakeTickCount(TypedValue* result, int32_t, TypedValue*) {
  SetInt(*result, int32_t(Current().now_ms));
  result->type = TypeCode::Int;
}
void FakeSleep(TypedValue*, int32_t, TypedValue* args) { Current().now_ms += AsInt(args[0]); }

bool IsTextProperty(int32_t control, int32_t property) {
  if (property == definition::CommonProperty::Tag) return true;
  if (control == control::kDayLabel) return property == LabelProperty::Caption;
  return (control == control::kEntry || control == control::kTape) &&
         property == EditBoxProperty::Content;
}

}  // namespace

FakeMainWindow& Current() { return *g_current; }

FakeMainWindow::FakeMainWindow() {
  g_current = this;
  SetPropertyHost(this);
  // The runtime's text, number and file commands; stand-ins for the rest.
  AppCommands c;
  FillRuntimeCommandGroups(&c);
  c.files.GetSpecialFolder = FakeGetSpecialFolder;
  c.window.AppendText = FakeAppendText;
  c.window.GetEventComponent = FakeGetEventComponent;
  c.window.SetEventForwarding = FakeSetEventForwarding;
  c.window.SetShortcutKey = FakeSetShortcutKey;
  c.window.ProcessEvents = FakeProcessEvents;
  c.window.RepaintNow = FakeRepaintNow;
  c.window.MoveComponent = FakeNothing;
  c.window.SetInputFocus = FakeNothing;
  c.window.GetWindowHandle = FakeGetWindowHandle;
  c.window.SetVisualStyle = FakeNothing;
  c.sound.PlayAudio = FakePlayAudio;
  c.sound.StopAudio = FakeStopAudio;
  c.sound.TickCount = FakeTickCount;
  c.sound.SleepMilliseconds = FakeSleep;
  SetAppCommands(c);
  for (int d = 0; d <= 9; ++d) texts[{control::kDigit[d], ButtonProperty::Tag}] = std::to_string(d);
  picture.assign(kSoundOnPicture, kSoundOnPicture + sizeof kSoundOnPicture);
  CreateState();
  SetBaseDirectory("C:\\calc");
  // The program's own folder, where the tape is saved as it is made: one
  // of this window's own, gone with it.
  static int serial = 0;
  saved_program_folder_ = ProgramDirectory();
  program_folder = (std::filesystem::temp_directory_path() /
                    ("talv_fake_" + std::to_string(std::random_device{}()) + "_" + std::to_string(++serial)))
                       .string();
  std::filesystem::create_directories(program_folder);
  SetProgramDirectory(program_folder.c_str());
}

FakeMainWindow::~FakeMainWindow() {
  SetProgramDirectory(saved_program_folder_.c_str());
  std::error_code ignored;
  std::filesystem::remove_all(program_folder, ignored);
  CleanUpState();
  SetPropertyHost(nullptr);
  SetAppCommands(AppCommands{});
  g_current = nullptr;
}

std::string FakeMainWindow::Entry() const {
  auto it = texts.find({control::kEntry, EditBoxProperty::Content});
  return it == texts.end() ? "" : it->second;
}
std::string FakeMainWindow::Tape() const {
  auto it = texts.find({control::kTape, EditBoxProperty::Content});
  return it == texts.end() ? "" : it->second;
}
void FakeMainWindow::SetEntry(const std::string& text) {
  texts[{control::kEntry, EditBoxProperty::Content}] = text;
}

bool FakeMainWindow::Click(int32_t control) {
  // The Main window's click bindings.
  struct Binding {
    int32_t control;
    void (*handler)();
  };
  static const Binding kBindings[] = {
      {control::kPlus, PressPlus},     {control::kMinus, PressMinus},
      {control::kTimes, PressTimes},   {control::kDivide, PressDivide},
      {control::kEquals, PressEquals}, {control::kPoint, PressPoint},
      {control::kSign, PressSign},     {control::kBackspace, PressBackspace},
      {control::kClear, PressClear},   {control::kDigit[0], PressDigit},
  };
  void (*handler)() = nullptr;
  for (const Binding& b : kBindings)
    if (b.control == control) handler = b.handler;
  for (int32_t digit : control::kDigit)
    if (digit == control) handler = PressDigit;  // forwarded to s0
  if (!handler) return false;
  const int32_t saved_source = event_source;
  const uint32_t saved_kind = event_source_kind;
  event_source = control;
  event_source_kind = TypeCode::KindButton;
  handler();
  event_source = saved_source;
  event_source_kind = saved_kind;
  return true;
}

void FakeMainWindow::Press(const std::string& key) {
  static const std::pair<const char*, int32_t> kKeys[] = {
      {"+", control::kPlus},     {"-", control::kMinus},   {"*", control::kTimes},
      {"/", control::kDivide},   {"=", control::kEquals},  {".", control::kPoint},
      {"+/-", control::kSign},   {"<-", control::kBackspace}, {"C", control::kClear},
  };
  if (key.size() == 1 && key[0] >= '0' && key[0] <= '9') {
    Click(control::kDigit[key[0] - '0']);
    return;
  }
  for (const auto& k : kKeys)
    if (key == k.first) Click(k.second);
}

bool FakeMainWindow::Type(const std::string& character) {
  auto it = typed_keys.find(character);
  return it != typed_keys.end() && Click(it->second);
}

bool FakeMainWindow::TypeKey(int32_t virtual_key, bool control) {
  const auto& keys = control ? control_keys : code_keys;
  auto it = keys.find(virtual_key);
  if (it == keys.end()) return false;
  // A key of the window's own: its ShortcutKey event.
  if (it->second == kWindowUnit) {
    PressWindowKey(virtual_key, control ? 1 : 0);
    return true;
  }
  return Click(it->second);
}

void FakeMainWindow::PressAll(const std::vector<std::string>& keys) {
  for (const std::string& k : keys) Press(k);
}

std::vector<std::string> FakeMainWindow::SoundNames(size_t from) const {
  std::vector<std::string> names;
  for (size_t i = from; i < sounds.size(); ++i) {
    const std::string& p = sounds[i].path;
    const size_t at = p.rfind("\\wav\\");
    names.push_back(at == std::string::npos ? p : p.substr(at + 5));
  }
  return names;
}

bool FakeMainWindow::IsWindowLoaded(int32_t window_id) { return window_id == kMainWindow; }
bool FakeMainWindow::HasLiveWindow(int32_t window_id) { return window_id == kMainWindow; }

uint64_t FakeMainWindow::ReadProperty(int32_t, int32_t control_id, int32_t property, int32_t) {
  if (destroyed) ++used_after_destroyed;
  if (IsTextProperty(control_id, property)) {
    auto it = texts.find({control_id, property});
    if (it == texts.end() || it->second.empty()) return 0;
    return uint64_t(uintptr_t(NewText(it->second.c_str())));
  }
  if (control_id == control::kSoundToggle && property == PicBtnProperty::PictureNormal) {
    if (picture.empty()) return 0;
    void* copy = Allocate(picture.size());
    std::memcpy(copy, picture.data(), picture.size());
    return uint64_t(uintptr_t(copy));
  }
  if (auto it = doubles.find({control_id, property}); it != doubles.end()) {
    uint64_t bits;
    std::memcpy(&bits, &it->second, 8);
    return bits;
  }
  if (auto it = ints.find({control_id, property}); it != ints.end()) return uint32_t(it->second);
  return 0;
}

void FakeMainWindow::WriteProperty(int32_t, int32_t control_id, int32_t property, int32_t,
                                   uint64_t value) {
  if (destroyed) ++used_after_destroyed;
  if (IsTextProperty(control_id, property)) {
    const char* text = reinterpret_cast<const char*>(uintptr_t(value));
    texts[{control_id, property}] = text ? text : "";
  } else if (control_id == control::kSoundToggle && property == PicBtnProperty::PictureNormal) {
    const void* block = reinterpret_cast<const void*>(uintptr_t(value));
    const size_t n = ByteArrayLength(block);
    const auto* start = static_cast<const uint8_t*>(block);
    picture.assign(start, start + (n ? n + kByteArrayHeader : 0));
  } else {
    ints[{control_id, property}] = int32_t(uint32_t(value));
  }
}

void* FakeMainWindow::LiveObject(int32_t, int32_t) { return this; }

}  // namespace talv::app::testing
