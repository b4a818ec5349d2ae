// The real GDI surfaces and the desktop capture, on this machine (under Wine from CTest): text
// measured and drawn in the asked colour, fonts released, the capture of the whole screen and
// its place after a display change. Prints one line per check; exits non-zero when one fails.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "win32/GdiSurface.h"
#include "win32/ScreenCapture.h"

namespace {

using vw::win32::GdiSurface;

int failures = 0;

void Check(bool ok, const char* what) {
  std::printf("%s  %s\n", ok ? "ok  " : "FAIL", what);
  failures += !ok;
}
// Whether any of the first `count` pixels of the surface has `bits` set.
bool AnyPixel(const GdiSurface& s, int count, std::uint32_t bits) {
  return std::any_of(s.Pixels(), s.Pixels() + count, [&](std::uint32_t p) { return p & bits; });
}
void Fill(GdiSurface& s, RECT r, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(s.Dc(), &r, brush);
  DeleteObject(brush);
}

}  // namespace

int main() {
  GdiSurface s(64, 32);
  s.SetFontSize(20);
  const float one = s.TextWidth("m");
  Check(s.TextWidth("") == 0 && one > 0 && s.TextWidth("mm") == 2 * one, "widths add up");
  Check(s.TextHeight("x") == s.TextHeight("Égypt"), "height depends on the font only");
  const float plain = s.TextHeight("x");
  s.SetFontSize(40);
  Check(s.TextHeight("x") > plain * 1.8f, "height follows the size");
  s.SetFontBold(true);
  const float bold = s.TextWidth("mmmm");
  s.SetFontBold(false);
  Check(bold > s.TextWidth("mmmm"), "bold is wider");
  Check(s.TextWidth("\xC3\xA9") == s.TextWidth("e"), "UTF-8 text is one glyph a character");

  s.SetTextColor(vw::MakeColor(255, 0, 0));
  s.SetFontSize(20);
  s.DrawText(2, 2, "W");
  Check(AnyPixel(s, 64 * 32, 0x800000) && !AnyPixel(s, 64 * 32, 0x00FF00),
        "draws in the text colour (0x00BBGGRR) over black");
  s.Resize(10, 10);
  Check(!AnyPixel(s, 100, 0xFFFFFFFF) && s.Width() == 10, "resizing leaves it black");

  GdiSurface source(4, 4);
  Fill(source, RECT{0, 0, 4, 4}, RGB(10, 20, 30));
  s.CopyFrom(source, 5, 5, 4, 4, 0, 0);
  Check(s.Pixels()[5 * 10 + 5] == 0x000A141Eu && s.Pixels()[0] == 0, "copies a rectangle");

  for (int k = 0; k < 1000; ++k) {
    s.SetFontSize(static_cast<float>(1 + k % 45));
    s.SetFontUnderline(k % 2 == 0);
    s.DrawText(0, 0, "abc");
  }
  Check(s.Fonts().Count() <= 4 && s.Fonts().Created() > 4,
        "a thousand font changes keep at most four fonts");

  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  GdiSurface capture;
  vw::win32::LoadPicture(capture, vw::win32::CaptureScreen());
  Check(capture.Width() == w && capture.Height() == h,
        "the capture is the whole screen, pixel for pixel, and loads into a surface");

  // After a display change the capture keeps each pixel where it was on the screen: an image
  // taken over (0,0)-(200,100), red then blue, on a virtual screen that now starts 50 pixels
  // further left; black where nothing was captured.
  GdiSurface moved(200, 100);
  Fill(moved, RECT{0, 0, 100, 100}, RGB(255, 0, 0));
  Fill(moved, RECT{100, 0, 200, 100}, RGB(0, 0, 255));
  vw::win32::KeepCaptureOnMonitors(moved, RECT{0, 0, 200, 100}, RECT{-50, 0, w, h});
  auto at = [&](int x, int y) { return moved.Pixels()[y * moved.Width() + x]; };
  Check(moved.Width() == w + 50 && at(10, 10) == 0 && at(60, 10) == 0xFF0000u &&
            at(160, 10) == 0x0000FFu && at(260, 10) == 0 && at(60, 150) == 0,
        "a changed display keeps the capture in its place, black elsewhere");
  return failures == 0 ? 0 : 1;
}
