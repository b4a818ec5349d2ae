#include "app/frmMain.h"

#include <cmath>

#include "app/Conversions.h"

namespace vw {

frmMain::frmMain(ProgramState& program, ISettingsStore& store, DisplaySurfaces surfaces,
                 ITimer& timNextVerse, ITimer& timFont, IDisplayHost& host)
    : program_(program),
      store_(store),
      timNextVerse_(timNextVerse),
      timFont_(timFont),
      host_(host),
      rotation_(program, timNextVerse),
      renderer_(program, surfaces, timFont, timNextVerse, host, rotation_.TopicTitle) {}

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
  rotation_.NextVerse(program_.CurrentReference, program_.CurrentVerseText);
  renderer_.PrepareDisplay();
  cursorHidden_ = program_.DisplayMode == kModeFullScreen;
  return true;
}

void frmMain::Form_Resize(int widthPixels, int heightPixels) {
  if (unloaded_) return;
  renderer_.Resize(widthPixels, heightPixels);
}

void frmMain::Form_Resize(int widthPixels, int heightPixels, LayoutArea layout) {
  if (unloaded_) return;
  renderer_.Resize(widthPixels, heightPixels, layout);
}

void frmMain::Form_GotFocus() {
  if (unloaded_) return;
  renderer_.DrawVerse(1.0f);
}

void frmMain::Form_Click() { Form_Unload(); }

void frmMain::Form_MouseMove(float x, float y) {
  if (unloaded_ || program_.DisplayMode != kModeFullScreen) return;
  const float dx = std::fabs(static_cast<float>(LastMouseX) - x);
  const float dy = std::fabs(static_cast<float>(LastMouseY) - y);
  // The first event after the window appears only records where the pointer is: Windows
  // sends one even when the mouse did not move.
  if ((dx >= 5.0f || dy >= 5.0f) && (LastMouseX != 0 || LastMouseY != 0)) {
    Form_Unload();
    return;
  }
  LastMouseX = static_cast<std::int16_t>(RoundToInt32(x));
  LastMouseY = static_cast<std::int16_t>(RoundToInt32(y));
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
  rotation_.timNextVerse_Timer();
  renderer_.SetupChars();
  renderer_.DrawVerse(1.0f);
}

void frmMain::timFont_Timer() {
  if (unloaded_) return;
  renderer_.timFont_Timer();
}

void frmMain::Go() {
  if (unloaded_) return;
  rotation_.Go();
}

}  // namespace vw
