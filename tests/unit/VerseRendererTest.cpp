#include "display/VerseRenderer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/TextColor.h"
#include "tests/support/FakeDisplayHost.h"
#include "tests/support/FakeTimer.h"
#include "tests/support/RecordingSurface.h"

namespace vw {
namespace {

using test::FakeDisplayHost;
using test::FakeTimer;
using test::RecordingSurface;
using test::SurfaceCall;

// The recording surfaces measure 10 pixels a character and 30 a line at 20 points.
class VerseRendererTest : public ::testing::Test {
 protected:
  VerseRendererTest() {
    program.Settings.FontSize = 20;
    program.Settings.Font = "Georgia";
    program.Settings.Color = 1;
    program.DisplayMode = kModeFullScreen;
    program.CurrentReference = "John 11:35";
    program.CurrentVerseText = "Jesus wept.";
  }

  // Draws at size 1, as the verse timer or the focus handler does, then runs the growth to
  // its end. Returns the size of every frame, read from the reference's draw.
  std::vector<float> Grow(bool verseTimerIdle = true) {
    std::vector<float> sizes;
    auto frameSize = [&] {
      std::vector<SurfaceCall> draws = picText.Draws();
      sizes.push_back(draws.back().size);
      picText.ClearCalls();
    };
    picText.ClearCalls();
    renderer.DrawVerse(1.0f);
    frameSize();
    for (int guard = 0; timFont.enabled && guard < 100; ++guard) {
      if (verseTimerIdle) {
        EXPECT_FALSE(timNextVerse.enabled) << "it waits for the growth";
      }
      renderer.timFont_Timer();
      frameSize();
    }
    return sizes;
  }

  std::vector<SurfaceCall> DrawsOf(const std::string& text) const {
    std::vector<SurfaceCall> out;
    for (const SurfaceCall& c : picText.Draws())
      if (c.text == text) out.push_back(c);
    return out;
  }

