#pragma once
#include "core/Settings.h"
#include "core/Random.h"
#include "core/Surface.h"

namespace vw {

// The colour of the next verse: a random brightness of the base colour `Color` (one draw),
// or with `ColorType` three random channels (four draws: the level is drawn first and left
// unused). A base colour outside 0 to 5 gives black.
ColorValue PickTextColor(const SettingsRecord& settings, IRandom& random);

}  // namespace vw
