#include "app/frmMain.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "tests/support/FakeDisplayHost.h"
#include "tests/support/FakeTimer.h"
#include "tests/support/MemorySettingsStore.h"
#include "tests/support/RecordingSurface.h"
#include "tests/support/VerseFiles.h"

namespace vw {
namespace {

// One display window over a kjv.dat of 200 numbered records.
class DisplayWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteNumberedFile(dir.Path() / "kjv.dat", 200);
    EnsureDefaultSettings(store);
    store.writes.clear();
    host.programFolder = dir.Path().generic_string() + "/";
  }
  frmMain& Load(std::int32_t mode = kModeFullScreen) {
    program.DisplayMode = mode;
    form.emplace(program, store, DisplaySurfaces{picWork, picText, picBlank, picCapture, window},
                 timNextVerse, timFont, host);
    loaded = form->Form_Load();
    return *form;
  }
  // Runs the timers as the window would until the next verse has fully grown.
  void RunOneVerse() {
    ASSERT_TRUE(timNextVerse.enabled);
    form->timNextVerse_Timer();
    for (int guard = 0; guard < 100 && timFont.enabled; ++guard) form->timFont_Timer();
    ASSERT_TRUE(timNextVerse.enabled) << "the growth hands over to the verse timer";
  }

  test::TempDir dir;
  ProgramState program;
  test::MemorySettingsStore store;
  test::FakeDisplayHost host;
  test::FakeTimer timNextVerse, timFont;
  test::RecordingSurface picWork, picText, picBlank, picCapture, window;
  std::optional<frmMain> form;
  bool loaded = false;
};

TEST_F(DisplayWindowTest, LoadsShowsTheFirstVerseThenOneEveryChangeSec) {
  store.Set("Settings", "ChangeSec", "2");
  frmMain& f = Load();
  ASSERT_TRUE(loaded);
  EXPECT_EQ(program.Topics.Count(), 6);
  EXPECT_EQ(f.Rotation().GetCurrentRecord(), 1);
  EXPECT_EQ(host.cursorCalls, std::vector<bool>{false});
  EXPECT_TRUE(store.writes.empty()) << "loading writes nothing";

  f.Form_Resize(800, 600);
  EXPECT_EQ(f.Renderer().Chars().Text, "Record 1") << "the verse chosen at load";
  EXPECT_EQ(f.Renderer().DisplayWidth(), 800);
  EXPECT_EQ(picText.Height(), 600);
  f.Go();
  EXPECT_EQ(timNextVerse.interval, 100);
  RunOneVerse();
  EXPECT_EQ(timNextVerse.interval, 2000);
  EXPECT_EQ(f.Renderer().Chars().Text, "Record 1") << "the first tick presents the loaded verse";
  RunOneVerse();
  RunOneVerse();
  EXPECT_EQ(f.Renderer().Chars().Text, "Record 3");

  const ColorValue colour = f.Renderer().Chars().TextColor;
  f.Form_GotFocus();
  EXPECT_FLOAT_EQ(picText.FontSize(), 1.0f);
  EXPECT_TRUE(timFont.enabled);
  EXPECT_EQ(f.Renderer().Chars().TextColor, colour);
}

TEST_F(DisplayWindowTest, TickPresentsFirstThenDeliversOneVersePerTick) {
  for (std::int16_t seconds : {std::int16_t{15}, std::int16_t{33}, std::int16_t{32767}}) {
    SCOPED_TRACE(seconds);
    program = ProgramState();
    timNextVerse = test::FakeTimer();
    store.Set("Settings", "ChangeSec", std::to_string(seconds));
    frmMain& f = Load();  // record 1 chosen at load
    f.Form_Resize(800, 600);
    f.Go();
    EXPECT_EQ(timNextVerse.interval, 100);
    EXPECT_TRUE(timNextVerse.enabled);

    const auto reads = f.Rotation().VerseFile().ReadCount();
    f.timNextVerse_Timer();
    EXPECT_FALSE(timNextVerse.enabled);
    EXPECT_EQ(f.Renderer().Chars().Text, "Record 1");
    EXPECT_EQ(f.Rotation().VerseFile().ReadCount(), reads);

    for (std::int32_t r = 2; r <= 4; ++r) {
      timNextVerse.SetEnabled(true);  // as at the end of the growth
      f.timNextVerse_Timer();
      EXPECT_EQ(f.Renderer().Chars().Text, "Record " + std::to_string(r));
      EXPECT_FALSE(timNextVerse.enabled);
    }
    EXPECT_EQ(timNextVerse.intervals, (std::vector<std::int32_t>{100, seconds * 1000}));
  }
}