  ProgramState program;
  RecordingSurface picWork, picText, picBlank, picCapture, window;
  FakeTimer timFont, timNextVerse;
  FakeDisplayHost host;
  std::string topicTitle;
  VerseRenderer renderer{program, {picWork, picText, picBlank, picCapture, window},
                         timFont, timNextVerse,
                         host,    topicTitle};
};

TEST_F(VerseRendererTest, GrowsTwoPointsATickThenHandsOverToTheVerseTimer) {
  renderer.Resize(800, 600);
  const std::vector<float> sizes = Grow();
  EXPECT_EQ(sizes, (std::vector<float>{1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 20, 20}));
  EXPECT_FALSE(timFont.enabled);
  EXPECT_TRUE(timNextVerse.enabled);
  EXPECT_EQ(timNextVerse.enableCount, 1);
}

TEST_F(VerseRendererTest, PreviewGrowsToFivePoints) {
  program.DisplayMode = kModePreview;
  renderer.Resize(152, 112);
  EXPECT_EQ(renderer.Chars().TargetSize, 5);
  EXPECT_EQ(Grow(), (std::vector<float>{1, 3, 5, 5}));
  EXPECT_TRUE(timNextVerse.enabled);
}

TEST_F(VerseRendererTest, TinyTargetStillHandsOverToTheVerseTimer) {
  for (std::int16_t target : {1, 0}) {
    program.Settings.FontSize = target;
    timNextVerse.enabled = false;
    renderer.Resize(800, 600);
    renderer.DrawVerse(1.0f);
    EXPECT_FALSE(timFont.enabled) << target;
    EXPECT_TRUE(timNextVerse.enabled) << target;
  }
}

TEST_F(VerseRendererTest, FocusRestartGrowsAgainInTheSameColour) {
  program.Settings.ColorType = true;
  renderer.Resize(800, 600);
  Grow();
  const ColorValue colour = renderer.Chars().TextColor;
  RandomGenerator before = program.Random;
  // The focus handler draws at 1 again; the verse timer keeps running meanwhile.
  const std::vector<float> sizes = Grow(false);
  EXPECT_EQ(sizes.size(), 12u);
  EXPECT_EQ(sizes.front(), 1.0f);
  EXPECT_EQ(sizes.back(), 20.0f);
  EXPECT_TRUE(timNextVerse.enabled);
  EXPECT_EQ(renderer.Chars().TextColor, colour);
  EXPECT_EQ(program.Random.Next(), before.Next()) << "no new colour drawn";
}

TEST_F(VerseRendererTest, FocusDuringGrowthRestartsFromOnePoint) {
  renderer.Resize(800, 600);
  renderer.DrawVerse(1.0f);
  for (int k = 0; k < 4; ++k) renderer.timFont_Timer();  // at 9 points now
  EXPECT_EQ(Grow().size(), 12u);
}

TEST_F(VerseRendererTest, ResizeDuringGrowthEndsItAtTheTargetInTheNewSize) {
  renderer.Resize(800, 600);
  renderer.DrawVerse(1.0f);
  renderer.timFont_Timer();
  renderer.timFont_Timer();  // at 5 points, growing

  RandomGenerator expected = program.Random;
  renderer.Resize(1024, 768);
  EXPECT_EQ(renderer.DisplayWidth, 1024);
  EXPECT_EQ(renderer.DisplayHeight, 768);
  EXPECT_EQ(picBlank.Width(), 1024);
  EXPECT_EQ(picText.Height(), 768);
  EXPECT_EQ(renderer.Chars().TextColor, PickTextColor(program.Settings, expected));

  picText.ClearCalls();
  ASSERT_TRUE(timFont.enabled);
  renderer.timFont_Timer();
  EXPECT_FALSE(timFont.enabled);
  EXPECT_TRUE(timNextVerse.enabled) << "the step after a resize starts at the target";
  const std::vector<SurfaceCall> line = DrawsOf("Jesus wept.");
  ASSERT_EQ(line.size(), 1u);
  EXPECT_EQ(line[0].size, 20.0f);
  EXPECT_EQ(line[0].x, 512 - 55);
  EXPECT_EQ(line[0].y, 384 - 15);
}

TEST_F(VerseRendererTest, ResizeSizesBlankThenTextSurfaceAndPreparesTheVerse) {
  renderer.Resize(800, 600);
  ASSERT_EQ(picBlank.CallsOf(SurfaceCall::Kind::kResize).size(), 1u);
  ASSERT_EQ(picText.CallsOf(SurfaceCall::Kind::kResize).size(), 1u);
  EXPECT_EQ(picText.Width(), 800);
  EXPECT_EQ(picBlank.Height(), 600);
  EXPECT_EQ(renderer.Chars().Reference, "John 11:35");
  EXPECT_EQ(renderer.Chars().Text, "Jesus wept.");
  EXPECT_EQ(renderer.Chars().TargetSize, 20);
  EXPECT_EQ(picText.FontSize(), 20.0f);
}

TEST_F(VerseRendererTest, SetupCharsCopiesTheVerseAndDrawsOneShade) {
  renderer.Resize(800, 600);
  program.CurrentReference = "Genesis 1:1";
  program.CurrentVerseText = "In the beginning God created the heaven and the earth.";
  RandomGenerator expected = program.Random;
  renderer.SetupChars();
  EXPECT_EQ(renderer.Chars().Reference, "Genesis 1:1");
  EXPECT_EQ(renderer.Chars().Text, program.CurrentVerseText);
  EXPECT_EQ(renderer.Chars().TextColor, PickTextColor(program.Settings, expected));
  EXPECT_EQ(program.Random.Next(), expected.Next());
}

TEST_F(VerseRendererTest, OneLineVerseAtFullSize) {
  topicTitle = "The Ten Commandments";
  renderer.Resize(800, 600);
  renderer.DrawVerse(20.0f);
  const std::vector<SurfaceCall> draws = picText.Draws();
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].text, "The Ten Commandments");
  EXPECT_EQ(draws[0].x, 300);
  EXPECT_EQ(draws[0].y, 0);
  EXPECT_EQ(draws[1].text, "Jesus wept.");
  EXPECT_EQ(draws[1].x, 345);
  EXPECT_EQ(draws[1].y, 285);
  EXPECT_EQ(draws[2].text, "John 11:35");
  EXPECT_EQ(draws[2].x, 350);
  EXPECT_EQ(draws[2].y, 375);  // two line heights below the line's bottom at 315
  for (const SurfaceCall& d : draws) EXPECT_EQ(d.color, renderer.Chars().TextColor);
}

TEST_F(VerseRendererTest, TitleKeepsItsSizeAndPlaceWhileTheVerseGrows) {
  topicTitle = "The Ten Commandments";
  renderer.Resize(800, 600);
  renderer.DrawVerse(1.0f);
  const std::vector<SurfaceCall> draws = picText.Draws();
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].size, 20.0f);
  EXPECT_EQ(draws[0].x, 300);
  EXPECT_EQ(draws[1].size, 1.0f);
  EXPECT_EQ(draws[1].x, 397);  // 400 - 2.75
  EXPECT_EQ(draws[1].y, 299);  // 299.25
  EXPECT_EQ(draws[2].x, 398);  // 397.5 goes to even
  EXPECT_EQ(draws[2].y, 303);  // 300.5 -> 300, then + 3
}

