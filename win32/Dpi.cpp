#include "win32/Dpi.h"

namespace vw::win32 {

namespace {

template <class F>
F Load(const wchar_t* module, const char* name, bool load = false) {
  HMODULE m = load ? LoadLibraryW(module) : GetModuleHandleW(module);
  return m ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
}

}  // namespace

DpiCalls SystemDpiCalls() {
  DpiCalls calls;
  calls.forWindow = Load<decltype(calls.forWindow)>(L"user32.dll", "GetDpiForWindow");
  calls.adjustForDpi =
      Load<decltype(calls.adjustForDpi)>(L"user32.dll", "AdjustWindowRectExForDpi");
  // shcore is not loaded by default; it stays loaded for the life of the process.
  calls.forMonitor = Load<decltype(calls.forMonitor)>(L"shcore.dll", "GetDpiForMonitor", true);
  return calls;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND hwnd, const DpiCalls& calls) {
  const UINT dpi = calls.forWindow && hwnd ? calls.forWindow(hwnd) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

int VerseDpi(HWND previewHost, const DpiCalls& calls) {
  if (previewHost) return WindowDpi(previewHost, calls);
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  UINT x = 0, y = 0;
  HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  if (calls.forMonitor && SUCCEEDED(calls.forMonitor(primary, kEffectiveDpi, &x, &y)) && y > 0)
    return static_cast<int>(y);
  return ScreenDpi();
}

RECT FrameForClient(RECT client, DWORD style, DWORD exStyle, int dpi, const DpiCalls& calls) {
  if (!calls.adjustForDpi ||
      !calls.adjustForDpi(&client, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&client, style, FALSE, exStyle);
  return client;
}

}  // namespace vw::win32
