#include "win32/ScreenCapture.h"

namespace vw::win32 {

namespace {

constexpr WORD kPaletteVersion = 0x300;
constexpr int kPaletteSize = 256;

// LOGPALETTE declares one entry; the system palette needs room for 256.
struct LogPalette256 {
  WORD palVersion;
  WORD palNumEntries;
  PALETTEENTRY palPalEntry[kPaletteSize];
};

BITMAP BitmapInfo(HBITMAP bitmap) {
  BITMAP info{};
  if (bitmap != nullptr) GetObjectW(bitmap, sizeof(info), &info);
  return info;
}

}  // namespace

BitmapPicture::BitmapPicture(BitmapPicture&& other) noexcept
    : bitmap_(other.bitmap_), palette_(other.palette_) {
  other.bitmap_ = nullptr;
  other.palette_ = nullptr;
}

BitmapPicture& BitmapPicture::operator=(BitmapPicture&& other) noexcept {
  if (this != &other) {
    Release();
    bitmap_ = other.bitmap_;
    palette_ = other.palette_;
    other.bitmap_ = nullptr;
    other.palette_ = nullptr;
  }
  return *this;
}

void BitmapPicture::Release() {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  if (palette_ != nullptr) DeleteObject(palette_);
  bitmap_ = nullptr;
  palette_ = nullptr;
}

int BitmapPicture::Width() const {
  return BitmapInfo(bitmap_).bmWidth;
}
int BitmapPicture::Height() const {
  return BitmapInfo(bitmap_).bmHeight;
}

BitmapPicture CreateBitmapPicture(HBITMAP hBmp, HPALETTE hPal) {
  return {hBmp, hPal};
}

BitmapPicture CaptureWindow(HWND hWndSrc, bool Client, int LeftSrc, int TopSrc, int WidthSrc,
                            int HeightSrc) {
  HDC source = Client ? GetDC(hWndSrc) : GetWindowDC(hWndSrc);
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateCompatibleBitmap(source, WidthSrc, HeightSrc);
  HGDIOBJ keptBitmap = SelectObject(memory, bitmap);

  const int hasPalette = GetDeviceCaps(source, RASTERCAPS) & RC_PALETTE;
  const int paletteSize = GetDeviceCaps(source, SIZEPALETTE);
  HPALETTE palette = nullptr;
  HPALETTE keptPalette = nullptr;
  if (hasPalette != 0 && paletteSize == kPaletteSize) {
    LogPalette256 logical{};
    logical.palVersion = kPaletteVersion;
    logical.palNumEntries = kPaletteSize;
    GetSystemPaletteEntries(source, 0, kPaletteSize, logical.palPalEntry);
    palette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical));
    keptPalette = SelectPalette(memory, palette, FALSE);
    RealizePalette(memory);
  }

  BitBlt(memory, 0, 0, WidthSrc, HeightSrc, source, LeftSrc, TopSrc, SRCCOPY);

  SelectObject(memory, keptBitmap);
  if (palette != nullptr) SelectPalette(memory, keptPalette, FALSE);
  DeleteDC(memory);
  ReleaseDC(hWndSrc, source);
  return CreateBitmapPicture(bitmap, palette);
}

BitmapPicture CaptureScreen() {
  // Every monitor at its true pixel size: the program is DPI aware, so the metrics are
  // physical pixels. (Twips divided by a rounded twips-per-pixel fall short at 7.5, as at
  // 192 DPI.) The screen's context spans the virtual screen in screen coordinates.
  return CaptureWindow(nullptr, true, GetSystemMetrics(SM_XVIRTUALSCREEN),
                       GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
                       GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

void LoadPicture(GdiSurface& target, const BitmapPicture& picture) {
  const int width = picture.Width();
  const int height = picture.Height();
  target.Resize(width, height);
  if (picture.Bitmap() == nullptr) return;
  HDC memory = CreateCompatibleDC(target.Dc());
  HGDIOBJ keptBitmap = SelectObject(memory, picture.Bitmap());
  HPALETTE keptPalette = nullptr;
  if (picture.Palette() != nullptr) {
    keptPalette = SelectPalette(memory, picture.Palette(), FALSE);
    RealizePalette(memory);
  }
  BitBlt(target.Dc(), 0, 0, width, height, memory, 0, 0, SRCCOPY);
  if (picture.Palette() != nullptr) SelectPalette(memory, keptPalette, FALSE);
  SelectObject(memory, keptBitmap);
  DeleteDC(memory);
}

void CaptureScreenInto(ISurface& target) {
  auto* surface = dynamic_cast<GdiSurface*>(&target);
  if (surface == nullptr) return;
  LoadPicture(*surface, CaptureScreen());
}

void KeepCaptureOnMonitors(GdiSurface& capture, const RECT& was, const RECT& now) {
  GdiSurface old(capture.Width(), capture.Height());
  BitBlt(old.Dc(), 0, 0, old.Width(), old.Height(), capture.Dc(), 0, 0, SRCCOPY);
  capture.Resize(now.right - now.left, now.bottom - now.top);  // black
  struct Copy {
    GdiSurface& from;
    GdiSurface& to;
    const RECT& was;
    const RECT& now;
  } copy{old, capture, was, now};
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR, HDC, LPRECT monitor, LPARAM param) -> BOOL {
        const Copy& c = *reinterpret_cast<Copy*>(param);
        RECT kept{};
        if (IntersectRect(&kept, monitor, &c.was))
          BitBlt(c.to.Dc(), kept.left - c.now.left, kept.top - c.now.top, kept.right - kept.left,
                 kept.bottom - kept.top, c.from.Dc(), kept.left - c.was.left,
                 kept.top - c.was.top, SRCCOPY);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&copy));
}

}  // namespace vw::win32
