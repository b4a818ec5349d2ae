// Commands about monitors, scale and what the screen shows: the monitor layout, a stand-in
// desktop over every monitor, and the first frames of a window.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/driver/Driver.h"

namespace vwtest {
namespace {

// Real pixels, as the DPI-aware program sees them, whatever the scale.
void UsePhysicalPixels() {
  SetProcessDPIAware();
}

std::vector<RECT> Monitors() {
  std::vector<RECT> found;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR, HDC, LPRECT r, LPARAM p) -> BOOL {
        reinterpret_cast<std::vector<RECT>*>(p)->push_back(*r);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// monitors: the virtual screen, each monitor and the scale.
int MonitorsCommand(const Args&) {
  UsePhysicalPixels();
  std::printf("virtual=%d,%d,%d,%d\n", GetSystemMetrics(SM_XVIRTUALSCREEN),
              GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
              GetSystemMetrics(SM_CYVIRTUALSCREEN));
  for (const RECT& r : Monitors())
    std::printf("monitor=%ld,%ld,%ld,%ld\n", r.left, r.top, r.right, r.bottom);
  HDC screen = GetDC(nullptr);
  std::printf("dpi=%d\n", GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  return 0;
}
VW_DRIVER_COMMAND(L"monitors", L"", MonitorsCommand);

LRESULT CALLBACK DesktopProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(reinterpret_cast<HDC>(wp), &r,
             reinterpret_cast<HBRUSH>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
    return 1;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// desktop R G B: a stand-in desktop of one colour over every monitor (Wine's capture sees
// Wine's windows only). Prints "desktop=1" once it is painted; stays until killed.
int Desktop(const Args& args) {
  if (args.size() < 3) return 2;
  UsePhysicalPixels();
  WNDCLASSW wc{};
  wc.lpfnWndProc = DesktopProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VwDesktop";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(
      0, wc.lpszClassName, L"desktop", WS_POPUP, GetSystemMetrics(SM_XVIRTUALSCREEN),
      GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
      GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr, nullptr, wc.hInstance, nullptr);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                    reinterpret_cast<LONG_PTR>(
                        CreateSolidBrush(RGB(ToLong(args[0]), ToLong(args[1]), ToLong(args[2])))));
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  PumpFor(200);
  std::printf("desktop=1\n");
  std::fflush(stdout);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
VW_DRIVER_COMMAND(L"desktop", L"R G B", Desktop);

// first-frames CLASS MS: from the moment a window of the class is visible, reads the corners
// of every monitor (8 pixels in, away from any text) as fast as it can for MS milliseconds.
// Prints the runs of what they showed, "RRGGBB:count" when all agree, "mixed:count" when not.
int FirstFrames(const Args& args) {
  if (args.size() < 2) return 2;
  UsePhysicalPixels();
  std::vector<POINT> points;
  for (const RECT& r : Monitors()) {
    for (LONG x : {r.left + 8, r.right - 9})
      for (LONG y : {r.top + 8, r.bottom - 9}) points.push_back({x, y});
  }
  HWND hwnd = nullptr;
  const DWORD waitStart = GetTickCount();
  while (!hwnd && GetTickCount() - waitStart < 10000) {
    hwnd = FindWindowW(args[0].c_str(), nullptr);
    if (hwnd && !IsWindowVisible(hwnd)) hwnd = nullptr;
  }
  std::printf("found=%d\n", hwnd ? 1 : 0);
  if (!hwnd) return 1;
  std::string runs, last;
  int count = 0;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < static_cast<DWORD>(ToLong(args[1]))) {
    HDC screen = GetDC(nullptr);
    std::string seen;
    for (const POINT& p : points) {
      const COLORREF c = GetPixel(screen, p.x, p.y);
      char hex[8];
      std::snprintf(hex, sizeof(hex), "%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
      if (seen.empty()) seen = hex;
      if (seen != hex) seen = "mixed";
    }
    ReleaseDC(nullptr, screen);
    if (seen != last && count > 0) {
      runs += last + ":" + std::to_string(count) + ",";
      count = 0;
    }
    last = seen;
    ++count;
  }
  runs += last + ":" + std::to_string(count);
  std::printf("runs=%s\n", runs.c_str());
  return 0;
}
VW_DRIVER_COMMAND(L"first-frames", L"CLASS MS", FirstFrames);

}  // namespace
}  // namespace vwtest
