#include "app/frmMain.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/FakeDisplayHost.h"
#include "tests/support/FakeTimer.h"
#include "tests/support/MemorySettingsStore.h"
#include "tests/support/RecordingSurface.h"
#include "tests/support/VerseFiles.h"

namespace vw {
namespace {

using test::FakeDisplayHost;
using test::FakeTimer;
using test::MemorySettingsStore;
using test::RecordingSurface;

// One display window over a synthetic kjv.dat of 31,102 numbered records.
class DisplayWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new test::TempDir();
    test::WriteNumberedFile(dir_->Path() / "kjv.dat", 31102);
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  void SetUp() override {
    EnsureDefaultSettings(store);
    store.writes.clear();
    host.programFolder = dir_->Path().generic_string() + "/";
  }

  frmMain& Make(std::int32_t mode = kModeFullScreen) {
    program.DisplayMode = mode;
    form = std::make_unique<frmMain>(
        program, store, DisplaySurfaces{picWork, picText, picBlank, picCapture, window},
        timNextVerse, timFont, host);
    return *form;
  }

  // Runs the timers as the window would until the next verse has fully grown.
  void RunOneVerse() {
    ASSERT_TRUE(timNextVerse.enabled);
    form->timNextVerse_Timer();
    for (int guard = 0; guard < 100 && timFont.enabled; ++guard) form->timFont_Timer();
    ASSERT_TRUE(timNextVerse.enabled) << "the growth hands over to the verse timer";
  }

