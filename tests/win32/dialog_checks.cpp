// What Wine cannot show of the windows on a real desk, through their seams (DialogSystem, the
// display's DpiCalls): a window on a monitor of another scale than the system's, high
// contrast, and a printer that never answers. Some checks run the window in a child process
// of this program ("printer", "display DPI"). One line per check; non-zero exit on a failure.
#include <windows.h>

#include <cstdio>
#include <mutex>
#include <string>

#include "app/Startup.h"
#include "tests/support/MemorySettingsStore.h"
#include "win32/GdiSurface.h"
#include "win32/Modes.h"
#include "win32/ScreenCapture.h"

namespace {

using namespace vw;
using namespace vw::win32;

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

// The scale the fakes report, chosen by each check.
UINT fakeDpi = 96;
UINT WINAPI FakeWindowDpi(HWND) { return fakeDpi; }
HRESULT WINAPI FakeMonitorDpi(HMONITOR, int, UINT* x, UINT* y) { return *x = *y = fakeDpi, S_OK; }

// Stands for a lock inside a printer driver, which the driver's detach code takes again when
// the process exits normally: with the worker blocked holding it, that exit never ends.
std::mutex spooler;
struct DetachCode {
  ~DetachCode() { std::lock_guard<std::mutex> wait(spooler); }
} detachCode;
FaceSet BlockedPrinter() {
  spooler.lock();
  Sleep(INFINITE);
  return {};
}

// Runs this program with `args` and waits up to `ms` for a visible window of `cls` of it.
HWND StartChild(const std::wstring& args, const wchar_t* cls, PROCESS_INFORMATION& pi) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring line = L"\"" + std::wstring(self) + L"\" " + args;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  if (!CreateProcessW(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return nullptr;
  for (DWORD start = GetTickCount(); GetTickCount() - start < 30000; PumpFor(50))
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, cls, nullptr)) != nullptr;) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid == pi.dwProcessId && IsWindowVisible(w)) return w;
    }
  return nullptr;
}
void EndChild(PROCESS_INFORMATION& pi) {
  TerminateProcess(pi.hProcess, 99);
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
}

// Lit pixels of the screen once they stop changing (the verse has grown), 0 without any.
long SettledTextPixels() {
  long last = -1;
  for (DWORD start = GetTickCount(); GetTickCount() - start < 20000; PumpFor(300)) {
    GdiSurface screen;
    LoadPicture(screen, CaptureScreen());
    long lit = 0;
    for (int i = 0; i < screen.Width() * screen.Height(); ++i) lit += (screen.Pixels()[i] & 0xC0C0C0) != 0;
    if (lit > 0 && lit == last) return lit;
    last = lit;
  }
  return 0;
}

// Milliseconds from the close box of a dialog run with `args` to the end of its process
// (beyond 5 s: 99999).
DWORD MsToEnd(const std::wstring& args) {
  PROCESS_INFORMATION pi{};
  HWND dialog = StartChild(args, kSettingsWindowClass, pi);
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  const DWORD closed = GetTickCount();
  const bool ended = dialog && WaitForSingleObject(pi.hProcess, 5000) == WAIT_OBJECT_0;
  const DWORD ms = ended ? GetTickCount() - closed : 99999;
  if (pi.hProcess) EndChild(pi);
  return ms;
}

