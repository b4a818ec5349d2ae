#include <windows.h>

#include <commctrl.h>

#include <utility>

#include "win32/Modes.h"
#include "win32/SettingsDialogWin32.h"

namespace vw::win32 {

int RunSettingsDialog(ISettingsStore& store, HINSTANCE instance, DialogSystem system) {
  // Version 6 of the common controls (asked for by the manifest) draws them in the system's
  // visual style.
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  SettingsWindow dialog(instance, store, std::move(system));
  const int code = dialog.Run();
  // The store is written. A printer worker still blocked in the spooler's driver code would
  // hang ExitProcess (the driver's detach code waits for a lock that worker holds): end
  // without running anyone's detach code.
  if (!dialog.PrinterAnswered()) TerminateProcess(GetCurrentProcess(), static_cast<UINT>(code));
  return code;
}

}  // namespace vw::win32
