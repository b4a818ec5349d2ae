// The end-to-end test driver: a small Win32 program that plays the part of Windows (the
// display-settings dialog that hosts a preview) and of a user (clicks, keys), and reads what a
// test cannot see from Linux (window places and styles, another process's controls, GDI
// objects). "vwdriver COMMAND ARGS..." prints key=value lines.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/ControlIds.h"
#include "win32/WinText.h"

namespace {

using Args = std::vector<std::wstring>;
using vw::win32::Narrow;
constexpr const wchar_t* kDisplayClass = L"VellumwayDisplay";

long Num(const std::wstring& text) {
  return std::wcstol(text.c_str(), nullptr, 10);
}
std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 256);
  return name;
}
bool IsClass(HWND hwnd, const wchar_t* name) {
  return _wcsicmp(ClassOf(hwnd).c_str(), name) == 0;
}
// WM_GETTEXT reads another process's controls (GetWindowText does not).
std::wstring TextOf(HWND hwnd) {
  DWORD_PTR length = 0, copied = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 10000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  SendMessageTimeoutW(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                      SMTO_NORMAL, 10000, &copied);
  text.resize(copied);
  return text;
}
void PumpFor(DWORD ms) {
  MSG msg;
  for (DWORD start = GetTickCount(); GetTickCount() - start < ms;) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}
// The first visible top-level window of the class, 0 when none appears within `ms`.
HWND WaitFor(const std::wstring& cls, DWORD ms) {
  for (DWORD start = GetTickCount();;) {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, cls.c_str(), nullptr)) != nullptr;)
      if (IsWindowVisible(w)) return w;
    if (GetTickCount() - start >= ms) return nullptr;
    PumpFor(50);
  }
}
HWND Dialog() {
  return WaitFor(vw::kSettingsWindowClass, 20000);
}
HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus
                                                                            : nullptr;
}
// The control that has the focus: a combo box's edit field counts as the box.
int FocusId(HWND dialog) {
  HWND focus = FocusOf(dialog);
  if (focus && GetParent(focus) != dialog && IsClass(GetParent(focus), L"ComboBox"))
    focus = GetParent(focus);
  return focus ? GetDlgCtrlID(focus) : 0;
}

void PrintWindow(const char* p, HWND hwnd) {
  RECT w{}, c{};
  GetWindowRect(hwnd, &w);
  GetClientRect(hwnd, &c);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  const LONG s = GetWindowLongW(hwnd, GWL_STYLE), x = GetWindowLongW(hwnd, GWL_EXSTYLE);
  std::printf("%sclass=%s\n%srect=%ld,%ld,%ld,%ld\n%sclient=%ld,%ld\n%sorigin=%ld,%ld\n", p,
              Narrow(ClassOf(hwnd)).c_str(), p, w.left, w.top, w.right, w.bottom, p, c.right,
              c.bottom, p, origin.x, origin.y);
  std::printf("%stopmost=%d\n%schild=%d\n%spopup=%d\n%scaption=%d\n%stitle=%s\n", p,
              !!(x & WS_EX_TOPMOST), p, !!(s & WS_CHILD), p, !!(s & WS_POPUP), p,
              (s & WS_CAPTION) == WS_CAPTION, p, Narrow(TextOf(hwnd)).c_str());
  // The frame: close box, sizing border, minimize and maximize boxes.
  std::printf("%sframe=%d%d%d%d\n", p, !!(s & WS_SYSMENU), !!(s & WS_THICKFRAME),
              !!(s & WS_MINIMIZEBOX), !!(s & WS_MAXIMIZEBOX));
}

// The DPI calls of Windows 10 1607 and later, loaded at run time.
using DpiContext = HANDLE;
template <class F>
F User32(const char* name) {
  return reinterpret_cast<F>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}
