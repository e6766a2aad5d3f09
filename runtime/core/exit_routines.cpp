#include "runtime/core/exit_routines.h"

#include <algorithm>
#include <vector>

namespace talv {
namespace {
std::vector<ExitRoutine>& List() {
  static std::vector<ExitRoutine> list;
  return list;
}
}  // namespace

void RegisterExitRoutine(ExitRoutine routine) {
  if (!routine) return;
  auto& list = List();
  if (std::find(list.begin(), list.end(), routine) == list.end()) list.push_back(routine);
}

void RunExitRoutines() {
  std::vector<ExitRoutine> routines;
  routines.swap(List());
  for (ExitRoutine routine : routines) routine();
}

void ClearExitRoutines() { List().clear(); }
size_t ExitRoutineCount() { return List().size(); }

}  // namespace talv
