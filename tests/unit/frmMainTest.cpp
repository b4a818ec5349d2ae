#include "app/frmMain.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/support/FakeDisplayHost.h"
#include "tests/support/FakeTimer.h"
#include "tests/support/MemorySettingsStore.h"
#include "tests/support/RecordingSurface.h"
#include "tests/support/VerseFiles.h"

namespace vw {
namespace {

// One display window loaded over a kjv.dat of the given bytes (200 numbered records unless
// told), after "Key=value|..." was stored.
struct DisplayWindow {
  explicit DisplayWindow(const std::string& stored = "",
                         DisplayMode mode = DisplayMode::FullScreen,
                         const std::string& kjv = test::NumberedRecords(200))
      : form{program, mode, store, DisplaySurfaces{picWork, picText, picBlank, picCapture, window},
             timNextVerse, timFont, host} {
    if (kjv != "<missing>") test::WriteBytes(dir.Path() / "kjv.dat", kjv);
    host.programFolder = dir.Path().generic_string() + "/";
    store.AfterAStart(stored);
    loaded = form.Form_Load();
  }
  // Runs the timers as the window would until the next verse has fully grown.
  void RunOneVerse() {
    ASSERT_TRUE(timNextVerse.enabled);
    form.timNextVerse_Timer();
    for (int guard = 0; guard < 100 && timFont.enabled; ++guard) form.timFont_Timer();
    ASSERT_TRUE(timNextVerse.enabled) << "the growth hands over to the verse timer";
  }
  // The title and the verse on show, as "title|verse".
  std::string Shown() const {
    return form.Renderer().Chars().Title + "|" + form.Renderer().Chars().Text;
  }

  test::TempDir dir;
  ProgramState program;
  test::MemorySettingsStore store;
  test::FakeDisplayHost host;
  test::FakeTimer timNextVerse, timFont;
  test::RecordingSurface picWork, picText, picBlank, picCapture, window;
  frmMain form;
  bool loaded = false;
};

TEST(DisplayWindow, ShowsTheSavedPlaceThenOneVerseEveryChangeSecAndSavesTheVerseOnShow) {
  // Over a kjv.dat of 31,102 numbered records a topic resumes after the entry saved (Samson's
  // 6th entry, Judges 13:6, is record 6891), all verses at the saved record. After the Ten
  // Commandments' last entry, Noah's come. Unload saves the place of the verse on show.
  static const std::string kjv = test::NumberedRecords(31102);
  // ChangeSec, what was stored, "title|verse" at load and two verses later, what unload saves.
  const struct { int seconds; std::string stored, loaded, third, saved; } cases[] = {
      {2, "Display=8|LastSection=8|LastVerse=5", "Story of Samson|Record 6891",
       "Story of Samson|Record 6893", "LastSection=8 LastVerse=8"},
      {33, "Display=1|LastSection=1|LastVerse=700", "|Record 700", "|Record 702",
       "LastSection=1 LastVerse=702"},
      {32767, "Display=6|LastSection=2|LastVerse=9", "The Ten Commandments|Record 2069",
       "Noah and the Ark|Record 140", "LastSection=4 LastVerse=2"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    DisplayWindow w("ChangeSec=" + std::to_string(c.seconds) + "|" + c.stored,
                    DisplayMode::FullScreen, kjv);
    ASSERT_TRUE(w.loaded);
    EXPECT_EQ(w.host.cursorCalls, std::vector<bool>{false});
    EXPECT_TRUE(w.store.writes.empty()) << "loading writes nothing";
    w.form.Form_Resize(800, 600);
    EXPECT_EQ(w.Shown(), c.loaded) << "the verse chosen at load";
    w.form.Go();
    EXPECT_EQ(w.timNextVerse.intervals.back(), 100);
    w.form.timNextVerse_Timer();
    EXPECT_FALSE(w.timNextVerse.enabled) << "it waits for the growth";
    EXPECT_EQ(w.Shown(), c.loaded) << "the first tick presents the loaded verse";
    w.timNextVerse.enabled = true;
    for (int r = 2; r <= 3; ++r) w.RunOneVerse();
    EXPECT_EQ(w.Shown(), c.third);
    EXPECT_EQ(w.timNextVerse.intervals, (std::vector<std::int32_t>{100, c.seconds * 1000}));

    // Focus grows the verse again from 1 point, in the same colour.
    const ColorValue colour = w.form.Renderer().Chars().TextColor;
    w.form.Form_GotFocus();
    EXPECT_EQ(std::make_tuple(w.picText.FontSize(), w.timFont.enabled,
                              w.form.Renderer().Chars().TextColor),
              std::make_tuple(1.0f, true, colour));
    w.form.Form_Unload();
    std::string saved;
    for (const std::string& write : w.store.writes) saved += " " + write.substr(9);
    EXPECT_EQ(saved, " " + c.saved);
  }
}

TEST(DisplayWindow, UnusableVerseFileEndsQuietlyAndKeepsThePlace) {
  // kjv.dat missing, empty, or with no whole record: nothing to show, and nothing saved.
  for (const std::string& bytes : {std::string("<missing>"), std::string(), std::string("x"),
                                   test::NumberedRecord(1).substr(0, 268)}) {
    SCOPED_TRACE(bytes.size());
    DisplayWindow w("LastSection=8|LastVerse=5", DisplayMode::FullScreen, bytes);
    // Not loaded, unloaded, the program ended once; no write, the cursor never hidden.
    EXPECT_EQ(std::make_tuple(w.loaded, w.form.Unloaded(), w.host.endCount, w.store.writes.size(),
                              w.host.cursorCalls.size()),
              std::make_tuple(false, true, 1, 0u, 0u));
  }
}

TEST(DisplayWindow, MouseEndsFullScreenFromFivePixelsKeysNeverClickAlways) {
  // The mode, the pointer's moves, the index of the move that ends the display (-1: none
  // does) and of the move before which the window moved with the monitors (-1: none).
  struct Case { DisplayMode mode; std::vector<std::pair<float, float>> moves;
                int ending, moved = -1; };
  const Case cases[] = {
      // The first move only records where the pointer is; 4 pixels are recorded too.
      {DisplayMode::FullScreen, {{512, 384}, {516, 384}, {516, 388}, {512, 384}, {512, 389}}, 4},
      {DisplayMode::FullScreen, {{0, 0}, {300, 200}, {300.4f, 210}}, 2},  // (0, 0) is no position
      {DisplayMode::Preview, {{10, 10}, {100, 100}}, -1},
      // A monitor came left of the primary: the still pointer is 1024 further right in the
      // window (Windows tells with a move of its own); 5 pixels from there still end it.
      {DisplayMode::FullScreen, {{1536, 384}, {2560, 384}, {2564, 388}, {2564, 393}}, 3, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ending);
    DisplayWindow w("", c.mode);
    w.form.Form_Resize(1024, 768);
    for (int key : {13, 27, 32, 65, 0x7B}) w.form.Form_KeyUp(key);
    for (int k = 0; k < static_cast<int>(c.moves.size()); ++k) {
      if (k == c.moved) w.form.Form_WindowMoved();
      w.form.Form_MouseMove(c.moves[k].first, c.moves[k].second);
      EXPECT_EQ(w.form.Unloaded(), k >= c.ending && c.ending >= 0) << "move " << k;
    }
    w.form.Form_Click();
    EXPECT_TRUE(w.form.Unloaded());
    EXPECT_EQ(w.host.cursorCalls.size(), c.mode == DisplayMode::FullScreen ? 2u : 0u);
  }
}

}  // namespace
}  // namespace vw
