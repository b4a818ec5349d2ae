// The end-to-end test driver: a small Win32 program that plays the part of Windows (the
// display-settings dialog that hosts a preview) and of a user (clicks, keys), and reads what a
// test cannot see from Linux (window places and styles, another process's controls, GDI
// objects). "vwdriver COMMAND ARGS..." prints key=value lines; the commands are the table at
// the end, each a small function. This file: windows, the running saver, the desk.
#include "tests/e2e/driver/Driver.h"

#include <psapi.h>

#include <algorithm>
#include <cstdint>

namespace vwdriver {

void PrintWindow(const char* p, HWND hwnd) {
  RECT w{}, c{};
  GetWindowRect(hwnd, &w);
  GetClientRect(hwnd, &c);
  POINT o{0, 0};
  ClientToScreen(hwnd, &o);
  const LONG s = GetWindowLongW(hwnd, GWL_STYLE), x = GetWindowLongW(hwnd, GWL_EXSTYLE);
  std::printf("%sclass=%s\n%srect=%ld,%ld,%ld,%ld\n%sclient=%ld,%ld\n%sorigin=%ld,%ld\n", p,
              Narrow(ClassOf(hwnd)).c_str(), p, w.left, w.top, w.right, w.bottom, p, c.right,
              c.bottom, p, o.x, o.y);
  std::printf("%stopmost=%d\n%schild=%d\n%spopup=%d\n%scaption=%d\n%stitle=%s\n", p,
              !!(x & WS_EX_TOPMOST), p, !!(s & WS_CHILD), p, !!(s & WS_POPUP), p,
              (s & WS_CAPTION) == WS_CAPTION, p, Narrow(TextOf(hwnd)).c_str());
  // The frame: close box, sizing border, minimize and maximize boxes.
  std::printf("%sframe=%d%d%d%d\n", p, !!(s & WS_SYSMENU), !!(s & WS_THICKFRAME),
              !!(s & WS_MINIMIZEBOX), !!(s & WS_MAXIMIZEBOX));
}

// A second registration of the class fails harmlessly: one colour a process.
HWND MakeWindow(DWORD style, int x, int y, int w, int h, COLORREF colour) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = CreateSolidBrush(colour);
  wc.lpszClassName = L"VwPainted";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowW(wc.lpszClassName, L"Preview", style, x, y, w, h, nullptr, nullptr,
                            wc.hInstance, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  return hwnd;
}

namespace {

// GetGuiResources answers 0 under Wine, so GDI objects are counted in the handle table that
// Wine maps into every process (PEB GdiSharedHandleTable): 24-byte entries, in use while the
// type (byte 14) is not 0; stock objects (0x80 in byte 12) are not counted.
long CountGdiObjects(HANDLE process) {
  struct {
    LONG exitStatus;
    char* peb;
    ULONG_PTR rest[4];
  } info{};
  using Query = LONG(NTAPI*)(HANDLE, int, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  void* table = nullptr;
  SIZE_T got = 0;
  std::vector<std::uint8_t> e(16384 * 24);
  if (!query || query(process, 0, &info, sizeof(info), nullptr) != 0 ||
      !ReadProcessMemory(process, info.peb + 0xF8, &table, sizeof(table), &got) || !table ||
      !ReadProcessMemory(process, table, e.data(), e.size(), &got))
    return -1;
  long count = 0;
  for (std::size_t i = 0; i + 24 <= got; i += 24) count += e[i + 14] && !(e[i + 12] & 0x80);
  return count;
}
// window-stats CLASS [LATER_MS]: memory and GDI objects of the process that owns the window;
// with LATER_MS, once more that long after, as late_* (one driver start for both counts).
int Stats(const Args& a) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE,
                               ProcessOf(WaitFor(a[0], 5000)));
  for (const char* p : {"", "late_"}) {
    PROCESS_MEMORY_COUNTERS m{};
    GetProcessMemoryInfo(process, &m, sizeof(m));
    std::printf("%sworking_set_kb=%lu\n%speak_working_set_kb=%lu\n%sgdi_table_objects=%ld\n", p,
                static_cast<unsigned long>(m.WorkingSetSize / 1024), p,
                static_cast<unsigned long>(m.PeakWorkingSetSize / 1024), p,
                CountGdiObjects(process));
    std::fflush(stdout);
    if (a.size() < 2 || *p) break;
    PumpFor(Num(a[1]));
  }
  return CloseHandle(process), 0;
}
// window-info CLASS [WAIT_MS]: the first visible top-level window of the class.
int WindowInfo(const Args& a) {
  HWND hwnd = WaitFor(a[0], a.size() > 1 ? Num(a[1]) : 5000);
  Out("found", !!hwnd);
  if (hwnd) PrintWindow("", hwnd);
  return !hwnd;
}

// hold-file PATH deny-write|deny-all: keeps PATH open until killed, sharing it for reading
// only (nobody else may write) or with nobody.
int Hold(const Args& a) {
  const bool all = a[1] == L"deny-all";
  HANDLE f = CreateFileW(a[0].c_str(), GENERIC_READ | (all ? 0 : GENERIC_WRITE),
                         all ? 0 : FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  Out("held", f != INVALID_HANDLE_VALUE);
  std::fflush(stdout);
  Sleep(INFINITE);
  return 0;
}
// solid-window R G B: a stand-in desktop of one colour over every monitor (Wine's capture sees
// Wine's windows only); prints "solid=1" once painted and stays until killed.
int Solid(const Args& a) {
  MakeWindow(WS_POPUP, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
             GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
             RGB(Num(a[0]), Num(a[1]), Num(a[2])));
  PumpFor(200);
  Out("solid", 1);
  std::fflush(stdout);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
// display-mode W H: the primary monitor's mode changed, as by a user or a dock
// (ChangeDisplaySettingsExW); changed=0 when done, else the DISP_CHANGE code.
int DisplayMode(const Args& a) {
  DEVMODEW mode{};
  mode.dmSize = sizeof(mode);
  mode.dmPelsWidth = Num(a[0]);
  mode.dmPelsHeight = Num(a[1]);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  Out("changed", ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr));
  return 0;
}

// A command: its name, how many arguments it needs at least, and what it does.
struct Command {
  const wchar_t* name;
  size_t args;
  int (*run)(const Args&);
};
constexpr Command kCommands[] = {
    {L"launch", 4, Launch},          {L"window-info", 1, WindowInfo},
    {L"window-stats", 1, Stats},     {L"hold-file", 2, Hold},
    {L"solid-window", 3, Solid},     {L"first-frames", 2, FirstFrames},
    {L"display-mode", 2, DisplayMode},
    // The settings dialog (DriverDialog.cpp).
    {L"controls", 0, Controls},      {L"click", 1, Click},
    {L"set", 2, Set},                {L"key", 1, Key},
    {L"dpi-changed", 2, DpiChanged}, {L"close", 0, Close},
    {L"msgbox", 0, MsgBox},
};

}  // namespace
}  // namespace vwdriver

int wmain(int argc, wchar_t** argv) {
  // Real pixels, as the DPI-aware program sees them, whatever the scale.
  SetProcessDPIAware();
  const vwdriver::Args args(argv + std::min(argc, 2), argv + argc);
  for (const vwdriver::Command& c : vwdriver::kCommands)
    if (argc > 1 && c.name == std::wstring(argv[1]) && args.size() >= c.args) {
      const int rc = c.run(args);
      std::fflush(stdout);
      return rc;
    }
  std::fprintf(stderr, "usage: vwdriver COMMAND ARGS... (see Driver.cpp)\n");
  return 2;
}
