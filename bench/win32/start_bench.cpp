// Start-up benchmark, seen from outside the program: from CreateProcess to the display
// window, to its first paint and to the first pixels of the first verse; and the same launch
// of a program that does nothing, which is Wine's own share. Run by scripts/figures.sh.
//
//   start_bench time-start SCR TEXT [TIMEOUT_MS] | time-empty [N] | noop
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/win32/Clock.h"

namespace {

using Args = std::vector<std::wstring>;
long ToLong(const std::wstring& text) {
  return std::wcstol(text.c_str(), nullptr, 10);
}

bool Launch(const std::wstring& program, const std::wstring& arguments, PROCESS_INFORMATION& pi) {
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  return CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &pi) != 0;
}

// A band of the screen read back through GDI, as 0x00RRGGBB pixels.
class ScreenBand {
 public:
  ScreenBand(int x, int y, int width, int height) : x_(x), y_(y), w_(width), h_(height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    memory_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(memory_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                               nullptr, 0);
    old_ = SelectObject(memory_, bitmap_);
  }
  ~ScreenBand() {
    SelectObject(memory_, old_);
    DeleteObject(bitmap_);
    DeleteDC(memory_);
  }
  void Grab() {
    HDC screen = GetDC(nullptr);
    BitBlt(memory_, 0, 0, w_, h_, screen, x_, y_, SRCCOPY);
    ReleaseDC(nullptr, screen);
    GdiFlush();
  }
  std::size_t Size() const { return static_cast<std::size_t>(w_) * h_; }
  DWORD At(std::size_t i) const { return bits_[i] & 0xFFFFFF; }
  DWORD Centre() const { return At(static_cast<std::size_t>(h_ / 2) * w_ + w_ / 2); }

 private:
  int x_, y_, w_, h_;
  HDC memory_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  DWORD* bits_ = nullptr;
};

bool Near(DWORD a, DWORD b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) >
        tolerance)
      return false;
  }
  return true;
}

HWND VisibleDisplayOf(DWORD pid) {
  HWND found = nullptr;
  while ((found = FindWindowExW(nullptr, found, L"VellumwayDisplay", nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(found, &owner);
    if (owner == pid && IsWindowVisible(found)) return found;
  }
  return nullptr;
}

// time-start SCR TEXT [TIMEOUT_MS]: starts SCR with TEXT (a full-screen start) and reports,
// in milliseconds from just before CreateProcess:
//   window_ms       the display window is visible
//   first_paint_ms  the centre of the screen no longer shows what was there before the start
//                   (start it over a coloured window to see this)
//   first_verse_ms  at least 20 pixels of a central band are neither black nor the colour
//                   that was there before: the first verse, a few growth steps in
// then ends the program with a click. -1 for what did not happen within TIMEOUT_MS.
int TimeStart(const Args& args) {
  if (args.size() < 2) return 2;
  const double timeout = args.size() > 2 ? ToLong(args[2]) : 10000;
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  ScreenBand band(0, sh / 2 - 100, sw, 200);
  band.Grab();
  const DWORD before = band.Centre();

  PROCESS_INFORMATION pi{};
  const double t0 = NowMs();
  if (!Launch(args[0], args[1], pi)) {
    std::printf("launched=0\n");
    return 1;
  }
  double window = -1, paint = -1, verse = -1;
  HWND hwnd = nullptr;
  int grabs = 0;
  while (NowMs() - t0 < timeout && verse < 0) {
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
    if (!hwnd && (hwnd = VisibleDisplayOf(pi.dwProcessId)) != nullptr) window = NowMs() - t0;
    band.Grab();
    ++grabs;
    const double t = NowMs() - t0;
    if (paint < 0 && !Near(band.Centre(), before, 8)) paint = t;
    int lit = 0;
    for (std::size_t i = 0; i < band.Size() && lit < 20; ++i) {
      const DWORD p = band.At(i);
      if (!Near(p, 0, 16) && !Near(p, before, 8)) ++lit;
    }
    if (lit >= 20) verse = t;
  }
  std::printf("window_ms=%.1f\nfirst_paint_ms=%.1f\nfirst_verse_ms=%.1f\ngrabs=%d\n", window, paint,
              verse, grabs);
  if (hwnd) {
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  }
  const bool ended = WaitForSingleObject(pi.hProcess, 5000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(pi.hProcess, 99);
  std::printf("ended=%d\n", ended ? 1 : 0);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  std::fflush(stdout);
  return 0;
}

constexpr const wchar_t* kNoopEntered = L"Local\\VellumwayDriverNoopEntered";

// noop: does nothing but tell time-empty that it has reached its main function.
int Noop(const Args&) {
  HANDLE entered = OpenEventW(EVENT_MODIFY_STATE, FALSE, kNoopEntered);
  if (entered) {
    SetEvent(entered);
    CloseHandle(entered);
  }
  return 0;
}

// time-empty [N]: N launches (default 5) of this driver with "noop", each timed from just
// before CreateProcess to the moment its main function runs (entered_ms) and to the end of
// the process (exited_ms).
int TimeEmpty(const Args& args) {
  const long n = args.empty() ? 5 : std::max(1L, ToLong(args[0]));
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  HANDLE entered = CreateEventW(nullptr, FALSE, FALSE, kNoopEntered);
  for (long i = 0; i < n; ++i) {
    PROCESS_INFORMATION pi{};
    ResetEvent(entered);
    const double t0 = NowMs();
    if (!Launch(self, L"noop", pi)) return 1;
    const HANDLE both[] = {entered, pi.hProcess};
    double enteredMs = -1;
    if (WaitForMultipleObjects(2, both, FALSE, 10000) == WAIT_OBJECT_0) enteredMs = NowMs() - t0;
    WaitForSingleObject(pi.hProcess, 10000);
    const double exitedMs = NowMs() - t0;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    std::printf("entered_ms=%.1f\nexited_ms=%.1f\n", enteredMs, exitedMs);
  }
  CloseHandle(entered);
  std::fflush(stdout);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const Args args(argv + std::min(argc, 2), argv + argc);
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"time-start") return TimeStart(args);
  if (command == L"time-empty") return TimeEmpty(args);
  if (command == L"noop") return Noop(args);
  std::fprintf(stderr,
               "usage: start_bench time-start SCR TEXT [TIMEOUT_MS] | time-empty [N] | noop\n");
  return 2;
}
