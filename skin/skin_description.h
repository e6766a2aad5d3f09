// The readable description from which the build makes the program's skin
// data. One setting per line, "key = value"; a line starting with "#" is a
// comment.
//
//   name = Talvique                    skin name (up to 39 bytes)
//   parts = windows buttons statics edits
//   corner_radius = 3                  the metrics of skin_format.h
//   border_width = 1
//   focus_inset = 3
//   pressed_offset = 1
//   face_style = gradient              or flat
//   default_scheme = Jade              a scheme name; the first when absent
//
//   scheme Jade                        starts a colour scheme (up to 8)
//   window_background = #E6EFEC        colours as #RRGGBB
//   window_text, control_background, control_text, edit_background,
//   edit_text, disabled_text, focus_frame
//   normal.top, normal.bottom, normal.border, normal.text, and the same
//   for hot., pressed. and disabled.
//
// Every colour of a scheme must be given; every key at most once.
#pragma once

#include <string>

#include "skin/skin_format.h"

namespace talv::skin {

struct DescriptionResult {
  bool ok;
  int line;             // 1-based line of the fault; 0 for the whole text
  std::string message;  // English
};

DescriptionResult ReadSkinDescription(const std::string& text, Skin* out);

}  // namespace talv::skin
