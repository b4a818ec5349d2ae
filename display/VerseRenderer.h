#pragma once
#include <cstdint>
#include <string>

#include "core/DisplayHost.h"
#include "core/DisplayMode.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "core/Surface.h"
#include "core/Timer.h"
#include "core/Verse.h"

namespace vw {

// The verse on show, as SetupChars prepared it.
struct CharsRecord {
  std::int16_t TargetSize = 0;
  ColorValue TextColor = 0;
  std::string Reference;
  std::string Text;
  std::string Title;
};

// Where the verse is laid out and centred, in the window's pixels: the primary monitor's part
// of a window that spans every monitor, or the whole window.
struct LayoutArea {
  int x = 0, y = 0, width = 0, height = 0;
};

// The display window's four off-screen surfaces and the window itself.
struct DisplaySurfaces {
  ISurface& picWork;     // measures for line breaking, at the target size; never drawn on
  ISurface& picText;     // each frame is composed here, then copied to the window at once
  ISurface& picBlank;    // plain black background
  ISurface& picCapture;  // the desktop taken at load, behind a transparent background
  ISurface& window;
};

// Composes and animates the verse on the display window: each verse is drawn at 1 point and
// grows 2 points per timFont tick up to its target size, then reports that it has grown, so
// that the caller can start waiting for the next verse.
class VerseRenderer {
 public:
  // `mode` is full screen or preview; `random` the generator PickTextColor draws from.
  VerseRenderer(const SettingsRecord& settings, DisplayMode mode,
                RandomGenerator& random, DisplaySurfaces surfaces, ITimer& timFont,
                IDisplayHost& host);

  // Last step of the window's load: desktop capture for a transparent background, cursor
  // hidden in full screen, the random generator seeded, the face set. The first paint comes
  // from the resize, which composes the background on picText.
  void PrepareDisplay();
  // The window's resize step, given its size in pixels: the verse is laid out and centred in
  // `layout`, the background covers the whole window. Prepares `verse` afresh.
  void Resize(int widthPixels, int heightPixels, LayoutArea layout, const Verse& verse);
  // Prepares `verse` for drawing, with a new colour.
  void SetupChars(const Verse& verse);
  // Draws one complete frame with the verse lines and reference at `size` points and presents
  // all of picText: a focus event, or a first frame where the screen cannot be trusted. True
  // when the verse is at its full size, so nothing is left to grow.
  bool DrawVerse(float size);
  // The verse timer's step: prepares `verse` (SetupChars) and draws its first frame at 1
  // point. When the window shows the last composed frame, only the last verse's box and the
  // new one are composed and presented; otherwise (before any frame, after a resize) the
  // frame is complete. True as DrawVerse.
  bool ChangeVerse(const Verse& verse);
  // Grows the verse one step. True when it has reached its full size with this tick. Such a
  // frame composes and presents only the box that changed since the last frame, so its cost
  // does not grow with the monitors around the primary; the screen shows what a complete
  // frame would.
  bool timFont_Timer();
  // Copies all of the last composed frame to the window: a repaint.
  void Present();

  const CharsRecord& Chars() const { return chars_; }
  float GrownSize() const { return grownSize_; }
  // The width of the layout area in pixels, 0 before the first resize.
  std::int16_t DisplayWidth() const { return displayWidth_; }

 private:
  // What a frame composes afresh: all of picText; where the last frame's lines and reference
  // were (a growth step); or where all of the last verse was (a new verse). The rest of
  // picText and the window keep their pixels.
  enum class Fresh { kWhole, kLines, kLastVerse };
  bool DrawFrame(float size, Fresh part);
  // Draws `text` at (x, y) in the text colour, under a black shadow when one is wanted.
  // Returns the pixels it may have changed, the shadow's included.
  PixelBox DrawPiece(const std::string& text, std::int32_t x, std::int32_t y, float size);
  void SwitchStyleOn(ISurface& surface);
  // The background onto `box` of picText: the desktop image or plain black.
  void ComposeBackground(const PixelBox& box);
  // Copies `box` of picText to the window.
  void Present(const PixelBox& box);
  PixelBox WholeFrame() const;
  // `box` cut to picText's edges.
  PixelBox OnFrame(const PixelBox& box) const;
  bool ShadowWanted() const;

  const SettingsRecord& settings_;
  const DisplayMode mode_;
  RandomGenerator& random_;
  DisplaySurfaces surfaces_;
  ITimer& timFont_;
  IDisplayHost& host_;
  CharsRecord chars_;
  LayoutArea layout_;
  std::int16_t displayWidth_ = 0, displayHeight_ = 0;
  // The size the verse lines were last drawn at, or the target once a verse is prepared:
  // where the next growth step starts.
  float grownSize_ = 0;
  // What the last frame drew, on picText: the verse lines with the reference, and the title.
  // damageKnown_ says whether they describe the picture shown now (false until a complete
  // frame presents the whole of picText, and again after a resize).
  PixelBox lastLines_, lastTitle_;
  bool damageKnown_ = false;
  // False until the first SetupChars: before it there is no verse to draw.
  bool prepared_ = false;
};

}  // namespace vw
