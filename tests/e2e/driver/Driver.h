#pragma once
// What the driver's commands share: arguments, key=value output, waiting while pumping
// messages, and reading windows of other processes. Each command is a function
// `int Name(const Args&)` in the table of Driver.cpp.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/ControlIds.h"
#include "win32/WinText.h"

namespace vwdriver {

using Args = std::vector<std::wstring>;
using vw::win32::Narrow;

inline long Num(const std::wstring& text) { return std::wcstol(text.c_str(), nullptr, 10); }
inline void Out(const char* key, const std::string& value) {
  std::printf("%s=%s\n", key, value.c_str());
}
inline void Out(const char* key, long value) { std::printf("%s=%ld\n", key, value); }
inline std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  return name;
}
inline bool IsClass(HWND hwnd, const wchar_t* name) {
  return _wcsicmp(ClassOf(hwnd).c_str(), name) == 0;
}
// WM_GETTEXT reads another process's controls (GetWindowText does not).
inline std::wstring TextOf(HWND hwnd) {
  DWORD_PTR length = 0, copied = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 10000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  SendMessageTimeoutW(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                      SMTO_NORMAL, 10000, &copied);
  text.resize(copied);
  return text;
}
// Sends and waits at most `ms`: a handler that opens a message box returns only once the test
// has read it.
inline void Handled(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT ms = 2000) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, msg, wp, lp, SMTO_NORMAL, ms, &result);
}
inline void PumpFor(DWORD ms) {
  MSG msg;
  for (DWORD start = GetTickCount(); GetTickCount() - start < ms;) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}
// Pumps until `done` holds or `ms` have passed; whether it held.
template <class F>
bool PumpUntil(DWORD ms, F done) {
  for (DWORD start = GetTickCount(); !done(); PumpFor(20))
    if (GetTickCount() - start >= ms) return false;
  return true;
}
// The first visible top-level window of the class, 0 when none appears within `ms`.
inline HWND WaitFor(const std::wstring& cls, DWORD ms) {
  HWND found = nullptr;
  PumpUntil(ms, [&] {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, cls.c_str(), nullptr)) != nullptr;)
      if (IsWindowVisible(w)) return (found = w) != nullptr;
    return false;
  });
  return found;
}
inline HWND Dialog() { return WaitFor(vw::kSettingsWindowClass, 20000); }
inline DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}
// A user32 call of later Windows versions, loaded at run time (0 without it).
template <class F>
F User32(const char* name) {
  return reinterpret_cast<F>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}
// The key=value lines that describe a window, each key after `prefix`.
void PrintWindow(const char* prefix, HWND hwnd);
// A shown window of one colour (one colour a process).
HWND MakeWindow(DWORD style, int x, int y, int w, int h, COLORREF colour);

// The commands (Driver.cpp, DriverLaunch.cpp, DriverDialog.cpp).
int Launch(const Args&);
int FirstFrames(const Args&);
int Controls(const Args&);
int Click(const Args&);
int Set(const Args&);
int Key(const Args&);
int DpiChanged(const Args&);
int Close(const Args&);
int MsgBox(const Args&);

}  // namespace vwdriver
