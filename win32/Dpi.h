#pragma once
#include <windows.h>

namespace vw::win32 {

// The per-monitor scale calls of Windows 8.1 and 10 (1607 on), loaded at run time; a member
// is null where the system lacks the call. The windows take them as a value, so a test can
// give a window another scale than the system's, which Wine never does.
struct DpiCalls {
  UINT(WINAPI* forWindow)(HWND) = nullptr;                                // GetDpiForWindow
  HRESULT(WINAPI* forMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;     // GetDpiForMonitor
  BOOL(WINAPI* adjustForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;  // ...ExForDpi
};
DpiCalls SystemDpiCalls();

// The system DPI (LOGPIXELSY): the primary monitor's at sign-in, the same on every monitor.
int ScreenDpi();
// A window's own DPI, the system's without GetDpiForWindow.
int WindowDpi(HWND hwnd, const DpiCalls& calls);
// The scale a verse is drawn at: a preview's, its host window's; full screen, that of the
// primary monitor, where the verse is (its effective DPI now, not at sign-in); the system's
// without the calls.
int VerseDpi(HWND previewHost, const DpiCalls& calls);
// The outer rectangle of a window whose client area is `client`, at `dpi`.
RECT FrameForClient(RECT client, DWORD style, DWORD exStyle, int dpi, const DpiCalls& calls);

}  // namespace vw::win32
