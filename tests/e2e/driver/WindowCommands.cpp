// Commands about windows: where a window is and what it looks like, and a known desktop.
#include <cstdio>

#include "tests/e2e/driver/Driver.h"

namespace vwtest {
namespace {

// window-info CLASS [WAIT_MS]: describes the first visible top-level window of the class.
int WindowInfo(const Args& args) {
  if (args.empty()) return 2;
  HWND hwnd = WaitForTopLevel(args[0], args.size() > 1 ? ToLong(args[1]) : 5000);
  if (!hwnd) {
    std::printf("found=0\n");
    return 1;
  }
  std::printf("found=1\n");
  PrintWindowInfo("", hwnd);
  return 0;
}
VW_DRIVER_COMMAND(L"window-info", L"CLASS [WAIT_MS]", WindowInfo);

// solid-window R G B: a borderless window of one colour over the whole screen, for showing a
// known desktop behind a transparent background. Stays until killed.
LRESULT CALLBACK SolidProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) {
    RECT r;
    GetClientRect(hwnd, &r);
    HBRUSH brush = reinterpret_cast<HBRUSH>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    FillRect(reinterpret_cast<HDC>(wp), &r, brush);
    return 1;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}
int SolidWindow(const Args& args) {
  if (args.size() < 3) return 2;
  HBRUSH brush = CreateSolidBrush(RGB(ToLong(args[0]), ToLong(args[1]), ToLong(args[2])));
  WNDCLASSW wc{};
  wc.lpfnWndProc = SolidProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VwSolidWindow";
  RegisterClassW(&wc);
  HWND hwnd =
      CreateWindowExW(0, wc.lpszClassName, L"solid", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                      GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, wc.hInstance, nullptr);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(brush));
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  std::printf("solid=%ld\n", static_cast<long>(HandleToLong(hwnd)));
  std::fflush(stdout);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
VW_DRIVER_COMMAND(L"solid-window", L"R G B", SolidWindow);

}  // namespace
}  // namespace vwtest