  static test::TempDir* dir_;
  ProgramState program;
  MemorySettingsStore store;
  FakeDisplayHost host;
  FakeTimer timNextVerse, timFont;
  RecordingSurface picWork, picText, picBlank, picCapture, window;
  std::unique_ptr<frmMain> form;
};
test::TempDir* DisplayWindowTest::dir_ = nullptr;

TEST_F(DisplayWindowTest, FirstStartLoadsRecordOneAndHidesTheCursor) {
  frmMain& f = Make();
  ASSERT_TRUE(f.Form_Load());
  EXPECT_EQ(program.Topics.Count(), 6);
  EXPECT_EQ(program.Settings.ChangeSec, 15);
  EXPECT_EQ(f.Rotation().GetCurrentRecord(), 1);
  EXPECT_EQ(program.CurrentVerseText, "Record 1");
  EXPECT_EQ(program.Settings.LastSection, 1);
  EXPECT_EQ(host.cursorCalls, std::vector<bool>{false});
  EXPECT_TRUE(store.writes.empty()) << "loading writes nothing";

  f.Form_Resize(800, 600);
  EXPECT_EQ(f.Renderer().DisplayWidth, 800);
  EXPECT_EQ(f.Renderer().DisplayHeight, 600);
  EXPECT_EQ(picBlank.Width(), 800);
  EXPECT_EQ(picText.Height(), 600);
  EXPECT_EQ(f.Renderer().Chars().Text, "Record 1");

  f.Go();
  EXPECT_EQ(timNextVerse.interval, 100);
  EXPECT_TRUE(timNextVerse.enabled);
}

TEST_F(DisplayWindowTest, VerseScheduleFirstAfterGoThenEveryChangeSec) {
  store.Set("Settings", "ChangeSec", "2");
  frmMain& f = Make();
  ASSERT_TRUE(f.Form_Load());
  f.Form_Resize(640, 480);
  f.Go();
  RunOneVerse();
  EXPECT_EQ(timNextVerse.interval, 2000);
  EXPECT_EQ(f.Renderer().Chars().Text, "Record 1") << "the first tick presents the loaded verse";
  RunOneVerse();
  EXPECT_EQ(f.Renderer().Chars().Text, "Record 2");
  RunOneVerse();
  EXPECT_EQ(f.Renderer().Chars().Text, "Record 3");
  EXPECT_EQ(timNextVerse.interval, 2000);
}

TEST_F(DisplayWindowTest, MissingVerseFileEndsQuietlyAndKeepsThePlace) {
  store.Set("Settings", "LastSection", "8");
  store.Set("Settings", "LastVerse", "5");
  test::TempDir empty;
  host.programFolder = empty.Path().generic_string() + "/";
  frmMain& f = Make();
  EXPECT_FALSE(f.Form_Load());
  EXPECT_TRUE(f.Unloaded());
  EXPECT_EQ(host.endCount, 1);
  EXPECT_TRUE(store.writes.empty());
  EXPECT_EQ(store.Get("Settings", "LastSection"), "8");
  EXPECT_EQ(store.Get("Settings", "LastVerse"), "5");
  EXPECT_TRUE(host.cursorCalls.empty()) << "the cursor was never hidden, so never shown";
  EXPECT_FALSE(timNextVerse.enabled);
}

TEST_F(DisplayWindowTest, MouseMovementEndsFullScreenOnlyFromFivePixels) {
  frmMain& f = Make();
  ASSERT_TRUE(f.Form_Load());
  f.Form_Resize(1024, 768);
  f.Form_MouseMove(512, 384);  // the move Windows sends when the window appears
  EXPECT_FALSE(f.Unloaded());
  f.Form_MouseMove(516, 384);  // 4 pixels: recorded
  f.Form_MouseMove(516, 388);
  f.Form_MouseMove(512, 384);
  EXPECT_FALSE(f.Unloaded());
  EXPECT_EQ(f.LastMouseX, 512);
  f.Form_MouseMove(512, 389);  // 5 pixels
  EXPECT_TRUE(f.Unloaded());
  EXPECT_EQ(host.endCount, 1);
}

TEST_F(DisplayWindowTest, StoredPositionAtOriginNeverEnds) {
  frmMain& f = Make();
  ASSERT_TRUE(f.Form_Load());
  f.Form_MouseMove(0, 0);
  f.Form_MouseMove(300, 200);
  EXPECT_FALSE(f.Unloaded());
  f.Form_MouseMove(300.4f, 210);
  EXPECT_TRUE(f.Unloaded());
}

TEST_F(DisplayWindowTest, PreviewIgnoresMovementAndKeysButEndsOnClick) {
  frmMain& f = Make(kModePreview);
  ASSERT_TRUE(f.Form_Load());
  EXPECT_TRUE(host.cursorCalls.empty()) << "the preview leaves the cursor alone";
  f.Form_Resize(152, 112);
  EXPECT_EQ(f.Renderer().Chars().TargetSize, 5);
  f.Form_MouseMove(10, 10);
  f.Form_MouseMove(100, 100);
  f.Form_KeyUp(27);
  EXPECT_FALSE(f.Unloaded());
  f.Form_Click();
  EXPECT_TRUE(f.Unloaded());
  EXPECT_TRUE(host.cursorCalls.empty());
}

TEST_F(DisplayWindowTest, KeysNeverEndTheDisplay) {
  frmMain& f = Make();
  ASSERT_TRUE(f.Form_Load());
  for (int key : {13, 27, 32, 65, 0x7B}) f.Form_KeyUp(key);
  EXPECT_FALSE(f.Unloaded());
  EXPECT_EQ(host.endCount, 0);
}

TEST_F(DisplayWindowTest, UnloadSavesThePositionStopsTimersAndShowsTheCursorOnce) {
  store.Set("Settings", "LastSection", "1");
  store.Set("Settings", "LastVerse", "100");
  frmMain& f = Make();
  ASSERT_TRUE(f.Form_Load());
  f.Form_Resize(800, 600);
  f.Go();
  RunOneVerse();
  RunOneVerse();  // record 101 on show
  f.timFont_Timer();
  timFont.enabled = true;
  f.Form_Click();
  ASSERT_EQ(store.writes.size(), 2u);
  EXPECT_EQ(store.writes[0].key, "LastSection");
  EXPECT_EQ(store.writes[0].value, "1");
  EXPECT_EQ(store.writes[1].key, "LastVerse");
  EXPECT_EQ(store.writes[1].value, "101") << "all verses resume with the verse on show";
  EXPECT_FALSE(timFont.enabled);
  EXPECT_FALSE(timNextVerse.enabled);
  EXPECT_EQ(host.cursorCalls, (std::vector<bool>{false, true}));
  // Nothing runs after the unload step, and a second ending is harmless.
  f.Form_Click();
  f.timNextVerse_Timer();
  f.Form_MouseMove(900, 900);
  EXPECT_EQ(host.endCount, 1);
  EXPECT_EQ(store.writes.size(), 2u);
}

TEST_F(DisplayWindowTest, AllTopicsGoOnFromTheLastRecordToTheTenCommandments) {
  store.Set("Settings", "Display", "63");
  store.Set("Settings", "LastSection", "1");
  store.Set("Settings", "LastVerse", "31102");
  frmMain& f = Make();
  ASSERT_TRUE(f.Form_Load());
  f.Form_Resize(800, 600);
  f.Go();
  RunOneVerse();
  EXPECT_EQ(f.Rotation().GetCurrentRecord(), 31102);
  RunOneVerse();
  EXPECT_EQ(f.Rotation().GetCurrentRecord(), 2055);
  EXPECT_EQ(f.Rotation().TopicTitle, "The Ten Commandments");
  f.Form_Click();
  EXPECT_EQ(store.Get("Settings", "LastSection"), "2");
  EXPECT_EQ(store.Get("Settings", "LastVerse"), "1");

  // The next start continues with the second commandment verse.
  ProgramState next;
  FakeTimer nextVerseTimer, fontTimer;
  FakeDisplayHost nextHost;
  nextHost.programFolder = host.programFolder;
  next.DisplayMode = kModeFullScreen;
  frmMain again(next, store, DisplaySurfaces{picWork, picText, picBlank, picCapture, window},
                nextVerseTimer, fontTimer, nextHost);
  ASSERT_TRUE(again.Form_Load());
  EXPECT_EQ(again.Rotation().GetCurrentRecord(), 2056);
}

TEST_F(DisplayWindowTest, FocusRestartsTheGrowthWithTheSameColour) {
  frmMain& f = Make();
  ASSERT_TRUE(f.Form_Load());
  f.Form_Resize(800, 600);
  f.Go();
  RunOneVerse();
  const ColorValue colour = f.Renderer().Chars().TextColor;
  f.Form_GotFocus();
  EXPECT_FLOAT_EQ(picText.FontSize(), 1.0f);
  EXPECT_TRUE(timFont.enabled);
  EXPECT_EQ(f.Renderer().Chars().TextColor, colour);
}

}  // namespace
}  // namespace vw
