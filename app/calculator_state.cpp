#include "app/calculator_state.h"

#include <cmath>
#include <cstring>

#include "app/runtime_api.h"

namespace talv::app {

char* BaseDirectory = nullptr;
int32_t PendingOperator = 0;
double* Operands = nullptr;
int32_t ReplaceEntry = 0;
LayoutRecord* MainLayout = nullptr;
LayoutRecord** ChildLayouts = nullptr;
int32_t ChildLayoutCount = 0;
int32_t Closing = 0;

bool FirstOperandHeld() { return std::fabs(FirstOperand()) > kHeldOperandThreshold; }

void CreateState() {
  Operands = static_cast<double*>(rt::Allocate(3 * sizeof(double)));
  for (int i = 0; i < 3; ++i) Operands[i] = 0;
  MainLayout = static_cast<LayoutRecord*>(rt::Allocate(sizeof(LayoutRecord)));
  *MainLayout = LayoutRecord{0, 0, 0, 0, 0};
  ChildLayouts = nullptr;
  ChildLayoutCount = 0;
  PendingOperator = 0;
  ReplaceEntry = 0;
  Closing = 0;
}

void ClearChildLayouts() {
  for (int32_t i = 0; i < ChildLayoutCount; ++i) rt::Free(ChildLayouts[i]);
  rt::Free(ChildLayouts);
  ChildLayouts = nullptr;
  ChildLayoutCount = 0;
}

void AppendChildLayout(const LayoutRecord& record) {
  auto* copy = static_cast<LayoutRecord*>(rt::Allocate(sizeof(LayoutRecord)));
  *copy = record;
  ChildLayouts = static_cast<LayoutRecord**>(
      rt::Reallocate(ChildLayouts, size_t(ChildLayoutCount + 1) * sizeof(LayoutRecord*)));
  ChildLayouts[ChildLayoutCount++] = copy;
}

void SetBaseDirectory(const char* directory) {
  char* copy = nullptr;
  if (directory && *directory) {
    const size_t n = std::strlen(directory);
    copy = static_cast<char*>(rt::Allocate(n + 1));
    std::memcpy(copy, directory, n + 1);
  }
  rt::Free(BaseDirectory);
  BaseDirectory = copy;
}

void CleanUpState() {
  rt::Free(BaseDirectory);
  BaseDirectory = nullptr;
  rt::Free(Operands);
  Operands = nullptr;
  rt::Free(MainLayout);
  MainLayout = nullptr;
  ClearChildLayouts();
}

}  // namespace talv::app
