// The end-to-end test driver: a small Win32 program that plays the part of Windows (the
// display-settings dialog that hosts a preview) and of a user (clicks, keys), and reads what a
// test cannot see from Linux (window places and styles, another process's controls, GDI
// objects). "vwdriver COMMAND ARGS..." prints key=value lines; the commands are the table at
// the end, each a small function. The dialog's controls go by their names (core/ControlIds.h).
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
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
void Out(const char* key, const std::string& value) {
  std::printf("%s=%s\n", key, value.c_str());
}
void Out(const char* key, long value) {
  std::printf("%s=%ld\n", key, value);
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
// Pumps until `done` holds or `ms` have passed; whether it held.
template <class F>
bool PumpUntil(DWORD ms, F done) {
  for (DWORD start = GetTickCount(); !done(); PumpFor(20))
    if (GetTickCount() - start >= ms) return false;
  return true;
}
// The first visible top-level window of the class, 0 when none appears within `ms`.
HWND WaitFor(const std::wstring& cls, DWORD ms) {
  HWND found = nullptr;
  PumpUntil(ms, [&] {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, cls.c_str(), nullptr)) != nullptr;)
      if (IsWindowVisible(w)) return (found = w) != nullptr;
    return false;
  });
  return found;
}
HWND Dialog() {
  return WaitFor(vw::kSettingsWindowClass, 20000);
}

// --- the dialog's controls by name -----------------------------------------------------------
const char* NameOf(int id) {
  for (const vw::ControlName& c : vw::kControlNames)
    if (static_cast<int>(c.id) == id) return c.name;
  return id ? "unknown" : "none";
}
int IdOf(const std::wstring& name) {
  for (const vw::ControlName& c : vw::kControlNames)
    if (Narrow(name) == c.name) return static_cast<int>(c.id);
  return 0;
}
// The control named (the swatches sit in their panel).
HWND Control(const std::wstring& name) {
  HWND dialog = Dialog(), c = GetDlgItem(dialog, IdOf(name));
  return c ? c : GetDlgItem(GetDlgItem(dialog, static_cast<int>(vw::ControlId::picColorColl)),
                            IdOf(name));
}
// The window that has the focus in the dialog's thread.
HWND FocusWindow(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) ? info.hwndFocus
                                                                            : nullptr;
}
// The name of the control that has the focus: a combo box's edit field counts as the box.
const char* FocusOf(HWND dialog) {
  HWND focus = IsWindow(dialog) ? FocusWindow(dialog) : nullptr;
  if (focus && GetParent(focus) != dialog && IsClass(GetParent(focus), L"ComboBox"))
    focus = GetParent(focus);
  return NameOf(focus ? GetDlgCtrlID(focus) : 0);
}
// Returns once the dialog has handled the message, or after two seconds when its handler
// opened a message box (which the test then reads).
void Handled(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, msg, wp, lp, SMTO_NORMAL, 2000, &result);
}

// --- windows --------------------------------------------------------------------------------
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
// first visible one; how many in `count`.
HWND Find(HWND host, DWORD pid, int* count = nullptr) {
  HWND shown = nullptr;
  for (const wchar_t* cls : {kDisplayClass, vw::kSettingsWindowClass})
    for (HWND w = nullptr; (w = FindWindowExW(host, w, cls, nullptr)) != nullptr;) {
      DWORD owner = 0;
      GetWindowThreadProcessId(w, &owner);
      if (pid && owner != pid) continue;
      if (count) ++*count;
      if (!shown && IsWindowVisible(w)) shown = w;
    }
  return shown;
}