TEST_F(DisplayWindowTest, UnusableVerseFileEndsQuietlyAndKeepsThePlace) {
  // kjv.dat missing, empty, or with no whole record: nothing to show, and nothing saved.
  const std::vector<std::string> contents = {"<missing>", "", "x",
                                             test::NumberedRecord(1).substr(0, 268)};
  for (const std::string& bytes : contents) {
    ProgramState fresh;
    program = std::move(fresh);
    host = test::FakeDisplayHost();
    timNextVerse = test::FakeTimer();
    store = test::MemorySettingsStore();
    EnsureDefaultSettings(store);
    store.Set("Settings", "LastSection", "8");
    store.Set("Settings", "LastVerse", "5");
    store.writes.clear();
    test::TempDir folder;
    if (bytes != "<missing>") test::WriteBytes(folder.Path() / "kjv.dat", bytes);
    host.programFolder = folder.Path().generic_string() + "/";
    frmMain& f = Load();
    const std::string label =
        bytes == "<missing>" ? bytes : std::to_string(bytes.size()) + " bytes";
    EXPECT_FALSE(loaded) << label;
    EXPECT_TRUE(f.Unloaded()) << label;
    EXPECT_EQ(host.endCount, 1) << label;
    EXPECT_TRUE(store.writes.empty()) << label;
    EXPECT_TRUE(host.cursorCalls.empty()) << label << ": the cursor was never hidden";
    EXPECT_FALSE(timNextVerse.enabled) << label;
  }
}

TEST_F(DisplayWindowTest, MouseEndsFullScreenFromFivePixelsKeysNeverClickAlways) {
  struct Case {
    std::int32_t mode;
    std::vector<std::pair<float, float>> moves;
    int endingMove;  // index of the move that ends the display; -1: none does
  };
  const Case cases[] = {
      // The first move only records where the pointer is; 4 pixels are recorded too.
      {kModeFullScreen, {{512, 384}, {516, 384}, {516, 388}, {512, 384}, {512, 389}}, 4},
      {kModeFullScreen, {{0, 0}, {300, 200}, {300.4f, 210}}, 2},  // (0, 0) is no position
      {kModePreview, {{10, 10}, {100, 100}}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.endingMove);
    host = {};
    host.programFolder = dir.Path().generic_string() + "/";
    frmMain& f = Load(c.mode);
    f.Form_Resize(1024, 768);
    for (int key : {13, 27, 32, 65, 0x7B}) f.Form_KeyUp(key);
    for (int k = 0; k < static_cast<int>(c.moves.size()); ++k) {
      f.Form_MouseMove(c.moves[k].first, c.moves[k].second);
      EXPECT_EQ(f.Unloaded(), k >= c.endingMove && c.endingMove >= 0) << "move " << k;
    }
    f.Form_Click();
    EXPECT_TRUE(f.Unloaded());
    EXPECT_EQ(host.endCount, 1);
    EXPECT_EQ(host.cursorCalls.size(), c.mode == kModeFullScreen ? 2u : 0u);
  }
}

TEST_F(DisplayWindowTest, UnloadSavesThePositionStopsTimersAndShowsTheCursorOnce) {
  store.Set("Settings", "LastSection", "1");
  store.Set("Settings", "LastVerse", "100");
  frmMain& f = Load();
  f.Form_Resize(800, 600);
  f.Go();
  RunOneVerse();
  RunOneVerse();  // record 101 on show
  f.timFont_Timer();
  timFont.enabled = true;
  f.Form_Click();
  ASSERT_EQ(store.writes.size(), 2u);
  EXPECT_EQ(store.writes[0].key + "=" + store.writes[0].value, "LastSection=1");
  EXPECT_EQ(store.writes[1].key + "=" + store.writes[1].value, "LastVerse=101");
  EXPECT_FALSE(timFont.enabled);
  EXPECT_FALSE(timNextVerse.enabled);
  EXPECT_EQ(host.cursorCalls, (std::vector<bool>{false, true}));
  // Nothing runs after the unload step, and a second ending is harmless.
  picText.ClearCalls();
  f.Form_Click();
  f.timNextVerse_Timer();
  f.timFont_Timer();
  f.Form_GotFocus();
  f.Form_MouseMove(900, 900);
  EXPECT_TRUE(picText.calls.empty());
  EXPECT_EQ(host.endCount, 1);
  EXPECT_EQ(store.writes.size(), 2u);
}

}  // namespace
}  // namespace vw
