// The display window on Windows: full screen and preview. The window procedure only unpacks
// messages and calls frmMain's handlers.
#include "win32/GdiSurface.h"

#include <windows.h>
#include <windowsx.h>

#include <memory>
#include <string>

#include "app/frmMain.h"
#include "win32/Modes.h"
#include "win32/MonitorGeometry.h"
#include "win32/ScreenCapture.h"
#include "win32/Win32Timer.h"
#include "win32/WinText.h"
#include "res/resource.h"

namespace vw::win32 {
namespace {

constexpr wchar_t kDisplayClass[] = L"VellumwayDisplay";
constexpr UINT_PTR kNextVerseTimerId = 1;
constexpr UINT_PTR kFontTimerId = 2;
constexpr UINT_PTR kParentWatchTimerId = 3;

class Win32DisplayHost : public IDisplayHost {
 public:
  void ShowCursor(bool show) override { ::ShowCursor(show ? TRUE : FALSE); }
  void CaptureScreen(ISurface& target) override {
    CaptureScreenInto(target);
  }
  double SecondsSinceMidnight() const override {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
  }
  std::string ProgramFolder() const override {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
      if (n < path.size()) {
        path.resize(n);
        break;
      }
      path.resize(path.size() * 2);
    }
    return Narrow(path.substr(0, path.find_last_of(L"\\/") + 1));
  }
  void EndProgram() override {
    // Nothing of the program runs after the unload step: the windows go with the process.
    ExitProcess(0);
  }
};

struct DisplayWindow {
  DisplayWindow(HWND hwnd, ProgramState& program, DisplayMode mode, ISettingsStore& store)
      : window(hwnd),
        form(program, mode, store, DisplaySurfaces{picWork, picText, picBlank, picCapture, window},
             timNextVerse, timFont, host) {
    timNextVerse.Attach(hwnd);
    timFont.Attach(hwnd);
  }
  Win32Timer timNextVerse{kNextVerseTimerId};  // Go gives it its interval
  Win32Timer timFont{kFontTimerId, kFontTimerMs};
  GdiSurface picWork, picText, picBlank, picCapture;
  WindowSurface window;
  Win32DisplayHost host;
  frmMain form;
  HWND previewParent = nullptr;
  DpiCalls dpiCalls;
};

DisplayWindow* From(HWND hwnd) {
  return reinterpret_cast<DisplayWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// The preview takes its host's DPI awareness before making its window: a cross-process
// SetParent between windows of different awareness makes Windows reset the child's process
// awareness, and sizes and places then come out wrong on a scaled display. Windows 7 and 8
// have neither call; there the process keeps its own awareness.
void TakeDpiAwarenessOf(HWND host) {
  using Context = HANDLE;
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  auto get = reinterpret_cast<Context(WINAPI*)(HWND)>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
  auto set = reinterpret_cast<Context(WINAPI*)(Context)>(
      reinterpret_cast<void*>(GetProcAddress(user32, "SetThreadDpiAwarenessContext")));
  if (!get || !set) return;
  if (Context awareness = get(host)) set(awareness);
}

void ResizeFromWindow(HWND hwnd, DisplayWindow& w) {
  // The scale is read again each time: docking or a new scale changes it without a sign-out.
  const int dpi = VerseDpi(w.previewParent, w.dpiCalls);
  GdiSurfaceBase* surfaces[] = {&w.picWork, &w.picText, &w.picBlank, &w.picCapture, &w.window};
  for (GdiSurfaceBase* s : surfaces) s->SetDpi(dpi);
  RECT r;
  GetWindowRect(hwnd, &r);  // no border: the outer size is the drawing area
  if (w.previewParent) {
    w.form.Form_Resize(r.right - r.left, r.bottom - r.top);
  } else {
    // Full screen spans every monitor; the verse stays on the primary.
    w.form.Form_Resize(r.right - r.left, r.bottom - r.top, PrimaryAreaIn(r));
  }
}

// Monitors came, went or changed their modes: cover the new virtual screen and lay the verse
// out on the new primary. The desktop image is not taken again (it would show this window):
// what was captured stays where it still falls on a monitor, the rest turns black.
void CoverVirtualScreen(HWND hwnd, DisplayWindow& w) {
  RECT before{};
  GetWindowRect(hwnd, &before);
  const RECT after = VirtualScreenRect();
  if (w.picCapture.Width() > 0) KeepCaptureOnMonitors(w.picCapture, before, after);
  // Windows follows a move of the window with a WM_MOUSEMOVE of its own though the pointer
  // stayed, and the same point now has other client coordinates (a monitor left of the
  // primary came or went), or other screen coordinates (another monitor became the primary):
  // that event only records where the pointer is.
  w.form.Form_WindowMoved();
  SetWindowPos(hwnd, HWND_TOPMOST, after.left, after.top, after.right - after.left,
               after.bottom - after.top, SWP_NOACTIVATE);
  // WM_SIZE resized already when the size changed; a new place or primary needs it too.
  if (before.right - before.left == after.right - after.left &&
      before.bottom - before.top == after.bottom - after.top)
    ResizeFromWindow(hwnd, w);
  // The verse on show grows again in its new place.
  w.form.Form_GotFocus();
}

bool CoversVirtualScreen(HWND hwnd) {
  RECT now{};
  GetWindowRect(hwnd, &now);
  const RECT screen = VirtualScreenRect();
  return EqualRect(&now, &screen) != FALSE;
}

LRESULT CALLBACK DisplayProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  DisplayWindow* w = From(hwnd);
  if (!w) return DefWindowProcW(hwnd, msg, wp, lp);
  frmMain& form = w->form;
  switch (msg) {
    case WM_SIZE:
      ResizeFromWindow(hwnd, *w);
      return 0;
    case WM_DISPLAYCHANGE:
      if (!w->previewParent) CoverVirtualScreen(hwnd, *w);  // a preview's host sizes it
      return 0;
    case WM_DPICHANGED:
      // Not the suggested rectangle, which would fit one monitor: the window keeps covering
      // them all, and the verse is laid out again at the new scale.
      if (!w->previewParent) CoverVirtualScreen(hwnd, *w);
      return 0;
    case WM_ENDSESSION:
      // Windows ends the process after this without WM_DESTROY: keep the place now.
      if (wp) form.Form_Unload();
      return 0;
    case WM_SETFOCUS:
      form.Form_GotFocus();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      form.Form_Click();
      return 0;
    case WM_MOUSEMOVE:
      // The monitors changed and WM_DISPLAYCHANGE is still to come: the pointer stayed where
      // it was, but its coordinates did not. Cover the new screen first, which records it.
      if (!w->previewParent && !CoversVirtualScreen(hwnd)) {
        CoverVirtualScreen(hwnd, *w);
        return 0;
      }
      form.Form_MouseMove(static_cast<float>(GET_X_LPARAM(lp)),
                          static_cast<float>(GET_Y_LPARAM(lp)));
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      form.Form_KeyUp(static_cast<int>(wp));
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return 0;  // no key ends the display, Alt+F4 included
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0) == SC_CLOSE || (wp & 0xFFF0) == SC_SCREENSAVE) return 0;
      break;
    case WM_TIMER:
      if (wp == kNextVerseTimerId) {
        form.timNextVerse_Timer();
      } else if (wp == kFontTimerId) {
        form.timFont_Timer();
      } else if (wp == kParentWatchTimerId && w->previewParent && !IsWindow(w->previewParent)) {
        form.Form_Unload();  // the settings dialog went away without destroying us
      }
      return 0;
    case WM_ERASEBKGND:
      return 1;  // every frame covers the whole window
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      form.Form_Paint();
      return 0;
    }
    case WM_CLOSE:
    case WM_DESTROY:
      // Also the way a preview ends when the display-settings dialog destroys its host.
      form.Form_Unload();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND CreateDisplayWindow(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DisplayProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kDisplayClass;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VELLUMWAY));
  RegisterClassExW(&wc);
  return CreateWindowExW(0, kDisplayClass, L"Vellumway Screen Saver", WS_POPUP, 0, 0, 0, 0, nullptr,
                         nullptr, instance, nullptr);
}

}  // namespace