// A window's DPI awareness: 0 unaware, 1 system, 2 per monitor; -1 without the calls.
int AwarenessOf(HWND hwnd) {
  auto context = User32<DpiContext(WINAPI*)(HWND)>("GetWindowDpiAwarenessContext");
  auto awareness = User32<int(WINAPI*)(DpiContext)>("GetAwarenessFromDpiAwarenessContext");
  return context && awareness ? awareness(context(hwnd)) : -1;
}

// A window of one colour: a preview host (white, leaving its children's area to them, as the
// display-settings dialog's preview control does) or a stand-in desktop. One colour a process:
// a second registration of the class fails harmlessly.
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

// The program's windows of process `pid` (0: any) at the top or, a preview, in `host`: the
// first visible one and how many.
std::pair<HWND, int> Find(HWND host, DWORD pid) {
  HWND shown = nullptr;
  int count = 0;
  for (const wchar_t* cls : {kDisplayClass, vw::kSettingsWindowClass})
    for (HWND w = nullptr; (w = FindWindowExW(host, w, cls, nullptr)) != nullptr;) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (pid && owner != pid) continue;
      ++count;
      if (!shown && IsWindowVisible(w)) shown = w;
    }
  return {shown, count};
}

// launch SCR TEXT ACTION GO_FILE: starts SCR with exactly TEXT after its name (%HOST%: a host
// window of 240 x 180 made here; %UNAWARE%: the same made in a DPI-unaware thread, as a
// display-settings dialog that is not DPI aware makes it; %DEAD%: a handle of a window that is
// gone). A preview also gets host_awareness, window_awareness and window_fills (its window
// covers exactly the host's client area, both read in the host's awareness). Then
// outcome=ended (by itself within 20 s: a busy machine is slow to start one), window (window_*
// describes it; once GO_FILE exists, ACTION is done: click, close, move, key, close-parent, endsession; then up
// to 20 s for the end) or none. Last, the program's windows left on the desktop, of any process.
int Launch(const Args& a) {
  std::wstring text = a[1];
  HWND host = nullptr;
  for (const std::wstring mark : {L"%HOST%", L"%UNAWARE%", L"%DEAD%"}) {
    const auto at = text.find(mark);
    if (at == std::wstring::npos) continue;
    if (auto set = User32<DpiContext(WINAPI*)(DpiContext)>("SetThreadDpiAwarenessContext");
        set && mark == L"%UNAWARE%")
      set(reinterpret_cast<DpiContext>(-1));  // DPI_AWARENESS_CONTEXT_UNAWARE
    HWND made = MakeWindow(WS_POPUP | WS_CLIPCHILDREN, 40, 40, 240, 180, RGB(255, 255, 255));
    if (mark == L"%DEAD%") DestroyWindow(made);
    if (mark != L"%DEAD%") host = made;
    text.replace(at, mark.size(), std::to_wstring(HandleToLong(made)));
  }
  PumpFor(50);
  std::wstring line = L"\"" + a[0] + L"\" " + text;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(a[0].c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi))
    return std::printf("outcome=unlaunched(error %lu)\n", GetLastError()), 1;
  auto ended = [&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; };
  HWND window = nullptr;
  bool done = false;
  for (DWORD start = GetTickCount(); GetTickCount() - start < 20000 && !window && !(done = ended());
       PumpFor(20))
    window = Find(host, pi.dwProcessId).first;
  std::printf("outcome=%s\n", done ? "ended" : window ? "window" : "none");
  if (window) {
    PrintWindow("window_", window);
    std::printf("window_in_host=%d\n", host && GetParent(window) == host);
    auto fills = [&] {
      RECT client{}, placed{};
      GetClientRect(host, &client);
      MapWindowPoints(host, nullptr, reinterpret_cast<POINT*>(&client), 2);
      GetWindowRect(window, &placed);
      return EqualRect(&client, &placed) && client.right > client.left;
    };
    if (host)
      std::printf("host_awareness=%d\nwindow_awareness=%d\nwindow_fills=%d\n", AwarenessOf(host),
                  AwarenessOf(window), fills());
    std::fflush(stdout);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 60000 &&
                                       GetFileAttributesW(a[3].c_str()) == INVALID_FILE_ATTRIBUTES;)
      PumpFor(20);
    if (host) {
      // After what the test did (a display change, which Windows broadcasts to top-level
      // windows only), and after WM_DISPLAYCHANGE forwarded to the preview as a host may.
      DWORD_PTR result = 0;
      SendMessageTimeoutW(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(GetSystemMetrics(SM_CXSCREEN),
                          GetSystemMetrics(SM_CYSCREEN)), SMTO_NORMAL, 5000, &result);
      std::printf("window_fills_at_go=%d\n", fills());
    }
    const std::wstring& act = a[2];
    if (act == L"click") {
      PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
      PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    } else if (act == L"close") {
      PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (act == L"move") {  // must not end a preview
      for (int i = 0; i < 5; ++i)
        PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(5 + 50 * (i % 2), 5 + 40 * (i % 2)));
    } else if (act == L"key") {
      PostMessageW(window, WM_KEYDOWN, 'A', 0);
      PostMessageW(window, WM_KEYUP, 'A', 0xC0000001);
    } else if (act == L"close-parent") {
      DestroyWindow(host);
    } else if (act == L"endsession") {  // a shutdown: the pair of messages, then nothing
      DWORD_PTR ok = 0;
      SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &ok);
      SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &ok);
    }
    const DWORD asked = GetTickCount(), life = act == L"move" || act == L"key" ? 1500 : 20000;
    while (!(done = ended()) && GetTickCount() - asked < life) PumpFor(20);
    std::printf("end_ms=%lu\n", GetTickCount() - asked);
  }
  if (!done) TerminateProcess(pi.hProcess, 99), WaitForSingleObject(pi.hProcess, 5000);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  PumpFor(100);
  std::printf("ended=%d\nexit_code=%lu\nwindows_left=%d\n", done, code, Find(nullptr, 0).second);
  return 0;
}

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
  HWND hwnd = WaitFor(a[0], 5000);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  for (const char* prefix : {"", "late_"}) {
    PROCESS_MEMORY_COUNTERS m{};
    GetProcessMemoryInfo(process, &m, sizeof(m));
    std::printf("%sworking_set_kb=%lu\n%speak_working_set_kb=%lu\n%sgdi_table_objects=%ld\n",
                prefix, static_cast<unsigned long>(m.WorkingSetSize / 1024), prefix,
                static_cast<unsigned long>(m.PeakWorkingSetSize / 1024), prefix,
                CountGdiObjects(process));
    std::fflush(stdout);
    if (a.size() < 2 || *prefix) break;
    PumpFor(Num(a[1]));
  }
  return CloseHandle(process), 0;
}

