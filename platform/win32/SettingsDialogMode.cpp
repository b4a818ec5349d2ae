#include "platform/win32/Modes.h"

namespace vw::win32 {

// The settings dialog arrives with its own change; until then "/c" opens nothing.
int RunSettingsDialog(ISettingsStore&, HINSTANCE) { return 0; }

}  // namespace vw::win32
