#include "display/TextColor.h"

#include <algorithm>

#include "core/Conversions.h"

namespace vw {

namespace {

// Channel value for a base-colour entry: 1 for L, 2 for 2 x L, limited to 255.
int Channel(int level, int factor) {
  return std::min(level * factor, 255);
}

// Multipliers of the level for red, green and blue, by base colour.
struct BaseColor {
  int red, green, blue;
};
constexpr BaseColor kBaseColors[] = {
    {1, 1, 1},  // grey
    {1, 2, 1},  // green
    {2, 1, 1},  // red
    {1, 1, 2},  // blue
    {2, 2, 1},  // yellow
    {1, 2, 2},  // cyan
};

int ByteOf(float r) {
  return static_cast<int>(static_cast<double>(r) * 256.0);
}

}  // namespace

ColorValue PickTextColor(const SettingsRecord& settings, IRandom& random) {
  const double r1 = random.Next();
  const int level = RoundToInt32((r1 * 10.0 + 2.0) * (255.0 / 10.0));
  if (settings.ColorType) {
    const int red = ByteOf(random.Next());
    const int green = ByteOf(random.Next());
    const int blue = ByteOf(random.Next());
    return MakeColor(red, green, blue);
  }
  if (settings.Color < 0 || settings.Color > 5) return 0;
  const BaseColor& base = kBaseColors[settings.Color];
  return MakeColor(Channel(level, base.red), Channel(level, base.green), Channel(level, base.blue));
}

}  // namespace vw
