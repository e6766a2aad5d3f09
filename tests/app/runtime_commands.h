// The runtime's own text, number and file commands for the calculator's
// command table, so that tests of the handlers compute with the real
// commands; the window, the loudspeaker, the clock and the special folders
// are left for stand-ins (fake_main_window.h).
#pragma once

#include "app/app_commands.h"

namespace talv::app::testing {

// The text and number groups whole, and of the file group the commands this
// build has (reading and writing files and settings on the target only).
AppCommands RuntimeCommands();

}  // namespace talv::app::testing
