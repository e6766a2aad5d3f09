// What a HyperLinker opens, and the command line of the fallback through the
// browser's open command. Portable: no window functions.
#pragma once

#include <string>

namespace talv {

// Link type 1 opens the web address; any other type "mailto:" and the e-mail
// address. Empty when the chosen address is empty (a click then does nothing).
std::string HyperlinkTarget(int link_type, const std::string& email, const std::string& web_address);

// The caption a HyperLinker shows: its caption, or the target when the
// caption is empty.
std::string HyperlinkShownText(const std::string& caption, const std::string& target);

// The command line that opens `target` with a browser's open command (the
// default value of ...\shell\open\command): the command is cut at its first
// `"%1"` (quote, percent, one, quote), else at its first `%1`, and one blank
// and the target follow. A command without a placeholder is kept whole.
// Empty when `open_command` is empty.
std::string FallbackOpenCommandLine(const std::string& open_command, const std::string& target);

}  // namespace talv
