// What Wine cannot show of the windows on a real desk, through their seams (DialogSystem, the
// display's DpiCalls): a window on a monitor of another scale than the system's, high
// contrast, and a printer that never answers. The dialog that closes and the full-screen runs
// are children of this program ("printer answers|blocked", "display DPI"). One line per
// check; a non-zero exit when one fails.
#include <windows.h>

#include <cstdio>
#include <mutex>
#include <string>

#include "app/Startup.h"
#include "tests/support/MemorySettingsStore.h"
#include "win32/Modes.h"
#include "win32/ScreenCapture.h"

namespace {

using namespace vw;
using namespace vw::win32;
using std::to_string;

int failures = 0;
void Check(bool ok, const std::string& what) {
  std::printf("%s  %s\n", ok ? "ok  " : "FAIL", what.c_str());
  failures += !ok;
}
void PumpFor(DWORD ms) {
  MSG msg;
  for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(10))
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}
HWND Item(HWND parent, ControlId id) { return GetDlgItem(parent, static_cast<int>(id)); }

// The scale the fakes report.
UINT fakeDpi = 96;
UINT WINAPI FakeWindowDpi(HWND) { return fakeDpi; }
HRESULT WINAPI FakeMonitorDpi(HMONITOR, int, UINT* x, UINT* y) { return *x = *y = fakeDpi, S_OK; }

// Stands for a lock inside a printer driver that the driver's detach code takes again when the
// process exits normally: with the worker blocked holding it, that exit never ends.
std::mutex spooler;
struct DetachCode {
  ~DetachCode() { std::lock_guard<std::mutex> wait(spooler); }
} detachCode;

// This program run with `args`, and its first visible window of `cls` (within 30 s).
struct Child {
  PROCESS_INFORMATION pi{};
  HWND window = nullptr;
  Child(std::wstring args, const wchar_t* cls) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(self) + L"\" " + args;
    STARTUPINFOW si{sizeof(si)};
    if (!CreateProcessW(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
      return;
    for (DWORD start = GetTickCount(); !window && GetTickCount() - start < 30000; PumpFor(50))
      for (HWND w = nullptr; !window && (w = FindWindowExW(nullptr, w, cls, nullptr));) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == pi.dwProcessId && IsWindowVisible(w)) window = w;
      }
  }
  ~Child() {
    TerminateProcess(pi.hProcess, 99);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess), CloseHandle(pi.hThread);
  }
};

// Milliseconds from the close box of a dialog run with `args` to its end (5 s and more: 99999).
DWORD MsToEnd(const std::wstring& args) {
  Child dialog(args, kSettingsWindowClass);
  PostMessageW(dialog.window, WM_CLOSE, 0, 0);
  const DWORD closed = GetTickCount();
  const bool ended = dialog.window && WaitForSingleObject(dialog.pi.hProcess, 5000) == 0;
  return ended ? GetTickCount() - closed : 99999;
}

// Lit pixels of the screen once they stop changing (the verse has grown), 0 without any.
long SettledTextPixels() {
  long last = -1;
  for (DWORD start = GetTickCount(); GetTickCount() - start < 20000; PumpFor(300)) {
    GdiSurface screen;
    LoadPicture(screen, CaptureScreen());
    long lit = 0;
    for (int i = 0; i < screen.Width() * screen.Height(); ++i)
      lit += (screen.Pixels()[i] & 0xC0C0C0) != 0;
    if (lit > 0 && lit == last) return lit;
    last = lit;
  }
  return 0;
}

