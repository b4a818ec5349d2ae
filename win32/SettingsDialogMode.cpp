#include <windows.h>

#include <commctrl.h>

#include "win32/Modes.h"
#include "win32/SettingsDialogWin32.h"

namespace vw::win32 {

int RunSettingsDialog(ISettingsStore& store, HINSTANCE instance) {
  // Version 6 of the common controls (asked for by the manifest) draws them in the system's
  // visual style.
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  SettingsWindow dialog(instance, store);
  return dialog.Run();
}

}  // namespace vw::win32
