// The Sound toggle tells its state in its window text, the name a screen
// reader gives it. The native build keeps window texts in memory; the end-
// to-end tests read the real window's text from outside.
#include <gtest/gtest.h>

#include <string>

#include "app/app_platform.h"
#include "app/calculator_state.h"
#include "app/handlers.h"
#include "app/main_window_ids.h"
#include "tests/app/fake_main_window.h"

namespace talv::app {
namespace {

// The stand-in's window handle of a component is its Control id.
std::string ToggleName() { return WindowCaption(control::kSoundToggle); }

TEST(SoundToggleName, FollowsEveryToggle) {
  testing::FakeMainWindow window;
  NameSoundToggle(true);
  EXPECT_EQ(ToggleName(), "声音开");
  ToggleSound();
  EXPECT_STREQ(BaseDirectory, "12345");
  EXPECT_EQ(ToggleName(), "声音关");
  ToggleSound();
  EXPECT_EQ(ToggleName(), "声音开");
  // A picture that is neither of the two: nothing changes, the name neither.
  window.picture.assign(10, 0);
  ToggleSound();
  EXPECT_EQ(ToggleName(), "声音开");
}

}  // namespace
}  // namespace talv::app
