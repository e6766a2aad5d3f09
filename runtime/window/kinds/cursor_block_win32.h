// Cursors from cursor data: system cursors, the program's own hand cursor
// for IDC_HAND, and cursor file images. Target only (Win32).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace talv {

// The program's hand cursor (cursor resource 1032 of the program file), or
// the system's hand cursor when the program has none. Shared, never destroyed.
HCURSOR ProgramHandCursor();

// A cursor made from cursor data. `handle` is null for the default cursor;
// `owned` cursors (made from file images) are destroyed with the object.
class ControlCursor {
 public:
  ControlCursor() = default;
  ControlCursor(const void* data, size_t size) { Assign(data, size); }
  ~ControlCursor() { Release(); }
  ControlCursor(const ControlCursor&) = delete;
  ControlCursor& operator=(const ControlCursor&) = delete;

  // Destroys the old cursor (when owned) and makes the new one.
  void Assign(const void* data, size_t size);
  HCURSOR handle() const { return handle_; }
  bool owned() const { return owned_; }

 private:
  void Release();
  HCURSOR handle_ = nullptr;
  bool owned_ = false;
};

// The cursor that `data` asks for (see ChooseCursor): a new cursor from a
// file image (*owned = true), a shared system cursor or the program's hand,
// or null for the default cursor — also for data that is not a valid cursor.
HCURSOR CursorFromData(const void* data, size_t size, bool* owned);

// A new cursor from a CUR (or ICO) file image; null when it is not one.
HCURSOR CursorFromFileImage(const uint8_t* data, size_t size);

}  // namespace talv
