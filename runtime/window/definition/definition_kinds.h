// Kind data of the eight control kinds: one plain struct per kind with the
// kind's own defaults, and the stream reader and writer of its kind-data
// block. A block is a dword version followed by the kind's fields in the
// kind's stream order (which is not property-index order). An empty block
// leaves every field at its default; a version above the kind's own, a short
// block or bytes left over after the last field are refused.
//
// Comments in brackets give the property index of each field.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "runtime/window/definition/definition_bytes.h"

namespace talv::definition {

// The background colour that stands for the system button-face colour.
constexpr uint32_t kDefaultColour = 0xFF000000;
// A font field holds nothing (the default GUI font) or a 60-byte LOGFONTA.
constexpr size_t kLogFontSize = 60;

enum class KindStatus {
  kOk,
  kVersionTooHigh,  // written by a newer kind than this reader knows
  kTruncated,       // a field runs past the end of the block
  kTrailingBytes,   // bytes left after the last field of the version
  kUnknownKind,     // the kind word names none of the eight kinds
};
const char* KindStatusText(KindStatus status);

struct WindowKind {
  static constexpr uint32_t kKindWord = 0x00010001;
  static constexpr uint32_t kVersion = 6;
  uint32_t border_style = 2;          // [9] 0 none, 1 sizeable, 2 fixed, ...
  uint32_t picture_mode = 1;          // [12]
  uint32_t background_colour = kDefaultColour;  // [10]
  bool maximize_button = false;       // [16]
  bool minimize_button = true;        // [17]
  bool control_box = true;            // [15]
  uint32_t position = 0;              // [18] 0 normal, 1 centred, 2 minimized, 3 maximized
  bool movable = true;                // [19]
  uint32_t music_play_mode = 0;       // [14]
  bool enter_moves_focus = false;     // [21]
  bool escape_closes = false;         // [22]
  bool f1_opens_help = false;         // [23]
  int32_t help_context = 0;           // [25]
  bool own_taskbar_button = true;     // [26] from version 2
  bool drag_by_client_area = false;   // [27] from version 3
  uint32_t window_shape = 0;          // [28] from version 3
  bool always_on_top = false;         // [29] from version 4
  bool further_flag = false;          // [30] from version 5
  std::string class_name;             // [31] version 6
  Bytes background_picture;           // [11]
  Bytes icon;                         // [20]
  Bytes background_music;             // [13]
  std::string caption;                // [8]
  std::string help_file;              // [24]
};

struct EditBoxKind {
  static constexpr uint32_t kKindWord = 0x00010005;
  static constexpr uint32_t kVersion = 2;
  uint32_t border = 1;                // [9] 0 none ... 5 single line
  uint32_t text_colour = 0;           // [10]
  uint32_t background_colour = kDefaultColour;  // [11]
  bool hide_selection = true;         // [13]
  int32_t typing_limit = 0;           // [14] bytes, 0 no limit
  bool multi_line = false;            // [15]
  uint32_t scroll_bars = 0;           // [16] 0 none, 1 horizontal, 2 vertical, 3 both
  uint32_t alignment = 0;             // [17] 0 left, 1 centre, 2 right
  uint32_t input_mode = 0;            // [18] 0 normal, 1 read-only, 2 password
  uint16_t password_character = '*';  // [19] a 16-bit word in the stream
  uint32_t case_conversion = 0;       // [20]
  uint32_t spin_control = 0;          // [21]
  int32_t spin_minimum = 0;           // [22]
  int32_t spin_maximum = 100;         // [23]
  int32_t selection_start = 0;        // [24]
  int32_t selection_length = 0;       // [25]
  Bytes font;                         // [12]
  std::string content;                // [8]
  std::string data_source;            // [27] version 2
  std::string data_column;            // [28] version 2
};

struct GroupBoxKind {
  static constexpr uint32_t kKindWord = 0x00010009;
  static constexpr uint32_t kVersion = 1;
  uint32_t caption_alignment = 0;     // [9] 0 left, 1 centre, 2 right
  uint32_t text_colour = 0;           // [10]
  uint32_t background_colour = kDefaultColour;  // [11]
  Bytes font;                         // [12]
  std::string caption;                // [8]
};

struct LabelKind {
  static constexpr uint32_t kKindWord = 0x0001000A;
  static constexpr uint32_t kVersion = 2;
  uint32_t effect = 0;                // [9]
  int32_t gradient_border_width = 1;  // [11]
  uint32_t border = 0;                // [10] 0-5 as EditBox, 6 gradient border
  uint32_t gradient_border_colours[3] = {0x00808080, 0x00FFFFFF, 0x00808080};  // [12-14]
  uint32_t text_colour = 0;           // [16]
  uint32_t background_colour = kDefaultColour;  // [17]
  uint32_t picture_mode = 1;          // [19]
  uint32_t gradient_background_mode = 0;  // [20] 0 none
  uint32_t gradient_background_colours[3] = {0x00FFFFFF, 0x00C0C0C0, 0x00808080};  // [21-23]
  uint32_t horizontal_alignment = 0;  // [24] 0 left, 1 centre, 2 right
  uint32_t vertical_alignment = 1;    // [26] 0 top, 1 centre, 2 bottom
  bool word_wrap = false;             // [25]
  Bytes font;                         // [15]
  Bytes picture;                      // [18]
  std::string caption;                // [8]
  std::string data_source;            // [27] version 2
  std::string data_column;            // [28] version 2
};

struct ButtonKind {
  static constexpr uint32_t kKindWord = 0x0001000B;
  static constexpr uint32_t kVersion = 1;
  uint32_t type = 0;                  // [9] 0 ordinary, 1 default button
  uint32_t horizontal_alignment = 1;  // [11]
  uint32_t vertical_alignment = 1;    // [12]
  Bytes picture;                      // [8]
  Bytes font;                         // [13]
  std::string caption;                // [10]
};

struct DatePickerKind {
  static constexpr uint32_t kKindWord = 0x00010017;
  static constexpr uint32_t kVersion = 2;
  bool allow_typing = false;          // [8]
  uint32_t style = 0;                 // [9] 1 up-down arrows
  double current_date = 0;            // [10] 0: today at creation
  double earliest_date = 0;           // [11]
  double latest_date = 0;             // [12]
  uint32_t border = 1;                // [14]
  Bytes font;                         // [13]
  std::string data_source;            // [15] version 2
  std::string data_column;            // [16] version 2
};

struct HyperLinkerKind {
  static constexpr uint32_t kKindWord = 0x0001001D;
  static constexpr uint32_t kVersion = 1;
  uint32_t link_type = 1;             // [9] 1 web address, otherwise e-mail
  uint32_t normal_colour = 0x00FF0000;   // [12]
  uint32_t visited_colour = 0x00000080;  // [13]
  uint32_t hover_colour = 0x00FF9933;    // [14]
  uint32_t background_colour = kDefaultColour;  // [15]
  uint32_t border = 0;                // [16]
  Bytes font;                         // [17]
  std::string caption;                // [8]
  std::string email_address;          // [10]
  std::string web_address;            // [11]
};

struct PicBtnKind {
  static constexpr uint32_t kKindWord = 0x0001002D;
  static constexpr uint32_t kVersion = 1;
  uint32_t mode = 0;                  // [8] 0 push button, 1 check button
  bool checked = false;               // [9]
  uint32_t background_colour = kDefaultColour;  // [14]
  Bytes picture_normal;               // [10]
  Bytes picture_mouse_over;           // [11]
  Bytes picture_pressed;              // [12]
  Bytes picture_disabled;             // [13]
};

using KindData = std::variant<WindowKind, EditBoxKind, GroupBoxKind, LabelKind, ButtonKind,
                              DatePickerKind, HyperLinkerKind, PicBtnKind>;

// Per-kind readers: `out` starts from the kind's defaults; on failure it is
// left at the defaults (never half-read).
KindStatus ReadWindowKind(const uint8_t* data, size_t size, WindowKind* out);
KindStatus ReadEditBoxKind(const uint8_t* data, size_t size, EditBoxKind* out);
KindStatus ReadGroupBoxKind(const uint8_t* data, size_t size, GroupBoxKind* out);
KindStatus ReadLabelKind(const uint8_t* data, size_t size, LabelKind* out);
KindStatus ReadButtonKind(const uint8_t* data, size_t size, ButtonKind* out);
KindStatus ReadDatePickerKind(const uint8_t* data, size_t size, DatePickerKind* out);
KindStatus ReadHyperLinkerKind(const uint8_t* data, size_t size, HyperLinkerKind* out);
KindStatus ReadPicBtnKind(const uint8_t* data, size_t size, PicBtnKind* out);

// Complete kind data at the kind's own version.
Bytes WriteKind(const WindowKind& k);
Bytes WriteKind(const EditBoxKind& k);
Bytes WriteKind(const GroupBoxKind& k);
Bytes WriteKind(const LabelKind& k);
Bytes WriteKind(const ButtonKind& k);
Bytes WriteKind(const DatePickerKind& k);
Bytes WriteKind(const HyperLinkerKind& k);
Bytes WriteKind(const PicBtnKind& k);
Bytes WriteKindData(const KindData& k);

// Reads the kind data of a unit by its kind word.
KindStatus ReadKindData(uint32_t kind_word, const uint8_t* data, size_t size, KindData* out);
bool IsKnownKind(uint32_t kind_word);
// The defaults of a kind (what an empty block gives).
bool DefaultKindData(uint32_t kind_word, KindData* out);
uint32_t KindWordOf(const KindData& k);

}  // namespace talv::definition