// --- launch -----------------------------------------------------------------------------------
// The marks of a command line: %HOST% a host window of 240 x 180 made here, %UNAWARE% the same
// made in a DPI-unaware thread (as a display-settings dialog that is not DPI aware makes it),
// %DEAD% the handle of a window that is gone. Each becomes the handle in decimal, printed as
// host=; the live host is returned.
HWND MakeHost(std::wstring& text) {
  HWND host = nullptr;
  for (const std::wstring mark : {L"%HOST%", L"%UNAWARE%", L"%DEAD%"}) {
    const auto at = text.find(mark);
    if (at == std::wstring::npos) continue;
    auto set = User32<DpiContext(WINAPI*)(DpiContext)>("SetThreadDpiAwarenessContext");
    if (set && mark == L"%UNAWARE%") set(reinterpret_cast<DpiContext>(-1));  // ..._UNAWARE
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
       DWORD_PTR ok = 0;
       SendMessageTimeoutW(w, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &ok);
       SendMessageTimeoutW(w, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &ok);
     }},
    {L"none", 20000, [](HWND, HWND) {}},
};

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
    if (host)
      std::printf("host_awareness=%d\nwindow_awareness=%d\nwindow_fills=%d\n", AwarenessOf(host),
                  AwarenessOf(window), fills());
    std::fflush(stdout);
    PumpUntil(60000, [&] { return GetFileAttributesW(a[3].c_str()) != INVALID_FILE_ATTRIBUTES; });
    if (host) {
      // After what the test did (a display change, which Windows broadcasts to top-level
      // windows only), and after WM_DISPLAYCHANGE forwarded to the preview as a host may.
      DWORD_PTR result = 0;
      SendMessageTimeoutW(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(GetSystemMetrics(SM_CXSCREEN),
                          GetSystemMetrics(SM_CYSCREEN)), SMTO_NORMAL, 5000, &result);
      std::printf("window_fills_at_go=%d\n", fills());
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

// --- the running saver ---------------------------------------------------------------------
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
  DWORD pid = 0;
  GetWindowThreadProcessId(WaitFor(a[0], 5000), &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
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

// --- the settings dialog ------------------------------------------------------------------
// controls [DPI]: every control of the settings dialog, "NAME.key=value" lines (places in
// pixels of the dialog's client area; a list's entries in order, "|" between them; "name" for
// a control that takes the focus). For a
// visible caption of a label, check box or option button, "fits": whether the width it needs
// is at most the width the control gives it, less the box (12 pixels at 96 DPI plus one) and
// half a digit, as Wine draws it, in the dialog's font made again here at DPI (Wine will not
// select another process's font handle).
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
std::vector<std::string> ListOf(HWND box) {
  std::vector<std::string> items;
  for (LRESULT i = 0, n = SendMessageW(box, CB_GETCOUNT, 0, 0); i < n; ++i) {
    wchar_t item[256] = {};
    if (SendMessageW(box, CB_GETLBTEXTLEN, i, 0) < 256)
      SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
    items.push_back(Narrow(item));
  }
  return items;
}
BOOL CALLBACK PrintControl(HWND c, LPARAM dialogParam) {
  const DialogFont& dialog = *reinterpret_cast<DialogFont*>(dialogParam);
  if (GetParent(c) != dialog.hwnd && IsClass(GetParent(c), L"ComboBox")) return TRUE;  // its parts
  const char* n = NameOf(GetDlgCtrlID(c));
  RECT r{};
  GetWindowRect(c, &r);
  MapWindowPoints(nullptr, dialog.hwnd, reinterpret_cast<POINT*>(&r), 2);
  const std::wstring text = TextOf(c);
  const LONG style = GetWindowLongW(c, GWL_STYLE), type = style & BS_TYPEMASK;
  std::printf("%s.class=%s\n%s.place=%ld,%ld,%ld,%ld\n%s.visible=%d\n%s.text=%s\n", n,
              Narrow(ClassOf(c)).c_str(), n, r.left, r.top, r.right - r.left, r.bottom - r.top, n,
              !!(style & WS_VISIBLE), n, Narrow(text).c_str());
  const bool boxed =
      IsClass(c, L"Button") && (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON);
  const bool label =
      IsClass(c, L"Static") && !(style & WS_BORDER) && (style & SS_TYPEMASK) <= SS_RIGHT;
  if (boxed) std::printf("%s.checked=%d\n", n, SendMessageW(c, BM_GETCHECK, 0, 0) == BST_CHECKED);
  if (style & WS_TABSTOP) std::printf("%s.name=%s\n", n, Narrow(ReaderName(c)).c_str());
  if ((boxed || label) && !text.empty() && IsWindowVisible(c)) {
    SIZE need{};
    GetTextExtentPoint32W(dialog.dc, text.c_str(), static_cast<int>(text.size()), &need);
    GetClientRect(c, &r);
    std::printf("%s.fits=%d\n", n, need.cx <= r.right - (boxed ? dialog.box : 0));
  }
  if (IsClass(c, L"ComboBox")) {
    const std::vector<std::string> items = ListOf(c);
    const auto at = static_cast<std::size_t>(SendMessageW(c, CB_GETCURSEL, 0, 0));
    std::string all;
    for (const std::string& item : items) all += (all.empty() ? "" : "|") + item;
    std::printf("%s.count=%zu\n%s.items=%s\n%s.selected_text=%s\n", n, items.size(), n,
                all.c_str(), n, at < items.size() ? items[at].c_str() : "");
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
  Out("found", !!dialog.hwnd);
  Out("focus", FocusOf(dialog.hwnd));
  EnumChildWindows(dialog.hwnd, PrintControl, reinterpret_cast<LPARAM>(&dialog));
  return 0;
}

// click NAME: presses a button, box, option or swatch (BM_CLICK).
int Click(const Args& a) {
  return Handled(Control(a[0]), BM_CLICK, 0, 0), 0;
}
// set NAME TEXT: a text field's new text, as typed; in a list, the entry TEXT chosen, as
// a click in the list does: the selection, then the notification the dialog acts on.
int Set(const Args& a) {
  HWND c = Control(a[0]);
  if (!IsClass(c, L"ComboBox")) return Handled(c, WM_SETTEXT, 0, LPARAM(a[1].c_str())), 0;
  SendMessageW(c, CB_SETCURSEL, SendMessageW(c, CB_FINDSTRINGEXACT, -1, LPARAM(a[1].c_str())), 0);
  Handled(GetParent(c), WM_COMMAND, MAKEWPARAM(IdOf(a[0]), CBN_SELCHANGE), LPARAM(c));
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
    GUITHREADINFO info{};
  info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    HWND focus = info.hwndFocus ? info.hwndFocus : dialog;
    PostMessageW(focus, WM_KEYDOWN, key, 1 | scan);
    if (key == VK_RETURN || key == VK_ESCAPE) PostMessageW(focus, WM_CHAR, key, 1 | scan);
    PostMessageW(focus, WM_KEYUP, key, 1 | scan | 0xC0000000);
    PumpFor(300);
    Out("focus", FocusOf(dialog));
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
    return Out("sent", 0), 1;
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
  Out("changed", ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr));
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
  PumpUntil(5000, [&] {
    while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr)
      if (IsWindowVisible(box) && GetWindow(box, GW_OWNER) == dialog) return true;
    return false;
  });
  if (!box) return Out("found", 0), 1;
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
  PumpUntil(3000, [&] { return !IsWindow(box); });
  Handled(dialog, WM_NULL, 0, 0);  // the handler that opened the box has returned
  Out("gone", !IsWindow(box));
  return 0;
}

// window-info CLASS [WAIT_MS]: the first visible top-level window of the class.
int WindowInfo(const Args& a) {
  HWND hwnd = WaitFor(a[0], a.size() > 1 ? Num(a[1]) : 5000);
  Out("found", !!hwnd);
  if (hwnd) PrintWindow("", hwnd);
  return !hwnd;
}

struct Command {
  const wchar_t* name;
  size_t args;
  int (*run)(const Args&);
};
constexpr Command kCommands[] = {
    {L"launch", 4, Launch},         {L"window-info", 1, WindowInfo},
    {L"window-stats", 1, Stats},    {L"hold-file", 2, Hold},
    {L"solid-window", 3, Solid},    {L"first-frames", 2, FirstFrames},
    {L"controls", 0, Controls},     {L"click", 1, Click},
    {L"set", 2, Set},               {L"key", 1, Key},
    {L"dpi-changed", 2, DpiChanged}, {L"display-mode", 2, DisplayModeCmd},
    {L"close", 0, Close},           {L"msgbox", 0, MsgBox},
};

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
