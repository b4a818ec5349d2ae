#pragma once
#include <cstdint>
#include <string>

#include "app/ProgramState.h"
#include "platform/DisplayHost.h"
#include "platform/Surface.h"
#include "platform/Timer.h"

namespace vw {

// The verse on show, as SetupChars prepared it.
struct CharsRecord {
  std::int16_t TargetSize = 0;
  ColorValue TextColor = 0;
  std::string Reference;
  std::string Text;
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
// grows 2 points per timFont tick up to its target size, then timNextVerse takes over.
class VerseRenderer {
 public:
  // `topicTitle` is the rotation's title of the current topic, read afresh at every frame.
  VerseRenderer(ProgramState& program, DisplaySurfaces surfaces, ITimer& timFont,
                ITimer& timNextVerse, IDisplayHost& host, const std::string& topicTitle);

  // Last step of the window's load: desktop capture for a transparent background, cursor
  // hidden in full screen, the random generator seeded, the face set, the first paint.
  void PrepareDisplay();
  // The window's resize step, given its size in pixels; the verse is laid out over all of it.
  void Resize(int widthPixels, int heightPixels);
  // The same for a window whose verse goes in `layout`: DisplayWidth and DisplayHeight are the
  // layout's size, the background still covers the whole window.
  void Resize(int widthPixels, int heightPixels, LayoutArea layout);
  // Prepares the verse now in CurrentReference/CurrentVerseText with a new colour.
  void SetupChars();
  // Draws one complete frame with the verse lines and reference at `size` points.
  void DrawVerse(float size);
  void timFont_Timer();

  const CharsRecord& Chars() const { return chars_; }

  std::int16_t DisplayWidth = 0, DisplayHeight = 0;

 private:
  // Draws `text` at (x, y) in the text colour, under a black shadow when one is wanted.
  void DrawPiece(const std::string& text, std::int32_t x, std::int32_t y, float size);
  void SwitchStyleOn(ISurface& surface);
  // The background of every frame onto picText: the desktop image or plain black.
  void ComposeBackground();
  bool ShadowWanted() const;

  ProgramState& program_;
  DisplaySurfaces surfaces_;
  ITimer& timFont_;
  ITimer& timNextVerse_;
  IDisplayHost& host_;
  const std::string& topicTitle_;
  CharsRecord chars_;
  LayoutArea layout_;
  // False until the first SetupChars: before it there is no verse to draw.
  bool prepared_ = false;
  // True while a timFont tick draws; outside a tick a frame that is already full size hands
  // over to timNextVerse itself.
  bool inFontTick_ = false;
};

}  // namespace vw
