#include <windows.h>

#include "platform/win32/Modes.h"

namespace vw::win32 {

// The display window arrives with its own change; until then these modes open nothing.
int RunDisplay(ProgramState&, ISettingsStore&, const StartupDecision& decision, HINSTANCE) {
  if (decision.mode == StartMode::Preview) {
    // A handle that is not a window: end quietly rather than leave an invisible process.
    HWND parent = static_cast<HWND>(LongToHandle(decision.previewParent));
    if (!IsWindow(parent)) return 0;
  }
  return 0;
}

}  // namespace vw::win32
