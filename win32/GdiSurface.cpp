#include "win32/GdiSurface.h"

#include <algorithm>
#include <cstring>

#include "core/Conversions.h"
#include "win32/WinText.h"

namespace vw::win32 {

namespace {

// About two verses' worth of line-breaking measurements.
constexpr std::size_t kMaxRememberedWidths = 2048;

// The ABC widths of `c` in `font`, selected into `dc`. A font without them (not TrueType)
// has no overhangs: its advance is all black box.
const ABC& WidthsOf(HDC dc, GdiFontCache::Entry& font, wchar_t c) {
  if (auto known = font.abc.find(c); known != font.abc.end()) return known->second;
  ABC abc{};
  if (!GetCharABCWidthsW(dc, c, c, &abc)) {
    INT advance = 0;
    GetCharWidth32W(dc, c, c, &advance);
    abc = {0, static_cast<UINT>(advance), 0};
  }
  return font.abc.emplace(c, abc).first->second;
}

// Where `text` drawn at (x, y) may put ink by its own metrics: the cell (advances by line
// height), widened by every character's overhang (a negative A or C width, an italic's lean)
// and by the font's overhang on the right. Then a margin for where a driver's glyphs stray
// from those integer widths: Wine at 7 to 9 points puts ink up to 6 pixels past the advance
// of a 63-character line (about a pixel per ten characters), and an underline a pixel below
// the cell.
RECT MetricsBox(HDC dc, GdiFontCache::Entry& font, int x, int y, const std::wstring& text) {
  int pen = 0, left = 0, right = 0;
  for (wchar_t c : text) {
    const ABC& w = WidthsOf(dc, font, c);
    left = std::min(left, pen + w.abcA);
    right = std::max(right, pen + w.abcA + static_cast<int>(w.abcB));
    pen += w.abcA + static_cast<int>(w.abcB) + w.abcC;
  }
  right = std::max(right, pen) + font.overhang;
  const int margin = 1 + static_cast<int>(text.size()) / 8;
  return {x + left - margin, y - 1, x + right + margin, y + font.lineHeight + 1};
}

}  // namespace

GdiFontCache::~GdiFontCache() {
  for (Entry& e : entries_) DeleteObject(e.font);
}

bool GdiFontCache::SetDpi(int dpi) {
  if (dpi <= 0 || dpi == dpi_) return false;
  for (Entry& e : entries_) DeleteObject(e.font);
  entries_.clear();
  dpi_ = dpi;
  return true;
}

GdiFontCache::Entry& GdiFontCache::Get(const Key& key, HDC dc, HFONT inUse) {
  ++clock_;
  for (Entry& e : entries_) {
    if (e.key == key) {
      e.lastUse = clock_;
      return e;
    }
  }

  LOGFONTW lf{};
  // Points to pixels at the screen's real DPI; a negative height asks for the character
  // height, as sizes in points mean. Never 0, which would mean "any size".
  lf.lfHeight = -std::max(1, RoundToInt32(static_cast<double>(key.points) * dpi_ / 72.0));
  lf.lfWeight = key.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = key.italic ? TRUE : FALSE;
  lf.lfUnderline = key.underline ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_TT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = ANTIALIASED_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::size_t n = std::min<std::size_t>(key.face.size(), LF_FACESIZE - 1);
  std::wmemcpy(lf.lfFaceName, key.face.data(), n);
  lf.lfFaceName[n] = L'\0';

  Entry entry;
  entry.key = key;
  entry.font = CreateFontIndirectW(&lf);
  ++created_;
  entry.lastUse = clock_;
  TEXTMETRICW tm{};
  HGDIOBJ previous = SelectObject(dc, entry.font);
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, previous);
  entry.lineHeight = tm.tmHeight;
  entry.overhang = tm.tmOverhang;

  if (entries_.size() >= kCapacity) {
    auto victim = entries_.end();
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->font == inUse) continue;
      if (victim == entries_.end() || it->lastUse < victim->lastUse) victim = it;
    }
    DeleteObject(victim->font);
    *victim = std::move(entry);
    return *victim;
  }
  entries_.push_back(std::move(entry));
  return entries_.back();
}

GdiSurfaceBase::GdiSurfaceBase() : fonts_(ScreenDpi()) {
  key_.face = Widen(face_);
  key_.points = 8.25f;
}

bool GdiSurfaceBase::SetDpi(int dpi) {
  if (dpi <= 0 || dpi == fonts_.Dpi()) return false;
  ReleaseFont();  // no font may stay selected while the cache deletes it
  return fonts_.SetDpi(dpi);
}

void GdiSurfaceBase::SetFontName(const std::string& face) {
  face_ = face;
  key_.face = Widen(face);
}

