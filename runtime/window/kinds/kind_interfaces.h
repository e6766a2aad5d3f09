// The kind interfaces of the runtime's eight kinds, and their registration
// in the kind table (runtime/window/model/kind_table.h). Target only (each
// interface lives in its kind's kind_<name>_win32.cpp).
#pragma once

namespace talv::kinds {

void* WindowKindInterface(int operation);
void* EditBoxKindInterface(int operation);
void* GroupBoxKindInterface(int operation);
void* LabelKindInterface(int operation);
void* ButtonKindInterface(int operation);
void* DatePickerKindInterface(int operation);
void* HyperLinkerKindInterface(int operation);
void* PicBtnKindInterface(int operation);

// Puts the eight interfaces into the kind table (the window runtime does
// this at start-up). Idempotent.
void InstallKindInterfaces();

}  // namespace talv::kinds
