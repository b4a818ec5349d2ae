#include "display/VerseRenderer.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "app/ProgramState.h"
#include "display/TextColor.h"
#include "tests/support/FakeDisplayHost.h"
#include "tests/support/FakeTimer.h"
#include "tests/support/RecordingSurface.h"

namespace vw {
namespace {

using test::SurfaceCall;
using Strings = std::vector<std::string>;

// The recording surfaces measure 10 pixels a character and 30 a line at 20 points.
class VerseRendererTest : public ::testing::Test {
 protected:
  VerseRendererTest() {
    program.Settings.FontSize = 20;
    program.Settings.Font = "Georgia";
    program.Settings.Color = 1;
    program.DisplayMode = kModeFullScreen;
  }

  // A frame and a growth tick, with the renderer's report handed on as frmMain does.
  void Draw(float size) {
    if (renderer.DrawVerse(size)) timNextVerse.SetEnabled(true);
  }
  void Tick() {
    if (renderer.timFont_Timer()) timNextVerse.SetEnabled(true);
  }

  // Draws at size 1, as the verse timer or the focus handler does, then runs the growth to
  // its end. Returns the size of every frame, read from the reference's draw.
  std::vector<float> Grow(bool verseTimerIdle = true) {
    std::vector<float> sizes;
    auto frameSize = [&] {
      sizes.push_back(picText.Draws().back().size);
      picText.ClearCalls();
    };
    picText.ClearCalls();
    Draw(1.0f);
    frameSize();
    for (int guard = 0; timFont.enabled && guard < 100; ++guard) {
      if (verseTimerIdle) {
        EXPECT_FALSE(timNextVerse.enabled) << "it waits for the growth";
      }
      Tick();
      frameSize();
    }
    return sizes;
  }
  // Every text drawn on the frame surface as "text@x,y".
  Strings Drawn() const {
    Strings out;
    for (const SurfaceCall& c : picText.Draws())
      out.push_back(c.text + "@" + std::to_string(c.x) + "," + std::to_string(c.y));
    return out;
  }

