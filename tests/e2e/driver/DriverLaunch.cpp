// The program started as Windows starts it (launch) and its first frames watched
// (first-frames).
#include "tests/e2e/driver/Driver.h"

namespace vwdriver {
namespace {

// The program's windows of process `pid` (0: any) at the top or, a preview, in `host`: the
// first visible one; how many in `count`.
HWND Find(HWND host, DWORD pid, int* count = nullptr) {
  HWND shown = nullptr;
  for (const wchar_t* cls : {L"VellumwayDisplay", vw::kSettingsWindowClass})
    for (HWND w = nullptr; (w = FindWindowExW(host, w, cls, nullptr)) != nullptr;) {
      if (pid && ProcessOf(w) != pid) continue;
      if (count) ++*count;
      if (!shown && IsWindowVisible(w)) shown = w;
    }
  return shown;
}

// The marks of a command line: %HOST% a host window of 240 x 180 made here, %UNAWARE% the same
// made in a DPI-unaware thread (as a display-settings dialog that is not DPI aware makes it),
// %DEAD% the handle of a window that is gone. Each becomes the handle in decimal, printed as
// host=; the live host is returned. A host is white and leaves its children's area to them,
// as the display-settings dialog's preview control does.
HWND MakeHost(std::wstring& text) {
  HWND host = nullptr;
  for (const std::wstring mark : {L"%HOST%", L"%UNAWARE%", L"%DEAD%"}) {
    const auto at = text.find(mark);
    if (at == std::wstring::npos) continue;
    auto set = User32<HANDLE(WINAPI*)(HANDLE)>("SetThreadDpiAwarenessContext");
    if (set && mark == L"%UNAWARE%") set(reinterpret_cast<HANDLE>(-1));  // ..._UNAWARE
    HWND made = MakeWindow(WS_POPUP | WS_CLIPCHILDREN, 40, 40, 240, 180, RGB(255, 255, 255));
    if (mark == L"%DEAD%") DestroyWindow(made); else host = made;
    text.replace(at, mark.size(), std::to_wstring(HandleToLong(made)));
    Out("host", HandleToLong(made));
  }
  PumpFor(50);
  return host;
}

// What is done to the window once the test says go, and how long it then has to end.
struct Action {
  const wchar_t* name;
  DWORD life;
  void (*act)(HWND window, HWND host);
};
constexpr Action kActions[] = {
    {L"click", 20000, [](HWND w, HWND) {
       PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
       PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
     }},
    {L"close", 20000, [](HWND w, HWND) { PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {L"move", 1500, [](HWND w, HWND) {  // must not end a preview
       for (int i = 0; i < 5; ++i)
         PostMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(5 + 50 * (i % 2), 5 + 40 * (i % 2)));
     }},
    {L"key", 1500, [](HWND w, HWND) {
       PostMessageW(w, WM_KEYDOWN, 'A', 0);
       PostMessageW(w, WM_KEYUP, 'A', 0xC0000001);
     }},
    {L"close-parent", 20000, [](HWND, HWND host) { DestroyWindow(host); }},
    {L"endsession", 20000, [](HWND w, HWND) {  // a shutdown: the pair of messages, then nothing
       Handled(w, WM_QUERYENDSESSION, 0, 0, 5000);
       Handled(w, WM_ENDSESSION, TRUE, 0, 5000);
     }},
    {L"none", 20000, [](HWND, HWND) {}},
};

}  // namespace

// launch SCR TEXT ACTION GO_FILE: starts SCR with exactly TEXT after its name (marks as for
// MakeHost). Then outcome=ended (by itself within 20 s: a busy machine is slow to start one),
// window (window_* describes it; once GO_FILE exists, ACTION of kActions is done, and the
// program has its time to end) or none. Last, the program's windows left, of any process.
int Launch(const Args& a) {
  std::wstring text = a[1];
  HWND host = MakeHost(text);
  std::wstring line = L"\"" + a[0] + L"\" " + text;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(a[0].c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &si, &pi))
    return Out("outcome", "unlaunched(error " + std::to_string(GetLastError()) + ")"), 1;
  auto ended = [&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; };
  HWND window = nullptr;
  PumpUntil(20000, [&] { return ended() || (window = Find(host, pi.dwProcessId)) != nullptr; });
  bool done = !window && ended();
  Out("outcome", done ? "ended" : window ? "window" : "none");
  if (window) {
    PrintWindow("window_", window);
    Out("window_in_host", host && GetParent(window) == host);
    auto fills = [&] {  // a preview covers exactly its host's client area
      RECT client{}, placed{};
      GetClientRect(host, &client);
      MapWindowPoints(host, nullptr, reinterpret_cast<POINT*>(&client), 2);
      GetWindowRect(window, &placed);
      return EqualRect(&client, &placed) && client.right > client.left;
    };
    if (host) Out("window_fills", fills());
    std::fflush(stdout);
    PumpUntil(60000, [&] { return GetFileAttributesW(a[3].c_str()) != INVALID_FILE_ATTRIBUTES; });
    if (host) {
      // After what the test did (a display change, which Windows broadcasts to top-level
      // windows only), and after WM_DISPLAYCHANGE forwarded to the preview as a host may.
      Handled(window, WM_DISPLAYCHANGE, 32,
              MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)), 5000);
      Out("window_fills_at_go", fills());
    }
    DWORD asked = GetTickCount();  // from the action's end, as a user counts
    for (const Action& act : kActions)
      if (a[2] == act.name) act.act(window, host), asked = GetTickCount(),
                            done = PumpUntil(act.life, ended);
    Out("end_ms", static_cast<long>(GetTickCount() - asked));
  }
  if (!done) TerminateProcess(pi.hProcess, 99), WaitForSingleObject(pi.hProcess, 5000);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  PumpFor(100);
  int left = 0;
  Find(nullptr, 0, &left);
  std::printf("ended=%d\nexit_code=%lu\nwindows_left=%d\n", done, code, left);
  return 0;
}

