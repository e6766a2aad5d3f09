// The Main window built by the window runtime from its definition, inside
// the test program: every kind's properties as the definition holds them,
// the common properties' clamps and live positions, kind data stored back,
// real clicks and keys through the message pre-filter, the window keys,
// shortcut keys, forwarding, and the window commands.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleauto.h>

#include <algorithm>
#include <array>
#include <utility>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/runtime_api.h"
#include "resources/main_window_controls.h"
#include "resources/main_window_definition.h"
#include "runtime/window/host/window_commands.h"
#include "runtime/core/blocks.h"
#include "runtime/core/command_call.h"
#include "runtime/core/program_image.h"
#include "runtime/window/model/event_dispatch.h"
#include "runtime/window/kinds/hyperlink_window_win32.h"
#include "runtime/window/model/key_shortcuts.h"
#include "runtime/window/kinds/kind_object_win32.h"
#include "runtime/window/host/window_runtime_win32.h"
#include "tests/support/main_window_layout.h"
#include "tests/window/control_test_support_win32.h"
#include "tests/window/event_sequence.h"

namespace talv {
namespace {

constexpr int32_t kMain = int32_t(kMainWindowId);
constexpr int32_t kWindowUnit = int32_t(kMainWindowUnitId);
namespace control = app::control;
constexpr int32_t kS0 = control::kDigit[0], kS7 = control::kDigit[7], kSjia = control::kPlus,
                  kSqc = control::kClear, kTape = control::kTape, kEntry = control::kEntry,
                  kLabel = control::kDayLabel, kDayButton = control::kDayButton,
                  kDate2 = control::kDatePicker2, kDate1 = control::kDatePicker1,
                  kSound = control::kSoundToggle, kSign = control::kSign,
                  kLink = control::kHyperlink, kGroupBox = control::kGroupBox;

// Where the description places a unit.
const tools::LayoutUnit& Described(const char* name) { return test::MainWindowUnit(name); }

// Handler slots: those of the Main window, then three the tests bind.
constexpr int kChanged = kMainHandlerCount, kCharacter = kChanged + 1, kCloseQuery = kChanged + 2,
              kSlots = kChanged + 3;

// The name under which a slot's calls are recorded: the Main window's
// handlers by position, the tests' own by what they bind.
std::string SlotName(int slot) {
  if (slot == kChanged) return "changed";
  if (slot == kCharacter) return "character";
  if (slot == kCloseQuery) return "close-query";
  return "handler " + std::to_string(slot);
}
std::string SlotName(MainHandler handler) { return SlotName(int(handler)); }

// Every handler call: the slot's name, the event source, the first argument.
test::EventSequence& Log() {
  static test::EventSequence log;
  return log;
}
std::function<HandlerResult(int32_t)>& Action(int slot) {
  static std::function<HandlerResult(int32_t)> actions[kSlots];
  return actions[slot];
}

template <int N>
HandlerResult Recorder(int32_t a1, int32_t, int32_t, int32_t, int32_t) {
  const EventSource source = CurrentEventSource();
  Log().Add(SlotName(N), source.window, source.control, a1);
  return Action(N) ? Action(N)(a1) : kNoResult;
}

template <int... N>
constexpr std::array<EventHandler, sizeof...(N)> MakeTable(std::integer_sequence<int, N...>) {
  return {Recorder<N>...};
}
const auto kTable = MakeTable(std::make_integer_sequence<int, kSlots>{});

int Count(int handler) { return Log().Count(SlotName(handler)); }

bool PumpUntil(const std::function<bool()>& done, int timeout_ms = 10000) {
  const DWORD start = GetTickCount();
  for (;;) {
    PumpWaitingMessages();
    if (done()) return true;
    if (GetTickCount() - start > DWORD(timeout_ms)) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}
void PumpAWhile(int ms) { PumpUntil([] { return false; }, ms); }

void Key(WORD vk, bool shift = false) {
  std::vector<INPUT> in;
  auto add = [&](WORD k, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  if (shift) add(VK_SHIFT, false);
  add(vk, false);
  add(vk, true);
  if (shift) add(VK_SHIFT, true);
  SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
}

HWND Handle(int32_t control) {
  KindObject* o = FindLiveObject(kMain, control);
  return o ? o->hwnd() : nullptr;
}
WindowObject& Main() { return *FindWindowObject(kMainWindowId); }
uint32_t UnitOf(int32_t control) { return uint32_t(Main().FindUnit(uint32_t(control))); }

TypedValue Ref(int32_t control, uint32_t kind) { return TypedValue{uint32_t(kMain), uint32_t(control), kind}; }

void Click(int32_t control) {
  HWND h = Handle(control);
  RECT r;
  GetClientRect(h, &r);
  test::MoveMouseTo(h, r.right / 2, r.bottom / 2);
  test::PressLeft();
  test::ReleaseLeft();
}

std::string Text(int32_t control, int32_t property) {
  rt::Text t = rt::ReadText(kMain, control, property);
  return t.c_str();
}

int32_t g_left_before_load = 0, g_tag_before_load = 0;

class MainWindowRuntime : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::InitialiseCom();
    InstallWindowRuntime();
    static bool initialised = [] {
      SetProgramImage(ProgramImage{});
      InitialiseWindowRuntime();
      return true;
    }();
    (void)initialised;
    ClearWindowList();
    ResetEventDispatch();
    ProgramImage image;
    image.header = kProgramHeader;
    image.header_size = kProgramHeaderBytes;
    image.definitions = kMainWindowSegment;
    image.definitions_size = kMainWindowSegmentSize;
    image.handlers = kTable.data();
    image.handler_count = kSlots;
    SetProgramImage(image);
    ASSERT_TRUE(LoadWindowDefinitions(kMainWindowSegment, kMainWindowSegmentSize, kSlots));
    // Before the window is live, reads give the stored values.
    g_left_before_load = rt::ReadInt(kMain, kS0, 0);
    g_tag_before_load = rt::ReadText(kMain, kS0, 4).c_str()[0];
    Log().Clear();
    rt::LoadStartupWindow(kMain);
    PumpAWhile(300);
  }
  static void TearDownTestSuite() {
    if (HWND top = Handle(0)) DestroyWindow(top);
    ClearWindowList();
    ResetEventDispatch();
  }
  void SetUp() override {
    for (int i = 0; i < kSlots; ++i) Action(i) = nullptr;
    test::MoveMouseAway();
    SetForegroundWindow(Handle(0));
    PumpAWhile(50);
    Log().Clear();
  }
};

// ---- Load ---------------------------------------------------------------

TEST_F(MainWindowRuntime, LoadedWindowIsLiveAndAStoredValueWasReadBeforeIt) {
  EXPECT_EQ(g_left_before_load, Described("s0").left);
  EXPECT_EQ(g_tag_before_load, Described("s0").tag[0]);
  ASSERT_NE(Handle(0), nullptr);
  EXPECT_TRUE(IsWindowVisible(Handle(0)));
  EXPECT_TRUE(Main().loaded);
}

TEST_F(MainWindowRuntime, ChildIdsFollowCreationOrderFromTheLastUnit) {
  EXPECT_EQ(GetDlgCtrlID(Handle(kGroupBox)), 100);  // 分组框1, the last unit
  EXPECT_EQ(GetDlgCtrlID(Handle(kEntry)), 110);
  EXPECT_EQ(GetDlgCtrlID(Handle(kLink)), 100 + 10 * 27);
}

TEST_F(MainWindowRuntime, ZOrderIsDefinitionOrderWithTheFirstControlOnTop) {
  HWND top = GetWindow(Handle(0), GW_CHILD);
  EXPECT_EQ(top, Handle(kLink));
  EXPECT_EQ(GetWindow(top, GW_HWNDNEXT), Handle(kSound));
  EXPECT_EQ(GetWindow(Handle(kGroupBox), GW_HWNDNEXT), nullptr);
}

TEST_F(MainWindowRuntime, ASecondLoadOnlyBringsTheWindowToTheFront) {
  HWND before = Handle(0);
  rt::LoadStartupWindow(kMain);
  PumpAWhile(100);
  EXPECT_EQ(Handle(0), before);
  EXPECT_EQ(Count(int(MainHandler::StartUp)), 0);
}

// ---- Properties -------------------------------------------------------------

double Today() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  st.wHour = st.wMinute = st.wSecond = st.wMilliseconds = 0;
  double d = 0;
  SystemTimeToVariantTime(&st, &d);
  return d;
}

TEST_F(MainWindowRuntime, EveryKindPropertyReadsBackAsTheDefinitionHoldsIt) {
  const definition::ControlTable& table = Main().definition.table;
  int checked = 0;
  for (uint32_t u = 0; u < table.UnitCount(); ++u) {
    definition::UnitRecordView v;
    ASSERT_TRUE(table.Walk(u, &v));
    definition::KindData data;
    ASSERT_EQ(definition::ReadUnitKind(v, &data), definition::KindStatus::kOk);
    const kinds::KindDescriptor* kind = kinds::FindKind(v.kind_word);
    const int32_t id = int32_t(table.ControlIdAt(u));
    for (int32_t i = 8; i < kind->property_count; ++i) {
      kinds::PropertyValue expected;
      if (!kinds::GetKindProperty(data, i, &expected)) continue;
      const uint16_t type = kinds::PropertyTypeOf(*kind, i);
      const uint64_t raw = rt::ReadProperty(kMain, id, i);
      kinds::PropertyValue got = kinds::DecodePropertyValue(type, raw);
      TypedValue tv{0, 0, 0};
      SetRawBits(tv, raw);
      if (kinds::IsTextType(type) || kinds::IsByteArrayType(type)) Free(AsPointer(tv));
      SCOPED_TRACE(std::string(v.name) + " property " + std::to_string(i));
      if (v.kind_word == 0x10001 && i == 18) {
        EXPECT_EQ(got.integer, 0);  // the live window is neither minimized nor maximized
      } else if (v.kind_word == 0x10017 && i == 10 && expected.number == 0) {
        EXPECT_EQ(std::floor(got.number), Today());  // shows the current date
      } else if (kinds::IsTextType(type)) {
        EXPECT_EQ(got.text, expected.text);
      } else if (kinds::IsByteArrayType(type)) {
        EXPECT_EQ(got.bytes, expected.bytes);
      } else if (type == kinds::PropertyType::DateTime || type == kinds::PropertyType::Double) {
        EXPECT_EQ(got.number, expected.number);
      } else {
        EXPECT_EQ(got.integer, expected.integer);
      }
      ++checked;
    }
    // Common properties of the controls: stored geometry, tag, flags, cursor.
    if (u == 0) continue;
    EXPECT_EQ(rt::ReadInt(kMain, id, 0), v.left) << v.name;
    EXPECT_EQ(rt::ReadInt(kMain, id, 1), v.top) << v.name;
    EXPECT_EQ(rt::ReadInt(kMain, id, 2), v.width) << v.name;
    EXPECT_EQ(rt::ReadInt(kMain, id, 3), v.height) << v.name;
    EXPECT_EQ(Text(id, 4), std::string(v.tag)) << v.name;
    EXPECT_EQ(rt::ReadInt(kMain, id, 5), 1) << v.name;
    EXPECT_EQ(rt::ReadInt(kMain, id, 6), 0) << v.name;
  }
  EXPECT_GT(checked, 200);
}

TEST_F(MainWindowRuntime, TheWindowOpensCentredAtItsOuterSize) {
  EXPECT_EQ(rt::ReadInt(kMain, kWindowUnit, 2), 434);
  EXPECT_EQ(rt::ReadInt(kMain, kWindowUnit, 3), 432);
  EXPECT_EQ(rt::ReadInt(kMain, kWindowUnit, 0), (GetSystemMetrics(SM_CXSCREEN) - 434) / 2);
  EXPECT_EQ(rt::ReadInt(kMain, kWindowUnit, 1), (GetSystemMetrics(SM_CYSCREEN) - 432) / 2);
  EXPECT_STREQ(Text(kWindowUnit, 8).c_str(), "Talvique ");
}

TEST_F(MainWindowRuntime, CursorDataOfTheSoundToggleIsTheHand) {
  rt::Text block = rt::ReadText(kMain, kSound, 7);
  ASSERT_EQ(ByteArrayLength(block.get()), 4u);
  EXPECT_EQ(*reinterpret_cast<const uint32_t*>(ByteArrayData(block.get())), 32649u);
  EXPECT_NE(FindLiveObject(kMain, kSound)->cursor().handle(), nullptr);
  EXPECT_EQ(FindLiveObject(kMain, kS0)->cursor().handle(), nullptr);
}

TEST_F(MainWindowRuntime, CommonWritesAreClampedStoredAndApplied) {
  rt::WriteInt(kMain, kLabel, 2, -5);
  EXPECT_EQ(rt::ReadInt(kMain, kLabel, 2), 0);
  definition::UnitRecordView v;
  ASSERT_TRUE(Main().Walk(UnitOf(kLabel), &v));
  EXPECT_EQ(v.width, 0);
  const tools::LayoutUnit& label = Described("标签1");
  rt::WriteInt(kMain, kLabel, 2, label.width);
  rt::WriteInt(kMain, kLabel, 0, 40000);
  ASSERT_TRUE(Main().Walk(UnitOf(kLabel), &v));
  EXPECT_EQ(v.left, 32627);
  EXPECT_EQ(rt::ReadInt(kMain, kLabel, 0), 32627);
  rt::WriteInt(kMain, kLabel, 0, -40000);
  ASSERT_TRUE(Main().Walk(UnitOf(kLabel), &v));
  EXPECT_EQ(v.left, -32627);
  EXPECT_EQ(rt::ReadInt(kMain, kLabel, 0), -32627);
  rt::WriteInt(kMain, kLabel, 0, label.left);
  EXPECT_EQ(rt::ReadInt(kMain, kLabel, 0), label.left);
  EXPECT_EQ(rt::ReadInt(kMain, kLabel, 1), label.top);  // the other coordinate kept
  EXPECT_EQ(rt::ReadInt(kMain, kLabel, 2), label.width);
}

TEST_F(MainWindowRuntime, LiveLeftAndTopFollowTheWindowWhenMovedBehindTheRuntime) {
  const tools::LayoutUnit& s0 = Described("s0");
  MoveWindow(Handle(kS0), 21, 31, s0.width, s0.height, TRUE);
  EXPECT_EQ(rt::ReadInt(kMain, kS0, 0), 21);
  EXPECT_EQ(rt::ReadInt(kMain, kS0, 1), 31);
  definition::UnitRecordView v;
  ASSERT_TRUE(Main().Walk(UnitOf(kS0), &v));
  EXPECT_EQ(v.left, s0.left);  // the record is not what the live window says
  MoveWindow(Handle(kS0), s0.left, s0.top, s0.width, s0.height, TRUE);
}

TEST_F(MainWindowRuntime, TagGrowsTheRecordAndLaterUnitsKeepTheirValues) {
  rt::WriteText(kMain, kS7, 4, "a much longer tag than the digit");
  EXPECT_EQ(Text(kS7, 4), "a much longer tag than the digit");
  EXPECT_EQ(Text(kEntry, 4), "");
  EXPECT_EQ(rt::ReadInt(kMain, kGroupBox, 2), Described("分组框1").width);
  rt::WriteText(kMain, kS7, 4, "7");
  EXPECT_EQ(Text(kS7, 4), "7");
}

TEST_F(MainWindowRuntime, VisibleAndDisabledFlags) {
  rt::WriteInt(kMain, kSign, 5, 0);
  EXPECT_FALSE(IsWindowVisible(Handle(kSign)));
  EXPECT_EQ(rt::ReadInt(kMain, kSign, 5), 0);
  rt::WriteInt(kMain, kSign, 5, 1);
  EXPECT_TRUE(IsWindowVisible(Handle(kSign)));
  rt::WriteInt(kMain, kSign, 6, 1);
  EXPECT_FALSE(IsWindowEnabled(Handle(kSign)));
  EXPECT_EQ(rt::ReadInt(kMain, kSign, 6), 1);
  definition::UnitRecordView v;
  ASSERT_TRUE(Main().Walk(UnitOf(kSign), &v));
  EXPECT_EQ(v.flags & 3u, 3u);
  rt::WriteInt(kMain, kSign, 6, 0);
  EXPECT_TRUE(IsWindowEnabled(Handle(kSign)));
}

TEST_F(MainWindowRuntime, KindPropertyWriteStoresTheKindDataBack) {
  rt::WriteText(kMain, kTape, 8, "5+3=8\r\n");
  definition::UnitRecordView v;
  ASSERT_TRUE(Main().Walk(UnitOf(kTape), &v));
  definition::KindData data;
  ASSERT_EQ(definition::ReadUnitKind(v, &data), definition::KindStatus::kOk);
  EXPECT_EQ(std::get<definition::EditBoxKind>(data).content, "5+3=8\r\n");
  EXPECT_EQ(Text(kTape, 8), "5+3=8\r\n");

  rt::WriteText(kMain, kLabel, 8, "12 天");
  ASSERT_TRUE(Main().Walk(UnitOf(kLabel), &v));
  ASSERT_EQ(definition::ReadUnitKind(v, &data), definition::KindStatus::kOk);
  EXPECT_EQ(std::get<definition::LabelKind>(data).caption, "12 天");
  char shown[32] = {};
  GetWindowTextA(Handle(kLabel), shown, sizeof shown);
  EXPECT_STREQ(shown, "12 天");

  rt::WriteInt(kMain, kEntry, 14, 12);  // typing limit
  ASSERT_TRUE(Main().Walk(UnitOf(kEntry), &v));
  ASSERT_EQ(definition::ReadUnitKind(v, &data), definition::KindStatus::kOk);
  EXPECT_EQ(std::get<definition::EditBoxKind>(data).typing_limit, 12);
  EXPECT_EQ(SendMessageA(Handle(kEntry), EM_GETLIMITTEXT, 0, 0), 12);
  rt::WriteInt(kMain, kEntry, 14, 30);
  rt::WriteText(kMain, kTape, 8, "");
  rt::WriteText(kMain, kLabel, 8, "");
}

TEST_F(MainWindowRuntime, DatePickerValueIsReadFromTheControl) {
  SYSTEMTIME st{};
  st.wYear = 2024;
  st.wMonth = 2;
  st.wDay = 29;
  DateTime_SetSystemtime(Handle(kDate1), GDT_VALID, &st);
  double expected = 0;
  SystemTimeToVariantTime(&st, &expected);
  EXPECT_EQ(std::floor(rt::ReadDouble(kMain, kDate1, 10)), expected);
  rt::WriteDouble(kMain, kDate2, 10, 45000.0);  // 15 March 2023
  SYSTEMTIME shown{};
  DateTime_GetSystemtime(Handle(kDate2), &shown);
  EXPECT_EQ(shown.wYear, 2023);
  EXPECT_EQ(shown.wMonth, 3);
  EXPECT_EQ(shown.wDay, 15);
  EXPECT_TRUE(GetWindowLongA(Handle(kDate1), GWL_STYLE) & DTS_LONGDATEFORMAT);
}

TEST_F(MainWindowRuntime, WholeFontAndFontMemberWrites) {
  kinds::FontRecord record{0, 1, 0, 0, 0, 20, "宋体"};
  rt::WriteProperty(kMain, kDayButton, 13, uint64_t(uintptr_t(&record)));
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(Handle(kDayButton), WM_GETFONT, 0, 0));
  LOGFONTA lf{};
  GetObjectA(font, sizeof lf, &lf);
  EXPECT_EQ(lf.lfWeight, 700);
  EXPECT_EQ(lf.lfHeight, -MulDiv(20, ScreenPixelsPerInch(), 72));
  rt::WriteProperty(kMain, kDayButton, 13, 0, kinds::FontMember::Italic);
  rt::WriteProperty(kMain, kDayButton, 13, 1, kinds::FontMember::Underline);
  font = reinterpret_cast<HFONT>(SendMessageA(Handle(kDayButton), WM_GETFONT, 0, 0));
  GetObjectA(font, sizeof lf, &lf);
  EXPECT_EQ(lf.lfUnderline, 1);
  EXPECT_EQ(lf.lfWeight, 700);
  EXPECT_EQ(rt::ReadInt(kMain, kDayButton, 13, kinds::FontMember::Underline), 1);
  EXPECT_EQ(rt::ReadInt(kMain, kDayButton, 13, kinds::FontMember::Size), 20);
  // Back to the default GUI font: an empty font block.
  rt::WriteProperty(kMain, kDayButton, 13, 0);
  EXPECT_EQ(SendMessageA(Handle(kDayButton), WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
}

// ---- Bad input --------------------------------------------------------------

// A control made by its kind's create operation from kind data, on the
// Main window (no unit of it: it raises no events).
KindObject* CreateFromKindData(const definition::KindData& data, int x, int y) {
  definition::Bytes bytes = definition::WriteKindData(data);
  const kinds::KindDescriptor* kind = kinds::FindKind(definition::KindWordOf(data));
  auto create = KindOperationOf<CreateOperation>(kind, kinds::KindOperation::Create);
  if (!create) return nullptr;
  KindCreateArgs args;
  args.kind_data = bytes.data();
  args.kind_data_size = bytes.size();
  args.parent = Handle(0);
  args.child_id = 999;
  args.x = x;
  args.y = y;
  args.width = 80;
  args.height = 30;
  return create(args);
}

TEST_F(MainWindowRuntime, AFontBlockThatIsNot60BytesGivesTheDefaultGuiFont) {
  definition::ButtonKind button;
  button.caption = "f";
  button.font = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  KindObject* o = CreateFromKindData(button, 300, 300);
  ASSERT_NE(o, nullptr);
  EXPECT_EQ(SendMessageA(o->hwnd(), WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
  delete o;
  definition::EditBoxKind edit;
  edit.font.assign(61, 0);
  o = CreateFromKindData(edit, 300, 300);
  ASSERT_NE(o, nullptr);
  EXPECT_EQ(SendMessageA(o->hwnd(), WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
  delete o;
}

TEST_F(MainWindowRuntime, KindsCreatedFromEmptyBlocksTakeTheirDefaults) {
  // The kind's defaults for an empty block, as the two date pickers and the
  // group box of the Main window have them.
  KindObject* o = CreateFromKindData(definition::DatePickerKind{}, 300, 300);
  ASSERT_NE(o, nullptr);
  EXPECT_TRUE(GetWindowLongA(o->hwnd(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);  // border 1
  EXPECT_FALSE(GetWindowLongA(o->hwnd(), GWL_STYLE) & DTS_UPDOWN);
  delete o;
  KindCreateArgs args;
  args.parent = Handle(0);
  args.x = 300;
  args.y = 300;
  args.width = 80;
  args.height = 30;
  auto create = KindOperationOf<CreateOperation>(kinds::FindKind(0x10009), 1);
  o = create(args);  // no kind data at all
  ASSERT_NE(o, nullptr);
  EXPECT_TRUE((GetWindowLongA(o->hwnd(), GWL_STYLE) & 0x0F) == BS_GROUPBOX);
  EXPECT_EQ(std::get<definition::GroupBoxKind>(o->data()).background_colour,
            definition::kDefaultColour);
  delete o;
}

TEST_F(MainWindowRuntime, APictureThatCannotBeDecodedIsNotShown) {
  uint8_t* block = NewByteArray("BM not really a bitmap", 22);
  rt::WriteProperty(kMain, kSign, 8, uint64_t(uintptr_t(block)));
  Free(block);
  EXPECT_EQ(SendMessageA(Handle(kSign), BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  rt::WriteProperty(kMain, kSign, 8, uint64_t(uintptr_t(kSoundOnPicture)));
  EXPECT_NE(SendMessageA(Handle(kSign), BM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  rt::WriteProperty(kMain, kSign, 8, 0);
}

TEST_F(MainWindowRuntime, ACursorBlockThatIsNotACursorGivesTheDefault) {
  const uint8_t cross[4] = {2, 0, 0, 0};
  uint8_t* block = NewByteArray(cross, 4);
  rt::WriteProperty(kMain, kLabel, 7, uint64_t(uintptr_t(block)));
  Free(block);
  EXPECT_EQ(FindLiveObject(kMain, kLabel)->cursor().handle(), LoadCursorA(nullptr, IDC_CROSS));
  const uint8_t junk[14] = {0x9F, 0x86, 1, 0, 'n', 'o', 't', ' ', 'a', ' ', 'c', 'u', 'r', 0};
  block = NewByteArray(junk, sizeof junk);
  rt::WriteProperty(kMain, kLabel, 7, uint64_t(uintptr_t(block)));
  Free(block);
  EXPECT_EQ(FindLiveObject(kMain, kLabel)->cursor().handle(), nullptr);
  rt::Text stored = rt::ReadText(kMain, kLabel, 7);
  EXPECT_EQ(ByteArrayLength(stored.get()), sizeof junk);
}

// ---- Events -----------------------------------------------------------------

TEST_F(MainWindowRuntime, ARealClickOnAButtonRaisesItsClickEvent) {
  Click(kSjia);
  ASSERT_TRUE(PumpUntil([] { return Count(int(MainHandler::PressPlus)) == 1; }));
  EXPECT_EQ(Log().back().control, kSjia);
}

TEST_F(MainWindowRuntime, ContentChangedIsNotRaisedWhileTheRuntimeSetsTheContent) {
  Main().units[UnitOf(kTape)].bindings.push_back({0, kChanged});
  rt::WriteText(kMain, kTape, 8, "set by the runtime");
  PumpAWhile(200);
  EXPECT_EQ(Count(kChanged), 0);
  SetFocus(Handle(kTape));
  Key('A');
  ASSERT_TRUE(PumpUntil([] { return Count(kChanged) == 1; }));
  Main().units[UnitOf(kTape)].bindings.pop_back();
  rt::WriteText(kMain, kTape, 8, "");
}

TEST_F(MainWindowRuntime, CharacterEventSwallowsOnZeroAndReplacesOtherwise) {
  Main().units[UnitOf(kTape)].bindings.push_back({-11, kCharacter});
  rt::WriteText(kMain, kTape, 8, "");
  SetFocus(Handle(kTape));
  Action(kCharacter) = [](int32_t) { return HandlerResult{true, 0}; };
  Key('A');
  ASSERT_TRUE(PumpUntil([] { return Count(kCharacter) == 1; }));
  PumpAWhile(100);
  EXPECT_EQ(Text(kTape, 8), "");
  Action(kCharacter) = [](int32_t) { return HandlerResult{true, 'z'}; };
  Key('A');
  ASSERT_TRUE(PumpUntil([] { return Count(kCharacter) == 2; }));
  ASSERT_TRUE(PumpUntil([] { return Text(kTape, 8) == "z"; }));
  Action(kCharacter) = nullptr;  // no value: the character passes unchanged
  Key('B');
  ASSERT_TRUE(PumpUntil([] { return Text(kTape, 8).size() == 2; }));
  EXPECT_EQ(Text(kTape, 8), "zb");
  EXPECT_EQ(Log().back().argument, 'b');
  Main().units[UnitOf(kTape)].bindings.pop_back();
  rt::WriteText(kMain, kTape, 8, "");
}

TEST_F(MainWindowRuntime, MultiLineEditableBoxClaimsEnter) {
  rt::WriteText(kMain, kTape, 8, "1");
  SetFocus(Handle(kTape));
  SendMessageA(Handle(kTape), EM_SETSEL, 1, 1);
  Key(VK_RETURN);
  ASSERT_TRUE(PumpUntil([] { return Text(kTape, 8) == "1\r\n"; }));
  rt::WriteText(kMain, kTape, 8, "");
}

int32_t FocusedControl() {
  KindObject* o = KindObject::FromWindowOrAncestor(GetFocus());
  return o ? int32_t(o->control_id()) : 0;
}

TEST_F(MainWindowRuntime, TabAndShiftTabCycleTheThreeTabStops) {
  SetFocus(Handle(kDate1));
  ASSERT_EQ(FocusedControl(), kDate1);
  const int32_t forward[] = {kDate2, kDayButton, kDate1, kDate2};
  for (int32_t expected : forward) {
    Key(VK_TAB);
    ASSERT_TRUE(PumpUntil([&] { return FocusedControl() == expected; }, 5000))
        << std::hex << FocusedControl() << " instead of " << expected;
  }
  const int32_t backward[] = {kDate1, kDayButton, kDate2};
  for (int32_t expected : backward) {
    Key(VK_TAB, true);
    ASSERT_TRUE(PumpUntil([&] { return FocusedControl() == expected; }, 5000))
        << std::hex << FocusedControl() << " instead of " << expected;
  }
  // From a control outside the list the focus goes to its first entry.
  SetFocus(Handle(kTape));
  Key(VK_TAB);
  ASSERT_TRUE(PumpUntil([] { return FocusedControl() == kDate1; }, 5000));
}

TEST_F(MainWindowRuntime, EscSendsTheWindowItsCloseQuery) {
  Main().units[0].bindings.push_back({12, kCloseQuery});
  Action(kCloseQuery) = [](int32_t) { return HandlerResult{true, 0}; };  // keep it open
  SetFocus(Handle(kS0));
  Key(VK_ESCAPE);
  ASSERT_TRUE(PumpUntil([] { return Count(kCloseQuery) == 1; }));
  EXPECT_TRUE(IsWindow(Handle(0)));
  Main().units[0].bindings.pop_back();
}

// ---- The link in the bottom strip ---------------------------------------------

TEST_F(MainWindowRuntime, AClickOnTheLinkOpensTheHelpPageByItsName) {
  struct Seen {
    std::string target;
    int calls = 0;
  } seen;
  const HyperlinkOpenerSlot previous = SetHyperlinkOpener(
      {[](void* context, HWND, const char* target) {
         auto* s = static_cast<Seen*>(context);
         s->target = target;
         ++s->calls;
         return true;
       },
       &seen});
  Click(kLink);
  const bool opened = PumpUntil([&seen] { return seen.calls == 1; });
  SetHyperlinkOpener(previous);
  ASSERT_TRUE(opened);
  // A bare name: the shell finds it in the current directory, the program's.
  EXPECT_EQ(seen.target, "talvique.htm");
}

// The caption fits the link's strip at the design size and at the first
// start's 650 x 500 (the window and the strip scaled as the layout scales
// them), measured with the link's own font and seen on the screen: the ink
// keeps off every edge.
TEST_F(MainWindowRuntime, TheLinkTextIsDrawnWholeAtBothSizes) {
  HWND main = Handle(0), link = Handle(kLink);
  RECT main_rect;
  GetWindowRect(main, &main_rect);
  definition::UnitRecordView window, strip;
  ASSERT_TRUE(Main().Walk(0, &window));
  ASSERT_TRUE(Main().Walk(UnitOf(kLink), &strip));
  const std::string caption = Text(kLink, 8);
  ASSERT_FALSE(caption.empty());
  const SIZE sizes[] = {{window.width, window.height}, {650, 500}};
  for (const SIZE& size : sizes) {
    SCOPED_TRACE(std::to_string(size.cx) + " x " + std::to_string(size.cy));
    const double fx = double(size.cx) / window.width, fy = double(size.cy) / window.height;
    MoveWindow(main, main_rect.left, main_rect.top, size.cx, size.cy, TRUE);
    const int width = int(strip.width * fx), height = int(strip.height * fy);
    MoveWindow(link, int(strip.left * fx), int(strip.top * fy), width, height, TRUE);
    test::PumpPending();
    HDC dc = GetDC(link);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(link, WM_GETFONT, 0, 0)));
    RECT need = {0, 0, 0, 0};
    DrawTextA(dc, caption.c_str(), int(caption.size()), &need,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(link, dc);
    EXPECT_LE(need.bottom, height);
    EXPECT_LE(need.right, width);
    const test::Capture shot = test::CaptureClient(link);
    ASSERT_EQ(shot.width, width);
    ASSERT_EQ(shot.height, height);
    const uint32_t background = shot.At(0, 0);
    const RECT ink = shot.Bounds([background](uint32_t p) {
      int d = 0;
      for (int shift : {0, 8, 16}) d += std::abs(int(p >> shift & 255) - int(background >> shift & 255));
      return d > 90;
    });
    ASSERT_LT(ink.top, ink.bottom) << "no text on the screen";
    EXPECT_GT(ink.top, 0);
    EXPECT_LT(ink.bottom, shot.height);
    EXPECT_GT(ink.left, 0);
    EXPECT_LT(ink.right, shot.width);
  }
  MoveWindow(main, main_rect.left, main_rect.top, main_rect.right - main_rect.left,
             main_rect.bottom - main_rect.top, TRUE);
  MoveWindow(link, strip.left, strip.top, strip.width, strip.height, TRUE);
  test::PumpPending();
}

// ---- Shortcut keys ---------------------------------------------------------------

TypedValue Command(talv::Command command, std::vector<TypedValue> args);

bool Shortcut(int32_t button, const TypedValue& key) {
  return AsBool(Command(SetShortcutKey, {Ref(button, TypeCode::KindButton), key}));
}

void KeyDown(WORD vk, bool down = true) {
  INPUT i{};
  i.type = INPUT_KEYBOARD;
  i.ki.wVk = vk;
  i.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &i, sizeof i);
}

constexpr int32_t kSdeng = control::kEquals, kSjian = control::kMinus;

TEST_F(MainWindowRuntime, SetShortcutKeyTakesButtonsAndKeysAndRefusesTheRest) {
  EXPECT_TRUE(Shortcut(kSjia, TextValue("+")));
  EXPECT_TRUE(Shortcut(kSdeng, IntValue(VK_RETURN)));
  EXPECT_EQ(Main().shortcuts.Find(TypedCharacterShortcut('+')), int32_t(UnitOf(kSjia)));
  // The window itself takes keys of its own.
  EXPECT_TRUE(AsBool(Command(SetShortcutKey, {Ref(kWindowUnit, TypeCode::KindWindow), TextValue("%")})));
  EXPECT_EQ(Main().shortcuts.Find(TypedCharacterShortcut('%')), 0);
  // With Ctrl: a key named by its code, with a logical.
  EXPECT_TRUE(AsBool(Command(SetShortcutKey,
                             {Ref(kSqc, TypeCode::KindButton), IntValue(VK_DELETE), BoolValue(true)})));
  EXPECT_EQ(Main().shortcuts.Find(VirtualKeyShortcut(VK_DELETE, true)), int32_t(UnitOf(kSqc)));
  EXPECT_EQ(Main().shortcuts.Find(VirtualKeyShortcut(VK_DELETE)), -1);
  EXPECT_FALSE(AsBool(Command(SetShortcutKey,
                              {Ref(kSqc, TypeCode::KindButton), TextValue("-"), BoolValue(true)})));
  EXPECT_FALSE(AsBool(Command(SetShortcutKey,
                              {Ref(kSqc, TypeCode::KindButton), IntValue(VK_DELETE), IntValue(1)})));
  // Not a Button: the tape, a unit of no window.
  EXPECT_FALSE(AsBool(Command(SetShortcutKey, {Ref(kTape, TypeCode::KindEditBox), TextValue("-")})));
  EXPECT_FALSE(AsBool(Command(SetShortcutKey, {Ref(kTape, TypeCode::KindButton), TextValue("-")})));
  EXPECT_FALSE(AsBool(Command(SetShortcutKey,
                              {TypedValue{0x52019999, uint32_t(kSjian), TypeCode::KindButton}, TextValue("-")})));
  EXPECT_FALSE(AsBool(Command(SetShortcutKey, {TextValue("sjian"), TextValue("-")})));
  // No key: nothing, a longer text, a code out of range.
  EXPECT_FALSE(AsBool(Command(SetShortcutKey, {Ref(kSjian, TypeCode::KindButton)})));
  EXPECT_FALSE(Shortcut(kSjian, TextValue("--")));
  EXPECT_FALSE(Shortcut(kSjian, IntValue(0)));
  EXPECT_FALSE(Shortcut(kSjian, IntValue(300)));
  EXPECT_EQ(Main().shortcuts.Find(TypedCharacterShortcut('-')), -1);
  Main().shortcuts.Clear();
}

TEST_F(MainWindowRuntime, AShortcutKeyClicksItsButtonForwardingIncluded) {
  const uint32_t button = TypeCode::KindButton;
  ASSERT_TRUE(AsBool(Command(SetEventForwarding, {Ref(kS7, button), Ref(kS0, button)})));
  ASSERT_TRUE(Shortcut(kS7, TextValue("7")));
  ASSERT_TRUE(Shortcut(kSdeng, IntValue(VK_RETURN)));
  ASSERT_TRUE(Shortcut(kSjia, TextValue("+")));
  TypedValue seen{};
  Action(int(MainHandler::PressDigit)) = [&seen](int32_t) {
    seen = Command(GetEventComponent, {});
    return kNoResult;
  };
  SetFocus(Handle(0));
  Key('7');
  ASSERT_TRUE(PumpUntil([] { return Count(int(MainHandler::PressDigit)) == 1; }));
  EXPECT_EQ(seen.hi, uint32_t(kS7));  // the digit's own button is the source
  Key(VK_RETURN);
  ASSERT_TRUE(PumpUntil([] { return Count(int(MainHandler::PressEquals)) == 1; }));
  EXPECT_EQ(Log().back().control, kSdeng);
  Key(VK_OEM_PLUS, true);  // Shift+= types "+"
  ASSERT_TRUE(PumpUntil([] { return Count(int(MainHandler::PressPlus)) == 1; }));
  Key(VK_ADD);  // the number pad's + types it too
  ASSERT_TRUE(PumpUntil([] { return Count(int(MainHandler::PressPlus)) == 2; }));
  // Keys no shortcut names, and a shortcut with Ctrl held, press nothing.
  Key('8');
  Key(VK_F5);
  INPUT ctrl_enter[4] = {};
  for (INPUT& i : ctrl_enter) i.type = INPUT_KEYBOARD;
  ctrl_enter[0].ki.wVk = VK_CONTROL;
  ctrl_enter[1].ki.wVk = VK_RETURN;
  ctrl_enter[2].ki.wVk = VK_RETURN;
  ctrl_enter[2].ki.dwFlags = KEYEVENTF_KEYUP;
  ctrl_enter[3].ki.wVk = VK_CONTROL;
  ctrl_enter[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, ctrl_enter, sizeof(INPUT));
  PumpAWhile(300);
  EXPECT_EQ(Log().size(), 4u);
  Main().shortcuts.Clear();
  Command(SetEventForwarding, {Ref(kS7, button)});
}

// Ctrl and the key, as a person presses the chord.
void KeyWithControl(WORD vk) {
  INPUT in[4] = {};
  for (INPUT& i : in) i.type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[3].ki.wVk = VK_CONTROL;
  in[1].ki.wVk = in[2].ki.wVk = vk;
  in[2].ki.dwFlags = in[3].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(4, in, sizeof(INPUT));
}

TEST_F(MainWindowRuntime, AKeyOfTheWindowsOwnRaisesItsShortcutKeyEventAndCtrlIsAnotherKey) {
  ASSERT_TRUE(AsBool(Command(SetShortcutKey, {Ref(kWindowUnit, TypeCode::KindWindow), IntValue(VK_DELETE)})));
  ASSERT_TRUE(AsBool(Command(SetShortcutKey,
                             {Ref(kSqc, TypeCode::KindButton), IntValue(VK_DELETE), BoolValue(true)})));
  SetFocus(Handle(kS0));
  Key(VK_DELETE);
  ASSERT_TRUE(PumpUntil([] { return Count(int(MainHandler::PressWindowKey)) == 1; }));
  EXPECT_EQ(Log().back().argument, VK_DELETE);
  EXPECT_EQ(Log().back().control, kWindowUnit);
  EXPECT_EQ(Count(int(MainHandler::PressClear)), 0);
  KeyWithControl(VK_DELETE);
  ASSERT_TRUE(PumpUntil([] { return Count(int(MainHandler::PressClear)) == 1; }));
  EXPECT_EQ(Count(int(MainHandler::PressWindowKey)), 1);
  // In the tape Delete is the tape's own key.
  rt::WriteText(kMain, kTape, 8, "ab");
  SetFocus(Handle(kTape));
  SendMessageA(Handle(kTape), EM_SETSEL, 0, 0);
  Key(VK_DELETE);
  ASSERT_TRUE(PumpUntil([] { return Text(kTape, 8) == "b"; }));
  EXPECT_EQ(Count(int(MainHandler::PressWindowKey)), 1);
  rt::WriteText(kMain, kTape, 8, "");
  SetFocus(Handle(0));
  Main().shortcuts.Clear();
}

TEST_F(MainWindowRuntime, LogOffAsksTheWindowThenRaisesTheEndOfTheSession) {
  EXPECT_EQ(SendMessageA(Handle(0), WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_EQ(Count(int(MainHandler::SaveForSessionEnd)), 1);
  // A session that goes on after all ends nothing.
  SendMessageA(Handle(0), WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(Count(int(MainHandler::EndSession)), 0);
  SendMessageA(Handle(0), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(Count(int(MainHandler::EndSession)), 1);
  EXPECT_TRUE(IsWindow(Handle(0)));
  // A handler that answers false keeps the session going.
  Action(int(MainHandler::SaveForSessionEnd)) = [](int32_t) { return HandlerResult{true, 0}; };
  EXPECT_EQ(SendMessageA(Handle(0), WM_QUERYENDSESSION, 0, 0), FALSE);
  Action(int(MainHandler::SaveForSessionEnd)) = nullptr;
}

TEST_F(MainWindowRuntime, ShortcutKeysAreTheTapesAndTheDatePickersOwnKeysThere) {
  ASSERT_TRUE(Shortcut(kSjia, TextValue("+")));
  ASSERT_TRUE(Shortcut(kSdeng, IntValue(VK_RETURN)));
  // From a button and from the read-only Entry box the key presses.
  SetFocus(Handle(kS0));
  Key(VK_ADD);
  ASSERT_TRUE(PumpUntil([] { return Count(int(MainHandler::PressPlus)) == 1; }));
  SetFocus(Handle(kEntry));
  ASSERT_EQ(GetFocus(), Handle(kEntry));
  Key(VK_ADD);
  ASSERT_TRUE(PumpUntil([] { return Count(int(MainHandler::PressPlus)) == 2; }));
  // In the tape the keys type, Enter included.
  rt::WriteText(kMain, kTape, 8, "");
  SetFocus(Handle(kTape));
  Key(VK_ADD);
  Key(VK_RETURN);
  ASSERT_TRUE(PumpUntil([] { return Text(kTape, 8) == "+\r\n"; }));
  // In a date picker the keys are the picker's.
  SetFocus(Handle(kDate1));
  Key(VK_ADD);
  Key(VK_RETURN);
  PumpAWhile(300);
  EXPECT_EQ(Count(int(MainHandler::PressPlus)), 2);
  EXPECT_EQ(Count(int(MainHandler::PressEquals)), 0);
  rt::WriteText(kMain, kTape, 8, "");
  SetFocus(Handle(0));
  Main().shortcuts.Clear();
}

TEST_F(MainWindowRuntime, AShortcutOfAHiddenOrDisabledButtonDoesNothing) {
  ASSERT_TRUE(Shortcut(kSign, IntValue(VK_F9)));
  SetFocus(Handle(0));
  rt::WriteInt(kMain, kSign, 6, 1);
  Key(VK_F9);
  rt::WriteInt(kMain, kSign, 6, 0);
  rt::WriteInt(kMain, kSign, 5, 0);
  Key(VK_F9);
  PumpAWhile(300);
  EXPECT_EQ(Count(int(MainHandler::PressSign)), 0);
  rt::WriteInt(kMain, kSign, 5, 1);
  Key(VK_F9);
  ASSERT_TRUE(PumpUntil([] { return Count(int(MainHandler::PressSign)) == 1; }));
  Main().shortcuts.Clear();
}

TEST_F(MainWindowRuntime, AKeyDownHandlerThatRefusesKeepsTheShortcutFromPressing) {
  ASSERT_TRUE(Shortcut(kSdeng, IntValue(VK_RETURN)));
  Main().units[0].bindings.push_back({-9, kCharacter});
  Action(kCharacter) = [](int32_t) { return HandlerResult{true, 0}; };
  SetFocus(Handle(0));
  Key(VK_RETURN);
  ASSERT_TRUE(PumpUntil([] { return Count(kCharacter) == 1; }));
  PumpAWhile(200);
  EXPECT_EQ(Count(int(MainHandler::PressEquals)), 0);
  Main().units[0].bindings.pop_back();
  Main().shortcuts.Clear();
}

TEST_F(MainWindowRuntime, AHeldKeyRepeatsItsButtonButNeverInsideItsOwnPress) {
  ASSERT_TRUE(Shortcut(kSdeng, IntValue(VK_RETURN)));
  int depth = 0, deepest = 0;
  Action(int(MainHandler::PressEquals)) = [&](int32_t) {
    deepest = std::max(deepest, ++depth);
    if (Count(int(MainHandler::PressEquals)) == 1) {
      // The key is still held: its auto-repeat arrives while this press
      // waits, as the readout lets messages in.
      KeyDown(VK_RETURN);
      KeyDown(VK_RETURN);
      PumpAWhile(300);
    }
    --depth;
    return kNoResult;
  };
  SetFocus(Handle(0));
  KeyDown(VK_RETURN);
  ASSERT_TRUE(PumpUntil([] { return Count(int(MainHandler::PressEquals)) >= 1; }));
  PumpAWhile(100);
  EXPECT_EQ(Count(int(MainHandler::PressEquals)), 1);  // the repeats inside were dropped
  // Once the press has ended, a repeat presses again.
  KeyDown(VK_RETURN);
  ASSERT_TRUE(PumpUntil([] { return Count(int(MainHandler::PressEquals)) == 2; }));
  KeyDown(VK_RETURN, false);
  // A fresh press while the button's press waits is a press of its own.
  Action(int(MainHandler::PressEquals)) = [&](int32_t) {
    deepest = std::max(deepest, ++depth);
    if (Count(int(MainHandler::PressEquals)) == 3) {
      Key(VK_RETURN);
      PumpUntil([] { return Count(int(MainHandler::PressEquals)) == 4; }, 3000);
    }
    --depth;
    return kNoResult;
  };
  deepest = 0;
  Key(VK_RETURN);
  ASSERT_TRUE(PumpUntil([] { return Count(int(MainHandler::PressEquals)) == 4; }));
  EXPECT_EQ(deepest, 2);
  Main().shortcuts.Clear();
}

// ---- Commands -----------------------------------------------------------------

TypedValue Command(talv::Command command, std::vector<TypedValue> args) {
  return InvokeCommand(command, int32_t(args.size()), args.data());
}

TEST_F(MainWindowRuntime, ForwardedClickRunsTheTargetsHandlerAndNamesTheClickedButton) {
  const uint32_t button = TypeCode::KindButton;
  ASSERT_TRUE(AsBool(Command(SetEventForwarding, {Ref(kS7, button), Ref(kS0, button)})));
  TypedValue seen{};
  Action(int(MainHandler::PressDigit)) = [&seen](int32_t) {
    seen = Command(GetEventComponent, {});
    return kNoResult;
  };
  Click(kS7);
  ASSERT_TRUE(PumpUntil([] { return Count(int(MainHandler::PressDigit)) == 1; }));
  EXPECT_EQ(seen.lo, uint32_t(kMain));
  EXPECT_EQ(seen.hi, uint32_t(kS7));
  EXPECT_EQ(seen.type, button);
  rt::Text tag = rt::ReadText(int32_t(seen.lo), int32_t(seen.hi), 4);
  EXPECT_STREQ(tag.c_str(), "7");
}

TEST_F(MainWindowRuntime, SetEventForwardingRefusesAndClears) {
  const uint32_t button = TypeCode::KindButton, edit = TypeCode::KindEditBox;
  EXPECT_FALSE(AsBool(Command(SetEventForwarding, {Ref(kS7, button), Ref(kTape, edit)})));
  EXPECT_TRUE(AsBool(Command(SetEventForwarding, {Ref(kS7, button), Ref(kS0, button)})));
  EXPECT_FALSE(AsBool(Command(SetEventForwarding, {Ref(kS0, button), Ref(kS7, button)})));  // cycle
  EXPECT_FALSE(AsBool(Command(SetEventForwarding, {Ref(kS7, button), Ref(kS7, button)})));
  EXPECT_FALSE(AsBool(Command(SetEventForwarding, {TextValue("x"), Ref(kS0, button)})));
  EXPECT_EQ(ForwardedUnit(Main(), UnitOf(kS7)), UnitOf(kS0));  // refusals changed nothing
  EXPECT_TRUE(AsBool(Command(SetEventForwarding, {Ref(kS7, button)})));  // target omitted
  EXPECT_EQ(ForwardedUnit(Main(), UnitOf(kS7)), UnitOf(kS7));
  const int32_t digits[] = {control::kDigit[3], control::kDigit[6], control::kDigit[9], kS7};
  for (int32_t d : digits)
    ASSERT_TRUE(AsBool(Command(SetEventForwarding, {Ref(d, button), Ref(kS0, button)})));
  EXPECT_TRUE(AsBool(Command(SetEventForwarding,
                         {TypedValue{uint32_t(kMain), uint32_t(kWindowUnit), TypeCode::KindWindow}})));
  for (int32_t d : digits) EXPECT_EQ(ForwardedUnit(Main(), UnitOf(d)), UnitOf(d));
  EXPECT_FALSE(AsBool(Command(SetEventForwarding,
                          {TypedValue{0x52019999, uint32_t(kS7), button}, Ref(kS0, button)})));
}

TEST_F(MainWindowRuntime, MoveComponentWithTheCurrentGeometryDoesNothing) {
  const TypedValue window{uint32_t(kMain), 0, TypeCode::KindWindow};
  const int32_t l = rt::ReadInt(kMain, kWindowUnit, 0), t = rt::ReadInt(kMain, kWindowUnit, 1);
  const int32_t w = rt::ReadInt(kMain, kWindowUnit, 2), h = rt::ReadInt(kMain, kWindowUnit, 3);
  Command(MoveComponent, {window, IntValue(l), IntValue(t), IntValue(w), IntValue(h)});
  PumpAWhile(300);
  EXPECT_EQ(Count(int(MainHandler::ResizeWindow)), 0);
  Command(MoveComponent, {window, Omitted(), Omitted(), IntValue(w + 10), IntValue(-1)});
  ASSERT_TRUE(PumpUntil([] { return Count(int(MainHandler::ResizeWindow)) >= 1; }));
  EXPECT_EQ(rt::ReadInt(kMain, kWindowUnit, 2), w + 10);
  EXPECT_EQ(rt::ReadInt(kMain, kWindowUnit, 3), h);
  Command(MoveComponent, {window, Omitted(), Omitted(), IntValue(w)});
  PumpAWhile(100);
}

TEST_F(MainWindowRuntime, MoveComponentKeepsWhatIsNotGiven) {
  const TypedValue s0 = Ref(kS0, TypeCode::KindButton);
  const tools::LayoutUnit& placed = Described("s0");
  Command(MoveComponent, {s0, IntValue(16)});
  EXPECT_EQ(rt::ReadInt(kMain, kS0, 0), 16);
  EXPECT_EQ(rt::ReadInt(kMain, kS0, 1), placed.top);
  EXPECT_EQ(rt::ReadInt(kMain, kS0, 2), placed.width);
  Command(MoveComponent, {s0, Omitted(), IntValue(230), IntValue(-1), IntValue(50)});
  EXPECT_EQ(rt::ReadInt(kMain, kS0, 1), 230);
  EXPECT_EQ(rt::ReadInt(kMain, kS0, 2), placed.width);
  EXPECT_EQ(rt::ReadInt(kMain, kS0, 3), 50);
  Command(MoveComponent, {s0, IntValue(placed.left), IntValue(placed.top), IntValue(placed.width),
                          IntValue(placed.height)});
}

TEST_F(MainWindowRuntime, AppendTextAppendsInOrderAndPutsTheCaretAtTheEnd) {
  rt::WriteText(kMain, kTape, 8, "abc");
  SetFocus(Handle(kTape));
  SendMessageA(Handle(kTape), EM_SETSEL, 0, 1);  // the user selected "a"
  Command(AppendText, {Ref(kTape, TypeCode::KindEditBox), TextValue("12"), TextValue("34")});
  EXPECT_EQ(Text(kTape, 8), "abc1234");
  DWORD start = 0, end = 0;
  SendMessageA(Handle(kTape), EM_GETSEL, WPARAM(&start), LPARAM(&end));
  EXPECT_EQ(start, 7u);
  EXPECT_EQ(end, 7u);
  Command(AppendText, {Ref(kTape, TypeCode::KindEditBox)});  // no texts: nothing
  EXPECT_EQ(Text(kTape, 8), "abc1234");
  rt::WriteText(kMain, kTape, 8, "");
}

TEST_F(MainWindowRuntime, AppendTextGoesPastTheTypingLimitWhichStillBindsTyping) {
  // The Entry box's limit is 30 bytes: 40 appended digits all arrive.
  rt::WriteText(kMain, kEntry, 8, "");
  const std::string digits = "1234567890123456789012345678901234567890";
  for (char d : digits) Command(AppendText, {Ref(kEntry, TypeCode::KindEditBox), TextValue(std::string(1, d).c_str())});
  EXPECT_EQ(Text(kEntry, 8), digits);
  EXPECT_EQ(SendMessageA(Handle(kEntry), EM_GETLIMITTEXT, 0, 0), 30);
  EXPECT_EQ(rt::ReadInt(kMain, kEntry, 14), 30);
  rt::WriteText(kMain, kEntry, 8, "");
  // On the tape, which the user may type into, with a limit of 5: typing
  // stops at the limit, appending does not.
  rt::WriteInt(kMain, kTape, 14, 5);
  rt::WriteText(kMain, kTape, 8, "abcd");
  Command(AppendText, {Ref(kTape, TypeCode::KindEditBox), TextValue("123456")});
  EXPECT_EQ(Text(kTape, 8), "abcd123456");
  SetForegroundWindow(Handle(0));
  SetFocus(Handle(kTape));
  Key('X');
  PumpAWhile(200);
  EXPECT_EQ(Text(kTape, 8), "abcd123456");
  EXPECT_EQ(SendMessageA(Handle(kTape), EM_GETLIMITTEXT, 0, 0), 5);
  rt::WriteText(kMain, kTape, 8, "ab");
  SendMessageA(Handle(kTape), EM_SETSEL, 2, 2);
  Key('X');
  PumpUntil([] { return Text(kTape, 8) != "ab"; }, 3000);
  EXPECT_EQ(Text(kTape, 8), "abx");  // a key still types below the limit
  rt::WriteInt(kMain, kTape, 14, 0);
  rt::WriteText(kMain, kTape, 8, "");
}

TEST_F(MainWindowRuntime, ProcessEventsRunsAQueuedClickNestedAndClearsTheCallersSource) {
  // The focus away from the tape first: its lost-focus event has a binding.
  SetFocus(Handle(0));
  PumpAWhile(50);
  Log().Clear();
  EventSource after{};
  Action(int(MainHandler::PressClear)) = [&after](int32_t) {
    PostMessageA(Handle(kSjia), BM_CLICK, 0, 0);
    Command(ProcessEvents, {});
    after = CurrentEventSource();
    return kNoResult;
  };
  SendMessageA(Handle(kSqc), BM_CLICK, 0, 0);
  // PressPlus ran inside PressClear.
  ASSERT_TRUE(test::MatchesSequence(
      Log(), {SlotName(MainHandler::PressClear), SlotName(MainHandler::PressPlus)}));
  EXPECT_EQ(after.window, 0);
}

TEST_F(MainWindowRuntime, HandleFocusAndRepaintCommands) {
  TypedValue h = Command(GetWindowHandle, {Ref(kTape, TypeCode::KindEditBox)});
  EXPECT_EQ(h.type, TypeCode::Int);
  EXPECT_EQ(HWND(uintptr_t(h.lo)), Handle(kTape));
  Command(SetInputFocus, {Ref(kDayButton, TypeCode::KindButton)});
  EXPECT_EQ(GetFocus(), Handle(kDayButton));
  Command(RepaintNow, {TypedValue{uint32_t(kMain), 0, TypeCode::KindWindow}});
  EXPECT_EQ(AsInt(Command(GetWindowHandle, {TypedValue{uint32_t(kMain), uint32_t(kWindowUnit),
                                                   TypeCode::KindWindow}})),
            int32_t(uintptr_t(Handle(0))));
}

}  // namespace
}  // namespace talv
