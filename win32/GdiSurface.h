#pragma once
#include <windows.h>
// <windows.h> maps DrawText to DrawTextW, which would rename ISurface::DrawText in every file
// that sees both; call the Win32 function as DrawTextW where it is wanted.
#undef DrawText

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/Surface.h"
#include "win32/Dpi.h"

namespace vw::win32 {

// The GDI fonts of one surface, made from its face, size and style when text is first
// measured or drawn after a change. A few stay cached, because a growing frame switches
// between the title's size and the verse's twice per frame; the cache is bounded, so a long
// run holds a fixed number of fonts.
class GdiFontCache {
 public:
  struct Key {
    std::wstring face;
    float points = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const Key&) const = default;
  };
  struct Entry {
    Key key;
    HFONT font = nullptr;
    int lineHeight = 0;  // tmHeight, pixels
    int overhang = 0;    // tmOverhang: what synthesized bold or italic adds to a string
    std::uint64_t lastUse = 0;
    // Widths already measured in this font. Every frame of a growth breaks the same verse
    // at the same size, measuring the same few hundred strings again.
    std::unordered_map<std::string, float> widths;
    // Each character's ABC widths, read when first drawn in this font.
    std::unordered_map<wchar_t, ABC> abc;
  };

  explicit GdiFontCache(int dpi) : dpi_(dpi) {}
  ~GdiFontCache();
  GdiFontCache(const GdiFontCache&) = delete;
  GdiFontCache& operator=(const GdiFontCache&) = delete;

  // The font for `key`, created when missing (its metrics read on `dc`, which is left as it
  // was). `inUse`, the font now selected into a context, is never the one evicted.
  Entry& Get(const Key& key, HDC dc, HFONT inUse);
  int Count() const { return static_cast<int>(entries_.size()); }
  int Dpi() const { return dpi_; }
  // Another scale: every font is made again at it. False when the scale is the same.
  bool SetDpi(int dpi);
  // Fonts made so far; Created() - Count() of them have been deleted.
  int Created() const { return created_; }

 private:
  static constexpr std::size_t kCapacity = 4;
  int dpi_;
  std::uint64_t clock_ = 0;
  int created_ = 0;
  std::vector<Entry> entries_;
};

// Font state, colour and text for any GDI-backed surface; subclasses say which device
// context to use.
class GdiSurfaceBase : public ISurface {
 public:
  GdiSurfaceBase();

  // Points become pixels at `dpi` from now on (the fonts made so far are dropped); false when
  // that is already the scale.
  bool SetDpi(int dpi);
  void SetFontName(const std::string& face) override;
  void SetFontSize(float points) override { key_.points = points; }
  float FontSize() const { return key_.points; }  // the size as set, never rounded
  void SetFontBold(bool on) override { key_.bold = on; }
  void SetFontItalic(bool on) override { key_.italic = on; }
  void SetFontUnderline(bool on) override { key_.underline = on; }
  void SetTextColor(ColorValue color) override { color_ = color; }

  float TextWidth(const std::string& text) override;
  float TextHeight(const std::string& text) override;
  // The box holds what GDI accumulated while drawing (GetBoundsRect: on Wine the glyphs'
  // ink) and the text's cell from its own metrics, widened by its overhangs: drivers are not
  // bound to report italic overhangs or swashes. When GDI reports no bounds for text that is
  // not empty, the whole surface.
  PixelBox DrawText(int x, int y, const std::string& text) override;
  void CopyFrom(const ISurface& src, int x, int y, int width, int height, int srcX,
                int srcY) override;

  // A context to read pixels from or draw on, and its release.
  virtual HDC AcquireDc() const = 0;
  virtual void ReleaseDc(HDC dc) const = 0;

  const GdiFontCache& Fonts() const { return fonts_; }

 protected:
  // Selects the current font into `dc`; returns what it replaced, for RestoreFont.
  virtual HGDIOBJ SelectCurrentFont(HDC dc, const GdiFontCache::Entry& entry) = 0;
  virtual void RestoreFont(HDC dc, HGDIOBJ previous) = 0;
  // The font that stays selected between calls, which the cache must keep; null if none.
  virtual HFONT FontInUse() const = 0;
  // Deselects the font that stays selected between calls, if any.
  virtual void ReleaseFont() {}
  GdiFontCache::Entry& CurrentFont(HDC dc);

 private:
  std::string face_ = "Arial";
  GdiFontCache::Key key_;
  ColorValue color_ = 0;
  GdiFontCache fonts_;
};

// An off-screen surface: a memory device context holding a 32-bit top-down DIB section,
// black when made or resized. Its current font stays selected between calls.
class GdiSurface : public GdiSurfaceBase {
 public:
  explicit GdiSurface(int width = 0, int height = 0);
  ~GdiSurface() override;
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Resize(int width, int height) override;

  HDC AcquireDc() const override { return dc_; }
  void ReleaseDc(HDC) const override {}

  HDC Dc() const { return dc_; }
  // The pixels, 0x00RRGGBB per pixel, rows top to bottom; null while the size is empty.
  const std::uint32_t* Pixels() const { return pixels_; }

 protected:
  HGDIOBJ SelectCurrentFont(HDC dc, const GdiFontCache::Entry& entry) override;
  void RestoreFont(HDC, HGDIOBJ) override {}
  HFONT FontInUse() const override { return selected_; }
  void ReleaseFont() override;

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ originalBitmap_ = nullptr;
  HGDIOBJ originalFont_ = nullptr;
  HFONT selected_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// The display window's client area as a surface: each operation takes the window's device
// context and gives it back. Its size is the window's; Resize leaves the window alone.
class WindowSurface : public GdiSurfaceBase {
 public:
  explicit WindowSurface(HWND window) : window_(window) {}

  int Width() const override;
  int Height() const override;
  void Resize(int, int) override {}

  HDC AcquireDc() const override { return GetDC(window_); }
  void ReleaseDc(HDC dc) const override { ReleaseDC(window_, dc); }

 protected:
  HGDIOBJ SelectCurrentFont(HDC dc, const GdiFontCache::Entry& entry) override {
    return SelectObject(dc, entry.font);
  }
  void RestoreFont(HDC dc, HGDIOBJ previous) override { SelectObject(dc, previous); }
  HFONT FontInUse() const override { return nullptr; }

 private:
  HWND window_;
};

}  // namespace vw::win32
