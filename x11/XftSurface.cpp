#include "x11/XftSurface.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <strings.h>

#include FT_FREETYPE_H

namespace vw::x11 {

namespace {

// The names fontconfig takes for "whatever the default is": asking for one is no fallback.
bool IsGenericFamily(const std::string& face) {
  for (const char* generic : {"sans", "sans-serif", "serif", "monospace", "mono"})
    if (strcasecmp(face.c_str(), generic) == 0) return true;
  return false;
}

// Block transfers send no exposure events back: nothing waits for them.
GC CopyingGC(Display* dpy, Drawable d) {
  XGCValues values{};
  values.graphics_exposures = False;
  return XCreateGC(dpy, d, GCGraphicsExposures, &values);
}

}  // namespace

XftFonts::XftFonts(Display* display, int screen, double pixelsPerPoint)
    : display_(display), screen_(screen), pixelsPerPoint_(pixelsPerPoint) {}

XftFonts::~XftFonts() {
  for (Font& f : fonts_) XftFontClose(display_, f.font);
}

std::string XftFonts::FamilyFor(const std::string& face) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
  FcResult result;
  FcPattern* match = XftFontMatch(display_, screen_, pattern, &result);
  FcPatternDestroy(pattern);
  std::string family;
  FcChar8* name = nullptr;
  if (match && FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch)
    family = reinterpret_cast<const char*>(name);
  if (match) FcPatternDestroy(match);
  return family;
}

bool XftFonts::FallsBack(const std::string& face) {
  if (IsGenericFamily(face)) return false;
  const std::string family = FamilyFor(face);
  // Another name for an installed face (Arial for Liberation Sans) is no fallback; landing
  // on the default sans under another name is.
  if (strcasecmp(family.c_str(), face.c_str()) == 0 || family != FamilyFor("sans-serif"))
    return false;
  if (told_.insert(face).second)
    std::fprintf(stderr, "vellumway: the face \"%s\" is not installed; using \"%s\"\n",
                 face.c_str(), family.c_str());
  return true;
}

const XftFonts::Font& XftFonts::Get(const std::string& face, float points, bool bold,
                                    bool italic) {
  const double pixels = std::max(1.0, points * pixelsPerPoint_);
  ++clock_;
  for (Font& f : fonts_) {
    if (f.pixels == pixels && f.bold == bold && f.italic == italic && f.face == face) {
      f.lastUse = clock_;
      return f;
    }
  }
  if (told_.count(face) == 0) FallsBack(face);
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
  FcPatternAddDouble(pattern, FC_PIXEL_SIZE, pixels);
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_ANTIALIAS, FcTrue);
  FcResult result;
  FcPattern* match = XftFontMatch(display_, screen_, pattern, &result);
  FcPatternDestroy(pattern);
  Font font{face, pixels, bold, italic};
  font.font = match ? XftFontOpenPattern(display_, match) : nullptr;
  if (!font.font) font.font = XftFontOpenName(display_, screen_, "sans-serif");
  font.lastUse = clock_;
  // The face's own underline, scaled to this size; a face without one gets a line of a
  // fifteenth of its size half way down the descent.
  font.underlineThickness = std::max(1, static_cast<int>(std::lround(pixels / 15)));
  font.underlineTop = std::max(1, font.font->descent / 2 - font.underlineThickness / 2);
  if (FT_Face ft = XftLockFace(font.font)) {
    if (FT_IS_SCALABLE(ft) && ft->underline_thickness > 0) {
      const double scale = ft->size->metrics.y_scale / 65536.0 / 64.0;
      const double thickness = std::max(1.0, ft->underline_thickness * scale);
      const double centre = -ft->underline_position * scale;
      font.underlineThickness = static_cast<int>(std::lround(thickness));
      font.underlineTop = static_cast<int>(std::lround(centre - thickness / 2));
    }
    XftUnlockFace(font.font);
  }
  if (fonts_.size() >= kCapacity) {
    auto oldest = std::min_element(fonts_.begin(), fonts_.end(), [](const Font& a, const Font& b) {
      return a.lastUse < b.lastUse;
    });
    XftFontClose(display_, oldest->font);
    fonts_.erase(oldest);
  }
  fonts_.push_back(font);
  return fonts_.back();
}

XftSurface::XftSurface(XftFonts& fonts, Drawable root, Visual* visual, Colormap colormap,
                       int depth)
    : fonts_(fonts), dpy_(fonts.display()), root_(root), ownsDrawable_(true), visual_(visual),
      colormap_(colormap), depth_(depth) {
  SetTextColor(0xFFFFFF);
}

