// The end of the program and of the session: closing the window, and
// log-off or shutdown, which may end the process without closing it. Each
// saves the tape and the geometry before it returns.
#include "app/handlers.h"
#include "app/layout.h"
#include "app/program_files.h"

namespace talv::app {

void CloseDown() {
  StopSpeaking();
  SaveTape();
  // A window that was only moved reopens where it was left.
  SaveGeometry();
}

void SaveForSessionEnd() {
  // The session may still go on (another program can refuse), so the
  // sounds play on; what would be lost is on the disk now.
  SaveTape();
  SaveGeometry();
}

void EndSession() {
  // Windows may end the process as soon as this returns, with no close and
  // no will-be-destroyed event: everything that closing would do happens
  // now.
  CloseDown();
}

}  // namespace talv::app
