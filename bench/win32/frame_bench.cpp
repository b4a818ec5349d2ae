// Frame benchmark: grows the longest verse on the real GDI surfaces and shows it in a window
// as wide as one to three monitors, beside the floor a complete frame pays there (two
// full-frame block transfers: background onto picText, picText onto the window). Growth
// frames touch only the verse, so they need not grow with the monitors.
//
//   frame_bench [--frames N] [--shots FOLDER]
//
// --shots writes composed frames as BMP files into FOLDER.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ProgramState.h"
#include "bench/LongestVerse.h"
#include "bench/win32/Clock.h"
#include "display/VerseRenderer.h"
#include "win32/GdiSurface.h"
#include "win32/ScreenCapture.h"
#include "tests/support/FakeTimer.h"
#include "tests/win32/FrameWindow.h"

namespace {

using vw::win32::GdiSurface;
using vw::win32::Pump;
using vw::win32::WindowSurface;

class BenchHost : public vw::win32::FixedClockHost {
 public:
  void CaptureScreen(vw::ISurface& target) override { vw::win32::CaptureScreenInto(target); }
};

struct Timing {
  double mean = 0;
  double median = 0;
  double p95 = 0;
};

Timing Summarise(std::vector<double> ms) {
  Timing t;
  for (double v : ms) t.mean += v;
  t.mean /= static_cast<double>(ms.size());
  std::sort(ms.begin(), ms.end());
  t.median = ms[ms.size() / 2];
  t.p95 = ms[std::min(ms.size() - 1, ms.size() * 95 / 100)];
  return t;
}

// Runs `body` `count` times, each followed by a flush and the message pump (where Wine
// hands the window's pixels to X); appends the time of each, in ms, to `ms`.
template <class F>
void Sample(int count, std::vector<double>& ms, F body) {
  for (int k = 0; k < count; ++k) {
    const double start = NowMs();
    body();
    GdiFlush();
    Pump();
    ms.push_back(NowMs() - start);
  }
}

template <class F>
Timing Measure(int count, F body) {
  std::vector<double> ms;
  Sample(count, ms, body);
  return Summarise(std::move(ms));
}

// A stand-in for the user's desktop: a gradient with a few window-like panels, so a frame
// over the transparent background has something to float over.
LRESULT CALLBACK DesktopProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_ERASEBKGND) return 1;
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    for (int y = 0; y < r.bottom; y += 8) {
      const int t = y * 255 / std::max(1L, r.bottom);
      HBRUSH b = CreateSolidBrush(RGB(30 + t / 4, 80 + t / 3, 140 + t / 3));
      RECT band{0, y, r.right, y + 8};
      FillRect(dc, &band, b);
      DeleteObject(b);
    }
    const COLORREF panels[] = {RGB(240, 240, 240), RGB(250, 220, 120), RGB(200, 60, 60)};
    for (int k = 0; k < 3; ++k) {
      RECT panel{r.right * (1 + 3 * k) / 12, r.bottom * (2 + k) / 10, r.right * (4 + 3 * k) / 12,
                 r.bottom * (6 + k) / 10};
      HBRUSH b = CreateSolidBrush(panels[k]);
      FillRect(dc, &panel, b);
      DeleteObject(b);
      RECT bar{panel.left, panel.top, panel.right, panel.top + 28};
      HBRUSH title = CreateSolidBrush(RGB(20, 60, 160));
      FillRect(dc, &bar, title);
      DeleteObject(title);
    }
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND MakeWindow(const wchar_t* cls, int width, int height) {
  HWND hwnd = CreateWindowExW(WS_EX_TOPMOST, cls, L"frame_bench", WS_POPUP | WS_VISIBLE, 0, 0,
                              width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  UpdateWindow(hwnd);
  Pump();
  return hwnd;
}

// The display window's pieces, as frmMain holds them.
struct Display {
  Display(HWND hwnd, const std::string& title, vw::DisplayMode mode = vw::DisplayMode::FullScreen)
      : window(hwnd),
        verse{vw::bench::kLongestReference, vw::bench::kLongestVerse, title},
        renderer(program.Settings, mode, program.Random,
                 {picWork, picText, picBlank, picCapture, window}, timFont, host) {
    program.Settings.Font = "Arial";
    program.Settings.FontSize = 45;
    program.Settings.Color = 1;
  }
  vw::ProgramState program;
  GdiSurface picWork, picText, picBlank, picCapture;
  WindowSurface window;
  vw::test::FakeTimer timFont;
  BenchHost host;
  vw::Verse verse;
  vw::VerseRenderer renderer;
};

void WriteBmp(const GdiSurface& surface, const std::string& path) {
  const int w = surface.Width();
  const int h = surface.Height();
  const int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = w;
  info.biHeight = h;  // bottom-up rows
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(stride * h);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + info.biSizeImage;
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return;
  std::fwrite(&file, sizeof(file), 1, out);
  std::fwrite(&info, sizeof(info), 1, out);
  std::vector<unsigned char> row(static_cast<std::size_t>(stride), 0);
  for (int y = h - 1; y >= 0; --y) {
    const std::uint32_t* src = surface.Pixels() + static_cast<std::size_t>(y) * w;
    for (int x = 0; x < w; ++x) {
      row[x * 3 + 0] = static_cast<unsigned char>(src[x] & 0xFF);
      row[x * 3 + 1] = static_cast<unsigned char>((src[x] >> 8) & 0xFF);
      row[x * 3 + 2] = static_cast<unsigned char>((src[x] >> 16) & 0xFF);
    }
    std::fwrite(row.data(), 1, row.size(), out);
  }
  std::fclose(out);
}

DWORD GdiObjects() {
  return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

// One row of the table: growth frames of the longest verse (a whole growth, 1 to 45 points,
// again and again, each frame timed on its own) on a window as wide as the virtual screen,
// with the verse on a primary monitor of at most 3840x2160 at its left; beside them the floor
// of a complete frame there. Returns the growth frames' median.
double RunSize(int width, int height, int frames, bool transparent) {
  HWND hwnd = MakeWindow(L"VellumwayFrameBench", width, height);
  Display d(hwnd, "The Ten Commandments");
  d.program.Settings.ScreenColor = transparent;
  d.renderer.PrepareDisplay();
  d.renderer.Resize(width, height, {0, 0, std::min(width, 3840), std::min(height, 2160)},
                    d.verse);
  const vw::ISurface& background = transparent ? static_cast<vw::ISurface&>(d.picCapture)
                                               : static_cast<vw::ISurface&>(d.picBlank);
  d.renderer.DrawVerse(1.0f);
  while (d.timFont.enabled) d.renderer.timFont_Timer();  // fonts and widths made once
  // Growths and the floor in alternating batches, so both see the same machine.
  std::vector<double> growthMs, floorMs;
  while (static_cast<int>(growthMs.size()) < frames) {
    Sample(1, growthMs, [&] { d.renderer.DrawVerse(1.0f); });
    while (d.timFont.enabled) Sample(1, growthMs, [&] { d.renderer.timFont_Timer(); });
    Sample(12, floorMs, [&] {
      d.picText.CopyFrom(background, 0, 0, width, height, 0, 0);
      d.window.CopyFrom(d.picText, 0, 0, width, height, 0, 0);
    });
  }
  const Timing growth = Summarise(growthMs);
  const Timing floor = Summarise(floorMs);
  std::printf("%5dx%-5d %-11s  %9.3f ms  %9.3f ms  %9.3f ms  %6.2fx\n", width, height,
              transparent ? "transparent" : "black", growth.median, growth.p95, floor.median,
              growth.median / floor.median);
  DestroyWindow(hwnd);
  Pump();
  return growth.median;
}

void CheckGdiObjects(int frames) {
  HWND hwnd = MakeWindow(L"VellumwayFrameBench", 1920, 1080);
  Display d(hwnd, "The Ten Commandments");
  d.renderer.PrepareDisplay();
  d.renderer.Resize(1920, 1080, {0, 0, 1920, 1080}, d.verse);
  d.renderer.DrawVerse(1.0f);
  while (d.timFont.enabled) d.renderer.timFont_Timer();
  const DWORD before = GdiObjects();
  for (int k = 0; k < frames; ++k) {
    d.renderer.DrawVerse(1.0f);
    while (d.timFont.enabled) d.renderer.timFont_Timer();
  }
  const DWORD after = GdiObjects();
  std::printf("GDI objects (GetGuiResources): %lu before, %lu after %d growths\n",
              static_cast<unsigned long>(before), static_cast<unsigned long>(after), frames);
  std::printf("fonts made / alive: picText %d / %d, picWork %d / %d\n", d.picText.Fonts().Created(),
              d.picText.Fonts().Count(), d.picWork.Fonts().Created(), d.picWork.Fonts().Count());
  DestroyWindow(hwnd);
  Pump();
}

void MakeShots(const std::string& folder) {
  HWND desktop = MakeWindow(L"VellumwayFrameBenchDesktop", GetSystemMetrics(SM_CXSCREEN),
                            GetSystemMetrics(SM_CYSCREEN));
  InvalidateRect(desktop, nullptr, TRUE);
  UpdateWindow(desktop);
  Pump();
  Sleep(200);
  Pump();

  struct Shot {
    const char* name;
    bool transparent;
    bool shadow;
    float size;
    int width = 1920, height = 1080;
    bool preview = false;
  } shots[] = {
      {"frame_black", false, false, 45},
      {"frame_transparent", true, false, 45},
      {"frame_transparent_shadow", true, true, 45},
      {"frame_growing_shadow", true, true, 21},
      // The display-settings dialog's small monitor: the verse at 5 points.
      {"frame_preview", false, false, 5, 152, 112, true},
  };
  for (const Shot& s : shots) {
    // The capture is taken while only the stand-in desktop is showing, as at load.
    HWND hwnd =
        CreateWindowExW(WS_EX_TOPMOST, L"VellumwayFrameBench", L"frame_bench", WS_POPUP, 0, 0,
                        s.width, s.height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Display d(hwnd, "The Ten Commandments",
              s.preview ? vw::DisplayMode::Preview : vw::DisplayMode::FullScreen);
    d.program.Settings.ScreenColor = s.transparent;
    d.program.Settings.DropShadow = s.shadow;
    d.program.Settings.FontBold = s.shadow;
    d.renderer.PrepareDisplay();
    ShowWindow(hwnd, SW_SHOW);
    Pump();
    d.renderer.Resize(s.width, s.height, {0, 0, s.width, s.height}, d.verse);
    d.renderer.DrawVerse(s.size);
    const std::string path = folder + "\\" + s.name + ".bmp";
    WriteBmp(d.picText, path);
    std::printf("wrote %s\n", path.c_str());
    DestroyWindow(hwnd);
    Pump();
  }
  DestroyWindow(desktop);
  Pump();
}

void Register(const wchar_t* name, WNDPROC proc) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = name;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  RegisterClassW(&wc);
}

}  // namespace

int main(int argc, char** argv) {
  int frames = 200;
  std::string shots;
  for (int k = 1; k < argc; ++k) {
    const std::string arg = argv[k];
    if (arg == "--frames" && k + 1 < argc) frames = std::max(24, std::atoi(argv[++k]));
    if (arg == "--shots" && k + 1 < argc) shots = argv[++k];
  }
  Register(L"VellumwayFrameBench", vw::win32::QuietWindowProc);
  Register(L"VellumwayFrameBenchDesktop", DesktopProc);
  std::printf("screen %dx%d, %d dpi, %d growth frames per row\n", GetSystemMetrics(SM_CXSCREEN),
              GetSystemMetrics(SM_CYSCREEN), vw::win32::ScreenDpi(), frames);
  if (!shots.empty()) {
    MakeShots(shots);
    return 0;
  }
  // One monitor at 1080p and at 4K, then two and three 4K monitors side by side.
  std::printf("growth frames of Esther 8:9 under a title, 1 to 45 pt, verse on the primary:\n");
  std::printf("%-11s %-11s  %12s  %12s  %12s  %7s\n", "screen", "background", "growth median",
              "growth p95", "floor median", "ratio");
  for (bool transparent : {false, true}) {
    RunSize(1920, 1080, frames, transparent);
    const double at4k = RunSize(3840, 2160, frames, transparent);
    RunSize(7680, 2160, frames, transparent);
    const double at12k = RunSize(11520, 2160, frames, transparent);
    std::printf("%-23s three 4K / one 4K: %.2fx\n", "", at12k / at4k);
  }
  CheckGdiObjects(1000 / 24 + 1);
  return 0;
}