TEST_F(VerseRendererTest, MultiLineVerseBreaksAtTheTargetSizeInEveryFrame) {
  program.CurrentVerseText = "one two three four five six seven";
  program.CurrentReference = "Test 1:1";
  renderer.Resize(200, 300);  // 20 characters a line at 20 points

  renderer.DrawVerse(20.0f);
  std::vector<SurfaceCall> draws = picText.Draws();
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].text, "one two three four");
  EXPECT_EQ(draws[0].x, 10);
  EXPECT_EQ(draws[0].y, 120);
  EXPECT_EQ(draws[1].text, "five six seven");
  EXPECT_EQ(draws[1].x, 30);
  EXPECT_EQ(draws[1].y, 150);
  EXPECT_EQ(draws[2].text, "Test 1:1");
  EXPECT_EQ(draws[2].x, 60);
  EXPECT_EQ(draws[2].y, 240);

  picText.ClearCalls();
  renderer.DrawVerse(3.0f);
  draws = picText.Draws();
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].text, "one two three four") << "same breaks while small";
  EXPECT_EQ(draws[1].text, "five six seven");
  EXPECT_EQ(picWork.FontSize(), 20.0f);
  EXPECT_FALSE(picWork.FontUnderline());
}

TEST_F(VerseRendererTest, TallVerseIsCutAboveAndBelow) {
  program.CurrentVerseText = "aaaa bbbb cccc dddd";
  renderer.Resize(40, 60);  // one word a line, four lines of 30 pixels
  renderer.DrawVerse(20.0f);
  const std::vector<SurfaceCall> draws = picText.Draws();
  ASSERT_EQ(draws.size(), 5u);
  EXPECT_EQ(draws[0].y, -30);
  EXPECT_EQ(draws[3].y, 60);
  EXPECT_EQ(draws[4].y, 150);
  EXPECT_EQ(draws[4].x, -30) << "the reference is never broken";
}

TEST_F(VerseRendererTest, EmptyVerseShowsTitleAndReferenceOnly) {
  topicTitle = "Salvation";
  program.CurrentVerseText = "";
  renderer.Resize(200, 301);
  renderer.DrawVerse(20.0f);
  const std::vector<SurfaceCall> draws = picText.Draws();
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].text, "Salvation");
  EXPECT_EQ(draws[1].text, "John 11:35");
  EXPECT_EQ(draws[1].y, 150 + 60);
  EXPECT_EQ(window.Copies().size(), 1u);
}

TEST_F(VerseRendererTest, UnderlineOnlyOnTheTitleBoldAndItalicEverywhere) {
  program.Settings.FontBold = true;
  program.Settings.FontItalic = true;
  topicTitle = "Noah and the Ark";
  renderer.Resize(800, 600);
  renderer.DrawVerse(7.0f);
  const std::vector<SurfaceCall> draws = picText.Draws();
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_TRUE(draws[0].underline);
  EXPECT_FALSE(draws[1].underline);
  EXPECT_FALSE(draws[2].underline);
  for (const SurfaceCall& d : draws) {
    EXPECT_TRUE(d.bold) << d.text;
    EXPECT_TRUE(d.italic) << d.text;
  }
  EXPECT_TRUE(picWork.FontBold());
  EXPECT_TRUE(picWork.FontItalic());
}

TEST_F(VerseRendererTest, PlainStyleWhenBoldAndItalicAreOff) {
  topicTitle = "Samson";
  renderer.Resize(800, 600);
  renderer.DrawVerse(7.0f);
  for (const SurfaceCall& d : picText.Draws()) {
    EXPECT_FALSE(d.bold);
    EXPECT_FALSE(d.italic);
  }
  EXPECT_TRUE(picText.CallsOf(SurfaceCall::Kind::kSetFontBold).empty());
}

TEST_F(VerseRendererTest, BackgroundComesFromTheCaptureOnlyWhenTransparent) {
  for (bool transparent : {false, true}) {
    program.Settings.ScreenColor = transparent;
    renderer.Resize(800, 600);
    picText.ClearCalls();
    window.ClearCalls();
    renderer.DrawVerse(1.0f);
    const std::vector<SurfaceCall> copies = picText.Copies();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].source, transparent ? static_cast<ISurface*>(&picCapture) : &picBlank);
    EXPECT_EQ(copies[0].width, 800);
    EXPECT_EQ(copies[0].height, 600);
    EXPECT_EQ(copies[0].x + copies[0].y + copies[0].srcX + copies[0].srcY, 0);
    EXPECT_EQ(picText.calls.front().kind, SurfaceCall::Kind::kCopyFrom) << "background first";

    const std::vector<SurfaceCall> shown = window.Copies();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].source, &picText);
    EXPECT_EQ(shown[0].width, 800);
    EXPECT_EQ(shown[0].height, 600);
  }
}

