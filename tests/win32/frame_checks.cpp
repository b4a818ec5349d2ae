// Frames on the real GDI surfaces and a real window (under Wine from CTest): each case shows
// its verses one after another twice, once with complete frames (DrawVerse at every size) and
// once as the display does (a new verse, then timFont ticks, each composing and presenting
// only what changed), and compares the window's pixels after every frame, byte for byte.
// Prints one line a case; exits non-zero when one differs.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/ProgramState.h"
#include "display/VerseRenderer.h"
#include "tests/support/FakeTimer.h"
#include "tests/win32/FrameWindow.h"
#include "win32/GdiSurface.h"

namespace {

using vw::win32::GdiSurface;
using vw::win32::Pump;
using vw::win32::WindowSurface;

// A stand-in desktop image with a different colour at every pixel, so a background copied
// from the wrong place, or not at all, shows.
class PatternHost : public vw::win32::FixedClockHost {
 public:
  void CaptureScreen(vw::ISurface& target) override {
    auto& surface = dynamic_cast<GdiSurface&>(target);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    surface.Resize(w, h);
    auto* pixels = const_cast<std::uint32_t*>(surface.Pixels());
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        pixels[y * w + x] = static_cast<std::uint32_t>((x * 7 + y * 3) & 0xFF) << 16 |
                            static_cast<std::uint32_t>((x ^ y) & 0xFF) << 8 |
                            static_cast<std::uint32_t>((x * y) & 0xFF);
  }
};

struct Case {
  const char* name;
  bool transparent, shadow, bold, italic;
  std::int16_t fontSize;
  int width, height;
  vw::LayoutArea primary;
  bool preview;
  std::vector<vw::Verse> verses;  // shown in turn, each grown to its full size
};

const char kPsalm[] =
    "Bless the LORD, O my soul. O LORD my God, thou art very great; thou art clothed with "
    "honour and majesty. Who coverest thyself with light as with a garment: who stretchest "
    "out the heavens like a curtain: Who layeth the beams of his chambers in the waters.";

// One verse grown in a fresh window by a fresh renderer, as the display window holds them.
struct Growth {
  // The window is a child of `desk`, a full-screen window made once: new top-level windows
  // take Wine seconds each, children do not. The preview's sits inside, as in its dialog.
  Growth(const Case& c, HWND desk) {
    const int at = c.preview ? 20 : 0;
    hwnd_ = CreateWindowExW(0, L"VellumwayFrameChecks", L"frame", WS_CHILD | WS_VISIBLE, at, at,
                            c.width, c.height, desk, nullptr, GetModuleHandleW(nullptr), nullptr);
    window_ = std::make_unique<WindowSurface>(hwnd_);
    vw::SettingsRecord& s = program_.Settings;
    s.Font = "Arial", s.FontSize = c.fontSize, s.ScreenColor = c.transparent;
    s.DropShadow = c.shadow, s.FontBold = c.bold, s.FontItalic = c.italic;
    renderer = std::make_unique<vw::VerseRenderer>(
        program_.Settings, c.preview ? vw::DisplayMode::Preview : vw::DisplayMode::FullScreen,
        program_.Random,
        vw::DisplaySurfaces{picWork_, picText_, picBlank_, picCapture_, *window_}, timFont_,
        fakeHost_);
    renderer->PrepareDisplay();
    renderer->Resize(c.width, c.height, c.primary, c.verses[0]);
    shot_.Resize(c.width, c.height);
  }
  ~Growth() { DestroyWindow(hwnd_), Pump(); }
  // The window's pixels now.
  std::vector<std::uint32_t> Shot() {
    GdiFlush();
    HDC dc = GetDC(hwnd_);
    BitBlt(shot_.Dc(), 0, 0, shot_.Width(), shot_.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(hwnd_, dc);
    GdiFlush();
    return {shot_.Pixels(), shot_.Pixels() + shot_.Width() * shot_.Height()};
  }

  HWND hwnd_ = nullptr;
  vw::ProgramState program_;
  GdiSurface picWork_, picText_, picBlank_, picCapture_, shot_;
  std::unique_ptr<WindowSurface> window_;
  vw::test::FakeTimer timFont_;
  PatternHost fakeHost_;
  std::unique_ptr<vw::VerseRenderer> renderer;
};

// Where two shots differ: the count and the first pixel, or an empty string.
std::string Difference(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b,
                       int width) {
  std::size_t count = 0, first = 0;
  for (std::size_t k = 0; k < a.size(); ++k)
    if (a[k] != b[k] && count++ == 0) first = k;
  if (count == 0) return {};
  char text[128];
  std::snprintf(text, sizeof text, "%zu pixels differ, the first at (%zu, %zu): %06X, not %06X",
                count, first % width, first / width, a[first] & 0xFFFFFFu, b[first] & 0xFFFFFFu);
  return text;
}

bool Check(const Case& c, HWND desk) {
  // As the display shows them: each verse's first frame (complete only for the first), then
  // a tick at a time.
  std::vector<float> sizes;
  std::vector<std::size_t> verseOf;
  std::vector<std::vector<std::uint32_t>> grown;
  {
    Growth g(c, desk);
    for (std::size_t v = 0; v < c.verses.size(); ++v) {
      for (g.renderer->ChangeVerse(c.verses[v]); sizes.size() < 200; g.renderer->timFont_Timer()) {
        sizes.push_back(g.renderer->GrownSize());
        verseOf.push_back(v);
        grown.push_back(g.Shot());
        if (!g.timFont_.enabled) break;
      }
    }
  }
  // The same verses and sizes as complete frames, with the same colours.
  Growth g(c, desk);
  std::string failure;
  int changed = 0;
  for (std::size_t k = 0; k < sizes.size() && failure.empty(); ++k) {
    if (k == 0 || verseOf[k] != verseOf[k - 1]) g.renderer->SetupChars(c.verses[verseOf[k]]);
    g.renderer->DrawVerse(sizes[k]);
    const std::vector<std::uint32_t> full = g.Shot();
    char frame[64];
    std::snprintf(frame, sizeof frame, "verse %zu, frame %zu at %g pt: ", verseOf[k] + 1, k,
                  sizes[k]);
    if (const std::string d = Difference(grown[k], full, c.width); !d.empty()) failure = frame + d;
    changed += k > 0 && full != grown[k - 1];
  }
  // Frames that showed nothing, or never changed, prove nothing: only each verse's last
  // frame, its target drawn again, may repeat the one before.
  if (failure.empty() && changed + 1 + c.verses.size() < sizes.size())
    failure = "the frames did not change as the verses grew";
  std::printf("%s  %s: %zu verses, %zu frames to %.0f pt%s%s\n", failure.empty() ? "ok  " : "FAIL",
              c.name, c.verses.size(), sizes.size(), sizes.back(), failure.empty() ? "" : ": ",
              failure.c_str());
  return failure.empty();
}

}  // namespace

int main() {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  WNDCLASSW wc{};
  wc.lpfnWndProc = vw::win32::QuietWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VellumwayFrameChecks";
  RegisterClassW(&wc);
  const vw::LayoutArea whole{0, 0, 800, 600};
  const std::string psalm = kPsalm, wept = "Jesus wept.", ten = "The Ten Commandments";
  const vw::Verse long_{"Psalms 104:1", psalm, ten}, short_{"John 11:35", wept, ten},
      untitled{"1 Thessalonians 5:16", "Rejoice evermore.", ""};
  // Each verse after the first is drawn over the last one's frame: a long verse then a short
  // one, titles that go, come and change.
  // clang-format off
  const Case cases[] = {
      {"black, a long verse then a short one", false, false, false, false, 40, 800, 600, whole,
       false, {long_, short_}},
      {"transparent, shadow, bold: the title goes and comes", true, true, true, false, 45, 800,
       600, whole, false, {long_, untitled, {"Daniel 9:25", psalm, "Bible Prophecies"}}},
      // 19 to 20, not 21: the last step is cut back to the target.
      {"the last step overshoots, italic", true, true, false, true, 20, 800, 600, whole, false,
       {{"Judges 16:17", psalm, "Samson"}, short_}},
      // Lines cross the title and the window's edges as they grow.
      {"the verse outgrows the window", true, true, true, false, 45, 420, 300,
       {0, 0, 420, 300}, false, {{"Genesis 6:14", psalm, "Noah and the Ark"}, untitled}},
      {"the preview", true, false, false, false, 20, 152, 112, {0, 0, 152, 112}, true,
       {{"John 3:16", "For God so loved the world.", "Salvation"}, long_}},
      {"a primary monitor not at (0,0)", true, true, false, false, 45, 1000, 700,
       {360, 220, 640, 480}, false, {untitled, long_}},
  };
  // clang-format on
  HWND desk = CreateWindowExW(WS_EX_TOPMOST, L"VellumwayFrameChecks", L"desk",
                              WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  int failures = 0;
  for (const Case& c : cases) failures += !Check(c, desk);
  return failures == 0 ? 0 : 1;
}
