// The window kind (窗口): a top-level window of a class the runtime
// registers. The table's shape is described in kind_schema.h.
#pragma once

#include <cstdint>

namespace talv::definition {

// What a write of a window property does to the live window.
enum class WindowApply : uint8_t {
  Stored,    // kept in the kind data; read when needed
  Caption,   // the title text
  Restyle,   // border, control box and the title-bar buttons
  Backdrop,  // background colour and picture: rebuilt and repainted
  Music,     // background music restarted
  Position,  // minimized, maximized or restored
  Movable,   // Move in the system menu
  Icon,      // large and small icons
  Owner,     // own task-bar button or the hidden owner window
  Shape,     // window region
  Topmost,   // always-on-top placement
};

// clang-format off
#define TALV_SCHEMA_WINDOW(KIND, FIELD, LIVE, EVENT)                                                                       \
  KIND(Window, 1, "窗口", "window", 0x800000D0)                                                                            \
  /*    index Name               中文名            Type              C++ type     field                default         since Apply */ \
  FIELD(9,  BorderStyle,       "边框",            Choice,           uint32_t,    border_style,        2,              1, Restyle)  \
  FIELD(12, PictureMode,       "底图方式",        Choice,           uint32_t,    picture_mode,        1,              1, Backdrop) \
  FIELD(10, BackgroundColour,  "背景颜色",        BackgroundColour, uint32_t,    background_colour,   kDefaultColour, 1, Backdrop) \
  FIELD(16, MaximizeButton,    "最大化按钮",      Logical,          bool,        maximize_button,     false,          1, Restyle)  \
  FIELD(17, MinimizeButton,    "最小化按钮",      Logical,          bool,        minimize_button,     true,           1, Restyle)  \
  FIELD(15, ControlBox,        "控制按钮",        Logical,          bool,        control_box,         true,           1, Restyle)  \
  FIELD(18, Position,          "位置",            Choice,           uint32_t,    position,            0,              1, Position) \
  FIELD(19, Movable,           "可否移动",        Logical,          bool,        movable,             true,           1, Movable)  \
  FIELD(14, MusicPlayMode,     "播放方式",        Choice,           uint32_t,    music_play_mode,     0,              1, Music)    \
  FIELD(21, EnterMovesFocus,   "回车下移焦点",    Logical,          bool,        enter_moves_focus,   false,          1, Stored)   \
  FIELD(22, EscapeCloses,      "Esc键关闭",       Logical,          bool,        escape_closes,       false,          1, Stored)   \
  FIELD(23, F1OpensHelp,       "F1键打开帮助",    Logical,          bool,        f1_opens_help,       false,          1, Stored)   \
  FIELD(25, HelpContext,       "帮助标志值",      Integer,          int32_t,     help_context,        0,              1, Stored)   \
  FIELD(26, OwnTaskbarButton,  "在任务条中显示",  Logical,          bool,        own_taskbar_button,  true,           2, Owner)    \
  FIELD(27, DragByClientArea,  "随意移动",        Logical,          bool,        drag_by_client_area, false,          3, Stored)   \
  FIELD(28, WindowShape,       "外形",            Choice,           uint32_t,    window_shape,        0,              3, Shape)    \
  FIELD(29, AlwaysOnTop,       "总在最前",        Logical,          bool,        always_on_top,       false,          4, Topmost)  \
  FIELD(30, FurtherFlag,       "附加标志",        Logical,          bool,        further_flag,        false,          5, Stored)   \
  FIELD(31, ClassName,         "窗口类名",        Text,             std::string, class_name,          {},             6, Stored)   \
  FIELD(11, BackgroundPicture, "底图",            Picture,          Bytes,       background_picture,  {},             1, Backdrop) \
  FIELD(20, Icon,              "图标",            Icon,             Bytes,       icon,                {},             1, Icon)     \
  FIELD(13, BackgroundMusic,   "背景音乐",        Sound,            Bytes,       background_music,    {},             1, Music)    \
  FIELD(8,  Caption,           "标题",            Text,             std::string, caption,             {},             1, Caption)  \
  FIELD(24, HelpFile,          "帮助文件名",      FileName,         std::string, help_file,           {},             1, Stored)   \
  /*    index Name               中文名 */                                                                                  \
  EVENT(0,  Created,           "创建完毕")                                                                              \
  EVENT(12, CloseRequested,    "关闭请求") /* raised first on WM_CLOSE; false keeps the window */                      \
  EVENT(1,  CloseQuery,        "可否被关闭") /* then this one */                                                       \
  EVENT(2,  WillBeDestroyed,   "将被销毁")                                                                              \
  EVENT(3,  PositionChanged,   "位置被改变")                                                                            \
  EVENT(4,  SizeChanged,       "尺寸被改变")                                                                            \
  EVENT(13, SessionEndQuery,   "会话可否结束") /* WM_QUERYENDSESSION; false keeps the session going */                 \
  EVENT(14, SessionEnding,     "会话将结束") /* WM_ENDSESSION when the session does end: the process may be ended next */ \
  EVENT(15, ShortcutKey,       "快捷键被按下") /* a shortcut key bound to the window: virtual-key code, 1 with Ctrl */
// clang-format on

}  // namespace talv::definition
