#pragma once
// The end-to-end test driver: a small Win32 program that plays the part of Windows (the
// display-settings dialog that hosts a preview) and of a user (clicks, typing), and reads
// what a test cannot see from Linux (window places and styles, another process's controls).
// Each command is a function registered under a name; it prints key=value lines.
#include <windows.h>

#include <string>
#include <vector>

namespace vwtest {

using Args = std::vector<std::wstring>;
using CommandFn = int (*)(const Args& args);

struct CommandRegistration {
  CommandRegistration(const wchar_t* name, const wchar_t* usage, CommandFn fn);
};

#define VW_DRIVER_COMMAND(name, usage, fn) \
  static const ::vwtest::CommandRegistration fn##_registration(name, usage, fn)

// Helpers shared by the command files.
std::string Utf8(const std::wstring& text);
long ToLong(const std::wstring& text);
std::wstring ClassOf(HWND hwnd);
// Text of a window in any process (WM_GETTEXT, which works across processes).
std::wstring TextOf(HWND hwnd);
// The first visible top-level window of the class, 0 when none appears within `ms`.
HWND WaitForTopLevel(const std::wstring& className, DWORD ms);
// Prints "key=value" lines describing the window.
void PrintWindowInfo(const char* prefix, HWND hwnd);
// Runs the message loop of this thread for `ms` milliseconds.
void PumpFor(DWORD ms);
// A white top-level window with a client area of width x height at (x, y), shown, that
// leaves its children's area to them, as the display-settings dialog's preview control does.
HWND MakePreviewHost(const wchar_t* title, long width, long height, int x, int y);
// Starts a program with a command line.
bool Launch(const std::wstring& program, const std::wstring& arguments, PROCESS_INFORMATION& pi);

}  // namespace vwtest
