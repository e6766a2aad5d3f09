// A stand-in for the Main window and the loudspeaker, for tests that drive
// the calculator's handlers through the real gates and commands: it answers
// the property gates as the window runtime would, and the window and sound
// commands record what they were asked, on a virtual clock. The text,
// number and file commands are the runtime's own (FillRuntimeCommandGroups).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "runtime/core/property_host.h"

namespace talv::app::testing {

struct PlayedSound {
  int64_t at_ms;     // virtual time of the PlayAudio call
  std::string path;  // as the handler built it (GBK)
};

class FakeMainWindow : public PropertyHost {
 public:
  FakeMainWindow();   // registers itself, the commands, and fresh state
  ~FakeMainWindow() override;  // unregisters, frees the state

  // Texts by (Control id, property index); the tags of the digit keys are set.
  std::map<std::pair<int32_t, int32_t>, std::string> texts;
  std::map<std::pair<int32_t, int32_t>, double> doubles;
  std::map<std::pair<int32_t, int32_t>, int32_t> ints;
  std::vector<uint8_t> picture;  // gfd's first picture, as a whole byte-array block
  std::vector<PlayedSound> sounds;
  // Virtual times at which StopAudio was called.
  std::vector<int64_t> stops;
  // What GetSpecialFolder(8), the application-data folder, answers ("": none).
  std::string application_data;
  int repaints = 0;
  int64_t now_ms = 1000;
  // How long starting a sound takes (PlayAudio's own time).
  int play_cost_ms = 0;
  // The component whose event is running (GetEventComponent).
  int32_t event_source = 0;
  uint32_t event_source_kind = 0;
  // Work that a message pump would do: each runs once, in the first
  // ProcessEvents at or after its time.
  std::vector<std::pair<int64_t, std::function<void()>>> pending;
  // Set when the test has closed the window: every property access and
  // window command after that is counted (the real window is gone then).
  bool destroyed = false;
  int used_after_destroyed = 0;

  std::string Entry() const;
  std::string Tape() const;
  void SetEntry(const std::string& text);

  // Presses a key as the runtime would deliver its click: the event source
  // is the key, then its handler runs. Keys: "0"…"9", "+", "-", "*", "/",
  // "=", ".", "+/-", "<-", "C".
  void Press(const std::string& key);
  void PressAll(const std::vector<std::string>& keys);
  // Clicks a button by its Control id: the event source is the button and
  // the handler of its click binding runs (s1 … s9 forwarded to s0).
  // False for a control whose click runs nothing.
  bool Click(int32_t control);

  // The shortcut keys bound with SetShortcutKey: typed characters and
  // virtual-key codes (alone, and with Ctrl held), each to a Control id
  // (kWindowUnit: a key of the window's own).
  std::map<std::string, int32_t> typed_keys;
  std::map<int32_t, int32_t> code_keys;
  std::map<int32_t, int32_t> control_keys;
  // A key of the keyboard as the runtime delivers it: the button bound to
  // it is clicked, or, for a key of the window's own, PressWindowKey runs.
  // False (nothing happens) for a key bound to nothing.
  bool Type(const std::string& character);
  bool TypeKey(int32_t virtual_key, bool control = false);
  // The program's folder (GetRunDirectory), made for this window and
  // removed with it: the tape is saved there as it is made.
  std::string program_folder;
  // The sounds' file names after "\wav\", from `from` on.
  std::vector<std::string> SoundNames(size_t from = 0) const;

  // PropertyHost
  bool IsWindowLoaded(int32_t window_id) override;
  bool HasLiveWindow(int32_t window_id) override;
  uint64_t ReadProperty(int32_t window_id, int32_t control_id, int32_t property,
                        int32_t member) override;
  void WriteProperty(int32_t window_id, int32_t control_id, int32_t property, int32_t member,
                     uint64_t value) override;
  void* LiveObject(int32_t window_id, int32_t control_id) override;

 private:
  std::string saved_program_folder_;
};

FakeMainWindow& Current();

}  // namespace talv::app::testing
