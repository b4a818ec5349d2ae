#pragma once
#include <windows.h>

#include "core/Surface.h"
#include "win32/GdiSurface.h"

namespace vw::win32 {

// A captured image: one bitmap and at most one palette, both owned and deleted with it.
class BitmapPicture {
 public:
  BitmapPicture() = default;
  BitmapPicture(HBITMAP bitmap, HPALETTE palette) : bitmap_(bitmap), palette_(palette) {}
  ~BitmapPicture() { Release(); }
  BitmapPicture(BitmapPicture&& other) noexcept;
  BitmapPicture& operator=(BitmapPicture&& other) noexcept;
  BitmapPicture(const BitmapPicture&) = delete;
  BitmapPicture& operator=(const BitmapPicture&) = delete;

  HBITMAP Bitmap() const { return bitmap_; }
  HPALETTE Palette() const { return palette_; }
  // Size of the bitmap in pixels; 0 when there is none.
  int Width() const;
  int Height() const;

 private:
  void Release();
  HBITMAP bitmap_ = nullptr;
  HPALETTE palette_ = nullptr;
};

// Wraps a bitmap and a palette (or null) into a picture that takes ownership of both.
BitmapPicture CreateBitmapPicture(HBITMAP hBmp, HPALETTE hPal);

// Copies the rectangle (LeftSrc, TopSrc, WidthSrc x HeightSrc) of a window, relative to its
// client area when Client is true, else to the whole window with its frame. On a display
// with a 256-entry palette the picture carries a copy of the system palette.
BitmapPicture CaptureWindow(HWND hWndSrc, bool Client, int LeftSrc, int TopSrc, int WidthSrc,
                            int HeightSrc);

// Every monitor (the virtual screen), one pixel per pixel; its top-left pixel is the virtual
// screen's top-left corner.
BitmapPicture CaptureScreen();

// Sizes `target` to the picture and copies the picture into it (through its palette, when it
// has one), so it can be the source of block transfers.
void LoadPicture(GdiSurface& target, const BitmapPicture& picture);

// After the monitors changed: `capture`, taken when the virtual screen was `was`, laid out on
// the virtual screen `now`. Each monitor keeps what was captured at its place; where nothing
// was, it is black.
void KeepCaptureOnMonitors(GdiSurface& capture, const RECT& was, const RECT& now);

// What the display host does to take the desktop: the screen into `target`, when `target` is
// a GDI surface (anything else is left alone).
void CaptureScreenInto(ISurface& target);

}  // namespace vw::win32
