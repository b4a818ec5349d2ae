// Commands about windows: where a window is and what it looks like, and the preview host.
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

// screen: the screen size as the program sees it.
int Screen(const Args&) {
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  std::printf("screen=%ld,%ld\n", desktop.right, desktop.bottom);
  return 0;
}
VW_DRIVER_COMMAND(L"screen", L"", Screen);

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
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"solid", WS_POPUP, 0, 0,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                              nullptr, nullptr, wc.hInstance, nullptr);
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

// preview SCR WIDTH HEIGHT ACTION [PAUSE_MS]: plays the display-settings dialog. Makes a host
// window with a client area of WIDTH x HEIGHT, starts "SCR /p <host>", describes the child that
// appears, waits PAUSE_MS (a test takes its screenshot then), then does ACTION:
//   click           a left click on the preview
//   move            mouse movements of 50 pixels over the preview (must not end it)
//   key             a key press and release (must not end it)
//   destroy-parent  destroys the host window, as the dialog does when it closes
//   none            nothing
// and reports whether and when the preview process ended.
int Preview(const Args& args) {
  if (args.size() < 4) return 2;
  const long width = ToLong(args[1]), height = ToLong(args[2]);
  const std::wstring action = args[3];
  const DWORD pause = args.size() > 4 ? ToLong(args[4]) : 1500;

  HWND host = MakePreviewHost(L"Preview host", width, height, 40, 40);
  PumpFor(300);
  std::printf("host=%ld\n", static_cast<long>(HandleToLong(host)));
  POINT origin{0, 0};
  ClientToScreen(host, &origin);
  std::printf("host_origin=%ld+%ld\n", origin.x, origin.y);

  PROCESS_INFORMATION pi{};
  if (!Launch(args[0], L"/p " + std::to_wstring(HandleToLong(host)), pi)) {
    std::printf("launched=0\n");
    return 1;
  }
  HWND child = nullptr;
  for (int i = 0; i < 200 && !child; ++i) {
    PumpFor(50);
    child = FindWindowExW(host, nullptr, nullptr, nullptr);
    if (child && !IsWindowVisible(child)) child = nullptr;
  }
  std::printf("child_found=%d\n", child ? 1 : 0);
  if (child) PrintWindowInfo("child_", child);
  PumpFor(pause);

  if (child && action == L"click") {
    PostMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(child, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  } else if (child && action == L"move") {
    for (int i = 0; i < 5; ++i) {
      PostMessageW(child, WM_MOUSEMOVE, 0, MAKELPARAM(5 + 50 * (i % 2), 5 + 40 * (i % 2)));
      PumpFor(100);
    }
  } else if (child && action == L"key") {
    PostMessageW(child, WM_KEYDOWN, 'A', 0);
    PostMessageW(child, WM_KEYUP, 'A', 0xC0000001);
  } else if (action == L"destroy-parent") {
    DestroyWindow(host);
    host = nullptr;
  }
  DWORD start = GetTickCount();
  DWORD waited = WAIT_TIMEOUT;
  while (GetTickCount() - start < 3000) {
    waited = WaitForSingleObject(pi.hProcess, 0);
    if (waited == WAIT_OBJECT_0) break;
    PumpFor(20);
  }
  std::printf("ended=%d\n", waited == WAIT_OBJECT_0 ? 1 : 0);
  std::printf("end_ms=%lu\n", GetTickCount() - start);
  if (waited != WAIT_OBJECT_0) {
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 2000);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  if (host) DestroyWindow(host);
  std::fflush(stdout);
  return 0;
}
VW_DRIVER_COMMAND(L"preview", L"SCR WIDTH HEIGHT click|move|key|destroy-parent|none [PAUSE_MS]",
                  Preview);

}  // namespace
}  // namespace vwtest
