#include "app/app_commands.h"

namespace talv::app {
namespace {
AppCommands g_commands;
}  // namespace

void SetAppCommands(const AppCommands& commands) { g_commands = commands; }
const AppCommands& Commands() { return g_commands; }

}  // namespace talv::app