TEST_F(VerseRendererTest, ShadowUnderEveryPieceOverTheDesktopImage) {
  program.Settings.ScreenColor = true;
  program.Settings.DropShadow = true;
  program.Settings.FontSize = 45;
  topicTitle = "Bible Prophecies";
  renderer.Resize(1920, 1080);
  renderer.DrawVerse(20.0f);
  const ColorValue colour = renderer.Chars().TextColor;
  const std::vector<SurfaceCall> draws = picText.Draws();
  ASSERT_EQ(draws.size(), 6u);
  struct Expected {
    const char* text;
    int offset;  // size / 15, rounded
  } expected[] = {{"Bible Prophecies", 3}, {"Jesus wept.", 1}, {"John 11:35", 1}};
  for (int k = 0; k < 3; ++k) {
    const SurfaceCall& shadow = draws[2 * k];
    const SurfaceCall& text = draws[2 * k + 1];
    EXPECT_EQ(shadow.text, expected[k].text);
    EXPECT_EQ(text.text, expected[k].text);
    EXPECT_EQ(shadow.color, 0u);
    EXPECT_EQ(text.color, colour);
    EXPECT_EQ(shadow.x, text.x + expected[k].offset);
    EXPECT_EQ(shadow.y, text.y + expected[k].offset);
    EXPECT_EQ(shadow.underline, text.underline);
  }
}

TEST_F(VerseRendererTest, ShadowNeedsTheTransparentBackgroundAndAtLeastOnePixel) {
  program.Settings.DropShadow = true;
  renderer.Resize(800, 600);
  renderer.DrawVerse(1.0f);
  EXPECT_EQ(picText.Draws().size(), 2u) << "no shadow on black";

  program.Settings.ScreenColor = true;
  picText.ClearCalls();
  renderer.DrawVerse(1.0f);
  const std::vector<SurfaceCall> draws = picText.Draws();
  ASSERT_EQ(draws.size(), 4u);
  EXPECT_EQ(draws[0].x, draws[1].x + 1);
  EXPECT_EQ(draws[0].y, draws[1].y + 1);
}

TEST_F(VerseRendererTest, DrawBeforeAnyVerseShowsTheBackgroundOnly) {
  renderer.DrawVerse(1.0f);
  renderer.timFont_Timer();
  EXPECT_TRUE(picText.Draws().empty());
  EXPECT_EQ(window.Copies().size(), 2u);
  EXPECT_FALSE(timFont.enabled);
}

TEST_F(VerseRendererTest, PrepareDisplayCapturesHidesSeedsAndPaints) {
  program.Settings.ScreenColor = true;
  renderer.PrepareDisplay();
  ASSERT_EQ(host.capturedInto.size(), 1u);
  EXPECT_EQ(host.capturedInto[0], &picCapture);
  EXPECT_EQ(host.cursorCalls, std::vector<bool>{false});
  EXPECT_EQ(picText.FontName(), "Georgia");
  EXPECT_EQ(picWork.FontName(), "Georgia");
  RandomGenerator expected;
  expected.Randomize(host.secondsSinceMidnight);
  EXPECT_EQ(program.Random.Next(), expected.Next());
  const std::vector<SurfaceCall> paint = window.Copies();
  ASSERT_EQ(paint.size(), 1u);
  EXPECT_EQ(paint[0].source, &picCapture);
}

TEST_F(VerseRendererTest, PrepareDisplayInPreviewOnBlackNeitherCapturesNorHides) {
  program.DisplayMode = kModePreview;
  renderer.PrepareDisplay();
  EXPECT_TRUE(host.capturedInto.empty());
  EXPECT_TRUE(host.cursorCalls.empty());
  EXPECT_EQ(window.Copies().size(), 1u) << "the first paint still happens";
}

TEST_F(VerseRendererTest, TitleIsReadAtEveryFrame) {
  renderer.Resize(800, 600);
  renderer.DrawVerse(1.0f);
  EXPECT_EQ(picText.Draws().size(), 2u);
  topicTitle = "Samson";
  picText.ClearCalls();
  renderer.DrawVerse(1.0f);
  ASSERT_EQ(picText.Draws().size(), 3u);
  EXPECT_EQ(picText.Draws()[0].text, "Samson");
}

}  // namespace
}  // namespace vw
