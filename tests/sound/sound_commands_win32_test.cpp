// TickCount on the target is the system tick count itself.
#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/sound/sound_commands.h"
#include "runtime/core/command_call.h"

namespace talv {
namespace {

TEST(TickCountCommand, IsGetTickCount) {
  TypedValue none[1] = {Omitted()};
  for (int i = 0; i < 3; ++i) {
    const DWORD before = GetTickCount();
    const uint32_t tick = uint32_t(AsInt(InvokeCommand(&TickCount, 0, none)));
    const DWORD after = GetTickCount();
    EXPECT_LE(tick - before, after - before);  // before <= tick <= after, modulo 2^32
    Sleep(20);
  }
}

}  // namespace
}  // namespace talv