// hold-file PATH deny-write|deny-all: keeps PATH open until killed, sharing it for reading
// only (nobody else may write) or with nobody.
int Hold(const Args& a) {
  const bool all = a[1] == L"deny-all";
  HANDLE f = CreateFileW(a[0].c_str(), GENERIC_READ | (all ? 0 : GENERIC_WRITE),
                         all ? 0 : FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  std::printf("held=%d\n", f != INVALID_HANDLE_VALUE);
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
  std::printf("solid=1\n");
  std::fflush(stdout);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
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
  std::printf("runs=%s\n", runs.c_str());
  return 0;
}

// controls: every control of the settings dialog, "ID.key=value" lines (places in pixels of
// the dialog's client area; "name" for a control that takes the focus). For a visible caption of a label, check box or option button,
// "fits": whether the width it needs is at most the width the control gives it, less the box
// (12 pixels at 96 DPI plus one) and half a digit, as Wine draws it. The font is the dialog's
// own made again here (Wine will not select another process's font handle).
// The name a screen reader gives a control that takes the focus ("Providing the Name
// Property"): a box to type or choose in takes the static text before it in z-order, the
// search stopping at a control that starts a tab group; any other control, its own text.
std::wstring ReaderName(HWND c) {
  if (!IsClass(c, L"Edit") && !IsClass(c, L"ComboBox")) return TextOf(c);
  for (HWND p = GetWindow(c, GW_HWNDPREV); p; p = GetWindow(p, GW_HWNDPREV)) {
    if (IsClass(p, L"Static")) return TextOf(p);
    if ((GetWindowLongW(p, GWL_STYLE) & (WS_GROUP | WS_TABSTOP)) == (WS_GROUP | WS_TABSTOP)) break;
  }
  return L"";
}
struct DialogFont {
  HWND hwnd;
  HDC dc;  // with the dialog's font
  LONG box;
};
BOOL CALLBACK PrintControl(HWND c, LPARAM dialogParam) {
  const DialogFont& dialog = *reinterpret_cast<DialogFont*>(dialogParam);
  if (GetParent(c) != dialog.hwnd && IsClass(GetParent(c), L"ComboBox")) return TRUE;  // its parts
  const int id = GetDlgCtrlID(c);
  RECT r{};
  GetWindowRect(c, &r);
  MapWindowPoints(nullptr, dialog.hwnd, reinterpret_cast<POINT*>(&r), 2);
  const std::wstring text = TextOf(c);
  const LONG style = GetWindowLongW(c, GWL_STYLE), type = style & BS_TYPEMASK;
  std::printf("%d.class=%s\n%d.place=%ld,%ld,%ld,%ld\n%d.visible=%d\n%d.text=%s\n", id,
              Narrow(ClassOf(c)).c_str(), id, r.left, r.top, r.right - r.left, r.bottom - r.top, id,
              !!(style & WS_VISIBLE), id, Narrow(text).c_str());
  const bool boxed =
      IsClass(c, L"Button") && (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON);
  const bool label =
      IsClass(c, L"Static") && !(style & WS_BORDER) && (style & SS_TYPEMASK) <= SS_RIGHT;
  if (boxed) std::printf("%d.checked=%d\n", id, SendMessageW(c, BM_GETCHECK, 0, 0) == BST_CHECKED);
  if (style & WS_TABSTOP) std::printf("%d.name=%s\n", id, Narrow(ReaderName(c)).c_str());
  if ((boxed || label) && !text.empty() && IsWindowVisible(c)) {
    SIZE need{};
    GetTextExtentPoint32W(dialog.dc, text.c_str(), static_cast<int>(text.size()), &need);
    GetClientRect(c, &r);
    std::printf("%d.fits=%d\n", id, need.cx <= r.right - (boxed ? dialog.box : 0));
  }
  if (IsClass(c, L"ComboBox")) {
    const LRESULT n = SendMessageW(c, CB_GETCURSEL, 0, 0);
    wchar_t item[256] = {};
    if (n >= 0 && SendMessageW(c, CB_GETLBTEXTLEN, n, 0) < 256)
      SendMessageW(c, CB_GETLBTEXT, n, reinterpret_cast<LPARAM>(item));
    std::printf("%d.count=%ld\n%d.selected_text=%s\n", id,
                static_cast<long>(SendMessageW(c, CB_GETCOUNT, 0, 0)), id, Narrow(item).c_str());
  }
  return TRUE;
}
int Controls(const Args& a) {
  DialogFont dialog{Dialog(), CreateCompatibleDC(nullptr), 0};
  const int dpi = a.empty() ? GetDeviceCaps(dialog.dc, LOGPIXELSX) : Num(a[0]);
  SelectObject(dialog.dc,
               CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                           CLEARTYPE_QUALITY, 0, L"MS Shell Dlg 2"));
  INT digit = 0;
  GetCharWidth32W(dialog.dc, L'0', L'0', &digit);
  dialog.box = 12 * dpi / 96 + 1 + digit / 2;
  std::printf("found=%d\nfocus=%d\n", !!dialog.hwnd, dialog.hwnd ? FocusId(dialog.hwnd) : 0);
  EnumChildWindows(dialog.hwnd, PrintControl, reinterpret_cast<LPARAM>(&dialog));
  return 0;
}

