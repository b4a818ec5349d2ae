#include "display/VerseRenderer.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "app/ProgramState.h"
#include "display/TextColor.h"
#include "display/TextLayout.h"
#include "tests/support/FakeDisplayHost.h"
#include "tests/support/FakeTimer.h"
#include "tests/support/RecordingSurface.h"

namespace vw {
namespace {

using test::SurfaceCall;

// The recording surfaces measure 10 pixels a character and 30 a line at 20 points.
class VerseRendererTest : public ::testing::Test {
 protected:
  VerseRendererTest() {
    program.Settings.FontSize = 20;
    program.Settings.Font = "Arial";
  }
  // A renderer for `mode` over the fixture's surfaces.
  VerseRenderer Made(DisplayMode mode) {
    return {program.Settings, mode,    program.Random,
            {picWork, picText, picBlank, picCapture, window}, timFont, host};
  }
  void Show(int width, int height, float size) {
    renderer.Resize(width, height, {0, 0, width, height}, verse);
    picText.ClearCalls();
    window.ClearCalls();
    renderer.DrawVerse(size);
  }
  // Every text drawn on the frame surface as "text@x,y", joined by "|".
  std::string Drawn() const {
    std::string out;
    for (const SurfaceCall& c : picText.Draws())
      out += "|" + c.text + "@" + std::to_string(c.x) + "," + std::to_string(c.y);
    return out.empty() ? out : out.substr(1);
  }

