// The live object of a unit on the target: the unit's Win32 window, its
// current kind values, its cursor, and the kind's answers to property reads
// and writes. Each kind derives from KindObject in a file of its own
// (kind_<name>_win32.cpp) and publishes its operations through its kind
// interface (kind_interfaces.h). Target only (Win32).
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/window/definition/definition_kinds.h"
#include "runtime/window/kinds/control_window_win32.h"
#include "runtime/window/kinds/cursor_block_win32.h"
#include "runtime/window/kinds/kind_properties.h"
#include "runtime/window/model/kind_table.h"
#include "runtime/window/model/window_list.h"

namespace talv {

// What the create operation receives.
struct KindCreateArgs {
  const uint8_t* kind_data = nullptr;  // the unit's kind-data block
  size_t kind_data_size = 0;
  DWORD style = 0;       // WS_DISABLED and WS_TABSTOP from the unit's flags
  HWND parent = nullptr;  // null for a window unit
  int child_id = 0;      // 100, 110, ... in creation order
  int x = 0, y = 0, width = 0, height = 0;
  WindowObject* window = nullptr;
  uint32_t unit = 0;
  uint32_t control_id = 0;
};

// Where a kind that draws its own control window puts it: the create
// arguments' parent, child id, rectangle and style.
ControlPlacement PlacementForKind(const KindCreateArgs& args);

// F1 on a window unit: opens its help file (kind_window_win32.cpp).
class KindObject;
void OpenWindowHelp(KindObject* window_unit);

class KindObject {
 public:
  virtual ~KindObject();
  KindObject(const KindObject&) = delete;
  KindObject& operator=(const KindObject&) = delete;

  HWND hwnd() const { return hwnd_; }
  WindowObject* window() const { return window_; }
  uint32_t unit() const { return unit_; }
  uint32_t control_id() const { return control_id_; }
  const definition::KindData& data() const { return data_; }
  ControlCursor& cursor() { return cursor_; }

  // ---- the kind operations ----
  // 1: builds the window from the kind data (false: the load fails).
  virtual bool Create(const KindCreateArgs& args) = 0;
  // 6: reads kind property `index` (live values first).
  virtual bool ReadKindProperty(int32_t index, kinds::PropertyValue* out);
  // Writes kind property `index` and applies it to the live window; true
  // when the kind data must be stored back (4).
  virtual bool WriteKindProperty(int32_t index, const kinds::PropertyValue& value);
  // 5: the complete kind data at the kind's version, live values included.
  definition::Bytes ProduceKindData();
  // 8: whether the control claims key `vk` while it has the focus.
  virtual bool ClaimsKey(UINT vk) { return false; }
  // Whether the control takes what is typed while it has the focus (an
  // editable edit box, a date picker): the window's shortcut keys are then
  // its own keys.
  virtual bool TakesTyping() const { return false; }
  // The kind's click, as the mouse gives it: a Button raises its click
  // event. False for kinds that have no click.
  virtual bool Click() { return false; }

  // ---- what the window passes on to its controls ----
  virtual void OnCommand(WORD code) {}
  virtual LRESULT OnNotify(NMHDR* header) { return 0; }
  // WM_CTLCOLOR*: a brush (null: default handling).
  virtual HBRUSH OnControlColour(HDC dc) { return nullptr; }
  // After every control of the window exists (the all-created message).
  virtual void AllCreated() {}

  // The background colour that pictures of controls on this unit's window
  // are composed over (COLORREF).
  virtual COLORREF BackdropColour() const;

  // Raises event `index` of this unit.
  struct Raised {
    bool returned;  // the handler returned a value
    bool refused;   // ... and it was false
  };
  Raised Raise(int32_t index, int32_t count = 0, int32_t a1 = 0, int32_t a2 = 0,
               int32_t a3 = 0) const;

  // The unit's object for a window handle (the unit's own window or one
  // inside it); null when none.
  static KindObject* FromWindow(HWND window);
  static KindObject* FromWindowOrAncestor(HWND window);

