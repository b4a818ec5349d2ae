#pragma once
// What the Win32 frame programs share (the growth frame checks and the frame benchmark): a
// message pump, a window procedure that paints nothing of its own, and a display host with a
// fixed clock whose capture each program chooses.
#include <windows.h>

#include <string>

#include "core/DisplayHost.h"

namespace vw::win32 {

inline void Pump() {
  for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); DispatchMessageW(&msg))
    TranslateMessage(&msg);
}

// Every pixel of the window comes from the frames copied onto it.
inline LRESULT CALLBACK QuietWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_PAINT) return ValidateRect(hwnd, nullptr), 0;  // painted: nothing to add
  return DefWindowProcW(hwnd, msg, wp, lp);
}

class FixedClockHost : public IDisplayHost {
 public:
  void ShowCursor(bool) override {}
  double SecondsSinceMidnight() const override { return 45296.0; }
  std::string ProgramFolder() const override { return {}; }
  void EndProgram() override {}
};

}  // namespace vw::win32
