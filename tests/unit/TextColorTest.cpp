#include "display/TextColor.h"

#include <gtest/gtest.h>

#include <vector>

namespace vw {
namespace {

// Hands out the numbers a test gives it, in order, and counts the draws.
struct ScriptedRandom : IRandom {
  explicit ScriptedRandom(std::vector<float> given) : values(std::move(given)) {}
  float Next() override {
    const float v = draws < values.size() ? values[draws] : 0.0f;
    ++draws;  // a draw past the script counts too
    return v;
  }
  std::vector<float> values;
  std::size_t draws = 0;
};

SettingsRecord Shades(std::int16_t color) {
  SettingsRecord s;
  s.ColorType = false;
  s.Color = color;
  return s;
}

struct ShadeCase {
  std::int16_t color;
  float r1;
  int red, green, blue;
};

TEST(PickTextColor, ShadesOfTheBaseColours) {
  // The darkest level, 51, for every base colour; 178.5 goes to the even 178, 114.75 to
  // 115, 242.25 to 242; a doubled channel saturates from level 128 up; levels of 255 and
  // more are white whatever the base colour; a base colour outside 0 to 5 is black, after
  // the same one draw.
  const ShadeCase cases[] = {{0, 0.0f, 51, 51, 51},      {1, 0.0f, 51, 102, 51},
                             {2, 0.0f, 102, 51, 51},     {3, 0.0f, 51, 51, 102},
                             {4, 0.0f, 102, 102, 51},    {5, 0.0f, 51, 102, 102},
                             {1, 0.5f, 178, 255, 178},   {0, 0.25f, 115, 115, 115},
                             {0, 0.75f, 242, 242, 242},  {1, 0.298f, 127, 254, 127},
                             {1, 0.302f, 128, 255, 128}, {0, 0.9f, 255, 255, 255},
                             {2, 0.9f, 255, 255, 255},   {5, 0.99999994f, 255, 255, 255},
                             {-1, 0.5f, 0, 0, 0},        {6, 0.5f, 0, 0, 0},
                             {100, 0.5f, 0, 0, 0}};
  for (const ShadeCase& c : cases) {
    ScriptedRandom random({c.r1});
    EXPECT_EQ(PickTextColor(Shades(c.color), random), MakeColor(c.red, c.green, c.blue))
        << "Color " << c.color << " r1 " << c.r1;
    EXPECT_EQ(random.draws, 1u);
  }
  ScriptedRandom random({0.0f});
  EXPECT_EQ(PickTextColor(Shades(2), random), 0x00333366u) << "red in the low byte";
}

TEST(PickTextColor, RandomColourDrawsLevelThenRedGreenBlue) {
  SettingsRecord s;
  s.ColorType = true;
  s.Color = 1;  // ignored for a random colour
  ScriptedRandom random({0.9f, 0.0f, 0.5f, 0.99999994f});
  EXPECT_EQ(PickTextColor(s, random), MakeColor(0, 128, 255));
  EXPECT_EQ(random.draws, 4u);

  ScriptedRandom dark({0.9f, 0.001f, 0.003f, 0.0039f});
  EXPECT_EQ(PickTextColor(s, dark), 0u) << "no minimum brightness";
}

}  // namespace
}  // namespace vw
