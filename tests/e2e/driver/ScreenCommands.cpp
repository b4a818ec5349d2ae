// Commands about monitors, scale and what the screen shows: the monitor layout, a stand-in
// desktop over every monitor, the first frames of a window, and whether captions fit.
#include <cstdio>
#include <string>
#include <vector>

#include "core/ControlIds.h"
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
// Prints the runs of what they showed and for how many milliseconds: "RRGGBB:ms" when all
// agree, "000000:ms" when any is black, "mixed:ms" otherwise.
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
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  auto ms = [&] {
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
  };
  std::string runs, last;
  const double start = ms();
  double since = start, t = start;
  char line[32];
  while ((t = ms()) - start < static_cast<double>(ToLong(args[1]))) {
    HDC screen = GetDC(nullptr);
    std::string seen;
    bool black = false;
    for (const POINT& p : points) {
      const COLORREF c = GetPixel(screen, p.x, p.y);
      char hex[8];
      std::snprintf(hex, sizeof(hex), "%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
      if (seen.empty()) seen = hex;
      if (seen != hex) seen = "mixed";
      black = black || (c & 0xFFFFFF) == 0;
    }
    if (black) seen = "000000";
    ReleaseDC(nullptr, screen);
    if (seen != last && !last.empty()) {
      std::snprintf(line, sizeof(line), ":%.1f,", t - since);
      runs += last + line;
      since = t;
    }
    last = seen;
  }
  std::snprintf(line, sizeof(line), ":%.1f", t - since);
  runs += last + line;
  std::printf("runs=%s\n", runs.c_str());
  return 0;
}
VW_DRIVER_COMMAND(L"first-frames", L"CLASS MS", FirstFrames);

// caption-fit [WAIT_MS]: for every visible label, check box and option button of the settings
// dialog, the width its caption needs beside the width the control gives it; a boxed button
// loses its box (12 pixels at 96 DPI plus one) and half a digit after it, as Wine draws it.
// One "caption=" line each, then "captions=N" and "cut=K". The font is the dialog's own,
// made again here ("MS Shell Dlg 2", 8 points at the screen's scale): Wine will not select
// another process's font handle.
int CaptionFit(const Args& args) {
  UsePhysicalPixels();
  HWND dialog = WaitForTopLevel(vw::kSettingsWindowClass, args.empty() ? 5000 : ToLong(args[0]));
  if (!dialog) {
    std::printf("found=0\n");
    return 1;
  }
  HDC dc = CreateCompatibleDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  HFONT font = CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Shell Dlg 2");
  HGDIOBJ kept = SelectObject(dc, font);
  INT digit = 0;
  GetCharWidth32W(dc, L'0', L'0', &digit);
  int captions = 0, cut = 0;
  for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
    const std::wstring text = TextOf(c);
    const LONG style = GetWindowLongW(c, GWL_STYLE);
    const LONG type = style & BS_TYPEMASK;
    const bool boxed = _wcsicmp(ClassOf(c).c_str(), L"Button") == 0 &&
                       (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON);
    const bool label = _wcsicmp(ClassOf(c).c_str(), L"Static") == 0 && !(style & WS_BORDER) &&
                       (style & SS_TYPEMASK) <= SS_RIGHT;
    if (text.empty() || !(boxed || label) || !IsWindowVisible(c)) continue;
    SIZE need{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &need);
    RECT client{};
    GetClientRect(c, &client);
    const LONG have = client.right - (boxed ? 12 * dpi / 96 + 1 + digit / 2 : 0);
    ++captions;
    if (need.cx > have) ++cut;
    std::printf("caption=%s need=%ld have=%ld\n", Utf8(text).c_str(), need.cx, have);
  }
  SelectObject(dc, kept);
  DeleteObject(font);
  DeleteDC(dc);
  std::printf("captions=%d\ncut=%d\n", captions, cut);
  return 0;
}
VW_DRIVER_COMMAND(L"caption-fit", L"[WAIT_MS]", CaptionFit);

}  // namespace
}  // namespace vwtest