// A full-screen run whose primary monitor reports `dpi`: the verse's lit pixels, then whether
// WM_DPICHANGED with a rectangle of one small monitor leaves it covering the whole screen.
long VerseAt(UINT dpi, bool* keepsScreen) {
  PROCESS_INFORMATION pi{};
  HWND w = StartChild(L"display " + std::to_wstring(dpi), L"VellumwayDisplay", pi);
  const long lit = w ? SettledTextPixels() : 0;
  if (keepsScreen && w) {
    RECT before{}, after{}, small{0, 0, 320, 200};
    GetWindowRect(w, &before);
    // The rectangle lives at the same address in the child (see the driver's dpi-changed).
    DWORD_PTR result = 0;
    void* there = VirtualAllocEx(pi.hProcess, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
    WriteProcessMemory(pi.hProcess, there, &small, sizeof(small), nullptr);
    SendMessageTimeoutW(w, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(there),
                        SMTO_NORMAL, 5000, &result);
    GetWindowRect(w, &after);
    *keepsScreen = EqualRect(&before, &after) && after.right - after.left > 320 &&
                   SettledTextPixels() > lit / 2;
  }
  if (pi.hProcess) EndChild(pi);
  return lit;
}

int Child(int argc, wchar_t** argv) {
  test::MemorySettingsStore store;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (std::wstring(argv[1]) == L"printer") {
    DialogSystem system;
    if (argc > 2 && std::wstring(argv[2]) == L"blocked") system.printer = BlockedPrinter;
    return RunSettingsDialog(store, instance, system);
  }
  fakeDpi = argc > 2 ? static_cast<UINT>(_wtoi(argv[2])) : 96;
  ProgramState program;
  const StartupDecision decision = DecideStartup(store, "/s", false);
  DpiCalls calls;
  calls.forMonitor = FakeMonitorDpi;
  return RunDisplay(program, store, decision, instance, calls);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  SetProcessDPIAware();
  if (argc > 1) return Child(argc, argv);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  test::MemorySettingsStore store;
  EnsureDefaultSettings(store);

  // The dialog on a monitor of 144 DPI while the system's is 96 (Wine's): laid out at 144.
  const int system = ScreenDpi();
  fakeDpi = system * 3 / 2;
  {
    DialogSystem on;
    on.dpi.forWindow = FakeWindowDpi;
    on.dpi.adjustForDpi = nullptr;  // Wine draws the frame at the system's scale
    SettingsWindow dialog(instance, store, on);
    RECT client{}, box{};
    const bool open = dialog.Open();
    GetClientRect(dialog.Window(), &client);
    GetWindowRect(GetDlgItem(dialog.Window(), static_cast<int>(ControlId::txtChangeSec)), &box);
    Check(open && client.right == MulDiv(6000, fakeDpi, 1440) &&
              client.bottom == MulDiv(6420, fakeDpi, 1440) &&
              box.right - box.left == MulDiv(555, fakeDpi, 1440),
          "the dialog opens at its own monitor's scale: client " + std::to_string(client.right) +
              "x" + std::to_string(client.bottom) + " at " + std::to_string(fakeDpi) + " DPI");
  }

  // High contrast: grey and labels in the system's colours (here a black scheme, made
  // unlike every colour of the dialog), the swatches in their own.
  const int elements[] = {COLOR_BTNFACE, COLOR_WINDOWTEXT};
  const COLORREF before[] = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOWTEXT)};
  const COLORREF scheme[] = {RGB(0, 0, 0), RGB(255, 255, 0)};
  SetSysColors(2, elements, scheme);
  for (bool contrast : {false, true}) {
    DialogSystem look;
    look.highContrast = contrast ? +[] { return true; } : +[] { return false; };
    SettingsWindow dialog(instance, store, look);
    dialog.Open();
    PumpFor(300);
    HDC dc = GetDC(dialog.Window());
    HWND label = GetDlgItem(dialog.Window(), static_cast<int>(ControlId::Label3));
    SetTextColor(dc, RGB(1, 2, 3));
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(dialog.Window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(label)));
    LOGBRUSH fill{};
    GetObjectW(brush, sizeof(fill), &fill);
    const COLORREF text = GetTextColor(dc), back = GetPixel(dc, 4, 4);
    ReleaseDC(dialog.Window(), dc);
    HWND red = GetDlgItem(GetDlgItem(dialog.Window(), static_cast<int>(ControlId::picColorColl)),
                          static_cast<int>(picColorSelect(2)));
    HDC swatch = GetDC(red);
    const COLORREF swatchColour = GetPixel(swatch, 4, 4);
    ReleaseDC(red, swatch);
    const COLORREF face = contrast ? scheme[0] : RGB(192, 192, 192);
    Check(fill.lbColor == face && back == face && text == (contrast ? scheme[1] : RGB(1, 2, 3)) &&
              swatchColour == RGB(192, 0, 0),
          std::string(contrast ? "high contrast: " : "normal: ") + "background " +
              std::to_string(back) + ", labels " + std::to_string(text) + ", red swatch " +
              std::to_string(swatchColour));
  }
  SetSysColors(2, elements, before);

  // The dialog closes while the printer's worker is blocked: the process ends as soon as one
  // whose printer answered (Wine takes about 2 s to end any process that showed a dialog).
  const DWORD answered = MsToEnd(L"printer answers"), blocked = MsToEnd(L"printer blocked");
  Check(blocked <= answered + 1000, "a dialog closed with the printer blocked ends in " +
                                        std::to_string(blocked) + " ms, with it answering in " +
                                        std::to_string(answered) + " ms");

  // Full screen, the verse follows its monitor's scale, and WM_DPICHANGED keeps the window
  // over the whole screen.
  bool keeps = false;
  const long at96 = VerseAt(96, nullptr), at192 = VerseAt(192, &keeps);
  Check(at96 > 0 && at192 > at96 * 5 / 2,
        "the verse at 192 DPI has " + std::to_string(at192) + " lit pixels, at 96 " +
            std::to_string(at96));
  Check(keeps, "WM_DPICHANGED: the window keeps covering the screen, the verse shown again");
  return failures == 0 ? 0 : 1;
}
