// Targets of hyperlinks and the fallback open command line.
#include "runtime/window/kinds/hyperlink_window_target.h"

namespace talv {

std::string HyperlinkTarget(int link_type, const std::string& email, const std::string& web_address) {
  if (link_type == 1) return web_address;
  if (email.empty()) return std::string();
  return "mailto:" + email;
}

std::string HyperlinkShownText(const std::string& caption, const std::string& target) {
  return caption.empty() ? target : caption;
}

std::string FallbackOpenCommandLine(const std::string& open_command, const std::string& target) {
  if (open_command.empty()) return std::string();
  std::string command = open_command;
  size_t cut = command.find("\"%1\"");
  if (cut == std::string::npos) cut = command.find("%1");
  if (cut != std::string::npos) command.erase(cut);
  return command + " " + target;
}

}  // namespace talv