// The control `id` of the dialog (the swatches sit in their panel).
HWND Control(int id) {
  HWND dialog = Dialog(), c = GetDlgItem(dialog, id);
  return c ? c : GetDlgItem(GetDlgItem(dialog, static_cast<int>(vw::ControlId::picColorColl)), id);
}
// Returns once the dialog has handled the message, or after two seconds when its handler
// opened a message box (which the test then reads).
void Handled(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, msg, wp, lp, SMTO_NORMAL, 2000, &result);
}
// click ID: presses a button, box, option or swatch (BM_CLICK).
int Click(const Args& a) {
  Handled(Control(Num(a[0])), BM_CLICK, 0, 0);
  return 0;
}
// set ID TEXT: a text field's new text, as typed; in a list, the entry TEXT chosen, as
// a click in the list does: the selection, then the notification the dialog acts on.
int Set(const Args& a) {
  HWND c = Control(Num(a[0]));
  if (!IsClass(c, L"ComboBox")) {
    Handled(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a[1].c_str()));
    return 0;
  }
  SendMessageW(c, CB_SETCURSEL,
               SendMessageW(c, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(a[1].c_str())), 0);
  Handled(GetParent(c), WM_COMMAND, MAKEWPARAM(Num(a[0]), CBN_SELCHANGE),
          reinterpret_cast<LPARAM>(c));
  return 0;
}
// key VK [N]: N times a key press and release at the focused control, through the dialog's
// message queue (where the dialog manager sees Tab, Enter and Esc); after each, the focus.
// That queue tells nobody when it is done: a short pump.
int Key(const Args& a) {
  HWND dialog = Dialog();
  const WPARAM key = Num(a[0]);
  const LPARAM scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC) << 16;
  for (long i = a.size() > 1 ? Num(a[1]) : 1; i > 0 && dialog; --i) {
    HWND focus = FocusOf(dialog) ? FocusOf(dialog) : dialog;
    PostMessageW(focus, WM_KEYDOWN, key, 1 | scan);
    if (key == VK_RETURN || key == VK_ESCAPE) PostMessageW(focus, WM_CHAR, key, 1 | scan);
    PostMessageW(focus, WM_KEYUP, key, 1 | scan | 0xC0000000);
    PumpFor(300);
    std::printf("focus=%d\n", IsWindow(dialog) ? FocusId(dialog) : 0);
  }
  return 0;
}
// dpi-changed OLD NEW: what Windows sends the dialog when it moves to a monitor of scale NEW:
// WM_DPICHANGED with the suggested rectangle, moved by (16, 12) and the client area scaled by
// NEW / OLD (Wine sends none). The rectangle sits at the same address in both processes, so
// the dialog reads it whether or not Wine copies it across. Prints the window's rectangle
// before, the suggested one, and, once handled, the window's rectangle and client origin, all
// in screen coordinates.
int DpiChanged(const Args& a) {
  HWND dialog = Dialog();
  const int from = Num(a[0]), to = Num(a[1]);
  RECT outer{}, client{};
  GetWindowRect(dialog, &outer);
  GetClientRect(dialog, &client);
  const RECT suggested{outer.left + 16, outer.top + 12,
                       outer.right + 16 + MulDiv(client.right, to, from) - client.right,
                       outer.bottom + 12 + MulDiv(client.bottom, to, from) - client.bottom};
  DWORD pid = 0;
  GetWindowThreadProcessId(dialog, &pid);
  HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
  void* there = VirtualAllocEx(process, nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  void* here = VirtualAlloc(there, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (!there || here != there ||
      !WriteProcessMemory(process, there, &suggested, sizeof(suggested), nullptr))
    return std::printf("sent=0\n"), 1;
  *static_cast<RECT*>(here) = suggested;
  Handled(dialog, WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(there));
  RECT now{};
  GetWindowRect(dialog, &now);
  POINT origin{0, 0};
  ClientToScreen(dialog, &origin);
  for (const auto& [name, r] : {std::pair{"before", outer}, {"suggested", suggested}, {"rect", now}})
    std::printf("%s=%ld,%ld,%ld,%ld\n", name, r.left, r.top, r.right, r.bottom);
  std::printf("origin=%ld,%ld\n", origin.x, origin.y);
  return CloseHandle(process), 0;
}
// display-mode W H: the primary monitor's mode changed, as by a user or a dock
// (ChangeDisplaySettingsExW); changed=0 when done, else the DISP_CHANGE code.
int DisplayModeCmd(const Args& a) {
  DEVMODEW mode{};
  mode.dmSize = sizeof(mode);
  mode.dmPelsWidth = Num(a[0]);
  mode.dmPelsHeight = Num(a[1]);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  std::printf("changed=%ld\n", ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr));
  return 0;
}
// close: the dialog's close box.
int Close(const Args&) {
  return Handled(Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0), 0;
}

// msgbox: the message box of the dialog's process: title, text, icon and buttons; then its
// "OK", and whether it went.
int MsgBox(const Args&) {
  HWND dialog = Dialog(), box = nullptr;
  for (DWORD start = GetTickCount(); !box && GetTickCount() - start < 5000; PumpFor(50))
    while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr &&
           !(IsWindowVisible(box) && GetWindow(box, GW_OWNER) == dialog)) {
    }
  if (!box) return std::printf("found=0\n"), 1;
  std::string buttons, icon = "0";
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    if (IsClass(c, L"Button")) buttons += (buttons.empty() ? "" : ",") + Narrow(TextOf(c));
    if (IsClass(c, L"Static") && (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      icon = "1";
  }
  std::printf("found=1\ntitle=%s\ntext=%s\nicon=%s\nbuttons=%s\n", Narrow(TextOf(box)).c_str(),
              Narrow(TextOf(GetDlgItem(box, 0xFFFF))).c_str(), icon.c_str(), buttons.c_str());
  PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  for (DWORD start = GetTickCount(); IsWindow(box) && GetTickCount() - start < 3000;) PumpFor(50);
  Handled(dialog, WM_NULL, 0, 0);  // the handler that opened the box has returned
  std::printf("gone=%d\n", !IsWindow(box));
  return 0;
}

// window-info CLASS [WAIT_MS]: the first visible top-level window of the class.
int WindowInfo(const Args& a) {
  HWND hwnd = WaitFor(a[0], a.size() > 1 ? Num(a[1]) : 5000);
  std::printf("found=%d\n", !!hwnd);
  if (hwnd) PrintWindow("", hwnd);
  return !hwnd;
}

struct Command {
  const wchar_t* name;
  size_t args;
  int (*run)(const Args&);
};
constexpr Command kCommands[] = {{L"launch", 4, Launch},
                                 {L"window-info", 1, WindowInfo},
                                 {L"window-stats", 1, Stats},
                                 {L"hold-file", 2, Hold},
                                 {L"solid-window", 3, Solid},
                                 {L"first-frames", 2, FirstFrames},
                                 {L"controls", 0, Controls},
                                 {L"click", 1, Click},
                                 {L"set", 2, Set},
                                 {L"key", 1, Key},
                                 {L"dpi-changed", 2, DpiChanged},
                                 {L"display-mode", 2, DisplayModeCmd},
                                 {L"close", 0, Close},
                                 {L"msgbox", 0, MsgBox}};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Real pixels, as the DPI-aware program sees them, whatever the scale.
  SetProcessDPIAware();
  const Args args(argv + std::min(argc, 2), argv + argc);
  for (const Command& c : kCommands)
    if (argc > 1 && c.name == std::wstring(argv[1]) && args.size() >= c.args) {
      const int rc = c.run(args);
      std::fflush(stdout);
      return rc;
    }
  std::fprintf(stderr, "usage: vwdriver COMMAND ARGS... (see Driver.cpp)\n");
  return 2;
}