int RunChild(int argc, wchar_t** argv) {
  test::MemorySettingsStore store;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const std::wstring what = argv[1], how = argc > 2 ? argv[2] : L"";
  if (what == L"printer") {
    DialogSystem system;
    if (how == L"blocked")
      system.printer = [] { return spooler.lock(), Sleep(INFINITE), FaceSet{}; };
    return RunSettingsDialog(store, instance, system);
  }
  fakeDpi = _wtoi(how.c_str());
  ProgramState program;
  return RunDisplay(program, store, DecideStartup(store, "/s", false), instance,
                    DpiCalls{nullptr, FakeMonitorDpi});
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  SetProcessDPIAware();
  if (argc > 1) return RunChild(argc, argv);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  test::MemorySettingsStore store;
  EnsureDefaultSettings(store);

  // The dialog on a monitor of 1.5 times the system's scale: laid out at that scale.
  fakeDpi = ScreenDpi() * 3 / 2;
  DialogSystem system;
  system.dpi.forWindow = FakeWindowDpi;
  system.dpi.adjustForDpi = nullptr;  // Wine draws the frame at the system's scale
  {
    SettingsWindow dialog(instance, store, system);
    RECT client{}, box{};
    const bool open = dialog.Open();
    GetClientRect(dialog.Window(), &client);
    GetWindowRect(Item(dialog.Window(), ControlId::txtChangeSec), &box);
    Check(open && client.right == MulDiv(6000, fakeDpi, 1440) &&
              client.bottom == MulDiv(6420, fakeDpi, 1440) &&
              box.right - box.left == MulDiv(555, fakeDpi, 1440),
          "the dialog opens at its monitor's " + to_string(fakeDpi) + " DPI: client " +
              to_string(client.right) + "x" + to_string(client.bottom));
  }

  // High contrast, here a black scheme unlike every colour of the dialog: the grey and the
  // labels take the system's colours, the swatches keep theirs (test_dialog.sh pins the
  // colours without it).
  const int elements[] = {COLOR_BTNFACE, COLOR_WINDOWTEXT};
  const COLORREF scheme[] = {RGB(0, 0, 0), RGB(255, 255, 0)};
  SetSysColors(2, elements, scheme);
  system = {};
  system.highContrast = [] { return true; };
  {
    SettingsWindow dialog(instance, store, system);
    dialog.Open();
    PumpFor(300);
    HWND w = dialog.Window(), red = Item(Item(w, ControlId::picColorColl), picColorSelect(2));
    HDC dc = GetDC(w), swatch = GetDC(red);
    const LRESULT brush = SendMessageW(w, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(Item(w, ControlId::Label3)));
    LOGBRUSH fill{};
    GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof(fill), &fill);
    const COLORREF text = GetTextColor(dc), back = GetPixel(dc, 4, 4), own = GetPixel(swatch, 4, 4);
    ReleaseDC(red, swatch), ReleaseDC(w, dc);
    Check(fill.lbColor == scheme[0] && back == scheme[0] && text == scheme[1] &&
              own == RGB(192, 0, 0),
          "high contrast: background " + to_string(back) + ", labels " + to_string(text) +
              ", red swatch " + to_string(own));
  }

  // The dialog closes while the printer's worker is blocked: the process ends as soon as one
  // whose printer answered (Wine takes about 2 s to end any process that showed a dialog).
  const DWORD answered = MsToEnd(L"printer answers"), blocked = MsToEnd(L"printer blocked");
  Check(blocked <= answered + 1000, "a dialog closed with the printer blocked ends in " +
                                        to_string(blocked) + " ms, one answering in " +
                                        to_string(answered) + " ms");

  // Full screen, the verse follows its monitor's scale; WM_DPICHANGED with a rectangle of one
  // small monitor leaves the window over the whole screen and shows the verse again.
  long lit[2] = {};
  bool keeps = true;
  for (UINT dpi : {96u, 192u}) {
    Child run(L"display " + std::to_wstring(dpi), L"VellumwayDisplay");
    lit[dpi > 96] = run.window ? SettledTextPixels() : 0;
    RECT before{}, after{}, small{0, 0, 320, 200};
    GetWindowRect(run.window, &before);
    // The rectangle lives at the same address in the child (see the driver's dpi-changed).
    void* there = VirtualAllocEx(run.pi.hProcess, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(run.pi.hProcess, there, &small, sizeof(small), nullptr);
    SendMessageTimeoutW(run.window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                        reinterpret_cast<LPARAM>(there), SMTO_NORMAL, 5000, nullptr);
    GetWindowRect(run.window, &after);
    keeps = keeps && EqualRect(&before, &after) && after.right > 320 &&
            SettledTextPixels() > lit[0] / 2;
  }
  Check(lit[0] > 0 && lit[1] > lit[0] * 5 / 2, "the verse at 192 DPI has " + to_string(lit[1]) +
                                                   " lit pixels, at 96 " + to_string(lit[0]));
  Check(keeps, "WM_DPICHANGED: the window keeps covering the screen, the verse shown again");
  return failures == 0 ? 0 : 1;
}
