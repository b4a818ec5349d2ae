#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/DisplayMode.h"
#include "core/SettingsStore.h"

namespace vw {

struct StartupDecision {
  DisplayMode mode = DisplayMode::End;
  std::string commandLine;         // normalised
  std::int32_t previewParent = 0;  // preview only
  bool stoppedByGuard = false;     // a second full-screen run was refused
};

// Trimmed of surrounding spaces and lower-cased (ASCII letters only: mode words are ASCII).
std::string NormaliseCommandLine(std::string_view raw);

// The value of the longest tail of the text that reads as a number, or 0 when there is none
// or when that number lies outside INT32_MIN to 2^32 - 1; from 2^31 up, the same 32 bits.
std::int32_t ParsePreviewHandle(std::string_view text);

// Start-up up to the choice of mode, without windows: writes the missing defaults, normalises
// the command line, applies the second-instance guard, remembers the command line and
// chooses the mode. wWinMain calls it and then creates the windows.
StartupDecision DecideStartup(ISettingsStore& store, std::string_view rawArguments,
                              bool anotherInstanceRunning);

}  // namespace vw
