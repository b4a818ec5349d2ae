// The hack's Xft surface on a real X server (Xvfb): what a person would see of its text.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <tuple>

#include "x11/XftSurface.h"

namespace vw::x11 {
namespace {

// One connection, its fonts and a surface on it (the surface goes before its fonts).
TEST(XftSurfaceCheck, DrawsAntiAliasedBoldAndUnderlinedTextAndFallsBackOnce) {
  Display* dpy = XOpenDisplay(nullptr);
  ASSERT_NE(dpy, nullptr) << "no X display";
  const int s = DefaultScreen(dpy);
  XftFonts fonts(dpy, s, 96.0 / 72.0);
  XftSurface surface(fonts, RootWindow(dpy, s), DefaultVisual(dpy, s), DefaultColormap(dpy, s), DefaultDepth(dpy, s));
  surface.Resize(600, 160);
  // Face, points, bold, italic, underline.
  const std::tuple<const char*, float, bool, bool, bool> rows[] = {
      {"DejaVu Sans", 20, false, false, false}, {"DejaVu Serif", 30, true, true, false},
      {"Liberation Sans", 24, false, true, true}, {"DejaVu Sans", 9, true, false, true}};
  for (const auto& [face, points, bold, italic, underline] : rows) {
    const std::string what = std::string(face) + " " + std::to_string(points);
    surface.FillBlack();
    surface.SetFontName(face);
    surface.SetFontSize(points);
    surface.SetFontBold(bold);
    surface.SetFontItalic(italic);
    surface.SetFontUnderline(underline);
    surface.SetTextColor(0xFFFFFF);
    // A title, as underlined: no descender reaches down to the underline.
    const PixelBox box = surface.DrawText(40, 30, "The Ten Commandments");
    XImage* image = XGetImage(dpy, surface.drawable(), 0, 0, 600, 160, AllPlanes, ZPixmap);
    int full = 0, partial = 0, outside = 0, lowestRow = 0, underlineRun = 0;
    for (int y = 0; y < 160; ++y) {
      int run = 0;
      for (int x = 0; x < 600; ++x) {
        const int g = static_cast<int>((XGetPixel(image, x, y) >> 8) & 0xFF);  // green
        if (g == 0) continue;
        (g == 255 ? full : partial) += 1;
        if (x < box.left || x >= box.right || y < box.top || y >= box.bottom) ++outside;
        lowestRow = y;
        run += g == 255 ? 1 : 0;
      }
      if (y > 30 + surface.TextHeight("") / 2) underlineRun = std::max(underlineRun, run);
    }
    XDestroyImage(image);
    EXPECT_GT(full, 20) << what;
    EXPECT_GT(partial, full / 4) << what << ": no anti-aliased edges";
    EXPECT_EQ(outside, 0) << what << ": lit pixels outside the reported box";
    // An underline is one lit run below the baseline nearly as wide as the text.
    const float width = surface.TextWidth("The Ten Commandments");
    EXPECT_TRUE(underline ? underlineRun > width * 0.9 : underlineRun < width * 0.5)
        << what << ": a lit run of " << underlineRun << " below the baseline";
    EXPECT_LT(lowestRow, 30 + surface.TextHeight("") + 1) << what;
  }

  // Bold is wider, also in the face a missing one falls back to.
  for (const char* face : {"DejaVu Sans", "Liberation Serif", "No Such Face Anywhere"}) {
    surface.SetFontName(face);
    surface.SetFontSize(20);
    surface.SetFontBold(false);
    const float plain = surface.TextWidth("In the beginning God created");
    surface.SetFontBold(true);
    EXPECT_GT(surface.TextWidth("In the beginning God created"), plain * 1.05f) << face;
  }
  // Another name for an installed face is no fallback.
  const std::pair<const char*, bool> faces[] = {{"DejaVu Sans", false}, {"Arial", false},
                                                {"sans-serif", false}, {"Vellumway Nonesuch", true}};
  testing::internal::CaptureStderr();
  for (const auto& [face, fallsBack] : faces) EXPECT_EQ(fonts.FallsBack(face), fallsBack) << face;
  surface.SetFontName("Vellumway Nonesuch");
  surface.TextWidth("twice");
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(said, "vellumway: the face \"Vellumway Nonesuch\" is not installed; using \"DejaVu Sans\"\n");
}

}  // namespace
}  // namespace vw::x11
