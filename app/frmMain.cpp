#include "app/frmMain.h"

#include <cmath>

#include "core/Conversions.h"

namespace vw {

namespace {

constexpr std::int32_t kStartIntervalMs = 100;

}  // namespace

frmMain::frmMain(ProgramState& program, DisplayMode mode, ISettingsStore& store,
                 DisplaySurfaces surfaces, ITimer& timNextVerse, ITimer& timFont,
                 IDisplayHost& host)
    : program_(program),
      mode_(mode),
      store_(store),
      timNextVerse_(timNextVerse),
      timFont_(timFont),
      host_(host),
      rotation_(program.Settings, program.Topics, program.VerseBuffer),
      renderer_(program.Settings, mode, program.Random, surfaces, timFont, host) {}

bool frmMain::Form_Load() {
  BuildTopicTable(program_.Topics);
  LoadSettings(store_, program_.Settings);
  rotation_.RestorePosition();
  rotation_.BuildTopicLists();
  // A kjv.dat that is missing, or holds no record that can be read (empty, cut short), ends
  // the display quietly: there is nothing to show, and the user's place must be kept.
  if (!rotation_.OpenVerseFile(host_.ProgramFolder()) || rotation_.VerseFile().NoMatch()) {
    Form_Unload();
    return false;
  }
  verseFileOpen_ = true;
  verse_ = rotation_.NextVerse();
  renderer_.PrepareDisplay();
  cursorHidden_ = mode_ == DisplayMode::FullScreen;
  return true;
}

void frmMain::Form_Resize(int widthPixels, int heightPixels) {
  Form_Resize(widthPixels, heightPixels, {0, 0, widthPixels, heightPixels});
}

void frmMain::Form_Resize(int widthPixels, int heightPixels, LayoutArea layout) {
  if (unloaded_) return;
  renderer_.Resize(widthPixels, heightPixels, layout, verse_);
}

void frmMain::Form_GotFocus() {
  if (unloaded_) return;
  HandOverWhenGrown(renderer_.DrawVerse(1.0f));
}

void frmMain::Form_Paint() {
  if (renderer_.DisplayWidth() > 0) renderer_.Present();
}

void frmMain::Form_Click() {
  Form_Unload();
}

void frmMain::Form_MouseMove(float x, float y) {
  if (unloaded_ || mode_ != DisplayMode::FullScreen) return;
  const float dx = std::fabs(static_cast<float>(lastMouseX_) - x);
  const float dy = std::fabs(static_cast<float>(lastMouseY_) - y);
  // The first event after the window appears only records where the pointer is: Windows
  // sends one even when the mouse did not move.
  if ((dx >= 5.0f || dy >= 5.0f) && (lastMouseX_ != 0 || lastMouseY_ != 0)) {
    Form_Unload();
    return;
  }
  lastMouseX_ = static_cast<std::int16_t>(RoundToInt32(x));
  lastMouseY_ = static_cast<std::int16_t>(RoundToInt32(y));
}

void frmMain::Form_WindowMoved() {
  lastMouseX_ = 0;
  lastMouseY_ = 0;
}

void frmMain::Form_KeyUp(int) {}

void frmMain::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  if (verseFileOpen_) rotation_.SavePosition(store_);
  rotation_.CloseVerseFile();
  timFont_.SetEnabled(false);
  timNextVerse_.SetEnabled(false);
  if (cursorHidden_) host_.ShowCursor(true);
  host_.EndProgram();
}

void frmMain::timNextVerse_Timer() {
  if (unloaded_) return;
  if (firstTick_) {
    // The first tick after Go only presents the verse chosen at load.
    firstTick_ = false;
    timNextVerse_.SetInterval(program_.Settings.ChangeIntervalMs());
  } else {
    verse_ = rotation_.NextVerse();
  }
  // Runs again once the new verse has grown to its full size.
  timNextVerse_.SetEnabled(false);
  HandOverWhenGrown(renderer_.ChangeVerse(verse_));
}

void frmMain::timFont_Timer() {
  if (unloaded_) return;
  HandOverWhenGrown(renderer_.timFont_Timer());
}

void frmMain::HandOverWhenGrown(bool grown) {
  if (grown) timNextVerse_.SetEnabled(true);
}

void frmMain::Go() {
  if (unloaded_) return;
  firstTick_ = true;
  timNextVerse_.SetInterval(kStartIntervalMs);
  timNextVerse_.SetEnabled(true);
}

}  // namespace vw
