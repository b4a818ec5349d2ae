#include "display/VerseRenderer.h"

#include <algorithm>

#include "core/Conversions.h"
#include "core/DisplayMode.h"
#include "display/TextColor.h"
#include "display/TextLayout.h"

namespace vw {

namespace {

constexpr std::int16_t kPreviewTargetSize = 5;
constexpr ColorValue kShadowColor = 0;

}  // namespace

VerseRenderer::VerseRenderer(const SettingsRecord& settings, const std::int32_t& displayMode,
                             RandomGenerator& random, DisplaySurfaces surfaces, ITimer& timFont,
                             IDisplayHost& host)
    : settings_(settings),
      displayMode_(displayMode),
      random_(random),
      surfaces_(surfaces),
      timFont_(timFont),
      host_(host) {}

void VerseRenderer::PrepareDisplay() {
  const SettingsRecord& settings = settings_;
  if (settings.ScreenColor) host_.CaptureScreen(surfaces_.picCapture);
  if (displayMode_ == kModeFullScreen) host_.ShowCursor(false);
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
  ComposeBackground();
  SetupChars(verse);
}

void VerseRenderer::ComposeBackground() {
  ISurface& picText = surfaces_.picText;
  const ISurface& background = settings_.ScreenColor ? surfaces_.picCapture : surfaces_.picBlank;
  picText.CopyFrom(background, 0, 0, picText.Width(), picText.Height(), 0, 0);
}

void VerseRenderer::SetupChars(const Verse& verse) {
  chars_ = CharsRecord{};
  chars_.Reference = verse.Reference;
  chars_.Text = verse.Text;
  chars_.Title = verse.Title;
  chars_.TargetSize = displayMode_ == kModePreview ? kPreviewTargetSize : settings_.FontSize;
  chars_.TextColor = PickTextColor(settings_, random_);
  // A growth tick that follows without a new frame at size 1 (a resize mid-growth) then
  // starts from the target and ends the growth at once.
  grownSize_ = chars_.TargetSize;
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

void VerseRenderer::DrawPiece(const std::string& text, std::int32_t x, std::int32_t y, float size) {
  ISurface& picText = surfaces_.picText;
  x += layout_.x;
  y += layout_.y;
  if (ShadowWanted()) {
    // Lifts the text off a busy desktop image.
    const std::int32_t offset = std::max(1, RoundToInt32(size / 15.0));
    picText.SetTextColor(kShadowColor);
    picText.DrawText(x + offset, y + offset, text);
    picText.SetTextColor(chars_.TextColor);
  }
  picText.DrawText(x, y, text);
}

void VerseRenderer::Present() {
  const ISurface& picText = surfaces_.picText;
  surfaces_.window.CopyFrom(picText, 0, 0, picText.Width(), picText.Height(), 0, 0);
}

bool VerseRenderer::DrawVerse(float size) {
  ISurface& picText = surfaces_.picText;
  ISurface& picWork = surfaces_.picWork;
  timFont_.SetEnabled(false);

  ComposeBackground();
  if (!prepared_) {
    // No verse yet (a focus event before the first resize): show the background alone.
    Present();
    return false;
  }

  const float target = chars_.TargetSize;
  picText.SetFontSize(target);
  SwitchStyleOn(picText);
  picText.SetTextColor(chars_.TextColor);

  if (!chars_.Title.empty()) {
    picText.SetFontUnderline(true);
    const TextPlacement title = PlaceTitle(picText, chars_.Title, displayWidth_);
    DrawPiece(chars_.Title, title.x, title.y, target);
    picText.SetFontUnderline(false);
  }

  picText.SetFontSize(size);
  grownSize_ = size;
  picWork.SetFontSize(target);
  SwitchStyleOn(picWork);
  const std::vector<std::string> lines =
      WrapText(picWork, chars_.Text, static_cast<float>(displayWidth_));

  const BlockPlacement block = PlaceLines(picText, lines, displayWidth_, displayHeight_);
  for (std::size_t k = 0; k < lines.size(); ++k) {
    DrawPiece(lines[k], block.lines[k].x, block.lines[k].y, size);
  }
  const TextPlacement reference =
      PlaceReference(picText, chars_.Reference, displayWidth_, block.nextY);
  DrawPiece(chars_.Reference, reference.x, reference.y, size);

  Present();

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
  DrawVerse(size);
  const float now = grownSize_;
  if (old != now || target > now) {
    timFont_.SetEnabled(true);
    return false;
  }
  return true;
}

}  // namespace vw
