// The verse's text: the colour it is drawn in and the lines it is broken into.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/TextColor.h"
#include "display/TextLayout.h"
#include "tests/support/RecordingSurface.h"

namespace vw {
namespace {

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

using test::RecordingSurface;
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
  RecordingSurface measure;  // one for all: wrapping leaves its font as it was
  measure.SetFontSize(kOnePixelPerCharacter);
  for (const auto& c : cases)
    EXPECT_EQ(WrapText(measure, c.text, c.limit), c.expected) << testing::PrintToString(c.text);
}

}  // namespace
}  // namespace vw
