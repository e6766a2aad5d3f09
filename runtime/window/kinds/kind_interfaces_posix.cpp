// The native build creates no windows: its kinds have no operations.
#include "runtime/window/kinds/kind_table.h"

namespace talv::kinds {
void* WindowKindInterface(int) { return nullptr; }
void* EditBoxKindInterface(int) { return nullptr; }
void* GroupBoxKindInterface(int) { return nullptr; }
void* LabelKindInterface(int) { return nullptr; }
void* ButtonKindInterface(int) { return nullptr; }
void* DatePickerKindInterface(int) { return nullptr; }
void* HyperLinkerKindInterface(int) { return nullptr; }
void* PicBtnKindInterface(int) { return nullptr; }
}  // namespace talv::kinds
