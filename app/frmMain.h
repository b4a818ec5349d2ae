#pragma once
#include <cstdint>

#include "app/ProgramState.h"
#include "core/DisplayHost.h"
#include "core/DisplayMode.h"
#include "core/SettingsStore.h"
#include "core/Timer.h"
#include "core/Verse.h"
#include "display/VerseRenderer.h"
#include "verses/VerseRotation.h"

namespace vw {

// timFont's interval: the verse grows one step every 25 ms. Each front end makes its timer so.
inline constexpr std::int32_t kFontTimerMs = 25;

// The display window's life: load, resize, focus, paint, input and unload. The window
// procedure only unpacks a message and calls one of these handlers. It alone switches
// timNextVerse: the rotation chooses verses and the renderer reports when one has grown.
class frmMain {
 public:
  // `mode` is full screen or preview.
  frmMain(ProgramState& program, DisplayMode mode, ISettingsStore& store, DisplaySurfaces surfaces,
          ITimer& timNextVerse, ITimer& timFont, IDisplayHost& host);

  // The load step. False when the window unloaded during it (kjv.dat missing or without a
  // readable record): the caller must not place or start it.
  bool Form_Load();
  // The resize step, given the window's size in pixels.
  void Form_Resize(int widthPixels, int heightPixels);
  // The same for a window over several monitors: the verse goes in `layout`, the primary's part.
  void Form_Resize(int widthPixels, int heightPixels, LayoutArea layout);
  void Form_GotFocus();
  // The window needs repainting: the last frame again.
  void Form_Paint();
  void Form_Click();
  void Form_MouseMove(float x, float y);
  // The window moved on the screen (the monitors changed): the recorded pointer position is in
  // the old client coordinates, so it is forgotten, and the next movement event only records
  // where the pointer now is. Windows sends one after such a change though the pointer stayed.
  void Form_WindowMoved();
  void Form_KeyUp(int keyCode);
  // The unload step: saves the position, closes the verse file, stops both timers, shows the
  // cursor again and ends the program. Runs at most once.
  void Form_Unload();

  void timNextVerse_Timer();
  void timFont_Timer();
  // Starts the display once the window is placed: the first tick after 100 ms only presents
  // the verse chosen at load; every later one comes ChangeSec seconds after a verse has grown.
  void Go();

  bool Unloaded() const { return unloaded_; }
  const VerseRenderer& Renderer() const { return renderer_; }

 private:
  // Starts waiting for the next verse once the renderer reports the verse on show has grown.
  void HandOverWhenGrown(bool grown);

  ProgramState& program_;
  const DisplayMode mode_;
  ISettingsStore& store_;
  ITimer& timNextVerse_;
  ITimer& timFont_;
  IDisplayHost& host_;
  VerseRotation rotation_;
  VerseRenderer renderer_;
  // The verse on show, as the rotation last chose it.
  Verse verse_;
  std::int16_t lastMouseX_ = 0;
  std::int16_t lastMouseY_ = 0;
  // The position is only worth saving once kjv.dat was opened: a missing file must not
  // reset the user's place.
  bool verseFileOpen_ = false;
  // PrepareDisplay hid the cursor; unload shows it only then, keeping the count balanced.
  bool cursorHidden_ = false;
  // Set by Go: the next tick of timNextVerse is the first, which presents the loaded verse.
  bool firstTick_ = false;
  bool unloaded_ = false;
};

}  // namespace vw
