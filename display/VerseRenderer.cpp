#include "display/VerseRenderer.h"

#include <algorithm>

#include "core/Conversions.h"
#include "display/TextColor.h"
#include "display/TextLayout.h"

namespace vw {

namespace {

constexpr std::int16_t kPreviewTargetSize = 5;
constexpr ColorValue kShadowColor = 0;

// The smallest box holding both.
PixelBox Union(const PixelBox& a, const PixelBox& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

PixelBox Intersection(const PixelBox& a, const PixelBox& b) {
  const PixelBox both{std::max(a.left, b.left), std::max(a.top, b.top),
                      std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  return both.Empty() ? PixelBox{} : both;
}

}  // namespace

VerseRenderer::VerseRenderer(const SettingsRecord& settings, DisplayMode mode,
                             RandomGenerator& random, DisplaySurfaces surfaces, ITimer& timFont,
                             IDisplayHost& host)
    : settings_(settings),
      mode_(mode),
      random_(random),
      surfaces_(surfaces),
      timFont_(timFont),
      host_(host) {}

void VerseRenderer::PrepareDisplay() {
  const SettingsRecord& settings = settings_;
  if (settings.ScreenColor) host_.CaptureScreen(surfaces_.picCapture);
  if (mode_ == DisplayMode::FullScreen) host_.ShowCursor(false);
  random_.Randomize(host_.SecondsSinceMidnight());
  surfaces_.picText.SetFontName(settings.Font);
  surfaces_.picWork.SetFontName(settings.Font);
}

void VerseRenderer::Resize(int widthPixels, int heightPixels, LayoutArea layout,
                           const Verse& verse) {
  layout_ = layout;
  displayWidth_ = static_cast<std::int16_t>(layout.width);
  displayHeight_ = static_cast<std::int16_t>(layout.height);
  surfaces_.picBlank.Resize(widthPixels, heightPixels);
  surfaces_.picText.Resize(widthPixels, heightPixels);
  // The window paints picText before the first verse frame: it must already hold the
  // background, not a blank surface.
  ComposeBackground(WholeFrame());
  SetupChars(verse);
}

void VerseRenderer::ComposeBackground(const PixelBox& box) {
  const PixelBox part = OnFrame(box);
  if (part.Empty()) return;
  const ISurface& background = settings_.ScreenColor ? surfaces_.picCapture : surfaces_.picBlank;
  surfaces_.picText.CopyFrom(background, part.left, part.top, part.right - part.left,
                             part.bottom - part.top, part.left, part.top);
}

void VerseRenderer::SetupChars(const Verse& verse) {
  chars_ = CharsRecord{};
  chars_.Reference = verse.Reference;
  chars_.Text = verse.Text;
  chars_.Title = verse.Title;
  chars_.TargetSize = mode_ == DisplayMode::Preview ? kPreviewTargetSize : settings_.FontSize;
  chars_.TextColor = PickTextColor(settings_, random_);
  // A growth tick that follows without a new frame at size 1 (a resize mid-growth) then
  // starts from the target and ends the growth at once.
  grownSize_ = chars_.TargetSize;
  // Growth steps of the new verse wait for its first frame: lastLines_ are the old verse's.
  damageKnown_ = false;
  prepared_ = true;
}

bool VerseRenderer::ShadowWanted() const {
  return settings_.ScreenColor && settings_.DropShadow;
}

void VerseRenderer::SwitchStyleOn(ISurface& surface) {
  // Only ever switched on: the settings do not change while the display runs.
  if (settings_.FontItalic) surface.SetFontItalic(true);
  if (settings_.FontBold) surface.SetFontBold(true);
}

PixelBox VerseRenderer::DrawPiece(const std::string& text, std::int32_t x, std::int32_t y,
                                   float size) {
  ISurface& picText = surfaces_.picText;
  x += layout_.x;
  y += layout_.y;
  PixelBox drawn;
  if (ShadowWanted()) {
    // Lifts the text off a busy desktop image.
    const std::int32_t offset = std::max(1, RoundToInt32(size / 15.0));
    picText.SetTextColor(kShadowColor);
    drawn = picText.DrawText(x + offset, y + offset, text);
    picText.SetTextColor(chars_.TextColor);
  }
  return Union(drawn, picText.DrawText(x, y, text));
}

PixelBox VerseRenderer::WholeFrame() const {
  return {0, 0, surfaces_.picText.Width(), surfaces_.picText.Height()};
}

PixelBox VerseRenderer::OnFrame(const PixelBox& box) const {
  return Intersection(box, WholeFrame());
}

void VerseRenderer::Present() {
  Present(WholeFrame());
}

void VerseRenderer::Present(const PixelBox& box) {
  const PixelBox shown = OnFrame(box);
  if (shown.Empty()) return;
  surfaces_.window.CopyFrom(surfaces_.picText, shown.left, shown.top, shown.right - shown.left,
                            shown.bottom - shown.top, shown.left, shown.top);
}

bool VerseRenderer::DrawVerse(float size) {
  return DrawFrame(size, Fresh::kWhole);
}

bool VerseRenderer::ChangeVerse(const Verse& verse) {
  const bool shownAsComposed = damageKnown_;
  SetupChars(verse);
  return DrawFrame(1.0f, shownAsComposed ? Fresh::kLastVerse : Fresh::kWhole);
}

bool VerseRenderer::DrawFrame(float size, Fresh part) {
  ISurface& picText = surfaces_.picText;
  ISurface& picWork = surfaces_.picWork;
  timFont_.SetEnabled(false);

  // The part of picText composed afresh. The title is drawn whole or not at all, since text
  // drawn twice over the same pixels blends its edges twice: a growth step that touches it
  // redraws it whole. Where the last verse was, picText is background alone once composed.
  PixelBox fresh = WholeFrame();
  bool drawTitle = !chars_.Title.empty();
  if (part == Fresh::kLines) {
    fresh = lastLines_;
    drawTitle = drawTitle && !Intersection(fresh, lastTitle_).Empty();
    if (drawTitle) fresh = Union(fresh, lastTitle_);
  } else if (part == Fresh::kLastVerse) {
    fresh = Union(lastLines_, lastTitle_);
  }
  ComposeBackground(fresh);
  if (!prepared_) {
    // No verse yet (a focus event before the first resize): show the background alone.
    Present();
    return false;
  }

  const float target = chars_.TargetSize;
  picText.SetFontSize(target);
  SwitchStyleOn(picText);
  picText.SetTextColor(chars_.TextColor);

  if (drawTitle) {
    picText.SetFontUnderline(true);
    const TextPlacement title = PlaceTitle(picText, chars_.Title, displayWidth_);
    lastTitle_ = OnFrame(DrawPiece(chars_.Title, title.x, title.y, target));
    picText.SetFontUnderline(false);
    fresh = Union(fresh, lastTitle_);
  } else if (part != Fresh::kLines) {
    lastTitle_ = {};
  }

  picText.SetFontSize(size);
  grownSize_ = size;
  picWork.SetFontSize(target);
  SwitchStyleOn(picWork);
  const std::vector<std::string> lines =
      WrapText(picWork, chars_.Text, static_cast<float>(displayWidth_));

  PixelBox drawn;
  const BlockPlacement block = PlaceLines(picText, lines, displayWidth_, displayHeight_);
  for (std::size_t k = 0; k < lines.size(); ++k) {
    drawn = Union(drawn, DrawPiece(lines[k], block.lines[k].x, block.lines[k].y, size));
  }
  const TextPlacement reference =
      PlaceReference(picText, chars_.Reference, displayWidth_, block.nextY);
  drawn = Union(drawn, DrawPiece(chars_.Reference, reference.x, reference.y, size));
  lastLines_ = OnFrame(drawn);
  // Outside the fresh part and the new text picText is as it was, and so is the window.
  Present(Union(fresh, lastLines_));
  damageKnown_ = true;

  if (grownSize_ < target) {
    timFont_.SetEnabled(true);
    return false;
  }
  // Nothing (more) to grow, e.g. a target of 1 point or less: the caller hands over now, or
  // the rotation stalls.
  return true;
}

bool VerseRenderer::timFont_Timer() {
  timFont_.SetEnabled(false);
  const float old = grownSize_;
  const float target = chars_.TargetSize;
  float size = old + 2;
  if (size > target) size = target;
  // Within one verse only what changed since the last frame is composed and presented.
  DrawFrame(size, damageKnown_ ? Fresh::kLines : Fresh::kWhole);
  const float now = grownSize_;
  if (old != now || target > now) {
    timFont_.SetEnabled(true);
    return false;
  }
  return true;
}

}  // namespace vw
