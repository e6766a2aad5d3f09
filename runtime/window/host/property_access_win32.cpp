// Property reads and writes by (Window id, Control id, property index,
// member index): the common properties 0-7 from the unit record or the live
// window, the kind's own through its live object, with the kind data stored
// back after each kind-property write.
#include "runtime/core/blocks.h"
#include "runtime/core/property_host.h"
#include "runtime/core/runtime_error.h"
#include "runtime/core/typed_value.h"
#include "runtime/window/model/event_dispatch.h"
#include "runtime/window/kinds/kind_object_win32.h"
#include "runtime/window/host/window_runtime_win32.h"

namespace talv {
namespace {

using definition::UnitRecordView;
namespace PropertyType = kinds::PropertyType;
using kinds::PropertyValue;

constexpr char kMissing[] = "指定窗口或窗口组件不存在或尚未载入";

struct Target {
  WindowObject* window;
  uint32_t unit;
  KindObject* object;  // null while the window is not live
  const kinds::KindDescriptor* kind;
};

Target Find(int32_t window_id, int32_t control_id) {
  WindowObject* w = FindWindowObject(uint32_t(window_id));
  if (!w) RaiseRuntimeError(0, kMissing, window_id, control_id);
  int32_t unit = w->FindUnit(uint32_t(control_id));
  if (unit < 0) RaiseRuntimeError(0, kMissing, window_id, control_id);
  auto* object = w->IsLive() ? static_cast<KindObject*>(w->ObjectOf(uint32_t(unit))) : nullptr;
  if (object && !IsWindow(object->hwnd())) object = nullptr;
  return {w, uint32_t(unit), object, kinds::FindKind(w->units[size_t(unit)].kind_word)};
}

// The window rectangle in the coordinates its position is given in: the
// parent's client area for a child, the screen otherwise.
RECT PlacedRect(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  if ((GetWindowLongA(window, GWL_STYLE) & (WS_CHILD | WS_POPUP)) == WS_CHILD) {
    if (HWND parent = GetParent(window))
      MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  return r;
}

UnitRecordView Record(const Target& t) {
  UnitRecordView v;
  if (!t.window->Walk(t.unit, &v)) RaiseRuntimeError(0, kMissing, int32_t(t.window->id()), 0);
  return v;
}

uint64_t Integer(int32_t value) { return uint64_t(uint32_t(value)); }

uint64_t ReadCommon(const Target& t, int32_t property) {
  using P = definition::CommonProperty;
  UnitRecordView v = Record(t);
  HWND live = t.object ? t.object->hwnd() : nullptr;
  switch (property) {
    case P::Left: case P::Top: case P::Width: case P::Height: {
      if (!live) {
        const int32_t stored[4] = {v.left, v.top, v.width, v.height};
        return Integer(stored[property]);
      }
      RECT r = PlacedRect(live);
      const int32_t values[4] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
      return Integer(values[property]);
    }
    case P::Tag: {
      TypedValue tv{0, 0, 0};
      SetPointer(tv, NewText(v.tag.data(), v.tag.size()));
      return RawBits(tv);
    }
    case P::Visible: return live ? Integer(IsWindowVisible(live) ? 1 : 0) : Integer(v.flags & 1);
    case P::Disabled: return live ? Integer(IsWindowEnabled(live) ? 0 : 1) : Integer((v.flags >> 1) & 1);
    case P::Cursor: {
      TypedValue tv{0, 0, 0};
      SetPointer(tv, NewByteArray(v.cursor_data.data, v.cursor_data.size));
      return RawBits(tv);
    }
    default: return 0;
  }
}

void WriteCommon(const Target& t, int32_t property, uint64_t raw) {
  using P = definition::CommonProperty;
  UnitRecordView v = Record(t);
  definition::ControlTable& table = t.window->working;
  HWND live = t.object ? t.object->hwnd() : nullptr;
  const int32_t value = int32_t(uint32_t(raw));
  switch (property) {
    case P::Left: case P::Top: {
      int32_t left = v.left, top = v.top;
      (property == P::Left ? left : top) = kinds::ClampPosition(value);
      table.SetGeometry(t.unit, left, top, v.width, v.height);
      if (live) {
        RECT r = PlacedRect(live);
        int x = property == P::Left ? left : r.left, y = property == P::Top ? top : r.top;
        SetWindowPos(live, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return;
    }
    case P::Width: case P::Height: {
      int32_t width = v.width, height = v.height;
      (property == P::Width ? width : height) = kinds::ClampSize(value);
      table.SetGeometry(t.unit, v.left, v.top, width, height);
      if (live) {
        RECT r = PlacedRect(live);
        int cx = property == P::Width ? width : r.right - r.left;
        int cy = property == P::Height ? height : r.bottom - r.top;
        SetWindowPos(live, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return;
    }
    case P::Tag: {
      PropertyValue p = kinds::DecodePropertyValue(PropertyType::Text, raw);
      // A tag holds no NUL: it ends at the first one.
      table.SetTag(t.unit, std::string_view(p.text.c_str()));
      return;
    }
    case P::Visible: {
      const bool visible = (raw & 0xFFFFFFFFu) != 0;
      table.SetFlags(t.unit, (v.flags & ~1u) | (visible ? 1u : 0u));
      if (live) ShowWindow(live, visible ? (t.unit == 0 ? SW_SHOW : SW_SHOWNA) : SW_HIDE);
      return;
    }
    case P::Disabled: {
      const bool disabled = (raw & 0xFFFFFFFFu) != 0;
      table.SetFlags(t.unit, (v.flags & ~2u) | (disabled ? 2u : 0u));
      if (live) EnableWindow(live, !disabled);
      return;
    }
    case P::Cursor: {
      PropertyValue p = kinds::DecodePropertyValue(PropertyType::Cursor, raw);
      table.SetCursorData(t.unit, p.bytes.data(), p.bytes.size());
      if (t.object) {
        t.object->cursor().Assign(p.bytes.data(), p.bytes.size());
        POINT at;  // the new cursor shows at once
        if (GetCursorPos(&at)) SetCursorPos(at.x, at.y);
      }
      return;
    }
    default: return;
  }
}

KindObject* LiveObjectOrError(const Target& t, int32_t window_id, int32_t control_id) {
  if (!t.object) RaiseRuntimeError(0, kMissing, window_id, control_id);
  return t.object;
}

// The font block a member write starts from: the current one, or the
// default GUI font's when the property holds none.
definition::Bytes FontBase(const PropertyValue& current) {
  return current.bytes.size() == definition::kLogFontSize ? current.bytes : DefaultGuiFontBlock();
}

class WindowPropertyHost : public PropertyHost {
 public:
  bool IsWindowLoaded(int32_t window_id) override {
    return FindWindowObject(uint32_t(window_id)) != nullptr;
  }
  bool HasLiveWindow(int32_t window_id) override {
    WindowObject* w = FindWindowObject(uint32_t(window_id));
    return w && w->IsLive();
  }

  uint64_t ReadProperty(int32_t window_id, int32_t control_id, int32_t property,
                        int32_t member) override {
    Target t = Find(window_id, control_id);
    if (property < kFirstKindProperty) return ReadCommon(t, property);
    const uint16_t type = t.kind ? kinds::PropertyTypeOf(*t.kind, property) : 0;
    if (type == 0) return 0;
    KindObject* o = LiveObjectOrError(t, window_id, control_id);
    PropertyValue value;
    if (!o->ReadKindProperty(property, &value)) return 0;
    if (type == PropertyType::Font && member >= 0) {
      PropertyValue part;
      part.integer = kinds::FontMemberValue(FontBase(value), member, ScreenPixelsPerInch(),
                                            &part.text);
      return kinds::EncodePropertyValue(
          member == kinds::FontMember::Face ? PropertyType::Text : PropertyType::Integer, part);
    }
    return kinds::EncodePropertyValue(type, value);
  }

  void WriteProperty(int32_t window_id, int32_t control_id, int32_t property, int32_t member,
                     uint64_t raw) override {
    Target t = Find(window_id, control_id);
    if (property < kFirstKindProperty) {
      WriteCommon(t, property, raw);
      return;
    }
    const uint16_t type = t.kind ? kinds::PropertyTypeOf(*t.kind, property) : 0;
    if (type == 0) return;
    KindObject* o = LiveObjectOrError(t, window_id, control_id);
    PropertyValue value;
    if (type == PropertyType::Font) {
      PropertyValue current;
      o->ReadKindProperty(property, &current);
      const int32_t ppi = ScreenPixelsPerInch();
      if (member < 0) {
        TypedValue tv{0, 0, 0};
        SetRawBits(tv, raw);
        // No record stands for no font of its own: the default GUI font.
        if (const auto* record = static_cast<const kinds::FontRecord*>(AsPointer(tv)))
          value.bytes = kinds::ApplyFontRecord(FontBase(current), *record, ppi);
      } else {
        PropertyValue part = kinds::DecodePropertyValue(
            member == kinds::FontMember::Face ? PropertyType::Text : PropertyType::Integer, raw);
        value.bytes = kinds::ApplyFontMember(FontBase(current), member, part.integer, part.text,
                                             ppi);
      }
    } else {
      value = kinds::DecodePropertyValue(type, raw);
    }
    if (!o->WriteKindProperty(property, value)) return;
    StoreBack(t, o);
  }

  void* LiveObject(int32_t window_id, int32_t control_id) override {
    return FindLiveObject(window_id, control_id);
  }

 private:
  // The kind's complete data replaces the unit's, events suspended.
  static void StoreBack(const Target& t, KindObject* o) {
    SuspendEvents();
    definition::Bytes data = o->ProduceKindData();
    t.window->working.StoreKindData(t.unit, data);
    ResumeEvents();
  }
};

}  // namespace

PropertyHost& WindowPropertyHostInstance() {
  static WindowPropertyHost host;
  return host;
}

KindObject* FindLiveObject(int32_t window_id, int32_t control_id) {
  WindowObject* w = FindWindowObject(uint32_t(window_id));
  if (!w || !w->IsLive()) return nullptr;
  int32_t unit = w->FindUnit(uint32_t(control_id));
  if (unit < 0) return nullptr;
  auto* o = static_cast<KindObject*>(w->ObjectOf(uint32_t(unit)));
  return o && IsWindow(o->hwnd()) ? o : nullptr;
}

KindObject* RequireLiveObject(int32_t window_id, int32_t control_id) {
  KindObject* o = FindLiveObject(window_id, control_id);
  if (!o) RaiseRuntimeError(0, kMissing, window_id, control_id);
  return o;
}

}  // namespace talv