GdiFontCache::Entry& GdiSurfaceBase::CurrentFont(HDC dc) {
  return fonts_.Get(key_, dc, FontInUse());
}

float GdiSurfaceBase::TextWidth(const std::string& text) {
  HDC dc = AcquireDc();
  GdiFontCache::Entry& font = CurrentFont(dc);
  float width = 0;
  if (auto known = font.widths.find(text); known != font.widths.end()) {
    width = known->second;
  } else {
    const std::wstring wide = Widen(text);
    HGDIOBJ previous = SelectCurrentFont(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    RestoreFont(dc, previous);
    width = static_cast<float>(size.cx);
    // Bounded: a long run shows thousands of verses.
    if (font.widths.size() >= kMaxRememberedWidths) font.widths.clear();
    font.widths.emplace(text, width);
  }
  ReleaseDc(dc);
  return width;
}

float GdiSurfaceBase::TextHeight(const std::string&) {
  HDC dc = AcquireDc();
  const GdiFontCache::Entry& entry = CurrentFont(dc);
  const int height = entry.lineHeight;
  ReleaseDc(dc);
  return static_cast<float>(height);
}

PixelBox GdiSurfaceBase::DrawText(int x, int y, const std::string& text) {
  const std::wstring wide = Widen(text);
  HDC dc = AcquireDc();
  GdiFontCache::Entry& font = CurrentFont(dc);
  HGDIOBJ previous = SelectCurrentFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, static_cast<COLORREF>(color_));
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  SetBoundsRect(dc, nullptr, DCB_RESET | DCB_ENABLE);
  TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
  RECT drawn{};
  const UINT bounds = GetBoundsRect(dc, &drawn, DCB_RESET);
  SetBoundsRect(dc, nullptr, DCB_DISABLE);
  const RECT cell = MetricsBox(dc, font, x, y, wide);
  RestoreFont(dc, previous);
  ReleaseDc(dc);
  if (wide.empty()) return {};
  // No bounds kept (or none reported for text that should show): all of it may have changed.
  if ((bounds & DCB_SET) != DCB_SET) return {0, 0, Width(), Height()};
  return {std::min(drawn.left, cell.left), std::min(drawn.top, cell.top),
          std::max(drawn.right, cell.right), std::max(drawn.bottom, cell.bottom)};
}

void GdiSurfaceBase::CopyFrom(const ISurface& src, int x, int y, int width, int height, int srcX,
                              int srcY) {
  const auto* source = dynamic_cast<const GdiSurfaceBase*>(&src);
  if (source == nullptr) return;
  HDC from = source->AcquireDc();
  HDC to = AcquireDc();
  BitBlt(to, x, y, width, height, from, srcX, srcY, SRCCOPY);
  ReleaseDc(to);
  source->ReleaseDc(from);
}

GdiSurface::GdiSurface(int width, int height) {
  dc_ = CreateCompatibleDC(nullptr);
  originalFont_ = GetCurrentObject(dc_, OBJ_FONT);
  Resize(width, height);
}

GdiSurface::~GdiSurface() {
  SelectObject(dc_, originalFont_);
  if (bitmap_ != nullptr) {
    SelectObject(dc_, originalBitmap_);
    DeleteObject(bitmap_);
  }
  DeleteDC(dc_);
}

void GdiSurface::Resize(int width, int height) {
  HBITMAP fresh = nullptr;
  void* bits = nullptr;
  if (width > 0 && height > 0) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    fresh = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  }
  if (fresh != nullptr) {
    std::memset(bits, 0, static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    HGDIOBJ replaced = SelectObject(dc_, fresh);
    if (bitmap_ == nullptr) {
      originalBitmap_ = replaced;
    } else {
      DeleteObject(bitmap_);
    }
    bitmap_ = fresh;
    pixels_ = static_cast<std::uint32_t*>(bits);
    width_ = width;
    height_ = height;
    return;
  }
  // An empty size (or no memory for the bitmap): nothing to draw on.
  if (bitmap_ != nullptr) {
    SelectObject(dc_, originalBitmap_);
    DeleteObject(bitmap_);
    bitmap_ = nullptr;
  }
  pixels_ = nullptr;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
}

void GdiSurface::ReleaseFont() {
  SelectObject(dc_, originalFont_);
  selected_ = nullptr;
}

HGDIOBJ GdiSurface::SelectCurrentFont(HDC dc, const GdiFontCache::Entry& entry) {
  if (entry.font != selected_) {
    SelectObject(dc, entry.font);
    selected_ = entry.font;
  }
  return nullptr;
}

int WindowSurface::Width() const {
  RECT r{};
  GetClientRect(window_, &r);
  return r.right - r.left;
}

int WindowSurface::Height() const {
  RECT r{};
  GetClientRect(window_, &r);
  return r.bottom - r.top;
}

}  // namespace vw::win32
