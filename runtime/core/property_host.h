// What the property gates and the component services need from the window
// runtime: the loaded windows, their live window objects, and property
// access by (Window id, Control id, property index, member index). The
// window runtime implements this and registers it; until then no window is
// loaded and every property access is the runtime error for that.
#pragma once

#include <cstdint>

namespace talv {

class PropertyHost {
 public:
  virtual ~PropertyHost() = default;
  // Whether window `window_id` is among the loaded windows (in the window list).
  virtual bool IsWindowLoaded(int32_t window_id) = 0;
  // Whether that window has a live window object now.
  virtual bool HasLiveWindow(int32_t window_id) = 0;
  // The 8-byte value of a property (low word first); texts, byte arrays and
  // arrays come back as fresh blocks owned by the caller. `member` is -1 for
  // the whole value. The gates have checked the window before calling.
  virtual uint64_t ReadProperty(int32_t window_id, int32_t control_id, int32_t property,
                                int32_t member) = 0;
  // Writes a property; the host copies texts and blocks it is given.
  virtual void WriteProperty(int32_t window_id, int32_t control_id, int32_t property,
                             int32_t member, uint64_t value) = 0;
  // The live window or control object for (Window id, Control id): null
  // when the window is not loaded, the unit does not exist or its window
  // handle is no longer a valid window.
  virtual void* LiveObject(int32_t window_id, int32_t control_id) = 0;
};

// Registers the host (null: no window runtime, no window loaded).
void SetPropertyHost(PropertyHost* host);
PropertyHost* CurrentPropertyHost();

// Property indexes 0 to 7 are common to all kinds; from 8 on they are the
// kind's own.
constexpr int32_t kFirstKindProperty = 8;

}  // namespace talv