 protected:
  explicit KindObject(definition::KindData defaults) : data_(std::move(defaults)) {}
  // Keeps the create arguments and reads the kind data (defaults for an
  // empty or unreadable block).
  void Begin(const KindCreateArgs& args);
  // Adopts the created window: marks it as this unit's and, for windows of
  // other classes, puts the runtime's window procedure in front of theirs.
  bool Adopt(HWND window, bool subclass = true);
  // Pulls values only the live window knows into data_ (content, selection,
  // the chosen date); before reads and before the kind data is produced.
  virtual void RefreshFromWindow() {}
  // Applies kind property `index` of data_ to the live window.
  virtual void Apply(int32_t index) {}
  // Whether the kind raises the got/lost-focus events (-7, -8).
  virtual bool RaisesFocusEvents() const { return false; }
  // Messages of the control's own window before its class sees them;
  // true with *result when answered.
  virtual bool OnOwnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
    return false;
  }
  LRESULT CallOriginal(UINT message, WPARAM wparam, LPARAM lparam);

  template <class K>
  K& kind() { return std::get<K>(data_); }
  template <class K>
  const K& kind() const { return std::get<K>(data_); }

  definition::KindData data_;
  HWND hwnd_ = nullptr;
  WindowObject* window_ = nullptr;
  uint32_t unit_ = 0;
  uint32_t control_id_ = 0;

 private:
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
  void Forget();
  friend LRESULT HandleWindowMessage(KindObject*, HWND, UINT, WPARAM, LPARAM, bool*);
  WNDPROC original_ = nullptr;
  ControlCursor cursor_;
};

// Answers what a window passes to its controls (WM_COMMAND, WM_NOTIFY,
// WM_CTLCOLOR*, WM_SETCURSOR); *handled tells whether it did.
LRESULT RouteToControls(HWND window, UINT message, WPARAM wparam, LPARAM lparam, bool* handled);

// The kind interface of a kind class K: operation 1 makes a K and calls
// Create; 4, 5, 6 and 8 call the object's members.
using CreateOperation = KindObject* (*)(const KindCreateArgs& args);
using PropertyWrittenOperation = int (*)(KindObject* object, int32_t index,
                                         const kinds::PropertyValue* value);
using KindDataOperation = void (*)(KindObject* object, definition::Bytes* out);
using ReadPropertyOperation = int (*)(KindObject* object, int32_t index,
                                      kinds::PropertyValue* out);
using ClaimsKeyOperation = int (*)(KindObject* object, UINT vk);

template <class K>
void* KindInterfaceOf(int operation) {
  switch (operation) {
    case kinds::KindOperation::Create:
      return reinterpret_cast<void*>(static_cast<CreateOperation>(
          [](const KindCreateArgs& args) -> KindObject* {
            auto* object = new K;
            if (object->Create(args)) return object;
            delete object;
            return nullptr;
          }));
    case kinds::KindOperation::PropertyWritten:
      return reinterpret_cast<void*>(static_cast<PropertyWrittenOperation>(
          [](KindObject* o, int32_t index, const kinds::PropertyValue* v) -> int {
            return o->WriteKindProperty(index, *v) ? 1 : 0;
          }));
    case kinds::KindOperation::KindData:
      return reinterpret_cast<void*>(static_cast<KindDataOperation>(
          [](KindObject* o, definition::Bytes* out) { *out = o->ProduceKindData(); }));
    case kinds::KindOperation::ReadProperty:
      return reinterpret_cast<void*>(static_cast<ReadPropertyOperation>(
          [](KindObject* o, int32_t index, kinds::PropertyValue* out) -> int {
            return o->ReadKindProperty(index, out) ? 1 : 0;
          }));
    case kinds::KindOperation::ClaimsKey:
      return reinterpret_cast<void*>(static_cast<ClaimsKeyOperation>(
          [](KindObject* o, UINT vk) -> int { return o->ClaimsKey(vk) ? 1 : 0; }));
    default: return nullptr;
  }
}

// Calls operation `operation` of a kind (null when it has none).
template <class F>
F KindOperationOf(const kinds::KindDescriptor* kind, int operation) {
  if (!kind || !kind->operations) return nullptr;
  return reinterpret_cast<F>(kind->operations(operation));
}

// Shared helpers of the kinds.
COLORREF ColourOf(uint32_t colour);  // the default colour: the button face
// The LOGFONTA of the default GUI font, as a 60-byte block.
definition::Bytes DefaultGuiFontBlock();
int32_t ScreenPixelsPerInch();

}  // namespace talv