  ProgramState program;
  test::RecordingSurface picWork, picText, picBlank, picCapture, window;
  test::FakeTimer timFont, timNextVerse;
  test::FakeDisplayHost host;
  Verse verse{"John 11:35", "Jesus wept.", ""};
  VerseRenderer renderer{program.Settings, program.DisplayMode,
                         program.Random,   {picWork, picText, picBlank, picCapture, window},
                         timFont,          host};
};

TEST_F(VerseRendererTest, GrowsTwoPointsATickThenHandsOverToTheVerseTimer) {
  struct Case {
    std::int32_t mode;
    std::int16_t fontSize;
    std::vector<float> frames;
  };
  const Case cases[] = {
      {kModeFullScreen, 20, {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 20, 20}},
      {kModePreview, 20, {1, 3, 5, 5}},  // the preview grows to 5 points whatever the setting
      {kModeFullScreen, 1, {1}},         // nothing to grow: handed over at once
      {kModeFullScreen, 0, {1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fontSize);
    program.DisplayMode = c.mode;
    program.Settings.FontSize = c.fontSize;
    timNextVerse.enabled = false;
    timNextVerse.enableCount = 0;
    renderer.Resize(800, 600, {0, 0, 800, 600}, verse);
    EXPECT_EQ(Grow(), c.frames);
    EXPECT_FALSE(timFont.enabled);
    EXPECT_TRUE(timNextVerse.enabled);
    EXPECT_EQ(timNextVerse.enableCount, 1);
  }
}

TEST_F(VerseRendererTest, FocusRestartsTheGrowthInTheSameColour) {
  program.Settings.ColorType = true;
  renderer.Resize(800, 600, {0, 0, 800, 600}, verse);
  Grow();
  const ColorValue colour = renderer.Chars().TextColor;
  RandomGenerator before = program.Random;
  // A focus mid-growth, then another; the verse timer keeps running meanwhile.
  Draw(1.0f);
  for (int k = 0; k < 4; ++k) Tick();  // at 9 points now
  EXPECT_EQ(Grow(false), (std::vector<float>{1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 20, 20}));
  EXPECT_TRUE(timNextVerse.enabled);
  EXPECT_EQ(renderer.Chars().TextColor, colour);
  EXPECT_EQ(program.Random.Next(), before.Next()) << "no new colour drawn";
}

TEST_F(VerseRendererTest, ResizeDuringGrowthPreparesTheVerseAndEndsTheGrowthAtTheTarget) {
  renderer.Resize(800, 600, {0, 0, 800, 600}, verse);
  Draw(1.0f);
  Tick();
  Tick();  // at 5 points, growing

  verse.Text = "Jesus wept!";
  RandomGenerator expected = program.Random;
  renderer.Resize(1024, 768, {0, 0, 1024, 768}, verse);
  EXPECT_EQ(picBlank.Width(), 1024);
  EXPECT_EQ(picText.Height(), 768);
  EXPECT_EQ(renderer.Chars().Reference, "John 11:35");
  EXPECT_EQ(renderer.Chars().Text, "Jesus wept!");
  EXPECT_EQ(renderer.Chars().TextColor, PickTextColor(program.Settings, expected));
  EXPECT_EQ(program.Random.Next(), expected.Next()) << "one colour drawn";

  picText.ClearCalls();
  ASSERT_TRUE(timFont.enabled);
  Tick();
  EXPECT_FALSE(timFont.enabled);
  EXPECT_TRUE(timNextVerse.enabled) << "the step after a resize starts at the target";
  EXPECT_EQ(Drawn(), (Strings{"Jesus wept!@457,369", "John 11:35@462,459"}));
  EXPECT_EQ(picText.Draws()[0].size, 20.0f);
}

TEST_F(VerseRendererTest, PlacesTitleLinesAndReference) {
  struct Case {
    struct {
      int width, height;
      std::string title, text;
    } in;
    Strings drawn;
  };
  // One line under a title: the reference sits two line heights below the line's bottom at
  // 315. Lines of 20 characters. A verse taller than the window is cut above and below; the
  // reference is never broken. No verse text: title and reference only.
  const Case cases[] = {
      {{800, 600, "The Ten Commandments", "Jesus wept."},
       {"The Ten Commandments@300,0", "Jesus wept.@345,285", "John 11:35@350,375"}},
      {{200, 300, "", "one two three four five six seven"},
       {"one two three four@10,120", "five six seven@30,150", "John 11:35@50,240"}},
      {{40, 60, "", "aaaa bbbb cccc dddd"},
       {"aaaa @-5,-30", "bbbb @-5,0", "cccc @-5,30", "dddd@0,60", "John 11:35@-30,150"}},
      {{200, 301, "Salvation", ""}, {"Salvation@55,0", "John 11:35@50,210"}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in.text);
    verse.Title = c.in.title;
    verse.Text = c.in.text;
    renderer.Resize(c.in.width, c.in.height, {0, 0, c.in.width, c.in.height}, verse);
    picText.ClearCalls();
    window.ClearCalls();
    Draw(20.0f);
    EXPECT_EQ(Drawn(), c.drawn);
    for (const SurfaceCall& d : picText.Draws()) EXPECT_EQ(d.color, renderer.Chars().TextColor);
    EXPECT_EQ(window.Copies().size(), 1u);
  }

  // While small the lines keep the breaks of the target size.
  picText.ClearCalls();
  verse.Title = "";
  verse.Text = "one two three four five six seven";
  renderer.Resize(200, 300, {0, 0, 200, 300}, verse);
  Draw(3.0f);
  EXPECT_EQ(picText.Draws()[0].text, "one two three four");
  EXPECT_EQ(picWork.FontSize(), 20.0f);
  EXPECT_FALSE(picWork.FontUnderline());
}

TEST_F(VerseRendererTest, LaysOutOnThePrimaryMonitorInsideAWiderWindow) {
  struct Case {
    const char* desk;
    int width, height;
    LayoutArea primary;
    Strings drawn;
  };
  // The window spans every monitor; the verse goes where the primary lies inside it, laid
  // out with the primary's size: 800 x 600 gives the places of a plain 800 x 600 window
  // (title at 300,0, line at 345,285, reference at 350,375), moved by the primary's corner.
  const Case cases[] = {
      {"alone",
       800,
       600,
       {0, 0, 800, 600},
       {"The Ten Commandments@300,0", "Jesus wept.@345,285", "John 11:35@350,375"}},
      {"other monitor to the right",
       1824,
       768,
       {0, 0, 800, 600},
       {"The Ten Commandments@300,0", "Jesus wept.@345,285", "John 11:35@350,375"}},
      {"other monitor to the left",
       1824,
       768,
       {1024, 0, 800, 600},
       {"The Ten Commandments@1324,0", "Jesus wept.@1369,285", "John 11:35@1374,375"}},
      {"other monitor above",
       1024,
       1368,
       {112, 768, 800, 600},
       {"The Ten Commandments@412,768", "Jesus wept.@457,1053", "John 11:35@462,1143"}},
  };
  verse.Title = "The Ten Commandments";
  for (bool transparent : {false, true}) {
    program.Settings.ScreenColor = transparent;
    for (const Case& c : cases) {
      SCOPED_TRACE(c.desk);
      picText.ClearCalls();
      renderer.Resize(c.width, c.height, c.primary, verse);
      EXPECT_EQ(renderer.DisplayWidth(), 800);
      // Until the first frame the window shows picText: it holds the background already.
      ASSERT_EQ(picText.Copies().size(), 1u);
      EXPECT_EQ(picText.Copies()[0].source,
                transparent ? static_cast<ISurface*>(&picCapture) : &picBlank);
      window.ClearCalls();
      picText.ClearCalls();
      renderer.DrawVerse(20.0f);
      EXPECT_EQ(Drawn(), c.drawn);
      // Background and frame cover the whole window, every monitor.
      for (const SurfaceCall& copy : {picText.Copies().at(0), window.Copies().at(0)}) {
        EXPECT_EQ(copy.width, c.width);
        EXPECT_EQ(copy.height, c.height);
      }
      EXPECT_EQ(picBlank.Width(), c.width);
      EXPECT_EQ(picBlank.Height(), c.height);
    }
  }
}

TEST_F(VerseRendererTest, TitleAloneUnderlinedAtFullSizeBoldAndItalicEverywhere) {
  for (bool styled : {false, true}) {
    SCOPED_TRACE(styled);
    program.Settings.FontBold = styled;
    program.Settings.FontItalic = styled;
    verse.Title = "";
    renderer.Resize(800, 600, {0, 0, 800, 600}, verse);
    picText.ClearCalls();
    Draw(7.0f);
    EXPECT_EQ(picText.Draws().size(), 2u);
    verse.Title = "Noah and the Ark";  // the title travels with the verse
    renderer.SetupChars(verse);
    picText.ClearCalls();
    Draw(7.0f);
    const std::vector<SurfaceCall> draws = picText.Draws();
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_TRUE(draws[0].underline);
    EXPECT_EQ(draws[0].size, 20.0f);
    for (int k : {1, 2}) {
      EXPECT_FALSE(draws[k].underline);
      EXPECT_EQ(draws[k].size, 7.0f);
    }
    for (const SurfaceCall& d : draws) {
      EXPECT_EQ(d.bold, styled) << d.text;
      EXPECT_EQ(d.italic, styled) << d.text;
    }
    EXPECT_EQ(picWork.FontBold(), styled);
    EXPECT_EQ(picWork.FontItalic(), styled);
  }
}

TEST_F(VerseRendererTest, BackgroundComesFromTheCaptureOnlyWhenTransparent) {
  for (bool transparent : {false, true}) {
    program.Settings.ScreenColor = transparent;
    renderer.Resize(800, 600, {0, 0, 800, 600}, verse);
    picText.ClearCalls();
    window.ClearCalls();
    Draw(1.0f);
    const std::vector<SurfaceCall> copies = picText.Copies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(picText.calls.front().kind, SurfaceCall::Kind::kCopyFrom) << "background first";
    EXPECT_EQ(copies[0].source, transparent ? static_cast<ISurface*>(&picCapture) : &picBlank);
    const std::vector<SurfaceCall> shown = window.Copies();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].source, &picText);
    for (const SurfaceCall& c : {copies[0], shown[0]}) {
      EXPECT_EQ(c.width, 800);
      EXPECT_EQ(c.height, 600);
      EXPECT_EQ(c.x + c.y + c.srcX + c.srcY, 0);
    }
  }
}

TEST_F(VerseRendererTest, ShadowUnderEveryPieceOverTheDesktopImageOnly) {
  program.Settings.DropShadow = true;
  renderer.Resize(800, 600, {0, 0, 800, 600}, verse);
  Draw(1.0f);
  EXPECT_EQ(picText.Draws().size(), 2u) << "no shadow on black";

  program.Settings.ScreenColor = true;
  program.Settings.FontSize = 45;
  verse.Title = "Bible Prophecies";
  renderer.Resize(1920, 1080, {0, 0, 1920, 1080}, verse);
  // The offset is a fifteenth of the size, rounded, and at least a pixel; the title is
  // drawn at the target size of 45.
  const std::pair<float, std::array<int, 3>> cases[] = {{23.0f, {3, 2, 2}}, {1.0f, {3, 1, 1}}};
  for (const auto& [size, offsets] : cases) {
    picText.ClearCalls();
    Draw(size);
    const std::vector<SurfaceCall> draws = picText.Draws();
    ASSERT_EQ(draws.size(), 6u);
    for (int k = 0; k < 3; ++k) {
      const SurfaceCall& shadow = draws[2 * k];
      const SurfaceCall& text = draws[2 * k + 1];
      EXPECT_EQ(shadow.text, text.text);
      EXPECT_EQ(shadow.color, 0u);
      EXPECT_EQ(text.color, renderer.Chars().TextColor);
      EXPECT_EQ(shadow.x, text.x + offsets[k]) << text.text;
      EXPECT_EQ(shadow.y, text.y + offsets[k]) << text.text;
      EXPECT_EQ(shadow.underline, text.underline);
    }
  }
}

TEST_F(VerseRendererTest, DrawBeforeAnyVerseShowsTheBackgroundOnly) {
  Draw(1.0f);
  Tick();
  EXPECT_TRUE(picText.Draws().empty());
  EXPECT_EQ(window.Copies().size(), 2u);
  EXPECT_FALSE(timFont.enabled);
}

TEST_F(VerseRendererTest, PrepareDisplayCapturesHidesTheCursorRandomizesAndPaints) {
  // Full screen over the desktop image; then the preview on black, which neither captures
  // nor hides the cursor but paints all the same.
  for (bool fullScreenTransparent : {true, false}) {
    host = {};
    window.ClearCalls();
    program.DisplayMode = fullScreenTransparent ? kModeFullScreen : kModePreview;
    program.Settings.ScreenColor = fullScreenTransparent;
    renderer.PrepareDisplay();
    EXPECT_EQ(host.capturedInto, fullScreenTransparent ? std::vector<ISurface*>{&picCapture}
                                                       : std::vector<ISurface*>{});
    EXPECT_EQ(host.cursorCalls,
              fullScreenTransparent ? std::vector<bool>{false} : std::vector<bool>{});
    EXPECT_EQ(picText.FontName(), "Georgia");
    EXPECT_EQ(picWork.FontName(), "Georgia");
    RandomGenerator expected;
    expected.Randomize(host.secondsSinceMidnight);
    EXPECT_EQ(program.Random.Next(), expected.Next());
    ASSERT_EQ(window.Copies().size(), 1u);
    EXPECT_EQ(window.Copies()[0].source, &picCapture);
  }
}

}  // namespace
}  // namespace vw
