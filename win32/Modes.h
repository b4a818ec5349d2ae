#pragma once
#include <windows.h>

#include "app/ProgramState.h"
#include "app/Startup.h"
#include "core/SettingsStore.h"
#include "win32/SettingsDialogWin32.h"

namespace vw::win32 {

// Full screen or preview: creates, places and runs the display window until it unloads.
int RunDisplay(ProgramState& program, ISettingsStore& store, const StartupDecision& decision,
               HINSTANCE instance, DpiCalls dpi = SystemDpiCalls());

// Configuration: shows the settings dialog until it closes; ends the process at once when the
// printer's faces have still not come.
int RunSettingsDialog(ISettingsStore& store, HINSTANCE instance, DialogSystem system = {});

}  // namespace vw::win32
