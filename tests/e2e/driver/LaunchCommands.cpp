// Starting the program with an exact command line and watching, from outside, how it ends:
// by itself, or with a window that then ends on a click or a close. Also a host window for
// previews started by hand.
#include <cstdio>
#include <string>

#include "core/ControlIds.h"
#include "tests/e2e/driver/Driver.h"

namespace vwtest {
namespace {

constexpr const wchar_t* kDisplayClass = L"VellumwayDisplay";

bool IsProgramClass(HWND hwnd) {
  const std::wstring cls = ClassOf(hwnd);
  return cls == kDisplayClass || cls == vw::kSettingsWindowClass;
}

struct WindowSearch {
  DWORD pid;  // 0: any process
  HWND found;
  int count;
};

BOOL CALLBACK ChildSearch(HWND hwnd, LPARAM param) {
  auto* s = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if ((s->pid == 0 || owner == s->pid) && ClassOf(hwnd) == kDisplayClass) {
    ++s->count;
    if (!s->found && IsWindowVisible(hwnd)) s->found = hwnd;
  }
  return TRUE;
}

BOOL CALLBACK TopLevelSearch(HWND hwnd, LPARAM param) {
  auto* s = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if ((s->pid == 0 || owner == s->pid) && IsProgramClass(hwnd)) {
    ++s->count;
    if (!s->found && IsWindowVisible(hwnd)) s->found = hwnd;
  }
  // A preview is a child of a window of another process.
  EnumChildWindows(hwnd, ChildSearch, param);
  return TRUE;
}

// The program's windows of process `pid` (0: of any process): how many, and the first visible.
WindowSearch FindProgramWindows(DWORD pid) {
  WindowSearch s{pid, nullptr, 0};
  EnumWindows(TopLevelSearch, reinterpret_cast<LPARAM>(&s));
  return s;
}

void PostClick(HWND hwnd) {
  PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
}

// launch SCR TEXT [WAIT_MS] [ACTION] [PAUSE_MS] [LIFE_MS]: starts SCR with exactly TEXT after
// the program name and watches it for WAIT_MS (default 5000):
//   outcome=ended    it ended by itself (exit_code tells how)
//   outcome=window   a visible display window or settings dialog of the process appeared
//   outcome=none     neither: a process without a window (it is then ended here)
// After a window, waits PAUSE_MS, then ACTION: click (a left click on the window), close (the
// close box, for the dialog) or none; then waits up to LIFE_MS (default 10000) for the end.
// Finally counts the program's windows left on the desktop (of any process).
int LaunchWatch(const Args& args) {
  if (args.size() < 2) return 2;
  const DWORD waitMs = args.size() > 2 ? static_cast<DWORD>(ToLong(args[2])) : 5000;
  const std::wstring action = args.size() > 3 ? args[3] : L"click";
  const DWORD pauseMs = args.size() > 4 ? static_cast<DWORD>(ToLong(args[4])) : 300;
  const DWORD lifeMs = args.size() > 5 ? static_cast<DWORD>(ToLong(args[5])) : 10000;

  PROCESS_INFORMATION pi{};
  const DWORD start = GetTickCount();
  if (!Launch(args[0], args[1], pi)) {
    std::printf("launched=0\nerror=%lu\n", GetLastError());
    return 1;
  }
  std::printf("launched=1\n");
  HWND window = nullptr;
  bool ended = false;
  while (GetTickCount() - start < waitMs) {
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) {
      ended = true;
      break;
    }
    window = FindProgramWindows(pi.dwProcessId).found;
    if (window) break;
    PumpFor(20);
  }
  std::printf("outcome=%s\nstart_ms=%lu\n",
              ended    ? "ended"
              : window ? "window"
                       : "none",
              GetTickCount() - start);
  if (window) {
    std::printf("window_class=%s\n", Utf8(ClassOf(window)).c_str());
    std::printf("window_child=%d\n", (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ? 1 : 0);
    RECT r{};
    GetWindowRect(window, &r);
    std::printf("window_rect=%ld,%ld,%ld,%ld\n", r.left, r.top, r.right, r.bottom);
    std::printf("window_parent=%ld\n", static_cast<long>(HandleToLong(GetParent(window))));
    std::fflush(stdout);
    PumpFor(pauseMs);
    if (action == L"click") PostClick(window);
    if (action == L"close") PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    const DWORD asked = GetTickCount();
    ended = WaitForSingleObject(pi.hProcess, lifeMs) == WAIT_OBJECT_0;
    std::printf("end_ms=%lu\n", GetTickCount() - asked);
  }
  std::printf("ended=%d\n", ended ? 1 : 0);
  if (!ended) {
    TerminateProcess(pi.hProcess, 99);
    WaitForSingleObject(pi.hProcess, 5000);
    std::printf("killed=1\n");
  }
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  std::printf("exit_code=%lu\n", code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  PumpFor(100);
  std::printf("windows_left=%d\n", FindProgramWindows(0).count);
  std::fflush(stdout);
  return 0;
}
VW_DRIVER_COMMAND(L"launch", L"SCR TEXT [WAIT_MS] [click|close|none] [PAUSE_MS] [LIFE_MS]",
                  LaunchWatch);

// host-window WIDTH HEIGHT [MS]: a window with a client area of WIDTH x HEIGHT that a preview
// can be started in by hand; prints its handle and lives MS milliseconds (default ten
// minutes) or until killed.
int HostWindow(const Args& args) {
  if (args.size() < 2) return 2;
  HWND host = MakePreviewHost(L"Hand host", ToLong(args[0]), ToLong(args[1]), 20, 20);
  PumpFor(200);
  std::printf("host=%ld\n", static_cast<long>(HandleToLong(host)));
  std::fflush(stdout);
  PumpFor(args.size() > 2 ? static_cast<DWORD>(ToLong(args[2])) : 600000);
  DestroyWindow(host);
  return 0;
}
VW_DRIVER_COMMAND(L"host-window", L"WIDTH HEIGHT [MS]", HostWindow);

// program-windows: how many windows of the program exist now, in any process.
int ProgramWindows(const Args&) {
  std::printf("windows=%d\n", FindProgramWindows(0).count);
  return 0;
}
VW_DRIVER_COMMAND(L"program-windows", L"", ProgramWindows);

}  // namespace
}  // namespace vwtest
