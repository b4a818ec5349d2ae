#include "display/VerseRenderer.h"

#include <algorithm>

#include "app/Conversions.h"
#include "app/Startup.h"
#include "display/TextColor.h"
#include "display/TextLayout.h"

namespace vw {

namespace {

constexpr std::int16_t kPreviewTargetSize = 5;
constexpr ColorValue kShadowColor = 0;

}  // namespace

VerseRenderer::VerseRenderer(ProgramState& program, DisplaySurfaces surfaces, ITimer& timFont,
                             ITimer& timNextVerse, IDisplayHost& host,
                             const std::string& topicTitle)
    : program_(program),
      surfaces_(surfaces),
      timFont_(timFont),
      timNextVerse_(timNextVerse),
      host_(host),
      topicTitle_(topicTitle) {}

void VerseRenderer::PrepareDisplay() {
  const SettingsRecord& settings = program_.Settings;
  if (settings.ScreenColor) host_.CaptureScreen(surfaces_.picCapture);
  if (program_.DisplayMode == kModeFullScreen) host_.ShowCursor(false);
  program_.Random.Randomize(host_.SecondsSinceMidnight());
  surfaces_.picText.SetFontName(settings.Font);
  surfaces_.picWork.SetFontName(settings.Font);
  surfaces_.window.CopyFrom(surfaces_.picCapture, 0, 0, surfaces_.picText.Width(),
                            surfaces_.picText.Height(), 0, 0);
}

void VerseRenderer::Resize(int widthPixels, int heightPixels) {
  Resize(widthPixels, heightPixels, {0, 0, widthPixels, heightPixels});
}

void VerseRenderer::Resize(int widthPixels, int heightPixels, LayoutArea layout) {
  layout_ = layout;
  DisplayWidth = static_cast<std::int16_t>(layout.width);
  DisplayHeight = static_cast<std::int16_t>(layout.height);
  surfaces_.picBlank.Resize(widthPixels, heightPixels);
  surfaces_.picText.Resize(widthPixels, heightPixels);
  // The window paints picText before the first verse frame: it must already hold the
  // background, not a blank surface.
  ComposeBackground();
  SetupChars();
}

void VerseRenderer::ComposeBackground() {
  ISurface& picText = surfaces_.picText;
  const ISurface& background =
      program_.Settings.ScreenColor ? surfaces_.picCapture : surfaces_.picBlank;
  picText.CopyFrom(background, 0, 0, picText.Width(), picText.Height(), 0, 0);
}

void VerseRenderer::SetupChars() {
  chars_ = CharsRecord{};
  chars_.Reference = program_.CurrentReference;
  chars_.Text = program_.CurrentVerseText;
  chars_.TargetSize =
      program_.DisplayMode == kModePreview ? kPreviewTargetSize : program_.Settings.FontSize;
  chars_.TextColor = PickTextColor(program_.Settings, program_.Random);
  // A growth tick that follows without a new frame at size 1 (a resize mid-growth) then
  // starts from the target and ends the growth at once.
  surfaces_.picText.SetFontSize(chars_.TargetSize);
  prepared_ = true;
}

bool VerseRenderer::ShadowWanted() const {
  return program_.Settings.ScreenColor && program_.Settings.DropShadow;
}

void VerseRenderer::SwitchStyleOn(ISurface& surface) {
  // Only ever switched on: the settings do not change while the display runs.
  if (program_.Settings.FontItalic) surface.SetFontItalic(true);
  if (program_.Settings.FontBold) surface.SetFontBold(true);
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

void VerseRenderer::DrawVerse(float size) {
  ISurface& picText = surfaces_.picText;
  ISurface& picWork = surfaces_.picWork;
  timFont_.SetEnabled(false);

  ComposeBackground();
  if (!prepared_) {
    // No verse yet (a focus event before the first resize): show the background alone.
    surfaces_.window.CopyFrom(picText, 0, 0, picText.Width(), picText.Height(), 0, 0);
    return;
  }

  const float target = chars_.TargetSize;
  picText.SetFontSize(target);
  SwitchStyleOn(picText);
  picText.SetTextColor(chars_.TextColor);

  if (!topicTitle_.empty()) {
    picText.SetFontUnderline(true);
    const TextPlacement title = PlaceTitle(picText, topicTitle_, DisplayWidth);
    DrawPiece(topicTitle_, title.x, title.y, target);
    picText.SetFontUnderline(false);
  }

  picText.SetFontSize(size);
  picWork.SetFontSize(target);
  SwitchStyleOn(picWork);
  const std::vector<std::string> lines =
      WrapText(picWork, chars_.Text, static_cast<float>(DisplayWidth));

  const BlockPlacement block = PlaceLines(picText, lines, DisplayWidth, DisplayHeight);
  for (std::size_t k = 0; k < lines.size(); ++k) {
    DrawPiece(lines[k], block.lines[k].x, block.lines[k].y, size);
  }
  const TextPlacement reference =
      PlaceReference(picText, chars_.Reference, DisplayWidth, block.nextY);
  DrawPiece(chars_.Reference, reference.x, reference.y, size);

  surfaces_.window.CopyFrom(picText, 0, 0, picText.Width(), picText.Height(), 0, 0);

  if (picText.FontSize() < target) {
    timFont_.SetEnabled(true);
  } else if (!inFontTick_) {
    // Nothing to grow (a target of 1 point or less): hand over now, or the rotation stalls.
    timNextVerse_.SetEnabled(true);
  }
}

void VerseRenderer::timFont_Timer() {
  ISurface& picText = surfaces_.picText;
  timFont_.SetEnabled(false);
  const float old = picText.FontSize();
  const float target = chars_.TargetSize;
  float size = old + 2;
  if (size > target) size = target;
  inFontTick_ = true;
  DrawVerse(size);
  inFontTick_ = false;
  const float now = picText.FontSize();
  if (old != now || target > now) {
    timFont_.SetEnabled(true);
  } else {
    timNextVerse_.SetEnabled(true);
  }
}

}  // namespace vw