  ProgramState program;
  test::RecordingSurface picWork, picText, picBlank, picCapture, window;
  test::FakeTimer timFont;
  test::FakeDisplayHost host;
  Verse verse{"John 11:35", "Jesus wept.", ""};
  VerseRenderer renderer = Made(DisplayMode::FullScreen);
};

TEST_F(VerseRendererTest, GrowsTwoPointsATickThenReportsTheEnd) {
  // The mode, FontSize and the size of every frame.
  const std::tuple<DisplayMode, std::int16_t, std::vector<float>> cases[] = {
      {DisplayMode::FullScreen, 20, {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 20, 20}},
      // The preview grows to 5 points whatever the setting.
      {DisplayMode::Preview, 20, {1, 3, 5, 5}},
      {DisplayMode::FullScreen, 1, {1}},  // nothing to grow: the end is reported at once
  };
  for (const auto& [mode, fontSize, frames] : cases) {
    SCOPED_TRACE(fontSize);
    VerseRenderer renderer = Made(mode);
    program.Settings.FontSize = fontSize;
    renderer.Resize(800, 600, {0, 0, 800, 600}, verse);
    std::vector<float> sizes;
    int ends = renderer.DrawVerse(1.0f);
    for (sizes.push_back(picText.Draws().back().size); timFont.enabled && sizes.size() < 99;
         sizes.push_back(picText.Draws().back().size))
      ends += renderer.timFont_Timer();
    EXPECT_EQ(sizes, frames);
    EXPECT_EQ(ends, 1);
  }
  // A resize mid-growth prepares the verse afresh: the next tick draws the target and ends.
  program.Settings.FontSize = 20;
  renderer.DrawVerse(1.0f);
  renderer.Resize(640, 480, {0, 0, 640, 480}, verse);
  EXPECT_TRUE(renderer.timFont_Timer());
  EXPECT_EQ(picText.Draws().back().size, 20.0f);
}

TEST_F(VerseRendererTest, PlacesTitleLinesAndReferenceOnThePrimaryMonitor) {
  // The window over every monitor, the primary, the verse's title and text, what is drawn.
  struct Case { int width, height; LayoutArea primary; std::string title, text, drawn; };
  // One line under a title: the reference sits two line heights below the line's bottom at
  // 315. A window over several monitors lays the verse out with the primary's size where the
  // primary lies: the same places, moved by its corner. Lines of 20 characters. A verse
  // taller than the window is cut above and below; the reference is never broken. No verse
  // text: title and reference only; at an odd width the half pixel rounds to even.
  const std::string ten = "The Ten Commandments", wept = "Jesus wept.";
  // clang-format off
  const Case cases[] = {
      {800, 600, {0, 0, 800, 600}, ten, wept,
       "The Ten Commandments@300,0|Jesus wept.@345,285|John 11:35@350,375"},
      {1824, 768, {0, 0, 800, 600}, ten, wept,
       "The Ten Commandments@300,0|Jesus wept.@345,285|John 11:35@350,375"},
      {1824, 768, {1024, 0, 800, 600}, ten, wept,
       "The Ten Commandments@1324,0|Jesus wept.@1369,285|John 11:35@1374,375"},
      {1024, 1368, {112, 768, 800, 600}, ten, wept,
       "The Ten Commandments@412,768|Jesus wept.@457,1053|John 11:35@462,1143"},
      {200, 300, {0, 0, 200, 300}, "", "one two three four five six seven",
       "one two three four@10,120|five six seven@30,150|John 11:35@50,240"},
      {40, 60, {0, 0, 40, 60}, "", "aaaa bbbb cccc dddd",
       "aaaa @-5,-30|bbbb @-5,0|cccc @-5,30|dddd@0,60|John 11:35@-30,150"},
      {201, 301, {0, 0, 201, 301}, "Salvation", "", "Salvation@56,0|John 11:35@50,210"}};
  // clang-format on
  for (bool transparent : {false, true}) {
    program.Settings.ScreenColor = transparent;
    const ISurface* background = transparent ? &picCapture : &picBlank;
    for (const Case& c : cases) {
      SCOPED_TRACE(c.drawn);
      verse.Title = c.title;
      verse.Text = c.text;
      picText.ClearCalls();
      renderer.Resize(c.width, c.height, c.primary, verse);
      // Until the first frame the window shows picText: it holds the background already.
      ASSERT_EQ(picText.Copies().size(), 1u);
      EXPECT_EQ(picText.Copies()[0].source, background);
      window.ClearCalls();
      picText.ClearCalls();
      renderer.DrawVerse(20.0f);
      EXPECT_EQ(Drawn(), c.drawn);
      // The background first, then the frame: both cover the whole window.
      EXPECT_TRUE(picText.calls.front().copy);
      const SurfaceCall back = picText.Copies().at(0), shown = window.Copies().at(0);
      EXPECT_EQ(back.source, background);
      EXPECT_EQ(shown.source, &picText);
      for (const SurfaceCall& copy : {back, shown})
        EXPECT_EQ(test::RecordingSurface::Place(copy),
                  "0,0 " + std::to_string(c.width) + "x" + std::to_string(c.height));
    }
  }
  // While small the lines keep the breaks of the target size.
  verse = {"John 11:35", cases[4].text, ""};
  Show(200, 300, 3.0f);
  EXPECT_EQ(picText.Draws()[0].text, "one two three four");
}

TEST_F(VerseRendererTest, GrowthTicksComposeAndPresentOnlyWhatChanged) {
  // The verse on a primary at x = 1024 of a 1824 x 768 window. At 1 point the line and the
  // reference cover (1421, 299)-(1427, 304), at 3 points (1416, 298)-(1432, 315); the title
  // at the top, (1324, 0)-(1524, 30), stays as it was. A new verse puts the background back
  // over the last one, title included, and presents that box with the new verse's: the title
  // goes, then comes back. The first frame, a focus event and the first frame after a resize
  // present the whole of picText. Then a window 40 pixels high, where the verse lies over the
  // title, over the desktop image with shadows (a pixel right and down): the title and its
  // shadow take (55, 0)-(146, 31); at 1 point the line and the reference with theirs
  // (97, 19)-(104, 25), at 3 points (92, 18)-(109, 36). The title goes back under fresh
  // background and is drawn whole again.
  verse.Title = "The Ten Commandments";
  const LayoutArea primary{1024, 0, 800, 600};
  renderer.Resize(1824, 768, primary, verse);
  const std::string whole = "0,0 1824x768";
  // What happens, the background's box, the box presented and the texts drawn.
  struct Step { std::function<void()> frame; std::string background, shown; std::size_t draws; };
  const Step steps[] = {
      {[&] { renderer.DrawVerse(1.0f); }, whole, whole, 3},
      {[&] { renderer.timFont_Timer(); }, "1421,299 6x5", "1416,298 16x17", 2},
      {[&] { renderer.ChangeVerse({"John 11:35", "Jesus wept.", ""}); }, "1324,0 200x315",
       "1324,0 200x315", 2},
      {[&] { renderer.ChangeVerse(verse); }, "1421,299 6x5", "1324,0 200x304", 3},
      {[&] { renderer.DrawVerse(1.0f); }, whole, whole, 3},
      {[&] { renderer.Resize(1824, 768, primary, verse), renderer.timFont_Timer(); }, whole,
       whole, 3},
      {[&] { renderer.Resize(1824, 768, primary, verse), renderer.ChangeVerse(verse); }, whole,
       whole, 3},
      {[&] {
         program.Settings.ScreenColor = program.Settings.DropShadow = true;
         verse.Title = "Salvation";
         renderer.Resize(200, 40, {0, 0, 200, 40}, verse), renderer.DrawVerse(1.0f);
       },
       "0,0 200x40", "0,0 200x40", 6},
      {[&] { renderer.timFont_Timer(); }, "55,0 91x31", "55,0 91x36", 6},
      {[&] { renderer.ChangeVerse(verse); }, "55,0 91x36", "55,0 91x36", 6},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.shown);
    picText.ClearCalls();
    window.ClearCalls();
    step.frame();
    ASSERT_EQ(window.Copies().size(), 1u);
    EXPECT_EQ(test::RecordingSurface::Place(picText.Copies().back()), step.background);
    EXPECT_EQ(test::RecordingSurface::Place(window.Copies()[0]), step.shown);
    EXPECT_EQ(picText.Draws().size(), step.draws);
  }
}

TEST_F(VerseRendererTest, MeasuresBreaksAndDrawsInTheChosenFaceAndStyle) {
  // Every face and style measures differently on the recording surfaces (a character of 20
  // points: 10 pixels in plain Arial, 18 in Georgia, 23.76 in bold italic Georgia), so a
  // surface left in another font breaks or places the lines elsewhere.
  // The face, bold and italic or neither, what is drawn.
  const struct { const char* face; bool styled; std::string drawn; } cases[] = {
      {"Georgia", false,
       "Salvation@69,0|one two three@33,255|four five six@33,285|seven@105,315|John 11:35@60,405"},
      {"Georgia", true,
       "Salvation@43,0|one two@67,240|three four@31,270|five six@55,300|seven@91,330|"
       "John 11:35@31,420"},
      {"Arial", true,
       "Salvation@91,0|one two three four@31,270|five six seven@58,300|John 11:35@84,390"}};
  verse = {"John 11:35", "one two three four five six seven", "Salvation"};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.drawn);
    program.Settings.Font = c.face;
    program.Settings.FontBold = program.Settings.FontItalic = c.styled;
    renderer.PrepareDisplay();
    for (test::RecordingSurface* s : {&picWork, &picText, &picBlank, &picCapture, &window})
      s->ClearCalls();
    Show(300, 600, 20.0f);
    EXPECT_EQ(Drawn(), c.drawn);
    EXPECT_FALSE(picWork.measures.empty());
    for (const test::RecordingSurface* s : {&picWork, &picText, &picBlank, &picCapture, &window}) {
      std::vector<SurfaceCall> fonts = s->measures;
      for (const SurfaceCall& draw : s->Draws()) fonts.push_back(draw);
      for (const SurfaceCall& f : fonts)
        EXPECT_EQ(f.face + (f.bold ? " bold" : "") + (f.italic ? " italic" : ""),
                  c.face + std::string(c.styled ? " bold italic" : ""));
    }
  }
}