// first-frames CLASS MS: from the moment a window of the class is visible, reads the corners
// of every monitor (8 pixels in) as fast as it can for MS milliseconds and prints what they
// showed in turn: "RRGGBB" when all agree, "000000" when any is black, else "mixed" (nothing
// when no window came).
int FirstFrames(const Args& a) {
  std::vector<POINT> points;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR, HDC, LPRECT r, LPARAM p) -> BOOL {
        for (LONG x : {r->left + 8, r->right - 9})
          for (LONG y : {r->top + 8, r->bottom - 9})
            reinterpret_cast<std::vector<POINT>*>(p)->push_back({x, y});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&points));
  HWND hwnd = nullptr;  // watched without pausing: a blank frame lasts some tens of ms
  for (DWORD start = GetTickCount(); !hwnd && GetTickCount() - start < 10000;)
    if ((hwnd = FindWindowW(a[0].c_str(), nullptr)) && !IsWindowVisible(hwnd)) hwnd = nullptr;
  std::string runs, last;
  char line[32];
  for (DWORD start = GetTickCount(); hwnd && GetTickCount() - start < DWORD(Num(a[1]));) {
    HDC screen = GetDC(nullptr);
    std::string seen;
    for (const POINT& p : points) {
      const COLORREF c = GetPixel(screen, p.x, p.y);
      std::snprintf(line, sizeof(line), "%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
      if (seen != "000000")
        seen = (c & 0xFFFFFF) == 0 ? "000000" : seen.empty() || seen == line ? line : "mixed";
    }
    ReleaseDC(nullptr, screen);
    if (seen != last) runs += (last.empty() ? "" : ",") + seen;
    last = seen;
  }
  Out("runs", runs);
  return 0;
}

}  // namespace vwdriver
