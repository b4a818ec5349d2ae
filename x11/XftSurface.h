#pragma once
#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "core/Surface.h"

namespace vw::x11 {

// The fonts all surfaces of the hack draw with. Points become pixels at `pixelsPerPoint`. A
// few fonts stay open, because a growing frame switches between the title's size and the
// verse's; the cache is bounded, so a long run holds a fixed number of them.
class XftFonts {
 public:
  struct Font {
    std::string face;
    double pixels = 0;
    bool bold = false, italic = false;
    XftFont* font = nullptr;
    // Below the baseline to the underline's top edge, and its thickness: the face's own.
    int underlineTop = 0, underlineThickness = 1;
    std::uint64_t lastUse = 0;
  };

  XftFonts(Display* display, int screen, double pixelsPerPoint);
  ~XftFonts();
  XftFonts(const XftFonts&) = delete;
  XftFonts& operator=(const XftFonts&) = delete;

  const Font& Get(const std::string& face, float points, bool bold, bool italic);
  // The family fontconfig gives for `face`, and whether that is the default sans standing in
  // for a face that is not installed. The first time a face falls back, stderr says so.
  std::string FamilyFor(const std::string& face);
  bool FallsBack(const std::string& face);
  Display* display() const { return display_; }
  int screen() const { return screen_; }

 private:
  static constexpr std::size_t kCapacity = 6;
  Display* display_;
  int screen_;
  double pixelsPerPoint_;
  std::uint64_t clock_ = 0;
  std::vector<Font> fonts_;
  std::set<std::string> told_;
};

// A surface on an X drawable: a pixmap of its own, or a window it is given (which it never
// resizes). Text goes through Xft, anti-aliased; the underline is drawn from the face's
// underline position and thickness, as Xft draws none.
class XftSurface : public ISurface {
 public:
  // A pixmap surface of `depth` on the screen of `root`, 0 x 0 until resized.
  XftSurface(XftFonts& fonts, Drawable root, Visual* visual, Colormap colormap, int depth);
  // The window's own surface.
  XftSurface(XftFonts& fonts, Window window, Visual* visual, Colormap colormap, int depth,
             int width, int height);
  ~XftSurface() override;
  XftSurface(const XftSurface&) = delete;
  XftSurface& operator=(const XftSurface&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Resize(int width, int height) override;
  void SetFontName(const std::string& face) override { face_ = face; }
  void SetFontSize(float points) override { points_ = points; }
  void SetFontBold(bool on) override { bold_ = on; }
  void SetFontItalic(bool on) override { italic_ = on; }
  void SetFontUnderline(bool on) override { underline_ = on; }
  void SetTextColor(ColorValue color) override;
  float TextWidth(const std::string& text) override;
  float TextHeight(const std::string& text) override;
  PixelBox DrawText(int x, int y, const std::string& text) override;
  void CopyFrom(const ISurface& src, int x, int y, int width, int height, int srcX,
                int srcY) override;

  // Block transfer from any drawable of the same depth (the daemon's desktop image).
  void CopyFromDrawable(Drawable src, int x, int y, int width, int height, int srcX, int srcY);
  void FillBlack();
  Drawable drawable() const { return drawable_; }
  int depth() const { return depth_; }

 private:
  void Release();
  const XftFonts::Font& CurrentFont();

  XftFonts& fonts_;
  Display* dpy_;
  Drawable root_;
  Drawable drawable_ = 0;
  bool ownsDrawable_;
  Visual* visual_;
  Colormap colormap_;
  int depth_;
  int width_ = 0, height_ = 0;
  GC gc_ = nullptr;
  XftDraw* draw_ = nullptr;
  XftColor color_{};
  bool colorAllocated_ = false;
  std::string face_ = "sans-serif";
  float points_ = 12;
  bool bold_ = false, italic_ = false, underline_ = false;
};

}  // namespace vw::x11