TEST_F(VerseRendererTest, ShadowUnderEveryPieceOverTheDesktopImageOnly) {
  program.Settings.DropShadow = true;
  Show(800, 600, 1.0f);
  EXPECT_EQ(picText.Draws().size(), 2u) << "no shadow on black";

  program.Settings.ScreenColor = true;
  program.Settings.FontSize = 45;
  verse.Title = "Bible Prophecies";
  // The offset is a fifteenth of the size, rounded, and at least a pixel; the title is
  // drawn underlined at the target size of 45, the rest at the growing size.
  const std::pair<float, std::array<int, 3>> cases[] = {{23.0f, {3, 2, 2}}, {1.0f, {3, 1, 1}}};
  for (const auto& [size, offsets] : cases) {
    Show(1920, 1080, size);
    const std::vector<SurfaceCall> draws = picText.Draws();
    ASSERT_EQ(draws.size(), 6u);
    for (int k = 0; k < 3; ++k) {
      const SurfaceCall &shadow = draws[2 * k], &text = draws[2 * k + 1];
      // The shadow: the same text in black, offset right and down.
      EXPECT_EQ(std::tie(shadow.text, shadow.color, shadow.x, shadow.y),
                std::make_tuple(text.text, 0u, text.x + offsets[k], text.y + offsets[k]));
      EXPECT_EQ(std::make_tuple(text.color, text.underline, text.size),
                std::make_tuple(renderer.Chars().TextColor, k == 0, k == 0 ? 45.0f : size))
          << text.text;
    }
  }
}