XftSurface::XftSurface(XftFonts& fonts, Window window, Visual* visual, Colormap colormap,
                       int depth, int width, int height)
    : fonts_(fonts), dpy_(fonts.display()), root_(window), drawable_(window), ownsDrawable_(false),
      visual_(visual), colormap_(colormap), depth_(depth), width_(width), height_(height) {
  gc_ = CopyingGC(dpy_, drawable_);
  draw_ = XftDrawCreate(dpy_, drawable_, visual_, colormap_);
  SetTextColor(0xFFFFFF);
}

XftSurface::~XftSurface() {
  Release();
  if (colorAllocated_) XftColorFree(dpy_, visual_, colormap_, &color_);
}

void XftSurface::Release() {
  if (draw_) XftDrawDestroy(draw_);
  if (gc_) XFreeGC(dpy_, gc_);
  if (ownsDrawable_ && drawable_) XFreePixmap(dpy_, drawable_);
  draw_ = nullptr;
  gc_ = nullptr;
  if (ownsDrawable_) drawable_ = 0;
}

void XftSurface::Resize(int width, int height) {
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  if (!ownsDrawable_) return;  // the window's size is its owner's to set
  Release();
  if (width_ == 0 || height_ == 0) return;
  drawable_ = XCreatePixmap(dpy_, root_, width_, height_, depth_);
  gc_ = CopyingGC(dpy_, drawable_);
  draw_ = XftDrawCreate(dpy_, drawable_, visual_, colormap_);
  FillBlack();
}

void XftSurface::FillBlack() {
  if (!gc_) return;
  XSetForeground(dpy_, gc_, BlackPixel(dpy_, fonts_.screen()));
  XFillRectangle(dpy_, drawable_, gc_, 0, 0, width_, height_);
}

void XftSurface::SetTextColor(ColorValue color) {
  if (colorAllocated_) XftColorFree(dpy_, visual_, colormap_, &color_);
  XRenderColor c{static_cast<unsigned short>((color & 0xFF) * 257),
                 static_cast<unsigned short>(((color >> 8) & 0xFF) * 257),
                 static_cast<unsigned short>(((color >> 16) & 0xFF) * 257), 0xFFFF};
  colorAllocated_ = XftColorAllocValue(dpy_, visual_, colormap_, &c, &color_);
}

const XftFonts::Font& XftSurface::CurrentFont() {
  return fonts_.Get(face_, points_, bold_, italic_);
}

float XftSurface::TextWidth(const std::string& text) {
  XGlyphInfo info{};
  XftTextExtentsUtf8(dpy_, CurrentFont().font, reinterpret_cast<const FcChar8*>(text.data()),
                     static_cast<int>(text.size()), &info);
  return info.xOff;
}

float XftSurface::TextHeight(const std::string&) {
  const XftFont* f = CurrentFont().font;
  return static_cast<float>(f->ascent + f->descent);
}

PixelBox XftSurface::DrawText(int x, int y, const std::string& text) {
  if (text.empty() || !draw_) return {};
  const XftFonts::Font& font = CurrentFont();
  const auto* bytes = reinterpret_cast<const FcChar8*>(text.data());
  const int length = static_cast<int>(text.size());
  const int baseline = y + font.font->ascent;
  XGlyphInfo info{};
  XftTextExtentsUtf8(dpy_, font.font, bytes, length, &info);
  XftDrawStringUtf8(draw_, &color_, font.font, x, baseline, bytes, length);
  // The glyphs' ink, one pixel wider all round for the anti-aliased edges.
  PixelBox box{x - info.x - 1, baseline - info.y - 1, x - info.x + info.width + 1,
               baseline - info.y + info.height + 1};
  if (underline_) {
    const int top = baseline + font.underlineTop;
    XftDrawRect(draw_, &color_, x, top, info.xOff, font.underlineThickness);
    box.left = std::min(box.left, x);
    box.right = std::max(box.right, x + info.xOff);
    box.top = std::min(box.top, top);
    box.bottom = std::max(box.bottom, top + font.underlineThickness);
  }
  return box;
}

void XftSurface::CopyFrom(const ISurface& src, int x, int y, int width, int height, int srcX,
                          int srcY) {
  const auto* from = dynamic_cast<const XftSurface*>(&src);
  if (from && from->drawable_) {
    CopyFromDrawable(from->drawable_, x, y, width, height, srcX, srcY);
  } else if (gc_) {
    // Nothing to copy from (no desktop image): black, as an empty bitmap would give.
    XSetForeground(dpy_, gc_, BlackPixel(dpy_, fonts_.screen()));
    XFillRectangle(dpy_, drawable_, gc_, x, y, width, height);
  }
}

void XftSurface::CopyFromDrawable(Drawable src, int x, int y, int width, int height, int srcX,
                                  int srcY) {
  if (!gc_ || width <= 0 || height <= 0) return;
  XCopyArea(dpy_, src, drawable_, gc_, srcX, srcY, width, height, x, y);
}

}  // namespace vw::x11
