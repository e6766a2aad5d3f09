// The keyboard's keys bound at start-up, driven against the stand-in window
// as the runtime delivers them: each key clicks its button, so the Entry
// box, the tape and the sounds are those of the clicks.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/handlers.h"
#include "app/keyboard_keys.h"
#include "app/main_window_ids.h"
#include "tests/app/fake_main_window.h"

namespace talv::app {
namespace {

using testing::FakeMainWindow;
using Names = std::vector<std::string>;

// A key press by the names the end-to-end tests give the keys: a typed
// character, or one of the keys named by their code.
bool PressKey(FakeMainWindow& window, const std::string& key) {
  const std::pair<const char*, int32_t> named[] = {
      {"Enter", virtual_key::kEnter},   {"Backspace", virtual_key::kBackspace},
      {"Delete", virtual_key::kDelete}, {"F9", virtual_key::kF9},
      {"KP_Decimal", virtual_key::kNumberPadDecimal},
  };
  for (const auto& n : named)
    if (key == n.first) return window.TypeKey(n.second);
  if (key == "Ctrl+Delete") return window.TypeKey(virtual_key::kDelete, true);
  return window.Type(key);
}

class KeyboardKeys : public ::testing::Test {
 protected:
  void SetUp() override { BindKeyboardKeys(); }
  void Keys(const std::vector<std::string>& keys) {
    for (const std::string& k : keys) EXPECT_TRUE(PressKey(window, k)) << k;
  }
  FakeMainWindow window;
};

TEST_F(KeyboardKeys, FivePlusThreeEnterIsTheCalculationOfTheClicks) {
  Keys({"5", "+", "3", "Enter"});
  EXPECT_EQ(window.Entry(), "8");
  EXPECT_EQ(window.Tape(), "5+3=8\r\n");
  EXPECT_EQ(window.repaints, 1);
  EXPECT_EQ(window.SoundNames(), (Names{"五", "加", "三", "等于", "八"}));
  // The digit reached the digit handler with its own button as the source.
  EXPECT_EQ(window.sounds[0].path, "C:\\calc\\wav\\五");
}

TEST_F(KeyboardKeys, EqualsSignAndEnterBothGiveTheResult) {
  Keys({"7", "*", "6", "="});
  EXPECT_EQ(window.Tape(), "7×6=42\r\n");
  Keys({"/", "2", "Enter"});
  EXPECT_EQ(window.Tape(), "7×6=42\r\n42÷2=21\r\n");
  EXPECT_EQ(window.Entry(), "21");
}

TEST_F(KeyboardKeys, BackspaceDeleteAndF9ActAsTheirButtons) {
  Keys({"1", "2", "3", "Backspace"});
  EXPECT_EQ(window.Entry(), "12");
  Keys({"F9"});
  EXPECT_EQ(window.Entry(), "-12");
  Keys({"F9"});
  EXPECT_EQ(window.Entry(), "12");
  Keys({"-", "2", "Enter"});
  EXPECT_EQ(window.Tape(), "12-2=10\r\n");
  // Delete clears the Entry box only (the number pad's Del with Num Lock
  // off sends the same key); the tape takes Ctrl+Delete.
  const size_t sounds = window.sounds.size();
  Keys({"Delete"});
  EXPECT_EQ(window.Entry(), "");
  EXPECT_EQ(window.Tape(), "12-2=10\r\n");
  EXPECT_EQ(window.sounds.size(), sounds);
  Keys({"Ctrl+Delete"});
  EXPECT_EQ(window.Entry(), "");
  EXPECT_EQ(window.Tape(), "");
  EXPECT_EQ(window.SoundNames().back(), "清除");
}

TEST_F(KeyboardKeys, DeleteClearsTheEntryAndLeavesTheCalculationGoing) {
  Keys({"9", "+", "4", "Delete", "5", "Enter"});
  EXPECT_EQ(window.Tape(), "9+5=14\r\n");
  EXPECT_EQ(window.Entry(), "14");
}

TEST_F(KeyboardKeys, BothDecimalKeysGiveOnePoint) {
  Keys({"3", ".", "1", "KP_Decimal", "4"});
  EXPECT_EQ(window.Entry(), "3.14");
  EXPECT_EQ(window.SoundNames(), (Names{"三", "点", "一", "四"}));
}

TEST_F(KeyboardKeys, KeysTheTableDoesNotNameDoNothing) {
  Keys({"5"});
  const size_t sounds = window.sounds.size();
  EXPECT_FALSE(window.Type("a"));
  EXPECT_FALSE(window.Type("x"));  // not a multiplication sign
  EXPECT_FALSE(window.Type(" "));
  EXPECT_FALSE(window.TypeKey(0x74));  // F5
  EXPECT_FALSE(window.TypeKey(0x1B));  // Esc is the window's own key
  EXPECT_FALSE(window.TypeKey(0x09));  // and so is Tab
  EXPECT_EQ(window.Entry(), "5");
  EXPECT_EQ(window.sounds.size(), sounds);
}

TEST_F(KeyboardKeys, F2ReadsTheEntryBoxAgainAsItShowsNow) {
  Keys({"5", "-", "8", "Enter"});
  ASSERT_EQ(window.Entry(), "-3");
  const size_t after_result = window.sounds.size();
  const int64_t pressed = window.now_ms;
  EXPECT_TRUE(window.TypeKey(virtual_key::kF2));
  // The equals key's rules, without 等于 and without its half second.
  EXPECT_EQ(window.SoundNames(after_result), (Names{"负", "三"}));
  EXPECT_EQ(window.sounds[after_result].at_ms, pressed);
  // What the box shows now, not the last result; the tape stays.
  Keys({"1", "2"});
  const size_t typed = window.sounds.size();
  window.TypeKey(virtual_key::kF2);
  EXPECT_EQ(window.SoundNames(typed), (Names{"一", "十", "二"}));
  EXPECT_EQ(window.Tape(), "5-8=-3\r\n");
}

TEST_F(KeyboardKeys, F2DuringItsOwnReadoutIsDroppedAndSilentWithTheSoundOff) {
  Keys({"4", "Enter"});
  const size_t before = window.sounds.size();
  // A second F2 arrives while the first one's readout pauses.
  window.pending.push_back({window.now_ms + 100, [this] { window.TypeKey(virtual_key::kF2); }});
  window.TypeKey(virtual_key::kF2);
  EXPECT_TRUE(window.pending.empty());
  EXPECT_EQ(window.SoundNames(before), (Names{"四"}));
  // Once it is over, F2 reads again.
  window.TypeKey(virtual_key::kF2);
  EXPECT_EQ(window.SoundNames(before), (Names{"四", "四"}));
  // With the sound off every path points where no recording is.
  ToggleSound();
  const size_t off = window.sounds.size();
  window.TypeKey(virtual_key::kF2);
  ASSERT_GT(window.sounds.size(), off);
  for (size_t i = off; i < window.sounds.size(); ++i)
    EXPECT_EQ(window.sounds[i].path.rfind("12345\\", 0), 0u) << window.sounds[i].path;
}

TEST_F(KeyboardKeys, EveryButtonOfTheKeypadHasAKey) {
  std::set<int32_t> reached;
  for (size_t i = 0; i < kKeyboardKeyCount; ++i)
    if (kKeyboardKeys[i].target != kWindowUnit) reached.insert(kKeyboardKeys[i].target);
  std::set<int32_t> keypad(std::begin(control::kDigit), std::end(control::kDigit));
  for (int32_t b : {control::kPoint, control::kPlus, control::kMinus, control::kTimes,
                    control::kDivide, control::kEquals, control::kSign, control::kBackspace,
                    control::kClear})
    keypad.insert(b);
  EXPECT_EQ(reached, keypad);
}

// The sequences that the end-to-end key-sequence scenario clicks, each with
// the keys that replay it (main row and number pad mixed).
struct Sequence {
  std::vector<std::string> clicks;
  std::vector<std::string> keys;
};
const Sequence kSequences[] = {
    {{"7", "=", "2", "="}, {"7", "Enter", "2", "="}},
    {{"C", "5", "+", "3", "-"}, {"Ctrl+Delete", "5", "+", "3", "-"}},
    {{"C", "5", "+", "*"}, {"Ctrl+Delete", "5", "+", "*"}},
    {{"C", "0", "-", "5", "="}, {"Ctrl+Delete", "0", "-", "5", "Enter"}},
    {{"C", "8", "/", "0", "="}, {"Ctrl+Delete", "8", "/", "0", "="}},
    {{"C", "9", "+", "C", "4", "="}, {"Ctrl+Delete", "9", "+", "Ctrl+Delete", "4", "Enter"}},
    {{"2", "="}, {"2", "Enter"}},
    {{"C", "1", "2", "+/-"}, {"Ctrl+Delete", "1", "2", "F9"}},
    {{"+/-"}, {"F9"}},
    {{"<-"}, {"Backspace"}},
    {{"<-", "<-", "."}, {"Backspace", "Backspace", "KP_Decimal"}},
    {{"3", ".", "5", ".", "+/-"}, {"3", "KP_Decimal", "5", ".", "F9"}},
};

TEST(KeyboardKeySequences, ReplayedByKeyboardTheyGiveWhatTheClicksGive) {
  std::vector<std::pair<std::string, std::string>> by_clicks, by_keys;
  std::vector<Names> sounds_by_clicks, sounds_by_keys;
  {
    FakeMainWindow window;
    for (const Sequence& s : kSequences) {
      window.PressAll(s.clicks);
      by_clicks.push_back({window.Entry(), window.Tape()});
    }
    sounds_by_clicks.push_back(window.SoundNames());
  }
  {
    FakeMainWindow window;
    BindKeyboardKeys();
    for (const Sequence& s : kSequences) {
      for (const std::string& k : s.keys) ASSERT_TRUE(PressKey(window, k)) << k;
      by_keys.push_back({window.Entry(), window.Tape()});
    }
    sounds_by_keys.push_back(window.SoundNames());
  }
  ASSERT_EQ(by_keys.size(), by_clicks.size());
  for (size_t i = 0; i < by_keys.size(); ++i) {
    EXPECT_EQ(by_keys[i].first, by_clicks[i].first) << "Entry box after sequence " << i;
    EXPECT_EQ(by_keys[i].second, by_clicks[i].second) << "tape after sequence " << i;
  }
  EXPECT_EQ(sounds_by_keys, sounds_by_clicks);
  EXPECT_EQ(by_clicks.back().first, "-3.5");
}

}  // namespace
}  // namespace talv::app