TEST_F(VerseRendererTest, PrepareDisplayCapturesHidesTheCursorAndRandomizes) {
  // Full screen over the desktop image; then the preview on black, which neither captures
  // nor hides the cursor. Neither paints: picText holds nothing before the resize composes
  // the background. Before any verse a frame is the background alone.
  for (bool fullScreenTransparent : {true, false}) {
    host = {};
    window.ClearCalls();
    VerseRenderer renderer = Made(fullScreenTransparent ? DisplayMode::FullScreen
                                                        : DisplayMode::Preview);
    program.Settings.ScreenColor = fullScreenTransparent;
    renderer.PrepareDisplay();
    EXPECT_EQ(host.capturedInto.size(), fullScreenTransparent ? 1u : 0u);
    EXPECT_EQ(host.cursorCalls,
              fullScreenTransparent ? std::vector<bool>{false} : std::vector<bool>{});
    // Seeded from 12:34:56: state 45296000 ^ 0x50000, whose next number is 2564675 / 2^24.
    EXPECT_EQ(program.Random.Next(), 2564675.0f / 16777216.0f);
    EXPECT_TRUE(window.Copies().empty());
  }
  EXPECT_FALSE(renderer.DrawVerse(1.0f));
  EXPECT_TRUE(picText.Draws().empty());
}

// The verse's text: the colour it is drawn in and the lines it is broken into.

// Hands out the numbers a test gives it, in order, and counts the draws.
struct ScriptedRandom : IRandom {
  explicit ScriptedRandom(std::vector<float> given) : values(std::move(given)) {}
  // A draw past the script counts too.
  float Next() override { return ++draws <= values.size() ? values[draws - 1] : 0.0f; }
  std::vector<float> values;
  std::size_t draws = 0;
};

// Random Colour, or shades of the base colour `color`.
SettingsRecord Colour(bool random, std::int16_t color) {
  SettingsRecord s;
  s.ColorType = random, s.Color = color;
  return s;
}

