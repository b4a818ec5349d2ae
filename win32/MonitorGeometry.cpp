#include "win32/MonitorGeometry.h"

namespace vw::win32 {

RECT VirtualScreenRect() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
          top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

LayoutArea PrimaryAreaIn(const RECT& window) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  RECT primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  // The primary monitor is the one holding the screen origin.
  if (GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info))
    primary = info.rcMonitor;
  return {primary.left - window.left, primary.top - window.top, primary.right - primary.left,
          primary.bottom - primary.top};
}

}  // namespace vw::win32
