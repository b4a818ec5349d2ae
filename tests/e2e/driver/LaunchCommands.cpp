// Starting the program with an exact command line and watching, from outside, how it ends:
// by itself, or with a window that then ends on what a user or Windows does to it.
#include <cstdio>
#include <string>

#include "core/ControlIds.h"
#include "tests/e2e/driver/Driver.h"

namespace vwtest {
namespace {

constexpr const wchar_t* kDisplayClass = L"VellumwayDisplay";

struct WindowSearch {
  DWORD pid;  // 0: any process
  HWND found;
  int count;
};

BOOL CALLBACK Search(HWND hwnd, LPARAM param) {
  auto* s = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  const std::wstring cls = ClassOf(hwnd);
  if ((s->pid == 0 || owner == s->pid) &&
      (cls == kDisplayClass || cls == vw::kSettingsWindowClass)) {
    ++s->count;
    if (!s->found && IsWindowVisible(hwnd)) s->found = hwnd;
  }
  // A preview is a child of a window of another process.
  if (!GetParent(hwnd)) EnumChildWindows(hwnd, Search, param);
  return TRUE;
}

// The program's windows of process `pid` (0: of any process): how many, and the first visible.
WindowSearch FindProgramWindows(DWORD pid) {
  WindowSearch s{pid, nullptr, 0};
  EnumWindows(Search, reinterpret_cast<LPARAM>(&s));
  return s;
}

// Replaces the first `mark` in `text` by `value`.
void Put(std::wstring& text, const wchar_t* mark, HWND value) {
  const auto at = text.find(mark);
  if (at != std::wstring::npos)
    text.replace(at, wcslen(mark), std::to_wstring(HandleToLong(value)));
}

// launch SCR TEXT ACTION [GO_FILE]: starts SCR with exactly TEXT after the program name. In
// TEXT, %HOST% becomes a host window of 240 x 180 made here (as the display-settings dialog's
// preview control), %DEAD% a handle that was a window and is one no more. Then:
//   outcome=ended    it ended by itself within 8 s (exit_code tells how)
//   outcome=window   a visible display window or settings dialog of the process appeared
//                    (window_* describes it); once GO_FILE exists (a test has looked at the
//                    screen), ACTION: click, close (the close box), move (mouse movements,
//                    which must not end a preview), key, close-parent (the host goes, as the
//                    dialog's does when it closes) or none; then up to 8 s for the end
//   outcome=none     neither: a process without a window (ended here)
// Finally the program's windows left on the desktop, of any process.
int LaunchWatch(const Args& args) {
  if (args.size() < 3) return 2;
  std::wstring text = args[1];
  const std::wstring& action = args[2];
  // Only when asked for: a process that has shown a window takes two seconds more to end.
  HWND host = nullptr;
  if (text.find(L"%HOST%") != std::wstring::npos) {
    host = MakePreviewHost(L"Preview host", 240, 180, 40, 40);
    Put(text, L"%HOST%", host);
  }
  if (text.find(L"%DEAD%") != std::wstring::npos) {
    HWND dead = MakePreviewHost(L"Gone", 100, 100, 0, 0);
    DestroyWindow(dead);
    Put(text, L"%DEAD%", dead);
  }
  PumpFor(50);

  PROCESS_INFORMATION pi{};
  if (!Launch(args[0], text, pi)) {
    std::printf("outcome=unlaunched\nerror=%lu\n", GetLastError());
    return 1;
  }
  HWND window = nullptr;
  bool ended = false;
  for (DWORD start = GetTickCount(); GetTickCount() - start < 8000 && !window;) {
    if ((ended = WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0)) break;
    window = FindProgramWindows(pi.dwProcessId).found;
    PumpFor(20);
  }
  std::printf("outcome=%s\n", ended ? "ended" : window ? "window" : "none");
  if (window) {
    PrintWindowInfo("window_", window);
    std::printf("window_in_host=%d\n", host && GetParent(window) == host ? 1 : 0);
    std::fflush(stdout);
    for (DWORD start = GetTickCount(); args.size() > 3 && GetTickCount() - start < 60000;) {
      if (GetFileAttributesW(args[3].c_str()) != INVALID_FILE_ATTRIBUTES) break;
      PumpFor(20);
    }
    if (action == L"click") {
      PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
      PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    } else if (action == L"close") {
      PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (action == L"move") {
      for (int i = 0; i < 5; ++i)
        PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(5 + 50 * (i % 2), 5 + 40 * (i % 2)));
    } else if (action == L"key") {
      PostMessageW(window, WM_KEYDOWN, 'A', 0);
      PostMessageW(window, WM_KEYUP, 'A', 0xC0000001);
    } else if (action == L"close-parent") {
      DestroyWindow(host);
    }
    const DWORD asked = GetTickCount();
    const DWORD life = action == L"move" || action == L"key" || action == L"none" ? 1500 : 8000;
    while (!ended && GetTickCount() - asked < life) {
      ended = WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
      PumpFor(20);
    }
    std::printf("end_ms=%lu\n", GetTickCount() - asked);
  }
  std::printf("ended=%d\n", ended ? 1 : 0);
  if (!ended) {
    TerminateProcess(pi.hProcess, 99);
    WaitForSingleObject(pi.hProcess, 5000);
  }
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  std::printf("exit_code=%lu\n", code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  PumpFor(100);
  std::printf("windows_left=%d\n", FindProgramWindows(0).count);
  std::fflush(stdout);
  if (host && IsWindow(host)) DestroyWindow(host);
  return 0;
}
VW_DRIVER_COMMAND(L"launch", L"SCR TEXT click|close|move|key|close-parent|none [GO_FILE]",
                  LaunchWatch);

}  // namespace
}  // namespace vwtest