TEST(PickTextColor, ShadesOfTheBaseColoursOrRandom) {
  // The darkest level, 51, for every base colour; 178.5 goes to the even 178, 114.75 to
  // 115, 242.25 to 242; a doubled channel saturates from level 128 up; levels of 255 and
  // more are white whatever the base colour; a base colour outside 0 to 5 is black, after
  // the same one draw.
  // Color, the one number drawn and the colour it gives.
  // clang-format off
  const struct { std::int16_t color; float r1; int red, green, blue; } cases[] = {
      {0, 0.0f, 51, 51, 51},     {1, 0.0f, 51, 102, 51},    {2, 0.0f, 102, 51, 51},
      {3, 0.0f, 51, 51, 102},    {4, 0.0f, 102, 102, 51},   {5, 0.0f, 51, 102, 102},
      {1, 0.5f, 178, 255, 178},  {0, 0.25f, 115, 115, 115}, {0, 0.75f, 242, 242, 242},
      {1, 0.298f, 127, 254, 127}, {1, 0.302f, 128, 255, 128}, {0, 0.9f, 255, 255, 255},
      {2, 0.9f, 255, 255, 255},  {5, 0.99999994f, 255, 255, 255},
      {-1, 0.5f, 0, 0, 0},       {6, 0.5f, 0, 0, 0},        {100, 0.5f, 0, 0, 0}};
  // clang-format on
  for (const auto& c : cases) {
    ScriptedRandom random({c.r1});
    EXPECT_EQ(PickTextColor(Colour(false, c.color), random), MakeColor(c.red, c.green, c.blue))
        << "Color " << c.color << " r1 " << c.r1;
    EXPECT_EQ(random.draws, 1u);
  }
  ScriptedRandom random({0.0f});
  EXPECT_EQ(PickTextColor(Colour(false, 2), random), 0x00333366u) << "red in the low byte";

  // Random Colour ignores Color and draws the level, then red, green and blue; there is no
  // minimum brightness.
  ScriptedRandom levels({0.9f, 0.0f, 0.5f, 0.99999994f}), dark({0.9f, 0.001f, 0.003f, 0.0039f});
  EXPECT_EQ(PickTextColor(Colour(true, 1), levels), MakeColor(0, 128, 255));
  EXPECT_EQ(levels.draws, 4u);
  EXPECT_EQ(PickTextColor(Colour(true, 1), dark), 0u) << "no minimum brightness";
}

using Lines = std::vector<std::string>;

// At 2 points the recording surface measures one pixel per character, so the width limit
// below reads as a number of characters.
constexpr float kOnePixelPerCharacter = 2.0f;

TEST(WrapText, BreaksAsTheRulesSay) {
  const std::string e = "\xC3\xA9", e3 = e + e + e, dash = "\xE2\x80\x94";
  // The text, the width limit in characters and the lines.
  const struct { std::string text; float limit; Lines expected; } cases[] = {
      // Fits; no text, no lines; a word that overflows moves whole.
      {"In the beginning", 100, {"In the beginning"}}, {"", 100, {}},
      {"aaa bbb ccc", 5, {"aaa", "bbb", "ccc"}},
      // Equal width fits and the break at a space keeps it; too wide exactly at a space.
      {"abcde fgh", 5, {"abcde ", "fgh"}}, {"abcd efg", 4, {"abcd ", "efg"}},
      // An over-long word is cut before the overflow; a space before the line start is
      // ignored; a single character wider than the limit; the last line stays whole.
      {"abcdefghij", 4, {"abcd", "efgh", "ij"}}, {"ab cdefgh", 4, {"ab", "cdef", "gh"}},
      {"ab", 0.5f, {"a", "b"}}, {"abcd e", 5, {"abcd e"}},
      // A cut line keeps the second of two spaces, which does not count at the line start.
      {"abcd  ef ghi", 4, {"abcd ", " ef", "ghi"}}, {"abcd  efghij", 4, {"abcd ", " efgh", "ij"}},
      // Leading spaces are dropped; spaces only give one empty line.
      {"  ab", 100, {"ab"}}, {"   ", 100, {""}},
      // CR breaks, CR LF is one break, LF alone vanishes; two returns give an empty line, a
      // final one adds no line; the line after a return drops its leading space.
      {"ab\rcd", 100, {"ab", "cd"}}, {"ab\r\ncd", 100, {"ab", "cd"}}, {"ab\ncd", 100, {"abcd"}},
      {"ab\r\rcd", 100, {"ab", "", "cd"}}, {"ab\r", 100, {"ab"}}, {"\r\r", 100, {"", ""}},
      {"ab\r cd", 100, {"ab", "cd"}},
      // Characters, not bytes: a cut never splits one; a stray byte counts as one.
      {e3 + " " + e3, 5, {e3, e3}}, {e3 + dash + e, 3, {e3, dash + e}},
      {dash + e + " x", 2, {dash + e + " ", "x"}}, {"ab\xFF" "cd", 3, {"ab\xFF", "cd"}},
  };
  test::RecordingSurface measure;  // one for all: wrapping leaves its font as it was
  measure.SetFontSize(kOnePixelPerCharacter);
  for (const auto& c : cases)
    EXPECT_EQ(WrapText(measure, c.text, c.limit), c.expected) << testing::PrintToString(c.text);
}

}  // namespace
}  // namespace vw
