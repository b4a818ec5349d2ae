// Entry point of Vellumway.scr: holds the running mark, lets DecideStartup choose the mode,
// then runs the display window or the settings dialog.
#include <windows.h>

#include <string>

#include "app/ProgramState.h"
#include "app/Startup.h"
#include "win32/Modes.h"
#include "win32/RegistrySettingsStore.h"
#include "win32/WinText.h"

namespace {

// The arguments part of the process command line: the program name (quoted or not) removed.
std::wstring ArgumentsOf(const wchar_t* commandLine) {
  const wchar_t* p = commandLine;
  if (*p == L'"') {
    ++p;
    while (*p && *p != L'"') ++p;
    if (*p == L'"') ++p;
  } else {
    while (*p && *p != L' ' && *p != L'\t') ++p;
  }
  return std::wstring(p);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Held for the life of the process, so a later start can tell that we are running.
  HANDLE running = CreateMutexW(nullptr, FALSE, L"Local\\VellumwayScreenSaverRunning");
  const bool anotherRunning = running != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;

  vw::win32::RegistrySettingsStore store;
  vw::ProgramState program;
  const vw::StartupDecision decision = vw::DecideStartup(
      store, vw::win32::Narrow(ArgumentsOf(GetCommandLineW())), anotherRunning);

  int exitCode = 0;
  switch (decision.mode) {
    case vw::DisplayMode::FullScreen:
    case vw::DisplayMode::Preview:
      exitCode = vw::win32::RunDisplay(program, store, decision, instance);
      break;
    case vw::DisplayMode::Configure:
      exitCode = vw::win32::RunSettingsDialog(store, instance);
      break;
    case vw::DisplayMode::End:
      break;
  }
  if (running) CloseHandle(running);
  return exitCode;
}
