// The DatePicker kind: the date-and-time picker common control with the
// long date format, the optional range, and the initial date (the current
// date and time when the kind data holds none). Its current date is read
// back from the control.
#include <windows.h>

#include <commctrl.h>
#include <oleauto.h>

#include "runtime/window/kinds/control_window_win32.h"
#include "runtime/window/kinds/font_block_win32.h"
#include "runtime/window/kinds/kind_interfaces.h"
#include "runtime/window/kinds/kind_object_win32.h"

namespace talv {
namespace {

using definition::DatePickerApply;
using definition::DatePickerKind;

bool ToSystemTime(double date, SYSTEMTIME* out) {
  return VariantTimeToSystemTime(date, out) != FALSE;
}

double ToDate(const SYSTEMTIME& st) {
  SYSTEMTIME copy = st;
  copy.wDayOfWeek = 0;
  double date = 0;
  SystemTimeToVariantTime(&copy, &date);
  return date;
}

DWORD PickerStyles(const DatePickerKind& k) {
  DWORD style = DTS_LONGDATEFORMAT;
  if (k.allow_typing) style |= DTS_APPCANPARSE;
  if (k.style == 1) style |= DTS_UPDOWN;
  return style;
}

class DatePickerUnit : public KindObject {
 public:
  DatePickerUnit() : KindObject(DatePickerKind{}) {}

  // Digits and arrows set the date fields: every key is the picker's own.
  bool TakesTyping() const override { return true; }

  bool Create(const KindCreateArgs& args) override {
    static bool registered = [] {
      INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
      return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)registered;
    Begin(args);
    const DatePickerKind& k = kind<DatePickerKind>();
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | args.style | PickerStyles(k);
    DWORD ex_style = 0;
    StyleForBorder(int(k.border), &style, &ex_style);
    HWND window = CreateWindowExA(ex_style, DATETIMEPICK_CLASSA, "", style, args.x, args.y,
                                  args.width, args.height, args.parent,
                                  reinterpret_cast<HMENU>(INT_PTR(args.child_id)),
                                  GetModuleHandleA(nullptr), nullptr);
    if (!Adopt(window)) return false;
    font_.Assign(k.font.data(), k.font.size());
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), FALSE);
    SetRange();
    SetDate(k.current_date);
    return true;
  }

 protected:
  bool RaisesFocusEvents() const override { return true; }

  void RefreshFromWindow() override {
    if (!hwnd_) return;
    SYSTEMTIME st{};
    if (SendMessageA(hwnd_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID)
      kind<DatePickerKind>().current_date = ToDate(st);
  }

  void Apply(int32_t index) override {
    const DatePickerKind& k = kind<DatePickerKind>();
    switch (definition::ApplyOf<DatePickerKind>(index)) {
      case DatePickerApply::Style: {
        constexpr DWORD kMine = DTS_APPCANPARSE | DTS_UPDOWN;
        DWORD style = DWORD(GetWindowLongA(hwnd_, GWL_STYLE)) & ~kMine;
        SetWindowLongA(hwnd_, GWL_STYLE, LONG(style | (PickerStyles(k) & kMine)));
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
      }
      case DatePickerApply::Date: SetDate(k.current_date); break;
      case DatePickerApply::Range: SetRange(); break;
      case DatePickerApply::Font:
        font_.Assign(k.font.data(), k.font.size());
        SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), TRUE);
        break;
      case DatePickerApply::Border: ApplyBorder(hwnd_, int(k.border)); break;
      case DatePickerApply::Stored: break;
    }
  }

 private:
  void SetRange() {
    const DatePickerKind& k = kind<DatePickerKind>();
    SYSTEMTIME range[2] = {};
    WPARAM flags = 0;
    if (k.earliest_date != 0 && ToSystemTime(k.earliest_date, &range[0])) flags |= GDTR_MIN;
    if (k.latest_date != 0 && ToSystemTime(k.latest_date, &range[1])) flags |= GDTR_MAX;
    SendMessageA(hwnd_, DTM_SETRANGE, flags, reinterpret_cast<LPARAM>(range));
  }

  // 0 stands for the current date and time.
  void SetDate(double date) {
    SYSTEMTIME st{};
    if (date == 0 || !ToSystemTime(date, &st)) GetLocalTime(&st);
    SendMessageA(hwnd_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
  }

  ControlFont font_;
};

}  // namespace

namespace kinds {
void* DatePickerKindInterface(int operation) { return KindInterfaceOf<DatePickerUnit>(operation); }
}  // namespace kinds

}  // namespace talv
