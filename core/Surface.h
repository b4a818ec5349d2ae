#pragma once
#include <cstdint>
#include <string>

// <windows.h> maps DrawText to DrawTextW; included before this header it would rename
// ISurface::DrawText in Windows files only. Win32 code calls that function as DrawTextW.
#ifdef DrawText
#undef DrawText
#endif

namespace vw {

// 0x00BBGGRR: red in the lowest byte.
using ColorValue = std::uint32_t;

constexpr ColorValue MakeColor(int r, int g, int b) {
  return static_cast<ColorValue>(r) | (static_cast<ColorValue>(g) << 8) |
         (static_cast<ColorValue>(b) << 16);
}

// A rectangle of pixels: left and top inside it, right and bottom just outside.
struct PixelBox {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
};

// An off-screen drawing surface (or the window itself) with a current font and text colour.
// Coordinates are pixels, (0, 0) top left. Text is UTF-8. The font and colour are set, not
// read back: the renderer knows what it chose.
class ISurface {
 public:
  virtual ~ISurface() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Places the surface at (0, 0) with the given size; contents become undefined (black).
  virtual void Resize(int width, int height) = 0;

  virtual void SetFontName(const std::string& face) = 0;
  virtual void SetFontSize(float points) = 0;
  virtual void SetFontBold(bool on) = 0;
  virtual void SetFontItalic(bool on) = 0;
  virtual void SetFontUnderline(bool on) = 0;

  virtual void SetTextColor(ColorValue color) = 0;

  // Width of the string on one line, and height of one line of the current font, in pixels.
  virtual float TextWidth(const std::string& text) = 0;
  virtual float TextHeight(const std::string& text) = 0;
  // Draws text with its top-left corner at (x, y), glyphs only (transparent background).
  // Returns a box holding every pixel it may have changed, which can reach past the text's
  // cell (overhangs, underline).
  virtual PixelBox DrawText(int x, int y, const std::string& text) = 0;

  // Block transfer (SRCCOPY) of the rectangle (srcX, srcY, width, height) of src to (x, y).
  virtual void CopyFrom(const ISurface& src, int x, int y, int width, int height, int srcX,
                        int srcY) = 0;
};

}  // namespace vw
