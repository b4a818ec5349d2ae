#pragma once
#include <windows.h>

#include "app/ProgramState.h"
#include "app/Startup.h"
#include "core/SettingsStore.h"

namespace vw::win32 {

// Full screen or preview: creates, places and runs the display window until it unloads.
int RunDisplay(ProgramState& program, ISettingsStore& store, const StartupDecision& decision,
               HINSTANCE instance);

// Configuration: shows the settings dialog until it closes.
int RunSettingsDialog(ISettingsStore& store, HINSTANCE instance);

}  // namespace vw::win32
