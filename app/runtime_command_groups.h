// The command table's groups that need no window and no loudspeaker (text,
// numbers, files), filled with the runtime's own commands. The program
// entry adds the window and sound groups; the tests of the handlers add
// stand-ins for those and compute with the real commands. This file and its
// library (talv_app_runtime_commands) see the command library; the rest of
// the application does not.
#pragma once

#include "app/app_commands.h"

namespace talv::app {

// The text and number groups whole, and of the file group the commands this
// build has: reading and writing files and settings, and the special
// folders, on the target only.
void FillRuntimeCommandGroups(AppCommands* commands);

}  // namespace talv::app