int RunDisplay(ProgramState& program, ISettingsStore& store, const StartupDecision& decision,
               HINSTANCE instance, DpiCalls dpi) {
  const bool preview = decision.mode == DisplayMode::Preview;
  HWND parent = nullptr;
  RECT screenRect{};
  if (preview) {
    // A handle that is not a window: end quietly rather than leave an invisible process.
    parent = static_cast<HWND>(LongToHandle(decision.previewParent));
    if (!IsWindow(parent)) return 0;
    TakeDpiAwarenessOf(parent);
    // In the awareness of the window that fills it.
    GetClientRect(parent, &screenRect);
  } else {
    screenRect = VirtualScreenRect();
  }

  HWND hwnd = CreateDisplayWindow(instance);
  if (!hwnd) return 1;
  auto window = std::make_unique<DisplayWindow>(hwnd, program, decision.mode, store);
  window->previewParent = parent;
  window->dpiCalls = dpi;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window.get()));

  if (!window->form.Form_Load()) return 0;

  if (preview) {
    SetWindowTextW(hwnd, L"Preview");
    LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    // WS_CHILD and WS_POPUP together are invalid, and Wine refuses to size such a window.
    SetWindowLongW(hwnd, GWL_STYLE, (style | WS_CHILD) & ~WS_POPUP);
    SetParent(hwnd, parent);
    SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(parent));
    SetWindowPos(hwnd, HWND_TOP, 0, 0, screenRect.right, screenRect.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetTimer(hwnd, kParentWatchTimerId, 250, nullptr);
  } else {
    // Sized first, shown after: the background is composed before the window appears.
    SetWindowPos(hwnd, HWND_TOPMOST, screenRect.left, screenRect.top,
                 screenRect.right - screenRect.left, screenRect.bottom - screenRect.top,
                 SWP_NOACTIVATE);
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  }
  // Paints the background at once, before any other message: no blank first frame.
  UpdateWindow(hwnd);
  window->form.Go();

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace vw::win32
